#include "engine/SampleDecoder.h"

#include <algorithm>
#include <cstring>

#include "engine/AudioResampler.h"
#include "engine/MixFormat.h"
#include "engine/OggMemoryStream.h"

namespace {

// Effects are short; the limit keeps a damaged or hostile file from filling the memory.
constexpr int MaxSampleMinutes = 10;
constexpr size_t MaxSampleFrames = size_t{MaxSampleMinutes} * 60 * MixRate;
constexpr int PieceFrames = 4096;
constexpr size_t FormatRecordSize = 16;

// Where the scan found the format record and the data.
struct WavLayout {
    size_t formatChunk = 0;
    bool hasFormat = false;
    size_t dataStart = 0;
    size_t dataLength = 0;
};

struct WavFormat {
    uint32_t tag = 0;
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t bits = 0;
};

uint32_t LittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

bool IsTag(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

// The scan the game has always made: byte by byte, the first "fmt " marks the format record and
// the first "data" the samples; chunk sizes are not followed.
bool FindWavLayout(const std::vector<uint8_t>& bytes, WavLayout& layout, std::string& error) {
    const size_t size = bytes.size();
    if (size <= 5) {
        error = "is too short to be a WAV file";
        return false;
    }
    for (size_t at = 0; at + 5 <= size; ++at) {
        if (!layout.hasFormat && IsTag(bytes, at, "fmt ")) {
            layout.formatChunk = at;
            layout.hasFormat = true;
        } else if (IsTag(bytes, at, "data")) {
            if (at + 8 > size) {
                error = "has its \"data\" chunk cut short";
                return false;
            }
            layout.dataStart = at + 8;
            // A length beyond the end (a file cut short) plays what is there.
            layout.dataLength = std::min<size_t>(LittleEndian(&bytes[at + 4], 4), size - layout.dataStart);
            if (!layout.hasFormat) {
                error = "has no \"fmt \" chunk before its data";
                return false;
            }
            return true;
        }
    }
    error = "has no \"data\" chunk";
    return false;
}

// The record must be whole, by its own chunk size and before the data begins.
bool ReadWavFormat(const std::vector<uint8_t>& bytes, const WavLayout& layout, WavFormat& format,
                   std::string& error) {
    const size_t record = layout.formatChunk + 8;
    if (record + FormatRecordSize > layout.dataStart - 8 ||
        LittleEndian(&bytes[layout.formatChunk + 4], 4) < FormatRecordSize) {
        error = "has its format record cut short";
        return false;
    }
    format.tag = LittleEndian(&bytes[record], 2);
    format.channels = LittleEndian(&bytes[record + 2], 2);
    format.rate = LittleEndian(&bytes[record + 4], 4);
    format.bits = LittleEndian(&bytes[record + 14], 2);
    return true;
}

bool CheckWavFormat(const WavFormat& format, std::string& error) {
    if (format.tag != 1) {
        error = "is not PCM (format " + std::to_string(format.tag) + ")";
    } else if (format.channels < 1 || format.channels > 2) {
        error = "has " + std::to_string(format.channels) + " channels (1 or 2 are played)";
    } else if (format.bits != 8 && format.bits != 16) {
        error = "has " + std::to_string(format.bits) + "-bit samples (8 or 16 are played)";
    } else if (format.rate < AudioResampler::MinRate || format.rate > AudioResampler::MaxRate) {
        error = "has a rate of " + std::to_string(format.rate) + " Hz (" +
                std::to_string(AudioResampler::MinRate) + " to " + std::to_string(AudioResampler::MaxRate) +
                " are played)";
    } else {
        return true;
    }
    return false;
}

bool TooLong(uint64_t sourceFrames, uint32_t rate, std::string& error) {
    if (sourceFrames * MixRate / rate <= MaxSampleFrames) {
        return false;
    }
    error = "is longer than " + std::to_string(MaxSampleMinutes) + " minutes";
    return true;
}

// Appends every frame the resampler has ready.
void TakeReady(AudioResampler& resampler, std::vector<int16_t>& stereo) {
    for (;;) {
        const size_t before = stereo.size();
        stereo.resize(before + 2 * PieceFrames);
        const int got = resampler.Get(stereo.data() + before, PieceFrames);
        stereo.resize(before + 2 * static_cast<size_t>(got));
        if (got == 0) {
            return;
        }
    }
}

bool DecodeWav(const std::vector<uint8_t>& bytes, std::vector<int16_t>& stereo, std::string& error) {
    WavLayout layout;
    WavFormat format;
    if (!FindWavLayout(bytes, layout, error) || !ReadWavFormat(bytes, layout, format, error) ||
        !CheckWavFormat(format, error)) {
        return false;
    }
    const size_t frameBytes = format.channels * format.bits / 8;
    const size_t frames = layout.dataLength / frameBytes;  // a trailing part of a frame is dropped
    if (TooLong(frames, format.rate, error)) {
        return false;
    }
    AudioResampler resampler;
    const auto type = format.bits == 8 ? AudioResampler::Unsigned8 : AudioResampler::Signed16LittleEndian;
    if (!resampler.Open(type, static_cast<int>(format.channels), static_cast<int>(format.rate)) ||
        !resampler.Put(bytes.data() + layout.dataStart, frames * frameBytes)) {
        error = "could not be converted to the mixer's format";
        return false;
    }
    resampler.Finish();
    TakeReady(resampler, stereo);
    return true;
}

bool DecodeOgg(const std::vector<uint8_t>& bytes, std::vector<int16_t>& stereo, std::string& error) {
    OggMemoryStream stream;
    if (!stream.Open(bytes)) {
        error = "has no Vorbis stream that can be played";
        return false;
    }
    for (;;) {
        const size_t before = stereo.size();
        stereo.resize(before + 2 * PieceFrames);
        const int got = stream.Read(stereo.data() + before, PieceFrames);
        stereo.resize(before + 2 * static_cast<size_t>(got));
        if (got == 0) {
            return true;
        }
        if (TooLong(stereo.size() / 2, MixRate, error)) {
            return false;
        }
    }
}

}  // namespace

bool IsOggName(const std::string& path) {
    return path.find(".ogg") != std::string::npos;
}

bool DecodeSample(const std::vector<uint8_t>& fileBytes, bool asOgg, std::vector<int16_t>& stereo,
                  std::string& error) {
    stereo.clear();
    error.clear();
    const bool decoded = asOgg ? DecodeOgg(fileBytes, stereo, error) : DecodeWav(fileBytes, stereo, error);
    if (decoded && stereo.empty()) {
        error = "holds no sound";
    }
    if (!error.empty()) {
        stereo.clear();
        return false;
    }
    return true;
}
