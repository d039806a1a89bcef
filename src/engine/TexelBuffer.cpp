#include "engine/TexelBuffer.h"

#include <algorithm>

namespace {

std::vector<uint8_t> BlankTexels(int side) {
    return std::vector<uint8_t>(static_cast<size_t>(side) * side * 4, 0);
}

}  // namespace

std::vector<uint8_t> SquareTexels(const uint8_t* rgba, int width, int height, int side) {
    std::vector<uint8_t> texels = BlankTexels(side);
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = rgba + static_cast<size_t>(y) * rowBytes;
        std::copy(source, source + rowBytes, texels.data() + static_cast<size_t>(y) * side * 4);
    }
    return texels;
}

std::vector<uint8_t> SquareTexelsFromWords(const uint32_t* pixels, int width, int height, int side) {
    std::vector<uint8_t> texels = BlankTexels(side);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = pixels + static_cast<size_t>(y) * width;
        uint8_t* target = texels.data() + static_cast<size_t>(y) * side * 4;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 4; ++c) {
                target[x * 4 + c] = static_cast<uint8_t>(source[x] >> (8 * c));
            }
        }
    }
    return texels;
}

std::vector<uint8_t> OpaqueSquareTexels(const uint8_t* rgba, int width, int height, int side,
                                        const TexelFilter& filter) {
    std::vector<uint8_t> texels = BlankTexels(side);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = rgba + static_cast<size_t>(y) * width * 4;
        uint8_t* target = texels.data() + static_cast<size_t>(y) * side * 4;
        for (int x = 0; x < width; ++x, source += 4, target += 4) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target[3] = 255;
            if (filter) {
                filter(x, y, target[0], target[1], target[2]);
            }
        }
    }
    return texels;
}

void KeyOutColour(std::vector<uint8_t>& rgba, const uint8_t key[3]) {
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        uint8_t* pixel = rgba.data() + i;
        if (pixel[0] == key[0] && pixel[1] == key[1] && pixel[2] == key[2]) {
            pixel[3] = 0;
        }
    }
}

void KeyOutColour(uint32_t* pixels, size_t count, const uint8_t key[3]) {
    const uint32_t keyWord = uint32_t(key[0]) | uint32_t(key[1]) << 8 | uint32_t(key[2]) << 16;
    std::replace_if(
        pixels, pixels + count, [keyWord](uint32_t pixel) { return (pixel & 0xFFFFFF) == keyWord; }, 0u);
}
