#include "SoundTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/AudioFiles.h"
#include "support/TestRig.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "platform/Channel.h"
#include "platform/System.h"

namespace soundtest {

namespace {

// A 440 Hz tone at half scale on every channel.
testrig::SampleFunction Tone440(int rate) {
  return [rate](int, int frame) { return testrig::SineSample(440.0, rate, frame, 0.5f); };
}

}  // namespace

std::string MakeWav(int frames, int channels, int rate) {
  return testrig::EncodeWav(channels, rate, frames, Tone440(rate));
}

std::string MakeOgg(int frames, int channels, int rate) {
  return testrig::EncodeOgg(channels, rate, frames, Tone440(rate), 0.4f);
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
