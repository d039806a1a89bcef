#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The texels of one square texture: side x side RGBA bytes, rows top-down, the picture in the
// top-left corner and transparent black around it.

// rgba: width x height pixels of 4 bytes, rows packed.
std::vector<uint8_t> SquareTexels(const uint8_t* rgba, int width, int height, int side);
// pixels: width x height 32-bit words, red in the lowest byte.
std::vector<uint8_t> SquareTexelsFromWords(const uint32_t* pixels, int width, int height, int side);
// Called per pixel of OpaqueSquareTexels; may change the colour.
using TexelFilter = std::function<void(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b)>;
// rgba as for SquareTexels; the texels are opaque, each passed through the filter if there is one.
std::vector<uint8_t> OpaqueSquareTexels(const uint8_t* rgba, int width, int height, int side,
                                        const TexelFilter& filter);

// Colour keys: the pixels of exactly the key's red, green and blue become transparent.
// RGBA bytes: their alpha becomes 0.
void KeyOutColour(std::vector<uint8_t>& rgba, const uint8_t key[3]);
// 32-bit words as for SquareTexelsFromWords: the whole pixel becomes 0.
void KeyOutColour(uint32_t* pixels, size_t count, const uint8_t key[3]);
