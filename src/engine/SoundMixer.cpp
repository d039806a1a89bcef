#include "engine/SoundMixer.h"

#include <algorithm>
#include <cmath>

#include "engine/MusicRing.h"

namespace {

void MixVoiceInto(MixVoice& voice, float* stereo, int frames) {
    const std::vector<int16_t>& sound = *voice.sound;
    const std::size_t length = sound.size() / 2;
    while (voice.playing && frames > 0) {
        if (voice.position >= length) {
            voice.position = 0;
            voice.playing = voice.loop && length > 0;
            continue;
        }
        const int count = static_cast<int>(std::min<std::size_t>(frames, length - voice.position));
        const int16_t* source = sound.data() + voice.position * 2;
        for (int i = 0; i < count; ++i) {
            stereo[2 * i] += source[2 * i] * voice.gain.left;
            stereo[2 * i + 1] += source[2 * i + 1] * voice.gain.right;
        }
        stereo += count * 2;
        frames -= count;
        voice.position += static_cast<std::size_t>(count);
    }
}

template <typename T>
void Erase(std::vector<T*>& items, T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

void SoundMixer::Add(MixVoice& voice) {
    Locked([&] { voices_.push_back(&voice); });
}

void SoundMixer::Remove(MixVoice& voice) {
    Locked([&] { Erase(voices_, &voice); });
}

void SoundMixer::Add(MusicRing& ring) {
    Locked([&] { rings_.push_back(&ring); });
}

void SoundMixer::Remove(MusicRing& ring) {
    Locked([&] { Erase(rings_, &ring); });
}

void SoundMixer::Mix(int16_t* stereo, int frames) {
    std::lock_guard lock(mutex_);
    while (frames > 0) {
        const int count = std::min(frames, ChunkFrames);
        MixChunk(stereo, count);
        stereo += count * 2;
        frames -= count;
    }
}

void SoundMixer::MixChunk(int16_t* stereo, int frames) {
    float* sum = sum_.data();
    std::fill(sum, sum + frames * 2, 0.0f);
    for (MixVoice* voice : voices_) {
        MixVoiceInto(*voice, sum, frames);
    }
    for (MusicRing* ring : rings_) {
        ring->MixInto(sum, frames);
    }
    for (int i = 0; i < frames * 2; ++i) {
        stereo[i] = static_cast<int16_t>(std::clamp(std::lrint(sum[i]), -32768L, 32767L));
    }
}

SoundMixer& TheSoundMixer() {
    // Never destroyed: the audio thread may still pull from it while the process exits.
    static SoundMixer& mixer = *new SoundMixer;
    return mixer;
}
