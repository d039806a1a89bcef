#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// An Ogg Vorbis file held in memory, decoded piece by piece into the mixer's format
// (engine/MixFormat.h). One thread at a time may use it; it shares nothing with other streams.
class OggMemoryStream {
public:
    OggMemoryStream();
    ~OggMemoryStream();
    OggMemoryStream(OggMemoryStream&&) noexcept;
    OggMemoryStream& operator=(OggMemoryStream&&) noexcept;

    // Drops what was open before. False when the bytes hold no Vorbis stream header, or one of
    // other than 1 or 2 channels or a rate the resampler does not take.
    bool Open(std::vector<uint8_t> fileBytes);
    // Up to `frames` stereo frames; 0 at the end of the data (or when nothing is open). Damaged
    // stretches are skipped; a hard decoding error, or a chained part in another format, ends
    // the data there.
    int Read(int16_t* stereo, int frames);
    // Back to the first sample with nothing held back, so a loop starts again without a gap.
    bool Rewind();

private:
    struct Decoder;
    // On the heap: the decoder keeps a pointer to it as its data source, which a move must
    // not change.
    std::unique_ptr<Decoder> decoder_;
};
