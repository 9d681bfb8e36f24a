// The scrolls over the play screen on their own: the shared parchment geometry (pixels), the
// hint page's life from unroll to release, the in-game menu's codes, easing and visits, and the
// stand-in screens' way out.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "play/ScrollDrawing.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "support/PlayRig.h"
#include "ui/TMenu.h"

namespace {

using playtest::PlayTest;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

platform::ImagePtr Solid(int w, int h, uint32_t argb) {
  platform::ImagePtr image = platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(w, h, argb), 0);
  platform::MidHandleImage(image);
  return image;
}

TGameImagePtr SolidBank(int w, int h, uint32_t argb, const String& name) {
  return TGameImage::CreateFromImage(Solid(w, h, argb), name, 1);
}

void ClearTo(int r, int g, int b) {
  platform::SetClsColor(r, g, b);
  platform::Cls();
}

class ScrollGeometryTest : public PlayTest {};

// Rollers 140/500 open and 285/355 closed; the body's top edge at 300 - v/2; the clip band
// (0, 300 - v/2, 800, v + 40) and nothing outside it.
TEST_F(ScrollGeometryTest, RollersBodyAndClipFollowTheOpenFraction) {
  const platform::ImagePtr body = Solid(500, 360, kBlue);
  const TGameImagePtr top = SolidBank(540, 10, kRed, u"T");
  const TGameImagePtr bottom = SolidBank(540, 10, kGreen, u"B");
  struct Case {
    float r;
    int topY, bottomY, bodyTop;
  };
  for (const Case c : {Case{1.0f, 140, 500, 120}, Case{0.0f, 285, 355, 300}, Case{0.5f, 212, 427, 210}}) {
    SCOPED_TRACE(c.r);
    ClearTo(0, 0, 0);
    ScrollBodyDraw(body, c.r);
    ScrollRollersDraw(top, bottom, c.r);
    EXPECT_PIXEL_NEAR(PixelAt(400, c.topY), kRed);
    EXPECT_PIXEL_NEAR(PixelAt(400, c.bottomY), kGreen);
    EXPECT_PIXEL_NEAR(PixelAt(160, c.bodyTop + 30), kBlue);
    EXPECT_PIXEL_NEAR(PixelAt(140, c.bodyTop + 30), kBlack);  // the body is 500 wide, centred
    if (c.r != 0.5f) {
      EXPECT_PIXEL_NEAR(PixelAt(160, c.bodyTop - 1), kBlack);
    }
  }
  for (const float r : {0.0f, 0.5f, 1.0f}) {
    SCOPED_TRACE(r);
    const int v = static_cast<int>(360.0f * r);
    ClearTo(0, 0, 0);
    ScrollClipBegin(body, r);
    platform::SetColor(255, 255, 255);
    platform::DrawRect(0, 0, 800, 600);
    ScrollClipEnd();
    const int y0 = 300 - v / 2;
    EXPECT_PIXEL_NEAR(PixelAt(5, y0), kWhite);
    EXPECT_PIXEL_NEAR(PixelAt(795, y0 + v + 39), kWhite);
    if (y0 > 0) {
      EXPECT_PIXEL_NEAR(PixelAt(5, y0 - 1), kBlack);
    }
    if (y0 + v + 40 < 600) {
      EXPECT_PIXEL_NEAR(PixelAt(5, y0 + v + 40), kBlack);
    }
    platform::DrawRect(0, 0, 1, 1);  // the viewport is whole again
    EXPECT_PIXEL_NEAR(PixelAt(0, 0), kWhite);
  }
}

class HintScrollTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    HintScroll = std::make_shared<THintScroll>();
    HintScroll->LoadSpecial(u"lion");
    HintScroll->Show(1);
  }
  void TearDown() override {
    HintScroll.reset();
    PlayTest::TearDown();
  }
  TButtonPtr OK() { return HintScroll->Menu ? HintScroll->Menu->FindButton(u"OK") : nullptr; }
  // Ticks until the page is open; the OK button stays off throughout.
  int UnrollFully() {
    int ticks = 0;
    while (HintScroll->Unroll->Active != 0 && ticks < 200) {
      EXPECT_EQ(OK()->Active, 0) << "tick " << ticks;
      int result = 0;
      Tick([&] { result = HintScroll->Logic(); });
      EXPECT_EQ(result, 0);
      ++ticks;
    }
    return ticks;
  }
  // Ticks until Logic answers 1 (the page closed).
  int TicksToClose() {
    for (int t = 1; t <= 200; ++t) {
      int result = 0;
      Tick([&] { result = HintScroll->Logic(); });
      if (result == 1) return t;
    }
    return -1;
  }
};

TEST_F(HintScrollTest, PageUnrollsClosesOnClickEnterAndIsReleased) {
  ASSERT_TRUE(HintScroll->Image);
  EXPECT_EQ(platform::ImageWidth(HintScroll->Image), 500);
  EXPECT_EQ(OK()->y, 427.0f);
  EXPECT_EQ(OK()->x, static_cast<float>((800 - OK()->w) / 2));
  EXPECT_EQ(channels->Count(u"SCROLL"), 1);
  EXPECT_EQ(UnrollFully(), 75);
  EXPECT_EQ(OK()->Active, 1);

  // U unrolls the page again from closed.
  Key(85);
  Tick([] { HintScroll->Logic(); });
  EXPECT_EQ(HintScroll->Unroll->Active, 1);
  EXPECT_EQ(OK()->Active, 0);
  EXPECT_EQ(UnrollFully(), 75);

  // A click anywhere rolls it up; the page and its menu are gone when Logic answers 1.
  Click(20, 20);
  Tick([] { HintScroll->Logic(); });
  EXPECT_EQ(channels->Count(u"SCROLL"), 2);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
  EXPECT_EQ(TicksToClose(), 76);
  EXPECT_EQ(HintScroll->Active, 0);
  EXPECT_FALSE(HintScroll->Image);
  EXPECT_FALSE(HintScroll->Menu);
  EXPECT_EQ(HintScroll->Logic(), 0);
  EXPECT_EQ(HintScroll->Draw(), 0);

  // Enter presses OK on the next page.
  HintScroll->LoadSpecial(u"gaugefull");
  HintScroll->Show(0);
  UnrollFully();
  Game->Mouse->x = -100;
  Key(13);
  Tick([] { HintScroll->Logic(); });
  EXPECT_EQ(HintScroll->Unroll->Reverse, 1);
  EXPECT_EQ(TicksToClose(), 76);
}

TEST_F(HintScrollTest, ClickDuringTheUnrollRollsUpOnTheFirstOpenTick) {
  Tick([] { HintScroll->Logic(); }, 10);
  Click(20, 20);
  Tick([] { HintScroll->Logic(); });
  EXPECT_EQ(HintScroll->Unroll->Reverse, 0);
  Tick([] { HintScroll->Logic(); }, 64);  // tick 75: open, and at once rolling up
  EXPECT_EQ(HintScroll->Unroll->Active, 1);
  EXPECT_EQ(HintScroll->Unroll->Reverse, 1);
}

class GameMenuTest : public PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    TitleScreen = std::make_shared<TTitleScreen>();
    GameScreen = std::make_shared<TGameScreen>();
    OptionsScreen = std::make_shared<TOptionsScreen>();
    InstructionsScreen = std::make_shared<TInstructionsScreen>();
    GameMenu = std::make_shared<TGameMenu>();
    GameMenu->Load();
  }
  void TearDown() override {
    GameMenu.reset();
    GameScreen.reset();
    OptionsScreen.reset();
    InstructionsScreen.reset();
    TitleScreen.reset();
    PlayTest::TearDown();
  }
  int Step() {
    int result = 0;
    Tick([&] { result = GameMenu->Logic(); });
    return result;
  }
  // The brightness left of a white screen at (10, 10) once the menu has drawn over it.
  int Brightness() {
    ClearTo(255, 255, 255);
    GameMenu->Draw();
    return static_cast<int>(PixelAt(10, 10) & 0xFF);
  }
  void Press(const String& button) {
    const TButtonPtr b = GameMenu->Menu->FindButton(button);
    Click(static_cast<int>(b->x) + 5, static_cast<int>(b->y) + 5);
  }
};

TEST_F(GameMenuTest, EscapeOpensClosesFromThePointReachedAndDimmingNeverJumps) {
  EXPECT_EQ(GameMenu->Active, 0);
  EXPECT_EQ(Step(), 1);
  Key(27);
  EXPECT_EQ(Step(), 2);
  EXPECT_EQ(GameMenu->Active, 1);
  EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
  EXPECT_EQ(channels->Count(u"SCROLL"), 1);
  std::vector<int> seen{Brightness()};
  for (int t = 0; t < 30; ++t) {
    EXPECT_EQ(Step(), 1);
    seen.push_back(Brightness());
  }
  Key(27);
  EXPECT_EQ(Step(), 3);
  EXPECT_NEAR(GameMenu->FadeOut->Counter, 31.0f, 1.0f);
  seen.push_back(Brightness());
  // A second Escape while closing waits for the closing to end.
  Key(27);
  int closingTicks = 0;
  for (int result = 0; GameMenu->Active == 1 && closingTicks < 200; ++closingTicks) {
    result = Step();
    EXPECT_EQ(result, 0);
    seen.push_back(GameMenu->Active ? Brightness() : 255);
  }
  EXPECT_LE(closingTicks, 33);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(std::abs(seen[i] - seen[i - 1]), 6) << i;
  EXPECT_EQ(Step(), 2);  // the pending Escape opens it again
}

TEST_F(GameMenuTest, EnterResumesAndButtonsVisitOrLeave) {
  Key(27);
  Step();
  for (int t = 0; t < 80; ++t) Step();
  EXPECT_EQ(Brightness(), 127);
  Key(13);
  EXPECT_EQ(Step(), 3);
  while (GameMenu->Active == 1) Step();

  struct Case {
    const char16_t* button;
    std::shared_ptr<TScreen> to;
    bool music;
  };
  UseProfile(u"Visitor");
  const String profileFile = Game->CurrentProfile->FilePath();
  for (const Case& c : {Case{u"options", OptionsScreen, false}, Case{u"help", InstructionsScreen, false},
                        Case{u"saveandexit", TitleScreen, true}}) {
    SCOPED_TRACE(platform::ToUtf8(c.button));
    Game->GameFade->Active = 0;
    GameScreen->ResetStops();
    platform::DeleteFile(profileFile);
    GameMenu->Show(0);
    for (int t = 0; t < 80; ++t) Step();
    Press(c.button);
    Step();
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Out, 1);
    EXPECT_EQ(Game->GameFade->Channel != nullptr, c.music);
    EXPECT_EQ(Game->DestinationTScreen, c.to);
    EXPECT_EQ(GameMenu->Active, 1);
    const bool visit = !c.music;
    EXPECT_EQ(GameScreen->StopKill == 1 && GameScreen->StopInit == 1, visit);
    if (visit) {
      EXPECT_EQ(c.to->Destination, GameScreen);
    }
    EXPECT_EQ(platform::FileType(profileFile) == 1, c.music);
  }
}

}  // namespace
