// WAV files built in memory: the samples that come out, and hostile headers that must not.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/Stream.h"
#include "support/AudioFiles.h"
#include "support/TestRig.h"

using namespace platform;

namespace {

using testrig::Le16;
using testrig::Le32;
using testrig::Pcm16;
using testrig::WavChunk;
using testrig::WavFile;
using testrig::WavFmt;

SoundPtr Decode(const std::string& bytes, int flags = 0) {
  return LoadSoundFromMemory(bytes.data(), bytes.size(), flags);
}

const std::vector<int16_t> kSamples16 = {0, 1000, -1000, 32767, -32768, 12345};

}  // namespace

TEST(WavDecoder, Pcm16MonoAndStereo) {
  SoundPtr s = Decode(WavFile(WavFmt(1, 22050, 16) + WavChunk("data", Pcm16(kSamples16))));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 1);
  EXPECT_EQ(s->rate, 22050);
  EXPECT_EQ(s->samples, kSamples16);
  EXPECT_EQ(s->FrameCount(), 6);
  EXPECT_FALSE(s->loop);

  s = Decode(WavFile(WavFmt(2, 44100, 16) + WavChunk("data", Pcm16(kSamples16))), SOUND_LOOP);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 2);
  EXPECT_EQ(s->rate, 44100);
  EXPECT_EQ(s->samples, kSamples16);
  EXPECT_EQ(s->FrameCount(), 3);
  EXPECT_TRUE(s->loop);
}

TEST(WavDecoder, Pcm8IsUnsignedAndWidened) {
  const std::string bytes = {'\x00', '\xFF', '\x80', '\x40'};
  const std::vector<int16_t> expected = {-32768, 32512, 0, -16384};
  SoundPtr s = Decode(WavFile(WavFmt(1, 11025, 8) + WavChunk("data", bytes)));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 1);
  EXPECT_EQ(s->rate, 11025);
  EXPECT_EQ(s->samples, expected);

  s = Decode(WavFile(WavFmt(2, 8000, 8) + WavChunk("data", bytes)));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channels, 2);
  EXPECT_EQ(s->FrameCount(), 2);
  EXPECT_EQ(s->samples, expected);
}

TEST(WavDecoder, SkipsUnknownChunksInAnyOrder) {
  const std::string data = WavChunk("data", Pcm16(kSamples16));
  // An odd-sized chunk is followed by its pad byte.
  const std::string list = WavChunk("LIST", "INFOabc");
  const std::string fact = WavChunk("fact", Le32(6));
  for (const std::string& body :
       {list + WavFmt(1, 44100, 16) + fact + data, data + list + WavFmt(1, 44100, 16),
        WavFmt(1, 44100, 16) + WavChunk("junk", std::string(1001, 'x')) + data}) {
    SoundPtr s = Decode(WavFile(body));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples, kSamples16);
  }
}

TEST(WavDecoder, ExtensibleFormatCarryingPcm) {
  auto extensible = [](int subFormat) {
    std::string body = Le16(0xFFFE) + Le16(2) + Le32(48000) + Le32(48000 * 4) + Le16(4) + Le16(16);
    body += Le16(22) + Le16(16) + Le32(3) + Le16(subFormat) + std::string(14, '\x01');
    return WavChunk("fmt ", body);
  };
  SoundPtr s = Decode(WavFile(extensible(1) + WavChunk("data", Pcm16(kSamples16))));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->rate, 48000);
  EXPECT_EQ(s->samples, kSamples16);
  EXPECT_FALSE(Decode(WavFile(extensible(3) + WavChunk("data", Pcm16(kSamples16)))));  // float
}

TEST(WavDecoder, TruncatedDataKeepsTheWholeFramesThatArePresent) {
  std::string file = WavFile(WavFmt(2, 44100, 16) + WavChunk("data", Pcm16(kSamples16)));
  file.resize(file.size() - 3);  // the last frame loses 3 of its 4 bytes
  SoundPtr s = Decode(file);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->FrameCount(), 2);
  EXPECT_EQ(s->samples, std::vector<int16_t>(kSamples16.begin(), kSamples16.begin() + 4));

  // A data length far beyond the file is cut to the file.
  std::string huge =
      WavFile(WavFmt(1, 44100, 16) + "data" + Le32(0xFFFFFFF0u) + Pcm16(kSamples16));
  s = Decode(huge);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->samples, kSamples16);
}

TEST(WavDecoder, RejectsWhatItCannotPlay) {
  const std::string data = WavChunk("data", Pcm16(kSamples16));
  const std::vector<std::string> bad = {
      "",
      "RIFF",
      "RIFF\x10\0\0\0WAVE",
      WavFile(data),                                        // no format
      WavFile(WavFmt(1, 44100, 16)),                        // no data
      WavFile(WavFmt(1, 44100, 16, 3) + data),              // float
      WavFile(WavFmt(1, 44100, 24) + data),                 // 24-bit
      WavFile(WavFmt(0, 44100, 16) + data),                 // no channels
      WavFile(WavFmt(6, 44100, 16) + data),                 // surround
      WavFile(WavFmt(1, 0, 16) + data),                     // no rate
      WavFile(WavFmt(1, 0x7FFFFFFF, 16) + data),            // absurd rate
      WavFile(WavChunk("fmt ", Le16(1) + Le16(1)) + data),  // format chunk too short
      WavFile("fmt " + Le32(0xFFFFFFFFu) + Le16(1) + Le16(1)),
      "RIFX" + Le32(40) + "WAVE" + WavFmt(1, 44100, 16) + data,
      "RIFF" + Le32(40) + "AVI " + WavFmt(1, 44100, 16) + data,
  };
  for (size_t i = 0; i < bad.size(); ++i) EXPECT_FALSE(Decode(bad[i])) << "case " << i;
  EXPECT_FALSE(LoadSoundFromMemory(nullptr, 100));
}

TEST(WavDecoder, EveryPrefixAndRandomDamageIsSurvived) {
  const std::string good =
      WavFile(WavChunk("LIST", "abc") + WavFmt(2, 44100, 16) + WavChunk("data", Pcm16(kSamples16)));
  for (size_t n = 0; n <= good.size(); ++n) {
    SoundPtr s = Decode(good.substr(0, n));
    if (s) {
      EXPECT_LE(s->FrameCount(), 3);
      EXPECT_EQ(s->samples.size() % 2, 0u);
    }
  }
  std::mt19937 rng(7);
  for (int round = 0; round < 5000; ++round) {
    std::string damaged = good;
    const int hits = 1 + static_cast<int>(rng() % 4);
    for (int h = 0; h < hits; ++h)
      damaged[12 + rng() % (damaged.size() - 12)] = static_cast<char>(rng());
    damaged.resize(12 + rng() % (damaged.size() - 11));
    SoundPtr s = Decode(damaged);
    if (s) {
      EXPECT_TRUE(s->channels == 1 || s->channels == 2);
      EXPECT_LE(s->samples.size(), damaged.size());
    }
  }
}

TEST(WavDecoder, LoadSoundReadsFiles) {
  const std::string dir = testrig::MakeTempDir("wav");
  testrig::WriteFileBytes(dir + "/beep.wav",
                          WavFile(WavFmt(1, 44100, 16) + WavChunk("data", Pcm16(kSamples16))));
  SoundPtr s = LoadSound(FromUtf8(dir + "/beep.wav"), SOUND_LOOP);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->samples, kSamples16);
  EXPECT_TRUE(s->loop);
  EXPECT_FALSE(LoadSound(FromUtf8(dir + "/missing.wav")));
  testrig::WriteFileBytes(dir + "/text.wav", "not a sound at all");
  EXPECT_FALSE(LoadSound(FromUtf8(dir + "/text.wav")));
}
