#pragma once

#include <SDL_audio.h>

#include <cstddef>
#include <cstdint>

// Converts one source's PCM to the mixer's format (engine/MixFormat.h) through SDL's audio
// stream, which needs no open device. Mono comes out on both channels.
class AudioResampler {
public:
    // The rates taken from sound files; the resampler's arithmetic is only sound within them.
    static constexpr int MinRate = 8000;
    static constexpr int MaxRate = 192000;
    enum SampleType { Unsigned8, Signed16LittleEndian };

    AudioResampler() = default;
    ~AudioResampler();
    AudioResampler(const AudioResampler&) = delete;
    AudioResampler& operator=(const AudioResampler&) = delete;

    // Drops any earlier conversion. False for other than 1 or 2 channels, a rate outside
    // MinRate..MaxRate, or when SDL refuses.
    bool Open(SampleType type, int channels, int rate);
    // Source bytes, whole frames only. False when SDL cannot take them.
    bool Put(const uint8_t* bytes, size_t count);
    // The source has ended: the frames held back for the resampler's filter come out too.
    void Finish();
    // Up to `frames` converted stereo frames; 0 when none are ready. Never more in all than the
    // source's length at the mix rate.
    int Get(int16_t* stereo, int frames);
    // Back to the state just after Open, nothing held back.
    void Clear();

private:
    uint64_t FramesDue() const;

    SDL_AudioStream* stream_ = nullptr;
    int sourceRate_ = 0;
    size_t sourceFrameBytes_ = 0;
    uint8_t silence_ = 0;
    uint64_t framesIn_ = 0;
    uint64_t framesOut_ = 0;
};
