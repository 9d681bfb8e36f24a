// The sound bank: names, extensions, missing names; real WAV and Ogg Vorbis files played
// through the bank and the application's pool.
#include <gtest/gtest.h>

#include <string>

#include "SoundTestSupport.h"
#include "support/TestRig.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "platform/System.h"

namespace {

class SoundBank : public soundtest::AudioGameTest {
 protected:
  void SetUp() override {
    AudioGameTest::SetUp();
    Put("sound/buttonclick.wav", soundtest::MakeWav(4410));
    Put("sound/chime.ogg", soundtest::MakeOgg(8820));
    bank.SetPath(Game->SoundPath);
  }

  TSoundBank bank;
};

TEST_F(SoundBank, FindIgnoresCaseAndNamesAreUpperCase) {
  bank.Load(u"buttonclick", 1.0f, 1.0f);
  auto lower = bank.Find(u"buttonclick");
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower, bank.Find(u"BUTTONCLICK"));
  EXPECT_EQ(lower, bank.Find(u"ButtonClick"));
  EXPECT_EQ(lower->name, u"BUTTONCLICK");
}

TEST_F(SoundBank, ExtensionOfTheNameWinsElseWav) {
  bank.Load(u"chime.ogg", 1.5f, 0.4f);
  auto chime = bank.Find(u"chime");
  ASSERT_NE(chime, nullptr);
  EXPECT_FLOAT_EQ(chime->pitch, 1.5f);
  EXPECT_FLOAT_EQ(chime->volume, 0.4f);
  EXPECT_GT(chime->sound->FrameCount(), 0);

  bank.Load(u"buttonclick", 1.0f, 1.0f, u"click");
  EXPECT_NE(bank.Find(u"CLICK"), nullptr);
  EXPECT_EQ(bank.Count(), 2u);

  // A path without a closing slash gets one; the constructor takes the folder too.
  TSoundBank other(platform::FromUtf8(dir + "/sound"));
  EXPECT_EQ(other.Path, platform::FromUtf8(dir + "/sound/"));
  other.Load(u"buttonclick");
  EXPECT_NE(other.Find(u"buttonclick"), nullptr);
}

TEST_F(SoundBank, SecondSoundUnderTheSameKeyReplacesTheFirst) {
  bank.Load(u"buttonclick", 1.0f, 1.0f, u"sfx");
  auto first = bank.Find(u"sfx");
  bank.Load(u"chime.ogg", 1.0f, 1.0f, u"SFX");
  EXPECT_NE(bank.Find(u"sfx"), first);
  EXPECT_EQ(bank.Count(), 1u);
}

TEST_F(SoundBank, MissingNameIsFatalWhileShowErrorsElseEmpty) {
  // No display is open: the error is a system notice (written to stderr here).
  testing::internal::CaptureStderr();
  EXPECT_THROW(bank.Find(u"nothere"), platform::ProgramExit);
  const std::string notice = testing::internal::GetCapturedStderr();
  EXPECT_NE(notice.find("Sound 'NOTHERE' was not found in the SoundBank"), std::string::npos)
      << notice;
  ShowErrors = 0;
  EXPECT_EQ(bank.Find(u"nothere"), nullptr);
  ShowErrors = 1;
}

TEST_F(SoundBank, FileThatDoesNotLoadIsFatal) {
  Put("sound/broken.wav", "RIFF....not a wave");
  for (const char16_t* name : {u"absent", u"broken"}) {
    testing::internal::CaptureStderr();
    EXPECT_THROW(bank.Load(name), platform::ProgramExit);
    const std::string notice = testing::internal::GetCapturedStderr();
    EXPECT_NE(notice.find("Error loading sample "), std::string::npos) << notice;
  }
}

// The generated assets when they are built, else files made here.
TEST_F(SoundBank, WavAndOggPlayThroughTheBankAndThePool) {
  std::string wav = dir + "/sound/buttonclick.wav";
  std::string ogg = dir + "/sound/chime.ogg";
  if (testrig::HaveResources()) {
    wav = testrig::ResourcesDir() + "Data/sound/buttonclick.wav";
    ogg = testrig::ResourcesDir() + "Data/music/title.ogg";
  }
  TSoundBank assets;
  assets.Load(platform::FromUtf8(wav), 1.0f, 1.0f, u"wav");
  assets.Load(platform::FromUtf8(ogg), 1.0f, 1.0f, u"ogg");

  Game->ChannelsCreate(16);
  for (const char16_t* key : {u"wav", u"ogg"}) {
    auto channel = Game->Channels->PlayGameSound(assets.Find(key), nullptr, 1.0f, 0.0f);
    ASSERT_NE(channel, nullptr) << platform::ToUtf8(key);
    EXPECT_TRUE(platform::ChannelPlaying(channel->Channel));
    EXPECT_EQ(soundtest::SoundOn(channel->Channel), assets.Find(key)->sound);
    const int peak = soundtest::RenderFrames(1000);
    EXPECT_GT(peak, 0);
    EXPECT_GT(platform::ChannelPosition(channel->Channel), 0) << platform::ToUtf8(key);
    platform::StopChannel(channel->Channel);
  }
}

}  // namespace
