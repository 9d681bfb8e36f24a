#include "OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <stdexcept>

namespace assetgen {

namespace {
void writePage(FILE* f, const ogg_page& page) {
    std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), f);
    std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), f);
}
}  // namespace

void OggWriter::write(const Sound& s, const std::string& path, uint32_t serial, const std::string& title,
                      double quality) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, s.channels(), Sound::kRate, static_cast<float>(quality)) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder refused the settings for " + path);
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&vc, "ARTIST", "Lantern Vale");

    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, static_cast<int>(serial));

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);

    ogg_packet header, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comm, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0) writePage(f, page);

    const int chunk = 4096;
    const int channels = s.channels();
    int pos = 0;
    bool eos = false;
    while (!eos) {
        const int n = std::min(chunk, s.frameCount() - pos);
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, n);
            for (int i = 0; i < n; ++i)
                for (int ch = 0; ch < channels; ++ch) buf[ch][i] = s.at(pos + i, ch);
            vorbis_analysis_wrote(&vd, n);
            pos += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (!eos && ogg_stream_pageout(&os, &page) != 0) {
                    writePage(f, page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot finish " + path);
}

}  // namespace assetgen
