// libFuzzer target: any bytes as a sound file, decoded whole as a sample both as WAV and as Ogg
// Vorbis (the game picks by the name alone), and read as a music stream to its end, rewound and
// read again. Nothing may crash or read outside the file, a failure must say why, and what
// decodes is whole stereo frames.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/MixFormat.h"
#include "engine/OggMemoryStream.h"
#include "engine/SampleDecoder.h"

namespace {

// A few bytes of Vorbis can stand for many seconds: a stream is read this far at most.
constexpr long MaxStreamFrames = 60L * MixRate;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

long ReadToTheEnd(OggMemoryStream& stream) {
    std::vector<int16_t> piece(2 * 4096);
    long total = 0;
    while (total < MaxStreamFrames) {
        const int got = stream.Read(piece.data(), 4096);
        Check(got >= 0 && got <= 4096);
        if (got == 0) {
            break;
        }
        total += got;
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    for (const bool asOgg : {false, true}) {
        std::vector<int16_t> stereo;
        std::string error;
        const bool decoded = DecodeSample(bytes, asOgg, stereo, error);
        Check(decoded ? error.empty() && !stereo.empty() && stereo.size() % 2 == 0
                      : !error.empty() && stereo.empty());
    }
    OggMemoryStream stream;
    if (stream.Open(bytes)) {
        const long frames = ReadToTheEnd(stream);
        Check(stream.Rewind() || frames == 0);
        ReadToTheEnd(stream);
    }
    return 0;
}
