#pragma once

#include <cstdint>

// Where music comes from: 44100 Hz stereo frames, read by the feeder thread only while it runs.
class MusicSource {
public:
    virtual ~MusicSource() = default;
    // Fills up to `frames` frames; fewer (0 at last) at the end of the music.
    virtual int Read(int16_t* stereo, int frames) = 0;
    // Back to the beginning; false when the source cannot go back.
    virtual bool Rewind() = 0;
};
