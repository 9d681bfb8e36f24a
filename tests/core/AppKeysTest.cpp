// Application keys, pause, quit requests and suspend.
#include "CoreFixture.h"
#include "core/TExitScreen.h"

using namespace coretest;

namespace {

class AppKeysTest : public CoreTest {
 protected:
  void Press(int key) { Post(platform::EVENT_KEYDOWN, key); }
  void Release(int key) { Post(platform::EVENT_KEYUP, key); }
  void Click() {
    Post(platform::EVENT_MOUSEDOWN, 1);
    Post(platform::EVENT_MOUSEUP, 1);
  }
  // Ticks run until one returns -1, that one included.
  int TicksUntilExit() {
    for (int ticks = 1; ticks <= 1000; ++ticks) {
      if (Tick() == -1) return ticks;
    }
    return -1;
  }
  std::shared_ptr<CountingProfile> UseProfile() {
    auto profile = std::make_shared<CountingProfile>();
    Game->CurrentProfile = profile;
    return profile;
  }
};

TEST_F(AppKeysTest, PPausesAClickResumesWithoutReachingTheScreenAndPResumes) {
  auto screen = StartScreen();
  Press(80);
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(Game->Paused, 1);
  const int logics = screen->logics;
  Click();
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(Game->Paused, 0);
  EXPECT_EQ(screen->logics, logics + 1);
  EXPECT_EQ(screen->clicksSeen.back(), 0);
  Press(80);
  Tick();
  EXPECT_EQ(Game->Paused, 1);
  Press(80);
  Tick();
  EXPECT_EQ(Game->Paused, 0);
}

TEST_F(AppKeysTest, EscapeWhilePausedResumesAndTheScreenStays) {
  auto screen = StartScreen();
  Game->Paused = 1;
  Press(27);
  Tick();
  EXPECT_EQ(Game->Paused, 0);
  EXPECT_EQ(Game->Fading(), 0);
  EXPECT_EQ(Game->CurrentTScreen, screen);
  EXPECT_EQ(screen->escapeSeen.back(), 0);
}

TEST_F(AppKeysTest, EscapeDuringAFadeInFinishesItAndMarksItAborted) {
  auto screen = StartScreen();
  Game->GameFade->Init(500.0f, 0, nullptr, 1, 0, nullptr);
  Tick();
  Press(27);
  Tick();
  EXPECT_EQ(Game->Fading(), 0);
  EXPECT_EQ(Game->GameFade->FadeInAborted, 1);
  EXPECT_EQ(Game->GameFade->AbortKey, 0);
  EXPECT_EQ(Game->GameFade->Ratio, 1.0f);
  EXPECT_EQ(Game->CurrentTScreen, screen);
}

TEST_F(AppKeysTest, EscapeOnABaseScreenFadesOutHalfASecondThenEnds) {
  auto screen = StartScreen();
  Press(27);
  ASSERT_EQ(Tick(), 1);
  ASSERT_EQ(Game->Fading(), 1);
  EXPECT_EQ(Game->GameFade->Length, 100);
  EXPECT_EQ(Game->GameFade->Out, 1);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
  EXPECT_EQ(1 + TicksUntilExit(), 100);
}

TEST_F(AppKeysTest, EscapeFadeLengthComesFromTheScreen) {
  auto title = std::make_shared<RecordingScreen>(u"title");
  auto screen = StartScreen(u"finished");
  screen->escapeTo = title;
  screen->escapeLength = 1500;
  Game->FadeMusic = 0;
  Press(27);
  Tick();
  EXPECT_EQ(Game->GameFade->Length, 300);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);  // FadeMusic 0: the music is left alone
  EXPECT_EQ(Game->FadeMusic, 1);
  EXPECT_EQ(Game->DestinationTScreen, title);
}

TEST_F(AppKeysTest, ScreenThatTakesEscapeGetsTheKeyAndNoFadeStarts) {
  auto screen = StartScreen(u"game");
  Game->IgnoreEscapeKey = 1;
  Press(27);
  Tick();
  EXPECT_EQ(Game->Fading(), 0);
  EXPECT_EQ(screen->escapeSeen.back(), 1);
}

TEST_F(AppKeysTest, HeldFullScreenComboTogglesOnce) {
  OpenDisplay();
  StartScreen();
  ASSERT_EQ(Game->FullScreen, 0);
  Press(KEY_LCOMMAND);
  Press(KEY_RSHIFT);
  Press(KEY_F);
  Tick();
  EXPECT_EQ(Game->FullScreen, 1);
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(Game->FullScreen, 1);
  Press(KEY_LALT);
  Press(KEY_ENTER);
  Tick();
  EXPECT_EQ(Game->FullScreen, 0);
}

TEST_F(AppKeysTest, CommandQOnThePlayScreenSavesAndEndsInTheSameTick) {
  auto profile = UseProfile();
  auto screen = StartScreen(u"game");
  Press(KEY_RCOMMAND);
  Press(KEY_Q);
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(profile->saves, 1);
  EXPECT_EQ(screen->logics, 0);
}

TEST_F(AppKeysTest, CommandQElsewhereEndsWithoutSaving) {
  auto profile = UseProfile();
  StartScreen(u"title");
  Press(KEY_LCOMMAND);
  Press(KEY_Q);
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(profile->saves, 0);
}

TEST_F(AppKeysTest, ControlQIsNotCommandQ) {
  auto screen = StartScreen(u"game");
  Press(KEY_LCONTROL);
  Press(KEY_Q);
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(screen->logics, 1);
}

TEST_F(AppKeysTest, BlockedKeysIgnorePAndEscapeButAClickStillResumes) {
  auto screen = StartScreen();
  Game->BlockKeys = 1;
  Press(80);
  Press(27);
  Tick();
  EXPECT_EQ(Game->Paused, 0);
  EXPECT_EQ(Game->Fading(), 0);
  EXPECT_EQ(screen->specificKeys, 0);
  Game->Paused = 1;
  Click();
  Tick();
  EXPECT_EQ(Game->Paused, 0);
}

TEST_F(AppKeysTest, QuitRequestFadesOutWithTheMusicThenEnds) {
  auto profile = UseProfile();
  StartScreen(u"game");
  Post(platform::EVENT_WINDOWCLOSE);
  ASSERT_EQ(Tick(), 1);
  EXPECT_EQ(profile->saves, 1);
  EXPECT_EQ(Game->InstantExit, 0);
  ASSERT_EQ(Game->Fading(), 1);
  EXPECT_EQ(Game->GameFade->Length, 100);
  EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
  EXPECT_EQ(1 + TicksUntilExit(), 100);
}

TEST_F(AppKeysTest, QuitRequestDuringAScreenFadeOutEndsAtTheExitScreen) {
  auto a = StartScreen(u"a");
  auto b = std::make_shared<RecordingScreen>(u"b");
  Game->DestinationTScreen = b;
  Game->GameFade->Init(100.0f, 1, nullptr, 1, 0, nullptr);  // 20 ticks
  Tick();
  Post(platform::EVENT_WINDOWCLOSE);
  EXPECT_EQ(1 + TicksUntilExit(), 20);
  EXPECT_EQ(b->loads, 0);
}

TEST_F(AppKeysTest, QuitRequestDuringAFadeInStillEnds) {
  StartScreen();
  Game->GameFade->Init(500.0f, 0, nullptr, 1, 0, nullptr);
  Post(platform::EVENT_WINDOWCLOSE);
  EXPECT_EQ(TicksUntilExit(), 100);
}

TEST_F(AppKeysTest, QuitRequestElsewhereDoesNotSave) {
  auto profile = UseProfile();
  StartScreen(u"title");
  Post(platform::EVENT_APPTERMINATE);
  Tick();
  EXPECT_EQ(profile->saves, 0);
  EXPECT_EQ(Game->Fading(), 1);
}

TEST_F(AppKeysTest, QuitRequestWhilePausedOrSuspendedEndsAtOnce) {
  auto profile = UseProfile();
  StartScreen(u"game");
  Game->Paused = 1;
  Post(platform::EVENT_WINDOWCLOSE);
  EXPECT_EQ(Tick(), -1);
  EXPECT_EQ(profile->saves, 1);

  Game->InstantExit = 0;
  Game->Paused = 0;
  Post(platform::EVENT_APPSUSPEND);
  Tick();
  ASSERT_EQ(Game->Suspended, 1);
  Post(platform::EVENT_APPTERMINATE);
  EXPECT_EQ(Tick(), -1);
}

TEST_F(AppKeysTest, QuitRequestRefusedByTheHook) {
  StartScreen();
  Game->TerminatedUserFunction = [] { return 1; };
  Post(platform::EVENT_WINDOWCLOSE);
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(Game->Fading(), 0);
  EXPECT_EQ(Game->TerminatedEvent, 0);
}

TEST_F(AppKeysTest, QuitRequestWithoutExitFadeEndsAtOnce) {
  StartScreen();
  Game->FadeOnExit = 0;
  Post(platform::EVENT_WINDOWCLOSE);
  EXPECT_EQ(Tick(), -1);
}

TEST_F(AppKeysTest, SuspendAndResumeRestoreTheMusicButNotTheSpeech) {
  auto screen = StartScreen();
  auto sound = std::make_shared<platform::Sound>();
  sound->samples.assign(44100, 0);
  sound->loop = true;
  Game->MusicSample = sound;
  Game->MusicFileName = u"title.ogg";
  Game->MusicPlay(1, 0, 0);
  ASSERT_EQ(Game->MusicRestart, 0);
  Game->Speech = 0;
  Post(platform::EVENT_APPSUSPEND);
  EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(Game->Suspended, 1);
  EXPECT_EQ(Game->Music, 0);
  EXPECT_TRUE(platform::ChannelPaused(Game->MusicChannel));
  EXPECT_EQ(screen->logics, 0);
  Post(platform::EVENT_APPRESUME);
  EXPECT_EQ(Tick(), 1);
  EXPECT_EQ(Game->Suspended, 0);
  EXPECT_EQ(Game->Music, 1);
  EXPECT_EQ(Game->Speech, 0);
  EXPECT_FALSE(platform::ChannelPaused(Game->MusicChannel));
}

TEST_F(AppKeysTest, PauseStopsTheMusicAndUnpauseResumesIt) {
  StartScreen();
  auto sound = std::make_shared<platform::Sound>();
  sound->samples.assign(44100, 0);
  Game->MusicSample = sound;
  Game->MusicPlay(0, 0, 0);
  Game->TogglePause();
  EXPECT_EQ(Game->Paused, 1);
  EXPECT_EQ(Game->Music, 0);
  EXPECT_EQ(Game->PausedMusicState, 1);
  Game->TogglePause();
  EXPECT_EQ(Game->Music, 1);
}

}  // namespace
