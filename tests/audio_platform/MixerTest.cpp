// The software mixer, driven by hand without a device.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "platform/Audio.h"

using namespace platform;

namespace {

constexpr int kRate = 44100;

SoundPtr MonoSound(std::vector<int16_t> samples, int rate = kRate, bool loop = false) {
  auto s = std::make_shared<Sound>();
  s->samples = std::move(samples);
  s->channels = 1;
  s->rate = rate;
  s->loop = loop;
  return s;
}

SoundPtr Constant(int16_t value, int frames, int rate = kRate) {
  return MonoSound(std::vector<int16_t>(frames, value), rate);
}

// Sample i = i * step: the output tells exactly where in the sound the mixer is.
SoundPtr Ramp(int frames, int step = 10, bool loop = false, int rate = kRate) {
  std::vector<int16_t> v(frames);
  for (int i = 0; i < frames; ++i) v[i] = static_cast<int16_t>(i * step);
  return MonoSound(std::move(v), rate, loop);
}

struct Out {
  std::vector<int16_t> buf;
  int16_t L(int frame) const { return buf[2 * frame]; }
  int16_t R(int frame) const { return buf[2 * frame + 1]; }
};

Out RenderFrames(Mixer& m, int frames) {
  Out o;
  o.buf.assign(2 * frames, int16_t{0x5A5A});  // garbage: Render must overwrite it
  m.Render(o.buf.data(), frames);
  return o;
}

ChannelPtr Play(Mixer& m, const SoundPtr& s) {
  ChannelPtr ch = m.AllocChannel();
  CueSound(s, ch);
  ResumeChannel(ch);
  return ch;
}

}  // namespace

TEST(Mixer, SilentWithNothingPlayingAndCuedChannelsWaitPaused) {
  Mixer m(kRate);
  EXPECT_EQ(m.OutputRate(), kRate);
  Out o = RenderFrames(m, 64);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);

  ChannelPtr ch = m.AllocChannel();
  EXPECT_FALSE(ChannelPlaying(ch));
  CueSound(Constant(1000, 100), ch);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_TRUE(ChannelPaused(ch));
  o = RenderFrames(m, 64);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);
  EXPECT_EQ(ChannelPosition(ch), 0);

  ResumeChannel(ch);
  EXPECT_FALSE(ChannelPaused(ch));
  o = RenderFrames(m, 10);
  EXPECT_EQ(o.L(0), 1000);
  EXPECT_EQ(o.R(9), 1000);
  EXPECT_EQ(ChannelPosition(ch), 10);
}

TEST(Mixer, VolumeScalesAndIsClamped) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Constant(10000, 1000));
  SetChannelVolume(ch, 0.5f);
  Out o = RenderFrames(m, 4);
  EXPECT_EQ(o.L(0), 5000);
  EXPECT_EQ(o.R(3), 5000);

  SetChannelVolume(ch, 7.0f);  // above 1: full volume, not amplified
  o = RenderFrames(m, 1);
  EXPECT_EQ(o.L(0), 10000);

  SetChannelVolume(ch, -1.0f);
  o = RenderFrames(m, 1);
  EXPECT_EQ(o.L(0), 0);

  SetChannelVolume(ch, std::nanf(""));
  o = RenderFrames(m, 1);
  EXPECT_EQ(o.L(0), 0);
  EXPECT_EQ(o.R(0), 0);
}

TEST(Mixer, PanIsABalance) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Constant(10000, 1000));
  struct Case {
    float pan;
    int left, right;
  } cases[] = {{0.0f, 10000, 10000}, {-1.0f, 10000, 0},     {1.0f, 0, 10000},
               {0.5f, 5000, 10000},  {-0.25f, 10000, 7500}, {-3.0f, 10000, 0}};
  for (const Case& c : cases) {
    SetChannelPan(ch, c.pan);
    Out o = RenderFrames(m, 1);
    EXPECT_EQ(o.L(0), c.left) << "pan " << c.pan;
    EXPECT_EQ(o.R(0), c.right) << "pan " << c.pan;
  }
}

TEST(Mixer, StereoSoundsKeepTheirSides) {
  Mixer m(kRate);
  auto s = std::make_shared<Sound>();
  s->channels = 2;
  s->samples = {1000, -2000, 1000, -2000, 1000, -2000};
  ChannelPtr ch = Play(m, s);
  SetChannelPan(ch, 0.5f);
  Out o = RenderFrames(m, 4);
  EXPECT_EQ(o.L(0), 500);
  EXPECT_EQ(o.R(0), -2000);
  EXPECT_EQ(o.L(2), 500);
  EXPECT_FALSE(ChannelPlaying(ch));
  EXPECT_EQ(o.L(3), 0);
}

TEST(Mixer, RateResamples) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(1000));
  SetChannelRate(ch, 2.0f);
  Out o = RenderFrames(m, 499);
  EXPECT_EQ(o.L(0), 0);
  EXPECT_EQ(o.L(10), 200);  // frame 20 of the ramp
  EXPECT_TRUE(ChannelPlaying(ch));
  RenderFrames(m, 1);
  EXPECT_FALSE(ChannelPlaying(ch)) << "a rate-2 sound ends in half the frames";

  ch = Play(m, Ramp(1000));
  SetChannelRate(ch, 0.5f);
  o = RenderFrames(m, 8);
  EXPECT_EQ(o.L(1), 5);  // halfway between ramp frames 0 and 1
  EXPECT_EQ(o.L(7), 35);
  RenderFrames(m, 1990);
  EXPECT_TRUE(ChannelPlaying(ch));
  RenderFrames(m, 2);
  EXPECT_FALSE(ChannelPlaying(ch));

  ch = Play(m, Ramp(1000));
  SetChannelRate(ch, 0.25f);
  RenderFrames(m, 3999);
  EXPECT_TRUE(ChannelPlaying(ch));
  RenderFrames(m, 1);
  EXPECT_FALSE(ChannelPlaying(ch));

  ch = Play(m, Ramp(4000, 1));
  SetChannelRate(ch, 4.0f);
  o = RenderFrames(m, 1000);
  EXPECT_EQ(o.L(999), 3996);
  EXPECT_FALSE(ChannelPlaying(ch));
}

TEST(Mixer, RateIsClamped) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(1600, 1));
  SetChannelRate(ch, 1000.0f);  // clamped to 16
  RenderFrames(m, 99);
  EXPECT_TRUE(ChannelPlaying(ch));
  RenderFrames(m, 1);
  EXPECT_FALSE(ChannelPlaying(ch));

  ch = Play(m, Ramp(10, 1));
  SetChannelRate(ch, 0.0f);  // clamped to the minimum: still moves, slowly
  RenderFrames(m, 500);
  EXPECT_GE(ChannelPosition(ch), 4);
  EXPECT_LE(ChannelPosition(ch), 5);
  SetChannelRate(ch, std::nanf(""));  // as recorded
  RenderFrames(m, 6);
  EXPECT_FALSE(ChannelPlaying(ch));
}

TEST(Mixer, SoundRateDecidesPitch) {
  // Recorded at half the output rate: each frame lasts two output frames.
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(100, 10, false, kRate / 2));
  Out o = RenderFrames(m, 6);
  EXPECT_EQ(o.L(0), 0);
  EXPECT_EQ(o.L(1), 5);
  EXPECT_EQ(o.L(4), 20);
  RenderFrames(m, 193);
  EXPECT_TRUE(ChannelPlaying(ch));
  RenderFrames(m, 1);
  EXPECT_FALSE(ChannelPlaying(ch));

  // And a mixer at another output rate plays 44.1 kHz sounds at their pitch too.
  Mixer m22(22050);
  ch = Play(m22, Ramp(100));
  o = RenderFrames(m22, 3);
  EXPECT_EQ(o.L(1), 20);
  EXPECT_EQ(o.L(2), 40);
}

TEST(Mixer, PauseKeepsPositionAndResumeContinues) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(1000));
  RenderFrames(m, 100);
  PauseChannel(ch);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_TRUE(ChannelPaused(ch));
  Out o = RenderFrames(m, 300);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);
  EXPECT_EQ(ChannelPosition(ch), 100);

  ResumeChannel(ch);
  ResumeChannel(ch);  // twice: still mixed once
  o = RenderFrames(m, 2);
  EXPECT_EQ(o.L(0), 1000);
  EXPECT_EQ(o.L(1), 1010);
}

TEST(Mixer, LoopingSoundWraps) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(100, 10, true));
  Out o = RenderFrames(m, 250);
  EXPECT_EQ(o.L(99), 990);
  EXPECT_EQ(o.L(100), 0);
  EXPECT_EQ(o.L(249), 490);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_EQ(ChannelPosition(ch), 50);

  // At a fast rate on a short loop the position still stays inside the sound.
  SetChannelRate(ch, 16.0f);
  RenderFrames(m, 1001);
  EXPECT_TRUE(ChannelPlaying(ch));
  EXPECT_LT(ChannelPosition(ch), 100);
}

TEST(Mixer, EndOfSoundStopsPlayingAndFallsSilent) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Constant(3000, 100));
  Out o = RenderFrames(m, 150);
  EXPECT_EQ(o.L(99), 3000);
  EXPECT_EQ(o.L(100), 0);
  EXPECT_EQ(o.R(149), 0);
  EXPECT_FALSE(ChannelPlaying(ch));
  EXPECT_FALSE(ChannelPaused(ch));
  ResumeChannel(ch);  // an ended sound does not start again by itself
  EXPECT_FALSE(ChannelPlaying(ch));
  o = RenderFrames(m, 10);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);

  // Cueing it again plays it from the start.
  CueSound(Constant(3000, 100), ch);
  ResumeChannel(ch);
  o = RenderFrames(m, 1);
  EXPECT_EQ(o.L(0), 3000);
}

TEST(Mixer, StoppedChannelIsSilentAndEmpty) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Constant(3000, 1000));
  RenderFrames(m, 10);
  StopChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));
  EXPECT_EQ(ChannelPosition(ch), 0);
  Out o = RenderFrames(m, 10);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);
  ResumeChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));
  o = RenderFrames(m, 10);
  for (int16_t v : o.buf) ASSERT_EQ(v, 0);
}

TEST(Mixer, CueReplacesAndRewindsButKeepsChannelSettings) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Constant(3000, 1000));
  SetChannelVolume(ch, 0.5f);
  SetChannelRate(ch, 2.0f);
  RenderFrames(m, 10);
  CueSound(Ramp(1000), ch);
  EXPECT_TRUE(ChannelPaused(ch));
  EXPECT_EQ(ChannelPosition(ch), 0);
  ResumeChannel(ch);
  Out o = RenderFrames(m, 2);
  EXPECT_EQ(o.L(0), 0);
  EXPECT_EQ(o.L(1), 10);  // ramp frame 2 (rate 2) at half volume
}

TEST(Mixer, ChannelsSumAndClip) {
  {
    Mixer m(kRate);
    ChannelPtr a = Play(m, Constant(10000, 100));
    ChannelPtr b = Play(m, Constant(5000, 200));
    Out o = RenderFrames(m, 150);
    EXPECT_EQ(o.L(0), 15000);
    EXPECT_EQ(o.R(99), 15000);
    EXPECT_EQ(o.L(100), 5000);
  }
  {
    Mixer m(kRate);
    ChannelPtr a = Play(m, Constant(30000, 10));
    ChannelPtr b = Play(m, Constant(30000, 10));
    Out o = RenderFrames(m, 1);
    EXPECT_EQ(o.L(0), 32767) << "clipped, not wrapped";
    EXPECT_EQ(o.R(0), 32767);
  }
  {
    Mixer m(kRate);
    ChannelPtr a = Play(m, Constant(-30000, 10));
    ChannelPtr b = Play(m, Constant(-30000, 10));
    Out o = RenderFrames(m, 1);
    EXPECT_EQ(o.L(0), -32768);
  }
  {
    // Only the final sum is clipped.
    Mixer m(kRate);
    ChannelPtr a = Play(m, Constant(30000, 10));
    ChannelPtr b = Play(m, Constant(30000, 10));
    ChannelPtr c = Play(m, Constant(-30000, 10));
    Out o = RenderFrames(m, 1);
    EXPECT_EQ(o.L(0), 30000);
  }
}

TEST(Mixer, ReleasedChannelsPlayOn) {
  // A sound started on a channel nobody keeps still plays to its end.
  Mixer m(kRate);
  Play(m, Constant(1000, 10));
  Out o = RenderFrames(m, 12);
  EXPECT_EQ(o.L(9), 1000);
  EXPECT_EQ(o.L(10), 0);
}

TEST(Mixer, LongRendersCrossInternalBlocksSeamlessly) {
  Mixer m(kRate);
  ChannelPtr ch = Play(m, Ramp(3000, 1));
  Out o = RenderFrames(m, 3000);
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(o.L(i), i) << "frame " << i;
  EXPECT_FALSE(ChannelPlaying(ch));
}

TEST(Mixer, OddInputsAreHarmless) {
  Mixer m(kRate);
  ChannelPtr ch = m.AllocChannel();
  CueSound(std::make_shared<Sound>(), ch);  // no samples: ends at once
  ResumeChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));
  CueSound(nullptr, ch);
  EXPECT_FALSE(ChannelPlaying(ch));

  // Null channels are ignored.
  ResumeChannel(nullptr);
  PauseChannel(nullptr);
  StopChannel(nullptr);
  SetChannelVolume(nullptr, 1.0f);
  SetChannelPan(nullptr, 1.0f);
  SetChannelRate(nullptr, 1.0f);
  EXPECT_FALSE(ChannelPlaying(nullptr));
  EXPECT_FALSE(ChannelPaused(nullptr));
  EXPECT_EQ(ChannelPosition(nullptr), 0);

  // A sound whose samples shrink while it plays ends instead of reading past them.
  auto s = Ramp(1000);
  ch = Play(m, s);
  RenderFrames(m, 500);
  s->samples.resize(100);
  RenderFrames(m, 10);
  EXPECT_FALSE(ChannelPlaying(ch));

  m.Render(nullptr, 10);
  int16_t one[2] = {7, 7};
  m.Render(one, 0);
  EXPECT_EQ(one[0], 7);
}

TEST(Mixer, ChannelsOutliveTheirMixer) {
  ChannelPtr ch;
  {
    Mixer m(kRate);
    ch = Play(m, Constant(1000, 100));
  }
  EXPECT_TRUE(ChannelPlaying(ch));
  PauseChannel(ch);
  ResumeChannel(ch);
  StopChannel(ch);
  EXPECT_FALSE(ChannelPlaying(ch));
}

TEST(Mixer, ChannelOperationsAreSafeWhileRendering) {
  Mixer m(kRate);
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<int16_t> buf(2 * 256);
    while (!done) m.Render(buf.data(), 256);
  });
  SoundPtr s = Ramp(500, 1, true);
  std::vector<ChannelPtr> chans;
  for (int i = 0; i < 8; ++i) chans.push_back(m.AllocChannel());
  for (int i = 0; i < 20000; ++i) {
    ChannelPtr& ch = chans[i % chans.size()];
    switch (i % 7) {
      case 0: CueSound(s, ch); break;
      case 1: ResumeChannel(ch); break;
      case 2: SetChannelRate(ch, 0.5f + (i % 5)); break;
      case 3: PauseChannel(ch); break;
      case 4: StopChannel(ch); break;
      case 5: ch = PlaySound(Ramp(50), m.AllocChannel()); break;
      case 6: (void)ChannelPlaying(ch); break;
    }
  }
  done = true;
  audio.join();
  SUCCEED();
}
