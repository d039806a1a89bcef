#include "engine/OggMemoryStream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/AudioResampler.h"

struct OggMemoryStream::Decoder {
    ~Decoder() {
        if (fileOpen) {
            ov_clear(&file);
        }
    }

    // The data source callbacks over `bytes`; the source is the Decoder.
    static size_t ReadBytes(void* buffer, size_t size, size_t count, void* source);
    static int SeekBytes(void* source, ogg_int64_t offset, int origin);
    static long TellBytes(void* source);
    // Decodes the next piece into the resampler. False at the end of the data.
    bool DecodeMore();

    std::vector<uint8_t> bytes;
    size_t position = 0;
    OggVorbis_File file{};
    bool fileOpen = false;
    int channels = 0;
    long rate = 0;
    AudioResampler resampler;
    bool flushed = false;  // the decoder is at its end and the resampler has given out its tail
    std::array<char, 16384> decoded{};
};

size_t OggMemoryStream::Decoder::ReadBytes(void* buffer, size_t size, size_t count, void* source) {
    auto& decoder = *static_cast<Decoder*>(source);
    if (size == 0) {
        return 0;
    }
    const size_t items = std::min(count, (decoder.bytes.size() - decoder.position) / size);
    if (items == 0) {
        return 0;  // also keeps an empty file's null data pointer out of memcpy
    }
    std::memcpy(buffer, decoder.bytes.data() + decoder.position, items * size);
    decoder.position += items * size;
    return items;
}

int OggMemoryStream::Decoder::SeekBytes(void* source, ogg_int64_t offset, int origin) {
    auto& decoder = *static_cast<Decoder*>(source);
    const auto size = static_cast<ogg_int64_t>(decoder.bytes.size());
    const ogg_int64_t base = origin == SEEK_SET   ? 0
                             : origin == SEEK_CUR ? static_cast<ogg_int64_t>(decoder.position)
                             : origin == SEEK_END ? size
                                                  : -1;
    // Offsets come from the file's own page headers: anything outside it is refused.
    if (base < 0 || offset < -base || offset > size - base) {
        return -1;
    }
    decoder.position = static_cast<size_t>(base + offset);
    return 0;
}

long OggMemoryStream::Decoder::TellBytes(void* source) {
    return static_cast<long>(static_cast<Decoder*>(source)->position);
}

bool OggMemoryStream::Decoder::DecodeMore() {
    for (;;) {
        int link = 0;
        const long count = ov_read(&file, decoded.data(), static_cast<int>(decoded.size()), 0, 2, 1, &link);
        if (count == OV_HOLE) {
            continue;  // a damaged or missing page: the decoder has resynchronised past it
        }
        if (count <= 0) {
            return false;
        }
        const vorbis_info* info = ov_info(&file, link);
        if (!info || info->channels != channels || info->rate != rate) {
            return false;
        }
        return resampler.Put(reinterpret_cast<const uint8_t*>(decoded.data()), static_cast<size_t>(count));
    }
}

OggMemoryStream::OggMemoryStream() = default;
OggMemoryStream::~OggMemoryStream() = default;
OggMemoryStream::OggMemoryStream(OggMemoryStream&&) noexcept = default;
OggMemoryStream& OggMemoryStream::operator=(OggMemoryStream&&) noexcept = default;

bool OggMemoryStream::Open(std::vector<uint8_t> fileBytes) {
    decoder_ = std::make_unique<Decoder>();
    Decoder& decoder = *decoder_;
    decoder.bytes = std::move(fileBytes);
    const ov_callbacks callbacks = {Decoder::ReadBytes, Decoder::SeekBytes, nullptr, Decoder::TellBytes};
    // On failure the decoder has already cleared itself.
    decoder.fileOpen = ov_open_callbacks(&decoder, &decoder.file, nullptr, 0, callbacks) == 0;
    const vorbis_info* info = decoder.fileOpen ? ov_info(&decoder.file, -1) : nullptr;
    if (!info || info->rate > AudioResampler::MaxRate ||
        !decoder.resampler.Open(AudioResampler::Signed16LittleEndian, info->channels,
                                static_cast<int>(info->rate))) {
        decoder_.reset();
        return false;
    }
    decoder.channels = info->channels;
    decoder.rate = info->rate;
    return true;
}

int OggMemoryStream::Read(int16_t* stereo, int frames) {
    if (!decoder_) {
        return 0;
    }
    Decoder& decoder = *decoder_;
    int done = 0;
    while (done < frames) {
        const int got = decoder.resampler.Get(stereo + 2 * static_cast<size_t>(done), frames - done);
        done += got;
        if (got > 0) {
            continue;
        }
        if (decoder.flushed) {
            break;
        }
        if (!decoder.DecodeMore()) {
            decoder.resampler.Finish();
            decoder.flushed = true;
        }
    }
    return done;
}

bool OggMemoryStream::Rewind() {
    if (!decoder_ || ov_pcm_seek(&decoder_->file, 0) != 0) {
        return false;
    }
    decoder_->resampler.Clear();
    decoder_->flushed = false;
    return true;
}
