// libFuzzer target: any bytes as a picture file, taken the way a picture is loaded up to its
// texture upload: the decoder a name chooses, the header's size checked against the limit, the
// decoded pixels, the game's colour key and the square texel buffer OpenGL would be given.
// The game picks the decoder by the name alone, so every input is tried with every decoder.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/GLPicture.h"
#include "engine/PictureDecoder.h"
#include "engine/TexelBuffer.h"

namespace {

// The key the sprites load their pictures with.
constexpr uint8_t Magenta[3] = {255, 0, 255};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsKey(const uint8_t* pixel) {
    return std::equal(Magenta, Magenta + 3, pixel);
}

void CheckKeyedOut(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    Check(before.size() == after.size());
    for (size_t i = 0; i < before.size(); i += 4) {
        const bool keyed = IsKey(&before[i]);
        Check(std::equal(&before[i], &before[i] + 3, &after[i]));
        Check(after[i + 3] == (keyed ? 0 : before[i + 3]));
    }
}

// The picture in the top-left corner of a power-of-two square, transparent black around it.
void CheckTexels(const DecodedPicture& picture, int side, const std::vector<uint8_t>& texels) {
    const int larger = std::max(picture.width, picture.height);
    Check(side >= 4 && (side & (side - 1)) == 0 && side >= larger && (side == 4 || side < 2 * larger));
    Check(texels.size() == static_cast<size_t>(side) * side * 4);
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    for (int y = 0; y < side; ++y) {
        const uint8_t* row = texels.data() + static_cast<size_t>(y) * side * 4;
        const size_t used = y < picture.height ? rowBytes : 0;
        Check(std::equal(row, row + used, picture.rgba.data() + static_cast<size_t>(y) * rowBytes));
        Check(std::all_of(row + used, row + static_cast<size_t>(side) * 4,
                          [](uint8_t byte) { return byte == 0; }));
    }
}

void CheckLoad(const uint8_t* data, size_t size, const std::string& name) {
    const std::string decoder = PictureDecoderFor(name, true);
    Check(!decoder.empty());
    DecodedPicture picture;
    std::string error;
    if (!DecodePicture(data, size, decoder, GLPicture::MaxPictureSide, picture, error)) {
        Check(!error.empty());
        return;
    }
    Check(picture.width >= 1 && picture.width <= GLPicture::MaxPictureSide);
    Check(picture.height >= 1 && picture.height <= GLPicture::MaxPictureSide);
    Check(picture.rgba.size() == static_cast<size_t>(picture.width) * picture.height * 4);
    const std::vector<uint8_t> decoded = picture.rgba;
    KeyOutColour(picture.rgba, Magenta);
    CheckKeyedOut(decoded, picture.rgba);
    const int side = GLPicture::TextureSideFor(picture.width, picture.height);
    CheckTexels(picture, side, SquareTexels(picture.rgba.data(), picture.width, picture.height, side));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* name : {"fuzz.png", "fuzz.tga", "fuzz.bmp", "fuzz.jpg", "fuzz.gif"}) {
        CheckLoad(data, size, name);
    }
    return 0;
}
