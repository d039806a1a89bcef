#include "engine/PictureDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace {

uint32_t LittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

uint32_t BigEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

bool StartsWith(const uint8_t* data, size_t size, std::string_view magic) {
    return size >= magic.size() &&
           std::equal(magic.begin(), magic.end(), data,
                      [](char expected, uint8_t byte) { return static_cast<uint8_t>(expected) == byte; });
}

// The first start-of-frame segment holds the size. The walk to it steps as the decoder's does, so
// both find the same frame: stray bytes and stuffed zeros are passed over, restart and TEM markers
// stand alone, and every other segment is skipped by its length, the length bytes at least.
bool ReadJpegSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height) {
    if (!StartsWith(data, size, "\xFF\xD8")) {
        return false;
    }
    size_t at = 2;
    while (at + 4 <= size) {
        const uint8_t marker = data[at + 1];
        if (data[at] != 0xFF || marker == 0xFF) {
            ++at;  // a stray byte, or a fill byte before a marker
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (at + 9 > size) {
                return false;
            }
            height = BigEndian(data + at + 5, 2);
            width = BigEndian(data + at + 7, 2);
            return true;
        }
        if (marker == 0xD9 || marker == 0xDA) {
            return false;  // the image ended or its data began without a frame
        }
        at += 2 + std::max<uint32_t>(BigEndian(data + at + 2, 2), 2);
    }
    return false;
}

// The decoder makes the picture the size of the first image, which may be larger than the
// screen size at the start: both are claims to check. Bytes it does not know it skips one by one.
bool ReadGifSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height) {
    if (size < 13 || !(StartsWith(data, size, "GIF87a") || StartsWith(data, size, "GIF89a"))) {
        return false;
    }
    width = LittleEndian(data + 6, 2);
    height = LittleEndian(data + 8, 2);
    const bool globalColours = (data[10] & 0x80) != 0;
    size_t at = 13 + (globalColours ? size_t{3} << ((data[10] & 7) + 1) : 0);
    while (at < size && data[at] != ';') {
        if (data[at] == ',') {
            if (at + 9 <= size) {
                width = std::max(width, LittleEndian(data + at + 5, 2));
                height = std::max(height, LittleEndian(data + at + 7, 2));
            }
            break;
        }
        if (data[at] != '!') {
            ++at;
            continue;
        }
        at += 2;  // the extension's introducer and label, then its blocks up to an empty one
        while (at < size && data[at] != 0) {
            at += 1 + size_t{data[at]};
        }
        ++at;
    }
    return true;
}

bool ReadHeaderSize(const uint8_t* data, size_t size, const std::string& decoder, uint32_t& width,
                    uint32_t& height) {
    if (decoder == "PNG") {
        if (size < 24 || !StartsWith(data, size, "\x89PNG\r\n\x1A\n") ||
            !std::equal(data + 12, data + 16, "IHDR")) {
            return false;
        }
        width = BigEndian(data + 16, 4);
        height = BigEndian(data + 20, 4);
        return true;
    }
    if (decoder == "TGA") {
        if (size < 18) {
            return false;
        }
        width = LittleEndian(data + 12, 2);
        height = LittleEndian(data + 14, 2);
        return true;
    }
    if (decoder == "BMP") {
        if (size < 26 || !StartsWith(data, size, "BM")) {
            return false;
        }
        const bool coreHeader = LittleEndian(data + 14, 4) == 12;
        width = coreHeader ? LittleEndian(data + 18, 2) : LittleEndian(data + 18, 4);
        const auto signedHeight = static_cast<int32_t>(LittleEndian(data + 22, 4));
        height =
            coreHeader ? LittleEndian(data + 20, 2) : static_cast<uint32_t>(std::abs(int64_t{signedHeight}));
        return true;
    }
    if (decoder == "GIF") {
        return ReadGifSize(data, size, width, height);
    }
    return decoder == "JPG" && ReadJpegSize(data, size, width, height);
}

// SDL_image does not tell libpng when a read of a PNG comes up short, and libpng goes on with stale
// bytes, which can loop for ever. So every chunk must lie whole in the file, up to the IEND.
std::string PngChunkProblem(const uint8_t* data, size_t size) {
    size_t at = 8;
    while (size - at >= 12) {
        const uint32_t length = BigEndian(data + at, 4);
        if (length > size - at - 12) {
            return "its chunk at byte " + std::to_string(at) + " runs past the end of the file";
        }
        if (std::equal(data + at + 4, data + at + 8, "IEND")) {
            return {};
        }
        at += 12 + size_t{length};
    }
    return "it ends before its IEND chunk";
}

std::string SizeProblem(int width, int height, int maxSide) {
    if (width > 0 && height > 0 && width <= maxSide && height <= maxSide) {
        return {};
    }
    return "is " + std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " +
           std::to_string(maxSide) + " x " + std::to_string(maxSide) + " are allowed";
}

// The named format's own loader. IMG_LoadTyped_RW would follow the bytes' signature to any
// format SDL_image knows, past the header checked here.
SDL_Surface* LoadWithDecoder(SDL_RWops* stream, const std::string& decoder) {
    if (decoder == "PNG") {
        return IMG_LoadPNG_RW(stream);
    }
    if (decoder == "TGA") {
        return IMG_LoadTGA_RW(stream);
    }
    if (decoder == "BMP") {
        return IMG_LoadBMP_RW(stream);
    }
    if (decoder == "JPG") {
        return IMG_LoadJPG_RW(stream);
    }
    if (decoder == "GIF") {
        return IMG_LoadGIF_RW(stream);
    }
    SDL_SetError("no decoder %s", decoder.c_str());
    return nullptr;
}

// Red, green, blue, alpha bytes in memory order; alpha 255 where the file has none.
SDL_Surface* DecodeRgbaSurface(const uint8_t* data, size_t size, const std::string& decoder) {
    if (!data || size == 0 || size > static_cast<size_t>(INT32_MAX)) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!stream) {
        return nullptr;
    }
    SDL_Surface* decoded = LoadWithDecoder(stream, decoder);
    SDL_RWclose(stream);
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

bool ReadPictureSize(const uint8_t* data, size_t size, const std::string& decoder, int& width, int& height) {
    uint32_t headerWidth = 0;
    uint32_t headerHeight = 0;
    if (!data || !ReadHeaderSize(data, size, decoder, headerWidth, headerHeight) || headerWidth > INT32_MAX ||
        headerHeight > INT32_MAX) {
        return false;
    }
    width = static_cast<int>(headerWidth);
    height = static_cast<int>(headerHeight);
    return true;
}

bool DecodePicture(const uint8_t* data, size_t size, const std::string& decoder, int maxSide,
                   DecodedPicture& picture, std::string& error) {
    int width = 0;
    int height = 0;
    if (!ReadPictureSize(data, size, decoder, width, height)) {
        error = "is not a " + decoder + " picture";
        return false;
    }
    error = SizeProblem(width, height, maxSide);
    if (!error.empty()) {
        return false;
    }
    const std::string chunkProblem = decoder == "PNG" ? PngChunkProblem(data, size) : "";
    if (!chunkProblem.empty()) {
        error = "is damaged (" + chunkProblem + ")";
        return false;
    }
    SDL_Surface* image = DecodeRgbaSurface(data, size, decoder);
    if (!image) {
        error = std::string("is damaged (") + SDL_GetError() + ")";
        return false;
    }
    error = SizeProblem(image->w, image->h, maxSide);  // a header that did not tell the truth
    if (!error.empty()) {
        SDL_FreeSurface(image);
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
