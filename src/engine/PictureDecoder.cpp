#include "engine/PictureDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cctype>

namespace {

// Red, green, blue, alpha bytes in memory order; alpha 255 where the file has none.
SDL_Surface* DecodeRgbaSurface(const uint8_t* data, size_t size, const std::string& decoder) {
    if (!data || size == 0 || size > static_cast<size_t>(INT32_MAX)) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!stream) {
        return nullptr;
    }
    SDL_Surface* decoded = IMG_LoadTyped_RW(stream, 1, decoder.c_str());
    if (!decoded) {
        return nullptr;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    return rgba;
}

}  // namespace

std::string PictureDecoderFor(const std::string& name, bool allowGif) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const extensions[][2] = {
        {".tga", "TGA"}, {".jpg", "JPG"}, {".bmp", "BMP"}, {".png", "PNG"}, {".gif", "GIF"}};
    const size_t count = allowGif ? 5 : 4;
    std::string decoder;
    for (size_t i = 0; i < count; ++i) {
        if (lower.find(extensions[i][0]) != std::string::npos) {
            decoder = extensions[i][1];
        }
    }
    return decoder;
}

bool DecodePicture(const uint8_t* data, size_t size, const std::string& decoder, DecodedPicture& picture) {
    SDL_Surface* image = DecodeRgbaSurface(data, size, decoder);
    if (!image) {
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(image->w) * 4;
    picture.width = image->w;
    picture.height = image->h;
    picture.rgba.resize(rowBytes * image->h);
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y) {
        const uint8_t* source =
            static_cast<const uint8_t*>(image->pixels) + static_cast<size_t>(y) * image->pitch;
        std::copy(source, source + rowBytes, picture.rgba.data() + static_cast<size_t>(y) * rowBytes);
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);
    return true;
}
