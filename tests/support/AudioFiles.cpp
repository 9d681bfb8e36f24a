#include "AudioFiles.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace testrig {

float SineSample(double hz, int rate, int frame, float amplitude) {
  return amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * hz * frame / rate));
}

std::string Le16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(uint32_t value) {
  return Le16(static_cast<int>(value & 0xFFFF)) + Le16(static_cast<int>(value >> 16));
}

std::string WavChunk(const char* id, const std::string& body) {
  std::string chunk = std::string(id, 4) + Le32(static_cast<uint32_t>(body.size())) + body;
  if (body.size() & 1) chunk += '\0';
  return chunk;
}

std::string WavFmt(int channels, int rate, int bits, int tag) {
  const int align = channels * bits / 8;
  const uint32_t byteRate = static_cast<uint32_t>(rate) * static_cast<uint32_t>(align);
  return WavChunk("fmt ", Le16(tag) + Le16(channels) + Le32(static_cast<uint32_t>(rate)) +
                              Le32(byteRate) + Le16(align) + Le16(bits));
}

std::string Pcm16(const std::vector<int16_t>& samples) {
  std::string bytes;
  bytes.reserve(samples.size() * 2);
  for (int16_t s : samples) bytes += Le16(static_cast<uint16_t>(s));
  return bytes;
}

std::string WavFile(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string EncodeWav(int channels, int rate, int frames, const SampleFunction& gen) {
  std::vector<int16_t> samples;
  samples.reserve(static_cast<size_t>(frames) * static_cast<size_t>(channels));
  for (int f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      samples.push_back(static_cast<int16_t>(std::clamp(gen(c, f), -1.0f, 1.0f) * 32767.0f));
    }
  }
  return WavFile(WavFmt(channels, rate, 16) + WavChunk("data", Pcm16(samples)));
}

std::string EncodeOgg(int channels, int rate, int frames, const SampleFunction& gen,
                      float quality) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
    ADD_FAILURE() << "vorbis encoder set-up failed";
    vorbis_info_clear(&vi);
    return {};
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 4242);

  std::string out;
  ogg_page og;
  auto appendPage = [&] {
    out.append(reinterpret_cast<const char*>(og.header), static_cast<size_t>(og.header_len));
    out.append(reinterpret_cast<const char*>(og.body), static_cast<size_t>(og.body_len));
  };

  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  while (ogg_stream_flush(&os, &og)) appendPage();

  auto drain = [&] {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) appendPage();
      }
    }
  };
  for (int start = 0; start < frames; start += 1024) {
    const int n = std::min(1024, frames - start);
    float** buffer = vorbis_analysis_buffer(&vd, n);
    for (int c = 0; c < channels; ++c) {
      for (int i = 0; i < n; ++i) buffer[c][i] = gen(c, start + i);
    }
    vorbis_analysis_wrote(&vd, n);
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);
  drain();
  while (ogg_stream_flush(&os, &og)) appendPage();

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

}  // namespace testrig
