#include "OggEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

#include "NoteRenderer.h"

namespace {

void TakePages(ogg_stream_state& stream, std::string& out, bool flush) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
}

void TakePackets(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out) {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
            ogg_stream_packetin(&stream, &packet);
            TakePages(stream, out, false);
        }
    }
}

}  // namespace

std::string EncodeOgg(const StereoSound& sound, float quality, int serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, NoteRenderer::Rate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("the Vorbis encoder refuses stereo at this rate and quality");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& header : headers) {
        ogg_stream_packetin(&stream, &header);
    }
    std::string out;
    // The sound starts on a page of its own, as decoders expect.
    TakePages(stream, out, true);

    constexpr size_t Piece = 1024;
    for (size_t start = 0; start < sound.left.size(); start += Piece) {
        const size_t count = std::min(Piece, sound.left.size() - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        std::copy_n(sound.left.begin() + static_cast<long>(start), count, buffer[0]);
        std::copy_n(sound.right.begin() + static_cast<long>(start), count, buffer[1]);
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        TakePackets(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    TakePackets(dsp, block, stream, out);
    TakePages(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}
