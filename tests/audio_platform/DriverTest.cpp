// The driver choice and the process-wide channels behind the free functions.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/Audio.h"

using namespace platform;

namespace {

SoundPtr Tone(int frames, bool loop = false) {
  auto s = std::make_shared<Sound>();
  s->samples.assign(frames, 1000);
  s->loop = loop;
  return s;
}

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class AudioDriver : public ::testing::Test {
 protected:
  void TearDown() override { SetAudioDriver(u"None"); }
};

}  // namespace

TEST_F(AudioDriver, NoneIsSilentButKeepsChannelState) {
  ASSERT_TRUE(SetAudioDriver(u"None"));
  EXPECT_EQ(AudioDriverName(), u"None");

  ChannelPtr ch = CueSound(Tone(4410));
  ASSERT_TRUE(ch);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_TRUE(ChannelPaused(ch));
  ResumeChannel(ch);
  Wait(150);
  // Nothing consumes the sound: it stays playing, at its start, until told otherwise.
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_FALSE(ChannelPaused(ch));
  EXPECT_EQ(ChannelPosition(ch), 0);
  PauseChannel(ch);
  EXPECT_TRUE(ChannelPaused(ch));
  ResumeChannel(ch);
  StopChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));

  ChannelPtr played = PlaySound(Tone(10));
  EXPECT_TRUE(ChannelPlaying(played));
  EXPECT_FALSE(ChannelPaused(played));
  ChannelPtr same = PlaySound(Tone(10), played);
  EXPECT_EQ(same, played);
}

TEST_F(AudioDriver, UnknownNamesFailAndLeaveNone) {
  for (const char16_t* name : {u"DirectSound", u"OpenAL Generic Software", u"", u"freeaudio"}) {
    EXPECT_FALSE(SetAudioDriver(name));
    EXPECT_EQ(AudioDriverName(), u"None");
  }
}

TEST_F(AudioDriver, FreeAudioPlaysThroughTheDevice) {
  // The rig selects SDL's dummy audio driver, which opens without hardware.
  ASSERT_TRUE(SetAudioDriver(u"FreeAudio"));
  EXPECT_EQ(AudioDriverName(), u"FreeAudio");
  EXPECT_TRUE(SetAudioDriver(u"FreeAudio"));  // again: stays open

  ChannelPtr ch = PlaySound(Tone(441));  // 10 ms
  ChannelPtr music = PlaySound(Tone(44100, true));
  for (int i = 0; i < 200 && ChannelPlaying(ch); ++i) Wait(10);
  EXPECT_FALSE(ChannelPlaying(ch)) << "the device consumed the sound";
  EXPECT_TRUE(ChannelPlaying(music));

  // A failed change leaves the game silent; the channels keep their state.
  EXPECT_FALSE(SetAudioDriver(u"DirectSound"));
  EXPECT_EQ(AudioDriverName(), u"None");
  EXPECT_TRUE(ChannelPlaying(music));
  const int64_t pos = ChannelPosition(music);
  Wait(50);
  EXPECT_EQ(ChannelPosition(music), pos);
  StopChannel(music);
}
