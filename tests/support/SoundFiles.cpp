#include "support/SoundFiles.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>

namespace {

void Save(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        ADD_FAILURE() << "could not write " << path;
    }
}

void PutBigEndian16(std::string& bytes, unsigned value) {
    bytes += static_cast<char>(value >> 8 & 0xFF);
    bytes += static_cast<char>(value & 0xFF);
}

// The encoder's finished packets as pages, appended to out.
void TakePages(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
            ogg_stream_packetin(&stream, &packet);
            // A page per packet: damage to one page loses a few milliseconds, not a second.
            while (ogg_stream_flush(&stream, &page) != 0) {
                out.append(reinterpret_cast<const char*>(page.header), page.header_len);
                out.append(reinterpret_cast<const char*>(page.body), page.body_len);
            }
        }
    }
}

}  // namespace

void WriteOggTone(const std::string& path, double seconds, int rate, int channels, double frequency,
                  double amplitude) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
        ADD_FAILURE() << "the Vorbis encoder refuses " << channels << " channels at " << rate << " Hz";
        vorbis_info_clear(&info);
        return;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& header : headers) {
        ogg_stream_packetin(&stream, &header);
    }
    std::string out;
    ogg_page page;
    // The headers end on a page of their own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), page.header_len);
        out.append(reinterpret_cast<const char*>(page.body), page.body_len);
    }

    const long frames = std::lround(seconds * rate);
    constexpr long Piece = 1024;
    for (long start = 0; start < frames; start += Piece) {
        const long count = std::min(Piece, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            const double value = amplitude * std::sin(2 * std::numbers::pi * frequency *
                                                      static_cast<double>(start + i) / rate);
            for (int channel = 0; channel < channels; ++channel) {
                buffer[channel][i] = static_cast<float>(value);
            }
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        TakePages(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    TakePages(dsp, block, stream, out);
    while (ogg_stream_flush(&stream, &page) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), page.header_len);
        out.append(reinterpret_cast<const char*>(page.body), page.body_len);
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    Save(path, out);
}

void WriteTinyModule(const std::string& path) {
    constexpr unsigned SampleWords = 16;  // one period of the square wave
    constexpr unsigned MiddleC = 428;     // Amiga period of C-2
    std::string bytes = "tandolo test";
    bytes.resize(20, '\0');
    for (int sample = 1; sample <= 31; ++sample) {
        std::string header(22, '\0');
        const unsigned words = sample == 1 ? SampleWords : 0;
        PutBigEndian16(header, words);
        header += '\0';                               // finetune
        header += static_cast<char>(64);              // full volume
        PutBigEndian16(header, 0);                    // loop start
        PutBigEndian16(header, std::max(words, 1u));  // loop length; 1 means no loop
        bytes += header;
    }
    bytes += static_cast<char>(1);    // one order
    bytes += static_cast<char>(127);  // the customary restart byte
    bytes += std::string(128, '\0');  // order 0 plays pattern 0
    bytes += "M.K.";

    // Row 0 plays sample 1 on channels 1 and 2 (left and right on the Amiga); the rest is empty.
    std::string pattern(64 * 4 * 4, '\0');
    for (int channel : {0, 1}) {
        pattern[channel * 4 + 0] = static_cast<char>(MiddleC >> 8);  // sample number's high bits are 0
        pattern[channel * 4 + 1] = static_cast<char>(MiddleC & 0xFF);
        pattern[channel * 4 + 2] = static_cast<char>(1 << 4);  // sample 1, no effect
    }
    bytes += pattern;
    for (unsigned i = 0; i < SampleWords * 2; ++i) {
        bytes += static_cast<char>(i < SampleWords ? 64 : -64);
    }
    Save(path, bytes);
}
