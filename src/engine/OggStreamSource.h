#pragma once

#include <cstdint>
#include <vector>

#include "engine/MusicSource.h"
#include "engine/OggMemoryStream.h"

// An Ogg Vorbis file held in memory, decoded as the music plays.
class OggStreamSource : public MusicSource {
public:
    // False when the bytes hold no Vorbis stream header.
    bool Open(std::vector<uint8_t> fileBytes) { return stream_.Open(std::move(fileBytes)); }
    int Read(int16_t* stereo, int frames) override { return stream_.Read(stereo, frames); }
    bool Rewind() override { return stream_.Rewind(); }

private:
    OggMemoryStream stream_;
};
