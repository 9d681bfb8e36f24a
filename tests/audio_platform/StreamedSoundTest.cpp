// Streamed Ogg Vorbis mixes sample for sample as the same file decoded whole, through its loop
// and at any rate; a cut or damaged file only ends sooner.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/OggStream.h"
#include "support/AudioFiles.h"

using namespace platform;

namespace {

// The mix, the position and whether it plays after each of `chunks` pieces of `frames` frames.
std::vector<int64_t> Play(const SoundPtr& sound, float rate, int chunks, int frames) {
  Mixer mixer(44100);
  ChannelPtr ch = mixer.AllocChannel();
  CueSound(sound, ch);
  SetChannelRate(ch, rate);
  SetChannelPan(ch, 0.3f);
  ResumeChannel(ch);
  std::vector<int16_t> buf(2 * static_cast<size_t>(frames));
  std::vector<int64_t> take;
  for (int i = 0; i < chunks; ++i) {
    mixer.Render(buf.data(), frames);
    take.insert(take.end(), buf.begin(), buf.end());
    take.push_back(ChannelPosition(ch));
    take.push_back(ChannelPlaying(ch));
  }
  return take;
}

}  // namespace

TEST(StreamedSound, MixesAsTheWholeDecodeThroughLoopsAndAtAnyRate) {
  struct Case {
    int channels, rate, frames;
    bool loop;
    float playback;
  };
  // Lengths around the decoding window, so it slides, refills and meets the end.
  const int w = OggStream::kWindowFrames;
  for (const Case& c : {Case{1, 44100, 3 * w + 17, true, 1.0f}, Case{2, 44100, w - 5, true, 1.0f},
                        Case{2, 22050, 2 * w + 1, true, 1.7f}, Case{1, 48000, w + 300, false, 1.0f},
                        Case{2, 44100, 5 * w, false, 0.6f}, Case{1, 8000, 700, true, 16.0f}}) {
    SCOPED_TRACE(testing::Message() << c.channels << " ch " << c.rate << " Hz " << c.frames);
    const std::string ogg = testrig::EncodeOgg(c.channels, c.rate, c.frames, [&](int ch, int i) {
      return testrig::SineSample(ch ? 330 : 500, c.rate, i, 0.5f) + (i % 97 == 0 ? 0.2f : 0.0f);
    });
    const int flags = c.loop ? SOUND_LOOP : 0;
    const SoundPtr whole = LoadSoundFromMemory(ogg.data(), ogg.size(), flags);
    const SoundPtr streamed = LoadSoundFromMemory(ogg.data(), ogg.size(), flags | SOUND_STREAM);
    ASSERT_TRUE(whole && streamed);
    EXPECT_TRUE(!whole->Streamed() && streamed->Streamed() && streamed->samples.empty());
    EXPECT_EQ(streamed->channels, c.channels);
    EXPECT_EQ(streamed->loop, c.loop);
    // Three passes and more, in pieces of a device buffer and of an odd size.
    for (int piece : {1024, 333}) {
      const int chunks = static_cast<int>(3.2 * c.frames * 44100.0 / c.rate / c.playback / piece) + 2;
      const std::vector<int64_t> a = Play(whole, c.playback, chunks, piece);
      ASSERT_EQ(a, Play(streamed, c.playback, chunks, piece)) << "pieces of " << piece;
      EXPECT_EQ(a.back(), c.loop ? 1 : 0);
    }
  }
}

TEST(StreamedSound, CutOrDamagedFilesPlayWhatTheyHoldAndNeverMore) {
  const int frames = 3 * 22050;
  const std::string ogg = testrig::EncodeOgg(1, 22050, frames, [](int, int i) {
    return 0.3f * static_cast<float>((static_cast<uint32_t>(i) * 2654435761u) >> 8) / 16777216.0f -
           0.15f + testrig::SineSample(500, 22050, i, 0.4f);
  });
  std::vector<std::string> files;
  for (size_t n = 0; n < ogg.size(); n += ogg.size() / 29 + 1) files.push_back(ogg.substr(0, n));
  std::mt19937 rng(5);
  for (int round = 0; round < 40; ++round) {
    std::string damaged = ogg;
    const size_t from = round % 2 ? 0 : damaged.size() / 2;
    for (int h = 0; h < 10; ++h) damaged[from + rng() % (damaged.size() - from)] = static_cast<char>(rng());
    files.push_back(damaged);
  }
  int played = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    for (int loop : {0, 1}) {
      const SoundPtr s = LoadSoundFromMemory(files[i].data(), files[i].size(), SOUND_STREAM | loop);
      if (!s) continue;
      ++played;
      // Eight seconds: passes of what the file holds; once through it is over.
      const std::vector<int64_t> take = Play(s, 1.0f, 8 * 44100 / 1024, 1024);
      if (!loop) {
        EXPECT_EQ(take.back(), 0) << "file " << i;
      }
      EXPECT_LE(take[take.size() - 2], 2 * frames) << "file " << i;
    }
  }
  EXPECT_GT(played, 20);
}
