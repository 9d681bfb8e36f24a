// The screen-switching protocol driven by the global fade and the frame loop.
#include "CoreFixture.h"
#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"

using namespace coretest;

namespace {

class ScreenProtocolTest : public CoreTest {
 protected:
  // Starts a fade-out towards `to` as a screen does when it wants to leave.
  void Leave(const std::shared_ptr<TScreen>& to, int ms = FADE_SPEED) {
    Game->DestinationTScreen = to;
    Game->GameFade->Init(static_cast<float>(ms), 1, Game->MusicChannel, 1, 0, nullptr);
  }
};

TEST_F(ScreenProtocolTest, OneFinishedFadeOutSwitchesExactlyOnce) {
  auto a = StartScreen(u"a");
  auto b = std::make_shared<RecordingScreen>(u"b");
  Leave(b);
  EXPECT_EQ(Game->GameFade->Length, 100);
  for (int i = 0; i < 99; ++i) ASSERT_EQ(Tick(), 1);
  EXPECT_EQ(Game->CurrentTScreen, a);
  ASSERT_EQ(Tick(), 1);  // the fade completes and the switch follows in the same tick
  EXPECT_EQ(Game->CurrentTScreen, b);
  EXPECT_EQ(a->kills, 1);
  EXPECT_EQ(b->loads, 1);
  EXPECT_EQ(b->starts, 1);
  EXPECT_EQ(b->logics, 1);
  EXPECT_EQ(Game->LastTScreen, a);
  EXPECT_EQ(Game->DestinationTScreen, b);  // kept after the switch
  for (int i = 0; i < 20; ++i) Tick();
  EXPECT_EQ(b->loads, 1);
  EXPECT_EQ(b->coreStarts, 1);
  EXPECT_EQ(a->kills, 1);
}

TEST_F(ScreenProtocolTest, OldScreenIsStillCurrentAndLastWhileTheNewOneLoads) {
  auto a = StartScreen(u"a");
  Game->LastTScreen = nullptr;
  struct Probe : RecordingScreen {
    std::shared_ptr<TScreen> currentAtLoad, lastAtLoad;
    int Load() override {
      currentAtLoad = Game->CurrentTScreen;
      lastAtLoad = Game->LastTScreen;
      return RecordingScreen::Load();
    }
  };
  auto b = std::make_shared<Probe>();
  Leave(b);
  Game->GameFade->Finish();
  Tick();
  EXPECT_EQ(b->currentAtLoad, a);
  EXPECT_EQ(b->lastAtLoad, a);
}

TEST_F(ScreenProtocolTest, StopKillKeepsTheScreenAndStopInitOnlyCoreStarts) {
  auto a = StartScreen(u"a");
  a->StopKill = 1;
  auto b = std::make_shared<RecordingScreen>(u"b");
  b->StopInit = 1;
  Leave(b);
  Game->GameFade->Finish();
  Keys[65] = 1;
  platform::AdvanceFakeClock(500);
  Tick();
  EXPECT_EQ(a->kills, 0);
  EXPECT_EQ(b->loads, 0);
  EXPECT_EQ(b->starts, 0);
  EXPECT_EQ(b->coreStarts, 1);
  EXPECT_EQ(Game->CurrentTScreen, b);
  EXPECT_EQ(Keys[65], 0);                      // input flushed
  EXPECT_EQ(Game->FixedRateLogic->First, 5);  // timer restarted

  b->ResetStops();
  EXPECT_EQ(b->StopInit, 0);
  EXPECT_EQ(b->StopKill, 0);
}

TEST_F(ScreenProtocolTest, FinishedFadeInNeverSwitches) {
  auto a = StartScreen(u"a");
  auto b = std::make_shared<RecordingScreen>(u"b");
  Game->DestinationTScreen = b;
  Game->GameFade->Init(50.0f, 0, nullptr, 1, 0, nullptr);
  for (int i = 0; i < 20; ++i) Tick();
  EXPECT_EQ(Game->CurrentTScreen, a);
  EXPECT_EQ(b->loads, 0);
  EXPECT_EQ(a->kills, 0);
}

TEST_F(ScreenProtocolTest, SwitchToTheExitScreenEndsTheRunBeforeItIsDrawnOrRun) {
  auto a = StartScreen(u"a");
  Leave(Game->ExitScreen, 50);  // 10 ticks
  Keys[70] = 3;
  platform::AdvanceFakeClock(100);  // a frame capped at 10 ticks
  const int logicsBefore = a->logics;
  EXPECT_EQ(Game->MainLogicLoop(), -1);
  EXPECT_EQ(a->logics, logicsBefore + 9);  // the tick of the switch runs no Logic
  EXPECT_EQ(a->kills, 1);
  EXPECT_EQ(Game->InstantExit, 1);
  EXPECT_EQ(Game->CurrentTScreen, Game->ExitScreen);
  EXPECT_EQ(Game->LastTScreen, a);
  EXPECT_EQ(Keys[70], 0);
}

TEST_F(ScreenProtocolTest, WithFadesOffASwitchRequestedByLogicHappensInTheSameTick) {
  Game->Fade = 0;
  auto a = StartScreen(u"a");
  auto b = std::make_shared<RecordingScreen>(u"b");
  a->onLogic = [&] {
    if (Game->CurrentTScreen == a) {
      Game->DestinationTScreen = b;
      Game->GameFade->Init(500.0f, 1, nullptr, 1, 0, nullptr);
    }
  };
  ASSERT_EQ(Tick(), 1);
  EXPECT_EQ(a->logics, 1);
  EXPECT_EQ(Game->CurrentTScreen, b);
  EXPECT_EQ(b->logics, 0);
  EXPECT_EQ(b->loads, 1);
}

TEST_F(ScreenProtocolTest, PausedGameDrainsEventsButRunsNoFadeSwitchOrLogic) {
  auto a = StartScreen(u"a");
  auto b = std::make_shared<RecordingScreen>(u"b");
  Leave(b);
  Game->Paused = 1;
  Post(platform::EVENT_KEYDOWN, 65);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(Game->GameFade->Counter, 0.0f);
  EXPECT_EQ(Game->CurrentTScreen, a);
  EXPECT_EQ(a->logics, 0);
  EXPECT_EQ(a->specificKeys, 0);
  EXPECT_EQ(KeyStates[65], 1);
}

TEST_F(ScreenProtocolTest, MissingDestinationIsFatalWithTheScreenName) {
  OpenDisplay();
  std::vector<String> shown;
  SetErrorBoxHook([&](const String& m) {
    shown.push_back(m);
    return true;
  });
  auto a = StartScreen(u"options");
  Game->DestinationTScreen = nullptr;
  Game->GameFade->Init(5.0f, 1, nullptr, 1, 0, nullptr);
  EXPECT_THROW(Tick(), platform::ProgramExit);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], u"Screen 'options' does not have a destination screen set!");
}

TEST_F(ScreenProtocolTest, StartPrimesPointerEscapeAndTimer) {
  Game->Mouse->Off();
  Game->IgnoreEscapeKey = 1;
  Game->Mouse->b1 = 1;
  Game->Mouse->CalcButtonTotals();
  auto a = StartScreen(u"a");
  EXPECT_EQ(Game->Mouse->Active, 1);
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
  EXPECT_EQ(Game->Mouse->mb, 0);
  EXPECT_EQ(Game->CurrentTScreen, a);
}

TEST_F(ScreenProtocolTest, BaseEscapeDestinationIsTheExitScreen) {
  TScreen base;
  Game->DestinationTScreen = nullptr;
  EXPECT_EQ(base.SetEscDestination(), 0);
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
}

}  // namespace

namespace {

class ScreenImageTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    Game->ImagePath = S(userDir) + u"/";
    platform::Pixmap pixmap(8, 4, 0xFF204060u);
    ASSERT_TRUE(platform::SavePixmapPNG(pixmap, Game->ImagePath + u"back.png"));
  }
};

TEST_F(ScreenImageTest, BackgroundsLoadWithDefaultFlagsUnderAVirtualResolution) {
  TScreen screen;
  screen.ImageLoad(u"back.png", 0, 0);
  ASSERT_TRUE(screen.Image);
  EXPECT_EQ(screen.Image->flags, 0);
  EXPECT_EQ(screen.Image->handleX, 0.0f);
  Game->UsingVirtualResolution = 1;
  screen.ImageLoad(u"back.png", 0, 0);
  EXPECT_EQ(screen.Image->flags, 3);
}

TEST_F(ScreenImageTest, HeaderIsACentredSpriteAndKillDropsEverything) {
  TScreen screen;
  screen.Ext = u".png";
  screen.HeaderLoad(u"back", 400, 50, 0);
  ASSERT_TRUE(screen.Header);
  EXPECT_EQ(screen.Header->x, 400.0f);
  ASSERT_TRUE(screen.Header->image);
  EXPECT_EQ(screen.Header->image->midhandled, 1);
  screen.ImageLoad(u"back.png", -1, 0);
  screen.Kill();
  EXPECT_FALSE(screen.Header);
  EXPECT_FALSE(screen.Image);
}

TEST_F(ScreenImageTest, DrawWithoutABackgroundClearsTheScreen) {
  OpenDisplay();
  platform::SetClsColor(0, 0, 0);
  platform::SetColor(255, 0, 0);
  platform::DrawRect(0, 0, 800, 600);
  platform::SetColor(255, 255, 255);
  platform::SetClsColor(5, 6, 7);
  TScreen screen;
  screen.Draw();
  auto pixels = platform::GrabPixmap(0, 0, 4, 4);
  ASSERT_TRUE(pixels);
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(1, 1), 0xFF050607u);
  screen.ImageLoad(u"back.png", -1, 0);
  screen.Draw();
  pixels = platform::GrabPixmap(0, 0, 10, 10);
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(1, 1), 0xFF204060u);
  EXPECT_PIXEL_NEAR(pixels->ReadPixel(9, 1), 0xFF050607u);
}

}  // namespace
