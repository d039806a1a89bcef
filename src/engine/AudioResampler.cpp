#include "engine/AudioResampler.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/MixFormat.h"

namespace {

constexpr int MixFrameBytes = 2 * sizeof(int16_t);
// SDL takes its lengths as int: larger inputs go in pieces.
constexpr size_t MaxPut = size_t{1} << 20;

}  // namespace

AudioResampler::~AudioResampler() {
    if (stream_) {
        SDL_FreeAudioStream(stream_);
    }
}

bool AudioResampler::Open(SampleType type, int channels, int rate) {
    if (stream_) {
        SDL_FreeAudioStream(stream_);
        stream_ = nullptr;
    }
    if (channels < 1 || channels > 2 || rate < MinRate || rate > MaxRate) {
        return false;
    }
    const SDL_AudioFormat format = type == Unsigned8 ? AUDIO_U8 : AUDIO_S16LSB;
    stream_ = SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, AUDIO_S16SYS, 2, MixRate);
    sourceRate_ = rate;
    sourceFrameBytes_ = static_cast<size_t>(channels) * (type == Unsigned8 ? 1 : 2);
    silence_ = type == Unsigned8 ? 0x80 : 0;
    framesIn_ = 0;
    framesOut_ = 0;
    return stream_ != nullptr;
}

bool AudioResampler::Put(const uint8_t* bytes, size_t count) {
    if (!stream_) {
        return false;
    }
    for (size_t done = 0; done < count;) {
        const size_t piece = std::min(count - done, MaxPut);
        if (SDL_AudioStreamPut(stream_, bytes + done, static_cast<int>(piece)) != 0) {
            return false;
        }
        done += piece;
    }
    framesIn_ += count / sourceFrameBytes_;
    return true;
}

// SDL's flush gives out the frames its filter holds back only when its own staging buffer is
// part full, which a large or evenly sized input leaves empty: the end of the sound was lost.
// A quarter second of silence after the source pushes them out whatever SDL holds; Get stops
// at the source's own length, so none of the silence is heard.
void AudioResampler::Finish() {
    if (!stream_) {
        return;
    }
    const std::vector<uint8_t> silence(static_cast<size_t>(sourceRate_ / 4) * sourceFrameBytes_, silence_);
    const uint64_t framesBefore = framesIn_;
    Put(silence.data(), silence.size());
    framesIn_ = framesBefore;
    SDL_AudioStreamFlush(stream_);
}

int AudioResampler::Get(int16_t* stereo, int frames) {
    if (!stream_ || frames <= 0) {
        return 0;
    }
    const uint64_t due = FramesDue();
    const int wanted = static_cast<int>(
        std::min<uint64_t>({static_cast<uint64_t>(frames), due > framesOut_ ? due - framesOut_ : 0,
                            static_cast<uint64_t>(std::numeric_limits<int>::max() / MixFrameBytes)}));
    if (wanted == 0) {
        return 0;
    }
    // SDL refuses requests for part of a frame, so whole frames are asked for.
    const int bytes = SDL_AudioStreamGet(stream_, stereo, wanted * MixFrameBytes);
    const int got = bytes > 0 ? bytes / MixFrameBytes : 0;
    framesOut_ += static_cast<uint64_t>(got);
    return got;
}

void AudioResampler::Clear() {
    if (stream_) {
        SDL_AudioStreamClear(stream_);
    }
    framesIn_ = 0;
    framesOut_ = 0;
}

// The source's length so far at the mix rate, to the nearest frame.
uint64_t AudioResampler::FramesDue() const {
    const auto rate = static_cast<uint64_t>(sourceRate_);
    return (framesIn_ * MixRate + rate / 2) / rate;
}
