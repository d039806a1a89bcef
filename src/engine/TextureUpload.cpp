#include "engine/TextureUpload.h"

#include <SDL_opengl.h>

#include "engine/FrameRecorder.h"

namespace {

// The texture last bound through BindTexture; NoTexture after anything else touched the binding.
constexpr long long NoTexture = -1;
long long boundTexture = NoTexture;

void EnableTexturing() {
    glEnable(GL_TEXTURE_2D);
}

// Errors of earlier calls must not be taken for the next one's.
void ClearGlErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

void SetUnpackedRows() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace

int TextureFormat(bool alpha, bool highQuality) {
    return alpha ? (highQuality ? GL_RGBA8 : GL_RGBA) : (highQuality ? GL_RGB8 : GL_RGB);
}

int MaxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

unsigned int CreateTexture(const uint8_t* texels, int side, int internalFormat) {
    DrawPending();
    ClearGlErrors();
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) {
        return 0;
    }
    EnableTexturing();
    glBindTexture(GL_TEXTURE_2D, name);
    boundTexture = name;
    SetUnpackedRows();
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    if (glGetError() != GL_NO_ERROR) {
        DeleteTexture(name);
        return 0;
    }
    return name;
}

void DeleteTexture(unsigned int texture) {
    DrawPending();
    if (boundTexture == texture) {
        boundTexture = NoTexture;
    }
    glDeleteTextures(1, &texture);
}

void BindTexture(unsigned int texture) {
    if (boundTexture == texture) {
        return;
    }
    EnableTexturing();
    glBindTexture(GL_TEXTURE_2D, texture);
    boundTexture = texture;
}

void SetTextureFiltering(unsigned int texture, bool linear) {
    DrawPending();  // the draws waiting use the filtering they were made with
    BindTexture(texture);
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void SetTextureWrap(unsigned int texture, bool repeat) {
    DrawPending();
    BindTexture(texture);
    const GLint wrap = repeat ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

bool UpdateTexture(unsigned int texture, const void* rgba, int width, int height) {
    DrawPending();
    BindTexture(texture);
    ClearGlErrors();
    SetUnpackedRows();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return glGetError() == GL_NO_ERROR;
}

void DisableTexturing() {
    glDisable(GL_TEXTURE_2D);
    boundTexture = NoTexture;
}

void ForgetBoundTexture() {
    boundTexture = NoTexture;
}
