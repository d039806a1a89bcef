#include "engine/TgaWriter.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr uint8_t TgaTrueColour = 2;

void PutLittle16(uint8_t* out, int value) {
    out[0] = static_cast<uint8_t>(value & 0xFF);
    out[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

bool SaveTgaFile(const std::string& path, const uint8_t* rgba, int width, int height, bool withAlpha) {
    if (!rgba || width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF) {
        return false;
    }
    uint8_t header[18] = {};
    header[2] = TgaTrueColour;
    PutLittle16(header + 12, width);
    PutLittle16(header + 14, height);
    header[16] = withAlpha ? 32 : 24;
    // Attribute bits only: the origin stays bottom-left, which every reader understands.
    header[17] = withAlpha ? 8 : 0;

    const int bytesPerPixel = withAlpha ? 4 : 3;
    std::vector<uint8_t> row(static_cast<size_t>(width) * bytesPerPixel);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(header, sizeof header, 1, file.get()) != 1) {
        return false;
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* source = rgba + static_cast<size_t>(y) * width * 4;
        uint8_t* target = row.data();
        for (int x = 0; x < width; ++x, source += 4, target += bytesPerPixel) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            if (withAlpha) {
                target[3] = source[3];
            }
        }
        if (std::fwrite(row.data(), row.size(), 1, file.get()) != 1) {
            return false;
        }
    }
    return std::fclose(file.release()) == 0;
}
