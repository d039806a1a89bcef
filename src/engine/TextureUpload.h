#pragma once

#include <cstdint>

// The OpenGL textures of pictures, and the record of which one is bound: the draws bind
// again and again, and skipping a bind of the texture already bound saves the call.

// The internal format asked for: with or without alpha, 8 bits a channel with highQuality.
int TextureFormat(bool alpha, bool highQuality);
// The largest texture side the driver takes.
int MaxTextureSide();
// Makes a side x side texture of texels (RGBA bytes, rows top-down) and leaves it bound with
// texturing on. 0 when OpenGL gives no texture name or refuses the texels (out of memory).
unsigned int CreateTexture(const uint8_t* texels, int side, int internalFormat);
void DeleteTexture(unsigned int texture);
// Binds the texture with texturing on, unless it is bound already.
void BindTexture(unsigned int texture);
// Nearest or linear filtering, clamped or repeated edges; each leaves the texture bound.
void SetTextureFiltering(unsigned int texture, bool linear);
void SetTextureWrap(unsigned int texture, bool repeat);
// Overwrites the texture's top-left width x height texels with rgba (rows packed);
// false when OpenGL refuses.
bool UpdateTexture(unsigned int texture, const void* rgba, int width, int height);
// Texturing off, for untextured draws.
void DisableTexturing();
// Forgets which texture is bound (after someone else bound one or turned texturing off).
void ForgetBoundTexture();
