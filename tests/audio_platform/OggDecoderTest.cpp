// Ogg Vorbis: a sine encoded with libvorbisenc comes back with its length, level and pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/Audio.h"
#include "support/AudioFiles.h"

using namespace platform;

namespace {

using testrig::EncodeOgg;
using testrig::SineSample;

struct Measure {
  double rms = 0;
  double hz = 0;
};

// Over the middle of one channel, away from the codec's edges.
Measure MeasureChannel(const Sound& s, int channel) {
  const int64_t frames = s.FrameCount();
  const int64_t from = frames / 10, to = frames - frames / 10;
  double sum = 0;
  int crossings = 0;
  int prev = s.samples[from * s.channels + channel];
  for (int64_t i = from; i < to; ++i) {
    const int v = s.samples[i * s.channels + channel];
    sum += static_cast<double>(v) * v;
    if ((prev < 0) != (v < 0)) ++crossings;
    prev = v;
  }
  const double seconds = static_cast<double>(to - from) / s.rate;
  return {std::sqrt(sum / static_cast<double>(to - from)), crossings / 2.0 / seconds};
}

const std::string& MonoSine() {
  static const std::string ogg =
      EncodeOgg(1, 44100, 44100, [](int, int i) { return SineSample(440, 44100, i, 0.5f); });
  return ogg;
}

// Three seconds of noise over a tone: enough data for many pages.
const std::string& Noisy() {
  static const std::string ogg = EncodeOgg(1, 22050, 3 * 22050, [](int, int i) {
    const uint32_t h = static_cast<uint32_t>(i) * 2654435761u;
    return 0.3f * static_cast<float>(h >> 8) / 16777216.0f - 0.15f +
           SineSample(500, 22050, i, 0.4f);
  });
  return ogg;
}

}  // namespace

TEST(OggDecoder, MonoSineKeepsLengthLevelAndPitch) {
  const std::string& ogg = MonoSine();
  ASSERT_FALSE(ogg.empty());
  SoundPtr s = LoadSoundFromMemory(ogg.data(), ogg.size());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 1);
  EXPECT_EQ(s->rate, 44100);
  EXPECT_EQ(s->FrameCount(), 44100);
  EXPECT_FALSE(s->loop);
  const Measure m = MeasureChannel(*s, 0);
  EXPECT_NEAR(m.rms, 0.5 * 32767 / std::sqrt(2.0), 0.1 * 11585);
  EXPECT_NEAR(m.hz, 440, 5);

  s = LoadSoundFromMemory(ogg.data(), ogg.size(), SOUND_LOOP);
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->loop);
}

TEST(OggDecoder, StereoKeepsEachSide) {
  const std::string ogg = EncodeOgg(2, 22050, 11025, [](int c, int i) {
    return c == 0 ? SineSample(300, 22050, i, 0.3f) : SineSample(1000, 22050, i, 0.6f);
  });
  SoundPtr s = LoadSoundFromMemory(ogg.data(), ogg.size());
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 2);
  EXPECT_EQ(s->rate, 22050);
  EXPECT_EQ(s->FrameCount(), 11025);
  const Measure left = MeasureChannel(*s, 0), right = MeasureChannel(*s, 1);
  EXPECT_NEAR(left.rms, 0.3 * 32767 / std::sqrt(2.0), 0.1 * 6951);
  EXPECT_NEAR(right.rms, 0.6 * 32767 / std::sqrt(2.0), 0.1 * 13902);
  EXPECT_NEAR(left.hz, 300, 5);
  EXPECT_NEAR(right.hz, 1000, 10);
}

TEST(OggDecoder, TruncatedOrGarbageStreamsFailCleanly) {
  const std::string& ogg = Noisy();
  ASSERT_GT(ogg.size(), 10000u);
  SoundPtr whole = LoadSoundFromMemory(ogg.data(), ogg.size());
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->FrameCount(), 3 * 22050);

  // Cut inside the headers: nothing to play.
  for (size_t n : {0, 3, 4, 27, 58, 100, 200, 1000}) {
    EXPECT_FALSE(LoadSoundFromMemory(ogg.data(), n)) << n << " bytes";
  }
  // Cut among the audio pages: what is there plays, never more than the whole.
  int partial = 0;
  for (size_t n = 0; n < ogg.size(); n += ogg.size() / 97 + 1) {
    SoundPtr s = LoadSoundFromMemory(ogg.data(), n);
    if (s) {
      EXPECT_EQ(s->channels, 1);
      EXPECT_EQ(s->rate, 22050);
      EXPECT_LT(s->FrameCount(), whole->FrameCount());
      ++partial;
    }
  }
  EXPECT_GT(partial, 0);

  std::mt19937 rng(11);
  std::string garbage = "OggS";
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>(rng());
  EXPECT_FALSE(LoadSoundFromMemory(garbage.data(), garbage.size()));

  // Damaged pages, in the headers or among the audio, are survived.
  for (int round = 0; round < 60; ++round) {
    std::string damaged = ogg;
    const size_t from = round % 2 ? 0 : damaged.size() / 2;
    for (int h = 0; h < 10; ++h)
      damaged[from + rng() % (damaged.size() - from)] = static_cast<char>(rng());
    SoundPtr s = LoadSoundFromMemory(damaged.data(), damaged.size());
    if (s) {
      EXPECT_LE(s->FrameCount(), whole->FrameCount() * 2);
    }
  }
}
