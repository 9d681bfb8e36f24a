#include "SoundTestSupport.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "support/TestRig.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "platform/Channel.h"
#include "platform/System.h"

namespace soundtest {

namespace {

float Sine(int frame, int rate) {
  return 0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * frame / rate));
}

void PutLE(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string MakeWav(int frames, int channels, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(frames * channels * 2);
  std::string out = "RIFF";
  PutLE(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);
  PutLE(out, 1, 2);
  PutLE(out, static_cast<uint32_t>(channels), 2);
  PutLE(out, static_cast<uint32_t>(rate), 4);
  PutLE(out, static_cast<uint32_t>(rate * channels * 2), 4);
  PutLE(out, static_cast<uint32_t>(channels * 2), 2);
  PutLE(out, 16, 2);
  out += "data";
  PutLE(out, dataBytes, 4);
  for (int f = 0; f < frames; ++f) {
    const auto v = static_cast<int16_t>(Sine(f, rate) * 32767.0f);
    for (int c = 0; c < channels; ++c) PutLE(out, static_cast<uint16_t>(v), 2);
  }
  return out;
}

std::string MakeOgg(int frames, int channels, int rate) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.4f) != 0) {
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
  ogg_stream_init(&os, 77);
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
    float** buf = vorbis_analysis_buffer(&vd, n);
    for (int c = 0; c < channels; ++c) {
      for (int i = 0; i < n; ++i) buf[c][i] = Sine(start + i, rate);
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

platform::SoundPtr Tone(int frames) {
  const std::string wav = MakeWav(frames);
  return platform::LoadSoundFromMemory(wav.data(), wav.size());
}

float VolumeOf(const platform::ChannelPtr& channel) { return channel ? channel->volume : -1.0f; }

platform::SoundPtr SoundOn(const platform::ChannelPtr& channel) {
  return channel ? channel->sound : nullptr;
}

int RenderFrames(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  platform::Mixer::Global().Render(out.data(), frames);
  int peak = 0;
  for (int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

void AudioGameTest::SetUp() {
  platform::SetThrowOnExit(true);
  ASSERT_TRUE(platform::SetAudioDriver(u"None"));
  dir = testrig::MakeTempDir("sound");
  const String root = platform::FromUtf8(dir) + u"/";
  ccErrorPath = root;
  ShowErrors = 1;
  Delta = 1.0f;
  Game = std::make_shared<TGame>();
  Game->SubPath = root;
  Game->Ini.FileName = root + u"LanternVale";
  Game->SoundPath = root + u"sound/";
  Game->MusicPath = root + u"music/";
  Game->ProfilePath = root + u"profiles/";
  Game->MusicChannel = platform::AllocChannel();
  Game->SpeechChannel = platform::AllocChannel();
  Game->EscapeChannel = platform::AllocChannel();
}

void AudioGameTest::TearDown() {
  if (Game) Game->Kill();
  Game.reset();
}

std::string AudioGameTest::Put(const std::string& relative, const std::string& bytes) const {
  const std::string path = dir + "/" + relative;
  testrig::WriteFileBytes(path, bytes);
  return path;
}

std::string AudioGameTest::SettingsText() const {
  return testrig::ReadFileBytes(dir + "/LanternVale.ini");
}

}  // namespace soundtest
