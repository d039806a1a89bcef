#include "engine/MusicRing.h"

#include <algorithm>

int MusicRing::HalfToFill() const {
    return full_[nextToFill_].load(std::memory_order_acquire) ? -1 : nextToFill_;
}

void MusicRing::MarkFilled(int half) {
    full_[half].store(true, std::memory_order_release);
    nextToFill_ = 1 - half;
}

void MusicRing::MixInto(float* stereo, int frames) {
    while (playing && frames > 0 && full_[playingHalf_].load(std::memory_order_acquire)) {
        const int count = std::min(frames, HalfFrames - playPosition_);
        const int16_t* source = data_[playingHalf_].data() + playPosition_ * 2;
        for (int i = 0; i < count; ++i) {
            stereo[2 * i] += source[2 * i] * gain.left;
            stereo[2 * i + 1] += source[2 * i + 1] * gain.right;
        }
        stereo += count * 2;
        frames -= count;
        playPosition_ += count;
        if (playPosition_ == HalfFrames) {
            full_[playingHalf_].store(false, std::memory_order_release);
            playingHalf_ = 1 - playingHalf_;
            playPosition_ = 0;
        }
    }
}

void MusicRing::Reset() {
    full_[0].store(false);
    full_[1].store(false);
    nextToFill_ = 0;
    playingHalf_ = 0;
    playPosition_ = 0;
}
