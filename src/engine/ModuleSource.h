#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <vector>

#include "engine/MusicSource.h"

namespace openmpt {
class module;
}

// A tracker module (Impulse Tracker, FastTracker 2, Scream Tracker 3, Protracker) rendered by
// libopenmpt.
class ModuleSource : public MusicSource {
public:
    ModuleSource();
    ~ModuleSource() override;
    // False when the bytes are no module libopenmpt can play.
    bool Open(const std::vector<uint8_t>& fileBytes);
    // Looping follows the module's own jump back at its end; without it the music ends there.
    // Only while no feeder reads the source.
    void SetLooping(bool loop);
    int Read(int16_t* stereo, int frames) override;
    bool Rewind() override;

private:
    std::ostringstream log_;  // libopenmpt's warnings about odd files; not for the player
    std::unique_ptr<openmpt::module> module_;
};
