// The loading bar and the loading screen: steps, clipping, the click-here button appearing only
// when the bar is full, leaving by click, key or button, and the loading picture later screens use.
#include "support/UiFixture.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "gfx/DrawHelpers.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "ui/TButton.h"
#include "ui/TLoadingBar.h"
#include "ui/TLoadingScreen.h"

using namespace uitest;

namespace {

class LoadingScreenTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Picture("images", "back", 800, 600, kGrey);
    Picture("images", "bar", 500, 20, kRed);
    Picture("images", "loading", 40, 20, kYellow);
    Picture("images", "here", 100, 40, kBlue);
    Sound("over");
    Sound("press");
    screen = std::make_shared<TLoadingScreen>();
    destination = std::make_shared<TScreen>();
  }

  // The start-up's set-up, with the bar at y 500 and the button at y 100.
  void SetUpScreen(int steps = 125) {
    screen->SpecialLoad(u"back.png", u"bar.png", u"loading.png");
    screen->LoadingBar->Centre(500);
    screen->LoadingBar->Mode = 1;
    screen->LoadingY = 450;
    screen->SetSteps(steps);
    screen->SetClickHereButton(u"here", u"hereMO", u"over", u"press", 100);
    screen->Destination = destination;
  }

  bool Leaving() const {
    return Game->GameFade->Active == 1 && Game->DestinationTScreen == destination;
  }

  std::shared_ptr<TLoadingScreen> screen;
  std::shared_ptr<TScreen> destination;
};

TEST_F(LoadingScreenTest, BarFillsFourPixelsAStepAndFinishesOnTheLast) {
  SetUpScreen();
  auto& bar = *screen->LoadingBar;
  EXPECT_EQ(bar.x, 150);
  EXPECT_EQ(bar.w, 500);
  EXPECT_EQ(bar.StepSize, 4.0f);
  for (int i = 0; i < 124; ++i) screen->Progress();
  EXPECT_EQ(bar.Position, 496.0f);
  EXPECT_EQ(screen->Finished, 0);
  screen->Progress();
  EXPECT_EQ(bar.Position, 500.0f);
  EXPECT_EQ(screen->Finished, 1);
  screen->Progress();
  EXPECT_EQ(bar.Position, 504.0f);  // harmless: still finished
  EXPECT_EQ(bar.Finished, 1);
}

TEST_F(LoadingScreenTest, BarPastItsStepsIsClippedToThePicture) {
  OpenDisplay();
  TLoadingBar bar;
  bar.Init(platform::LoadImage(S(dir + "/images/bar.png")), nullptr, nullptr);
  bar.Mode = 2;
  bar.Centre(300);
  bar.SetSteps(10);
  for (int i = 0; i < 13; ++i) bar.Progress();
  EXPECT_EQ(bar.Position, 650.0f);
  platform::Cls();
  EXPECT_EQ(bar.Draw(), 1);
  EXPECT_PIXEL_NEAR(PixelAt(150, 305), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(649, 305), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(650, 305), kBlack);
  EXPECT_PIXEL_NEAR(PixelAt(780, 305), kBlack);
  EXPECT_EQ(platform::GetBlend(), platform::SOLIDBLEND);
}

TEST_F(LoadingScreenTest, ImageAreaSourceIsClippedToThePicture) {
  OpenDisplay();
  auto image = platform::LoadImage(S(dir + "/images/loading.png"));  // 40 by 20
  platform::Cls();
  ccDrawImageArea(image, 100, 100, -5, 0, 60, 20, 0);
  EXPECT_PIXEL_NEAR(PixelAt(104, 110), kBlack);
  EXPECT_PIXEL_NEAR(PixelAt(105, 110), kYellow);
  EXPECT_PIXEL_NEAR(PixelAt(144, 110), kYellow);
  EXPECT_PIXEL_NEAR(PixelAt(145, 110), kBlack);
  EXPECT_EQ(ccDrawImageArea(image, 0, 0, 50, 0, 10, 10, 0), 0);  // wholly outside: nothing
}

TEST_F(LoadingScreenTest, PlainBarDrawsItsColoursAndModeOneNeedsAPicture) {
  OpenDisplay();
  TLoadingBar bar;
  EXPECT_EQ(bar.BgR, 50);
  bar.Mode = 1;
  EXPECT_EQ(bar.Draw(), 0);
  bar.Mode = 0;
  bar.w = 100;
  bar.h = 10;
  bar.x = 10;
  bar.y = 10;
  bar.SetBorderColour(255, 0, 0);
  platform::Cls();
  EXPECT_EQ(bar.Draw(), 1);
  EXPECT_PIXEL_NEAR(PixelAt(50, 15), 0xFF323232);
  EXPECT_PIXEL_NEAR(PixelAt(10, 10), kRed);
  EXPECT_PIXEL_NEAR(PixelAt(109, 19), kRed);
}

TEST_F(LoadingScreenTest, SpecialLoadTakesOptionalBarPicturesOnlyWhenPresent) {
  SetUpScreen();
  EXPECT_EQ(screen->name, u"loading");
  EXPECT_FALSE(screen->LoadingBar->EmptyImage);
  EXPECT_FALSE(screen->LoadingBar->FinalImage);
  EXPECT_EQ(screen->LoadingX, 400);
  EXPECT_EQ(Game->MusicFileName, u"none");
  ASSERT_TRUE(screen->LoadingTextImage);
  EXPECT_EQ(screen->LoadingTextImage->handleX, 20.0f);

  Picture("images", "barempty", 500, 20, kGreen);
  Picture("images", "barfinal", 500, 20, kBlue);
  platform::AutoMidHandle(true);
  screen->SpecialLoad(u"back.png", u"bar.png", u"loading.png");
  ASSERT_TRUE(screen->LoadingBar->EmptyImage);
  ASSERT_TRUE(screen->LoadingBar->FinalImage);
  EXPECT_EQ(screen->LoadingBar->FinalImage->handleX, 0.0f);
  EXPECT_EQ(screen->LoadingBar->Image->handleY, 0.0f);
  EXPECT_EQ(screen->LoadingBar->Steps, 0.0f);

  EXPECT_THROW(screen->SpecialLoad(u"nothing.png", u"bar.png", u"loading.png"),
               platform::ProgramExit);
}

TEST_F(LoadingScreenTest, ClickHereAppearsOnlyAfterTheLastStep) {
  OpenDisplay();
  SetUpScreen();
  EXPECT_EQ(screen->ClickHereButton->OKButton, 1);
  EXPECT_EQ(screen->ClickHereButton->x, 350);
  EXPECT_EQ(screen->ClickHereButton->y, 100);
  for (int i = 0; i < 124; ++i) {
    screen->Progress();
    screen->Draw();
    if (PixelAt(400, 120) != PixelAt(10, 10)) FAIL() << "button drawn at step " << i + 1;
  }
  EXPECT_PIXEL_NEAR(PixelAt(151, 505), kRed);    // bar up to 496
  EXPECT_PIXEL_NEAR(PixelAt(647, 505), kGrey);
  EXPECT_PIXEL_NEAR(PixelAt(400, 450), kYellow);  // loading picture over the bar
  screen->Progress();
  screen->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(400, 120), kBlue);
  EXPECT_PIXEL_NEAR(PixelAt(400, 450), kGrey);  // picture gone
  EXPECT_PIXEL_NEAR(PixelAt(151, 505), kGrey);  // no final picture: no bar either
}

TEST_F(LoadingScreenTest, BarStepsAtVsyncNeverWaitAndShowAtMostAFrameAPeriod) {
  OpenDisplay();
  SetUpScreen();
  Game->LoadingScreen = screen;
  ccFlipSync = 1;
  platform::UseFakeClock(true, 1000);
  platform::PaceHeadlessFlips(true);  // as on a display: 60 frames a second at most
  platform::SetFakeClockStepPerFlip(1);  // each present shows as one millisecond
  const int start = platform::MilliSecs();
  int presents = 0;
  int slept = 0;
  for (int i = 0; i < 125; ++i) {
    platform::AdvanceFakeClock(2);  // the asset's own loading
    const int before = platform::MilliSecs();
    Game->MoveBar();
    const int took = platform::MilliSecs() - before;
    presents += took > 0 ? 1 : 0;
    slept += took > 0 ? took - 1 : 0;
  }
  const int elapsed = platform::MilliSecs() - start;
  platform::SetFakeClockStepPerFlip(0);
  platform::PaceHeadlessFlips(false);
  platform::UseFakeClock(false);
  // Waiting for the blank at each step would take 125 periods; the finished bar, shown at
  // once, may be early and sleep out one period.
  EXPECT_LE(slept, 17);
  EXPECT_GE(presents, 2);
  EXPECT_LE(presents, 1 + elapsed * 60 / 1000);
  EXPECT_PIXEL_NEAR(PixelAt(400, 120), kBlue);  // the finished bar is always shown
}

TEST_F(LoadingScreenTest, FinishedBarWithAFinalPictureStaysUnderTheButton) {
  OpenDisplay();
  Picture("images", "barfinal", 500, 20, kGreen);
  SetUpScreen(3);
  for (int i = 0; i < 3; ++i) screen->Progress();
  screen->Draw();
  EXPECT_PIXEL_NEAR(PixelAt(151, 505), kGreen);
  EXPECT_PIXEL_NEAR(PixelAt(400, 120), kBlue);
}

TEST_F(LoadingScreenTest, InputDuringLoadingIsDroppedWhenTheBarFills) {
  SetUpScreen(2);
  Keys[65] = 1;
  Press();
  screen->Progress();
  EXPECT_EQ(Keys[65], 1);
  EXPECT_EQ(Game->Mouse->GetMh(0), 1);
  platform::PostEvent(platform::Event{platform::EVENT_MOUSEDOWN, 1, 10, 10});
  platform::PostEvent(platform::Event{platform::EVENT_WINDOWCLOSE, 0, 0, 0});
  screen->Progress();
  EXPECT_EQ(Keys[65], 0);
  EXPECT_EQ(Game->Mouse->GetMh(0), 0);
  // A press still queued from the loading is dropped too; a close request is kept.
  platform::Event e;
  ASSERT_TRUE(platform::PollEvent(e));
  EXPECT_EQ(e.id, platform::EVENT_WINDOWCLOSE);
  EXPECT_FALSE(platform::PollEvent(e));
}

TEST_F(LoadingScreenTest, ClickAnywhereLeadsOnWithOneClickSound) {
  SetUpScreen();
  PointerAt(10, 10);
  screen->Logic();
  EXPECT_FALSE(Leaving());
  Press();
  screen->Logic();
  EXPECT_TRUE(Leaving());
  EXPECT_EQ(Game->GameFade->AllowAnim, 0);
  EXPECT_FALSE(Game->GameFade->Channel);  // the music plays on
  EXPECT_EQ(Game->GameFade->Length, 100);
  EXPECT_EQ(channels->Count(u"PRESS"), 1);
  EXPECT_EQ(screen->ClickHereButton->Clicked, 1);
}

TEST_F(LoadingScreenTest, ClickOnTheButtonPlaysItsSoundOnce) {
  SetUpScreen();
  PointerAt(400, 120);
  Press();
  screen->Logic();
  EXPECT_TRUE(Leaving());
  EXPECT_EQ(channels->Count(u"PRESS"), 1);
  EXPECT_EQ(channels->Count(u"OVER"), 1);
}

TEST_F(LoadingScreenTest, EnterOrSpaceLeadsOnButEscapeIsTheApplications) {
  SetUpScreen();
  Keys[KEY_ESCAPE] = 1;
  screen->Logic();
  EXPECT_FALSE(Leaving());
  EXPECT_EQ(Keys[KEY_ESCAPE], 1);  // left for the application keys
  Keys[KEY_SPACE] = 1;
  screen->Logic();
  EXPECT_TRUE(Leaving());
  EXPECT_EQ(channels->Count(u"PRESS"), 1);

  auto other = std::make_shared<TLoadingScreen>();
  other->EscapeCloses = 0;
  other->SpecialLoad(u"back.png", u"bar.png", u"loading.png");
  other->SetClickHereButton(u"here", u"", u"", u"", 100);
  Game->GameFade->Active = 0;
  Keys[KEY_ESCAPE] = 1;  // starting the fade flushed the keys
  other->Logic();
  EXPECT_EQ(Game->GameFade->Active, 1);
  other->Start();
  EXPECT_EQ(Game->IgnoreEscapeKey, 1);
  screen->Start();
  EXPECT_EQ(Game->IgnoreEscapeKey, 0);
}

TEST_F(LoadingScreenTest, WithoutAButtonTheScreenLeavesAtOnce) {
  screen->Destination = destination;
  screen->Logic();
  EXPECT_TRUE(Leaving());
}

TEST_F(LoadingScreenTest, DrawLoadingShowsThePictureOnlyWhenAsked) {
  OpenDisplay();
  SetUpScreen();
  platform::SetClsColor(0, 0, 0);
  Game->Music = 0;
  platform::Cls();
  screen->DrawLoading(1);
  EXPECT_PIXEL_NEAR(PixelAt(400, 450), kBlack);
  Game->Music = 1;
  screen->DrawLoading(1);
  EXPECT_PIXEL_NEAR(PixelAt(400, 450), kYellow);
  screen->DrawLoading(2);
  EXPECT_PIXEL_NEAR(PixelAt(400, 450), kBlack);
}

TEST_F(LoadingScreenTest, KillKeepsTheLoadingPictureForLaterScreens) {
  SetUpScreen();
  int killed = 0;
  screen->CustomKillFunction = [&] { ++killed; };
  screen->Kill();
  EXPECT_EQ(killed, 1);
  EXPECT_FALSE(screen->LoadingBar);
  EXPECT_FALSE(screen->ClickHereButton);
  EXPECT_FALSE(screen->Image);
  EXPECT_TRUE(screen->LoadingTextImage);
  EXPECT_EQ(screen->LoadingY, 450);
  screen->Progress();  // nothing left to advance, and no crash
  screen->Draw();
}

}  // namespace
