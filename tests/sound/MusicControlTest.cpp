// Music, effects and speech on the application's own channels, the volume settings and the
// sound driver.
#include <gtest/gtest.h>

#include <string>

#include "SoundTestSupport.h"
#include "support/TestRig.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "platform/FileSystem.h"
#include "platform/System.h"

using soundtest::VolumeOf;

namespace {

class MusicControl : public soundtest::AudioGameTest {
 protected:
  void SetUp() override {
    AudioGameTest::SetUp();
    Put("music/title.wav", soundtest::MakeWav(44100));
    Put("sound/buttonclick.wav", soundtest::MakeWav(2205));
  }

  bool SettingsWritten() const { return platform::FileType(Game->Ini.FileName + u".ini") != 0; }
  bool ChangedMarker() const { return platform::FileType(Game->SubPath + u"inichanged.dat") != 0; }

  std::shared_ptr<TGameSound> Effect() {
    auto s = std::make_shared<TGameSound>();
    s->sound = soundtest::Tone(4410);
    return s;
  }
};

TEST_F(MusicControl, TrackStartsAtTwoPercentAndFadesInOverNinePointEightTicks) {
  Game->MusicLoad(u"title.wav", 1);
  EXPECT_EQ(Game->MusicRestart, 1);
  ASSERT_NE(Game->MusicSample, nullptr);
  EXPECT_TRUE(Game->MusicSample->loop);
  Game->MusicPlay(1, 0, 0);
  EXPECT_EQ(Game->MusicRestart, 0);
  EXPECT_EQ(Game->MusicName, u"title.wav");
  EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 9.8f);
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 0.02f, 1e-5);
  for (int i = 0; i < 9; ++i) Game->MusicFadeInManage();
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 0.92f, 1e-5);
  Game->MusicFadeInManage();
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 0.0f);
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 1.0f, 1e-6);

  Game->MusicPlay(0, 0, 1);  // no fade, silent start
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 0.0f);
  EXPECT_FLOAT_EQ(VolumeOf(Game->MusicChannel), 0.0f);
}

TEST_F(MusicControl, FadeOutRunsFromFullVolumeToSilence) {
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 0, 0);
  Game->MusicFadeOutSet(1000.0f);
  EXPECT_FLOAT_EQ(Game->MusicFadeOutCounter, 200.0f);
  Game->MusicFadeOutManage();
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 1.0f - 1.0f / 200.0f, 1e-4);
  for (int i = 0; i < 250; ++i) Game->MusicFadeOutManage();
  EXPECT_FLOAT_EQ(VolumeOf(Game->MusicChannel), 0.0f);
  EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));  // kept until stopped
}

TEST_F(MusicControl, CustomVolumeIsAWholePercentOfTheMusicVolume) {
  Game->MusicVolume = 75;
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 50, 0);
  EXPECT_EQ(Game->GetMusicVolume(), 37);
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 0.37f, 1e-6);
  Game->MusicVolume = 100;
  Game->CustomMusicVolume = 29;
  EXPECT_EQ(Game->GetMusicVolume(), 29);
  Game->CustomMusicVolume = 0;
  EXPECT_EQ(Game->GetMusicVolume(), 100);
}

TEST_F(MusicControl, VolumeSettersClampAndSaveOnlyWhenAsked) {
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 0, 0);
  Game->MusicSetVolume(150, 0);
  EXPECT_EQ(Game->MusicVolume, 100);
  EXPECT_FALSE(SettingsWritten());
  EXPECT_FALSE(ChangedMarker());

  Game->MusicSetVolume(40, 1);
  EXPECT_NEAR(VolumeOf(Game->MusicChannel), 0.4f, 1e-6);
  EXPECT_NE(SettingsText().find("MUSIC VOLUME=40"), std::string::npos);
  EXPECT_TRUE(ChangedMarker());

  Game->SoundSetVolume(-3, 0);
  EXPECT_EQ(Game->SoundVolume, 0);
  Game->SoundChangeVolume(2147483647);
  EXPECT_EQ(Game->SoundVolume, 100);
  Game->SpeechSetVolume(30, 0);
  EXPECT_NEAR(VolumeOf(Game->SpeechChannel), 0.3f, 1e-6);
  Game->ParticlesSet(101, 0);
  EXPECT_EQ(Game->Particles, 100);
  Game->ParticlesChange(-2147483647);
  EXPECT_EQ(Game->Particles, 0);
  EXPECT_NE(SettingsText().find("PARTICLES=0"), std::string::npos);
}

TEST_F(MusicControl, MusicOffInTheSettingsLoadsOnlyWhenSwitchedOn) {
  Game->Music = 0;
  Game->MusicLoad(u"title.wav", 1);
  EXPECT_EQ(Game->MusicSample, nullptr);
  EXPECT_EQ(Game->MusicFileName, u"title.wav");
  Game->MusicPlay(1, 0, 0);
  EXPECT_EQ(Game->MusicRestart, 1);
  EXPECT_FALSE(platform::ChannelPlaying(Game->MusicChannel));

  EXPECT_EQ(Game->MusicOn(), 1);
  EXPECT_EQ(Game->Music, 1);
  ASSERT_NE(Game->MusicSample, nullptr);
  EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
  EXPECT_FLOAT_EQ(Game->MusicFadeInCounter, 9.8f);
  EXPECT_EQ(Game->MusicOn(), 0);  // already on
}

TEST_F(MusicControl, MusicOffBeforeAnyTrackPlaysChangesNothing) {
  Game->MusicLoad(u"title.wav", 1);
  EXPECT_EQ(Game->MusicOff(), 0);
  EXPECT_EQ(Game->Music, 1);
}

TEST_F(MusicControl, MusicOnWithNoTrackChosenLoadsNothing) {
  Game->MusicNone();
  Game->Music = 0;
  EXPECT_EQ(Game->MusicOn(), 1);  // no attempt to load a file called "none"
  EXPECT_EQ(Game->MusicSample, nullptr);
  EXPECT_FALSE(platform::ChannelPlaying(Game->MusicChannel));
}

TEST_F(MusicControl, PauseAndResumeKeepThePosition) {
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 0, 0);
  soundtest::RenderFrames(1000);
  const int64_t at = platform::ChannelPosition(Game->MusicChannel);
  ASSERT_GE(at, 1000);
  EXPECT_EQ(Game->MusicOff(), 1);
  EXPECT_EQ(Game->Music, 0);
  soundtest::RenderFrames(1000);
  EXPECT_EQ(platform::ChannelPosition(Game->MusicChannel), at);
  EXPECT_EQ(Game->MusicOn(), 1);
  soundtest::RenderFrames(500);
  EXPECT_EQ(platform::ChannelPosition(Game->MusicChannel), at + 500);
}

TEST_F(MusicControl, EndedTrackThatDoesNotLoopIsNotResumed) {
  Game->MusicLoad(u"title.wav", 0);
  Game->MusicPlay(0, 0, 0);
  Game->MusicOff();
  Game->MusicStopped = 1;
  Game->MusicOn();
  EXPECT_TRUE(platform::ChannelPaused(Game->MusicChannel));
}

TEST_F(MusicControl, ToggleMusicIsIgnoredWhilePaused) {
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 0, 0);
  Game->Paused = 1;
  Game->ToggleMusic();
  EXPECT_EQ(Game->Music, 1);
  Game->Paused = 0;
  Game->ToggleMusic();
  EXPECT_EQ(Game->Music, 0);
  EXPECT_NE(SettingsText().find("MUSIC=0"), std::string::npos);
}

TEST_F(MusicControl, StopGivesTheMusicAFreshChannel) {
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(0, 0, 0);
  const auto old = Game->MusicChannel;
  Game->MusicStop();
  EXPECT_FALSE(platform::ChannelPlaying(old));
  EXPECT_NE(Game->MusicChannel, old);
  EXPECT_EQ(Game->MusicRestart, 1);
}

TEST_F(MusicControl, MissingTrackIsFatal) {
  EXPECT_THROW(Game->MusicLoad(u"absent.ogg", 1), platform::ProgramExit);
}

TEST_F(MusicControl, FailingDriverLeavesTheGameSilentWithNoneInTheSettings) {
  Game->ChangeSoundDriver(u"OpenAL Generic Software", 1);
  EXPECT_EQ(Game->SoundDriver, u"None");
  EXPECT_EQ(platform::AudioDriverName(), u"None");
  EXPECT_NE(SettingsText().find("SOUND DRIVER=None"), std::string::npos) << SettingsText();
  EXPECT_TRUE(ChangedMarker());

  // Playing on after the failure is silent, not an error.
  Game->MusicLoad(u"title.wav", 1);
  Game->MusicPlay(1, 0, 0);
  EXPECT_EQ(Game->MusicRestart, 0);

  Game->ChangeSoundDriver(u"None", 0);
  EXPECT_EQ(Game->SoundDriver, u"None");
}

TEST_F(MusicControl, EffectOnAnEmptyChannelVariableGetsAChannel) {
  auto effect = Effect();
  effect->pitch = 1.25f;
  effect->volume = 0.5f;
  Game->SoundVolume = 80;
  platform::ChannelPtr channel;
  Game->GameSoundPlay(channel, effect, -0.25f);
  ASSERT_NE(channel, nullptr);
  EXPECT_TRUE(platform::ChannelPlaying(channel));
  EXPECT_NEAR(VolumeOf(channel), 0.4f, 1e-6);
  // The same variable keeps its channel; the new sound replaces the old one.
  const auto first = channel;
  soundtest::RenderFrames(100);
  Game->GameSoundPlay(channel, effect, 0.0f);
  EXPECT_EQ(channel, first);
  EXPECT_EQ(platform::ChannelPosition(channel), 0);
  platform::StopChannel(channel);

  Game->Sound = 0;
  platform::ChannelPtr silent;
  Game->GameSoundPlay(silent, effect, 0.0f);
  EXPECT_EQ(silent, nullptr);
}

TEST_F(MusicControl, EscapeSoundLoadsFromTheSoundFolderAndPlaysOnItsChannel) {
  Game->SetEscapeSound(u"buttonclick");
  ASSERT_NE(Game->EscapeSound, nullptr);
  EXPECT_EQ(Game->EscapeSound->name, u"BUTTONCLICK");
  Game->EscapeSoundPlay();
  EXPECT_TRUE(platform::ChannelPlaying(Game->EscapeChannel));
  EXPECT_THROW(Game->SetEscapeSound(u"nothere"), platform::ProgramExit);
}

TEST_F(MusicControl, SpeechWaitsUnlessInterruptedAndPausesWhenSwitchedOff) {
  auto first = Effect();
  auto second = Effect();
  Game->SpeechPlay(first, 0);
  EXPECT_EQ(soundtest::SoundOn(Game->SpeechChannel), first->sound);
  Game->SpeechPlay(second, 0);
  EXPECT_EQ(soundtest::SoundOn(Game->SpeechChannel), first->sound);
  Game->SpeechPlay(second, 1);
  EXPECT_EQ(soundtest::SoundOn(Game->SpeechChannel), second->sound);

  EXPECT_EQ(Game->SpeechOff(), 1);
  EXPECT_TRUE(platform::ChannelPaused(Game->SpeechChannel));
  EXPECT_EQ(Game->SpeechOn(), 1);
  EXPECT_FALSE(platform::ChannelPaused(Game->SpeechChannel));
  EXPECT_EQ(Game->SpeechOn(), 0);

  const auto old = Game->SpeechChannel;
  Game->SpeechStop();
  EXPECT_NE(Game->SpeechChannel, old);
  EXPECT_FALSE(platform::ChannelPlaying(old));
}

}  // namespace
