#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/AttenuationTables.h"

// Music on its way to the mixer: a ring of two halves. The feeder thread fills a half while the
// mixer plays the other; a half changes hands only through its atomic "full" flag, so neither
// side waits for the other. A half not yet filled when its turn comes plays as silence.
class MusicRing {
public:
    static constexpr int HalfFrames = 16384;  // stereo frames: 65536 bytes, 0.37 s

    // Feeder side. The half to fill next (they are filled in turn), or -1 while it is still full.
    int HalfToFill() const;
    int16_t* HalfData(int half) { return data_[half].data(); }
    void MarkFilled(int half);

    // Mixer side, under the mixer's lock: adds up to `frames` frames, scaled by the gain.
    void MixInto(float* stereo, int frames);

    // Under the mixer's lock, with no feeder running: both halves empty, reading from the start.
    void Reset();
    // Under the mixer's lock.
    bool playing = false;
    StereoGain gain;

private:
    std::array<std::array<int16_t, HalfFrames * 2>, 2> data_{};
    std::array<std::atomic<bool>, 2> full_{};
    int nextToFill_ = 0;   // the feeder's
    int playingHalf_ = 0;  // the mixer's
    int playPosition_ = 0;
};
