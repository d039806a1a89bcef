#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "engine/AttenuationTables.h"

class MusicRing;

// One voice of a sound effect: the decoded sound it plays (44100 Hz stereo, owned by its
// GameSound) and where it is. Changed only under the mixer's lock.
struct MixVoice {
    const std::vector<int16_t>* sound = nullptr;
    std::size_t position = 0;  // in frames
    bool playing = false;
    bool loop = false;
    StereoGain gain;
};

// Adds up every playing voice and music ring into 44100 Hz stereo. The audio callback pulls from
// it (as tests do); the other threads take its lock only for changes that take constant time,
// never to decode or load, so the callback is never held up for long.
class SoundMixer {
public:
    // Registered objects must stay alive until removed; removal waits for a mix in progress.
    void Add(MixVoice& voice);
    void Remove(MixVoice& voice);
    void Add(MusicRing& ring);
    void Remove(MusicRing& ring);

    // Runs `change` under the lock, for changing registered voices and rings.
    template <typename Change>
    void Locked(Change change) {
        std::lock_guard lock(mutex_);
        change();
    }

    void Mix(int16_t* stereo, int frames);

private:
    static constexpr int ChunkFrames = 1024;
    void MixChunk(int16_t* stereo, int frames);

    std::mutex mutex_;
    std::vector<MixVoice*> voices_;
    std::vector<MusicRing*> rings_;
    std::array<float, ChunkFrames * 2> sum_{};
};

// The process's mixer.
SoundMixer& TheSoundMixer();
