// The play screen's drawing (pixels, with solid stand-in pictures where a place must be
// proved) and its scrolls with the real play screen behind them: the level-complete scroll's
// recording, rows and way out, the in-game menu's visits and the way back to the same moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"
#include "play/TBoardLayer.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "support/PlayRig.h"
#include "support/TestRig.h"
#include "ui/TMenu.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

const char* kSmallLevel =
    "REM,Small\n120\n0\n6,5\n0,0\n"
    "1,1,1,1,1,1\n1,2,1,0,1,1\n1,1,8,1,3,1\n-1,1,1,1,1,2\n1,1,1,-1,1,1\n";

void ClearTo(int r, int g, int b) {
  platform::SetClsColor(r, g, b);
  platform::Cls();
}

TGameImagePtr Solid(int w, int h, uint32_t argb, int mid) {
  platform::ImagePtr image =
      platform::LoadImageFromPixmap(std::make_shared<platform::Pixmap>(w, h, argb), 0);
  return TGameImage::CreateFromImage(image, u"SOLID", mid);
}

class PlayScrollsTest : public playtest::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    LoadWorld();
    UseProfile(u"Player");
    for (int level : {7, 9, 10, 50}) WriteLevel(level, kSmallLevel);
  }
  TPlayer& P() { return *GameScreen->Player; }
  void PlayFrom(int level) {
    for (int flag = 0; flag < 8; ++flag) Game->CurrentProfile->ShowHint(flag, 0);
    GameScreen->GameStart();
    EnterLevel(level);
    ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  }
  // The outro played out: the level-complete scroll has just opened.
  void Finish() {
    ASSERT_EQ(GameScreen->NextLevel(), 1);
    ASSERT_GE(TicksUntil([] { return LevelCompleteScreen->Active == 1; }, 1000), 0);
  }
  int Draws(int x, int y, uint32_t colour) {
    GameScreen->Draw();
    return testrig::PixelNear(PixelAt(x, y), colour) ? 1 : 0;
  }
};

TEST_F(PlayScrollsTest, GaugeFillsFromTheBottomInFifths) {
  PlayFrom(9);
  GameScreen->XInactiveImage = Solid(46, 46, kRed, 1);
  GameScreen->XActive1Image = Solid(46, 46, kGreen, 1);
  GameScreen->XActive2Image = Solid(46, 46, kBlue, 1);
  // Centred at (330, 27): rows 4 to 49.
  struct Case {
    int gauge, firstGreen;
    uint32_t top;
  };
  for (const Case c : {Case{0, 50, kRed}, Case{3, 4 + 46 - 28, kRed}, Case{1, 4 + 46 - 9, kRed},
                       Case{5, 4, kBlue}}) {
    SCOPED_TRACE(c.gauge);
    GameGrid->DiagonalGauge = c.gauge;
    GameScreen->Draw();
    EXPECT_PIXEL_NEAR(PixelAt(330, 5), c.top);
    if (c.gauge > 0 && c.gauge < 5) {
      EXPECT_PIXEL_NEAR(PixelAt(330, c.firstGreen - 1), kRed);
      EXPECT_PIXEL_NEAR(PixelAt(330, c.firstGreen), kGreen);
      EXPECT_PIXEL_NEAR(PixelAt(330, 49), kGreen);
    }
  }
}

// "000000" (six of the widest digits) at the bar's place: no row lost off the top of the screen,
// and the generated bar's seat under every digit with a margin, where a magenta screen would
// show through the bar's fading lower edge.
TEST_F(PlayScrollsTest, ScoreDigitsStandWholeInsideTheirSeat) {
  PlayFrom(9);
  P().Score = P().LevelStartScore;
  struct Ink { int count = 0, left = 800, top = 600, right = -1, bottom = -1; };
  const auto ink = [&](float y) {
    ClearTo(0, 0, 0);
    P().ScoreDraw(115, y);
    const platform::PixmapPtr grab = platform::GrabPixmap(0, 0, 800, 600);
    Ink k;
    for (int py = 0; py < 600; ++py)
      for (int px = 0; px < 800; ++px)
        if ((grab->ReadPixel(px, py) & 0xFFFFFF) != 0) {
          ++k.count;
          k.left = std::min(k.left, px), k.right = std::max(k.right, px);
          k.top = std::min(k.top, py), k.bottom = std::max(k.bottom, py);
        }
    return k;
  };
  const Ink atBar = ink(6), lower = ink(206);
  EXPECT_EQ(atBar.count, lower.count) << "digit rows above the screen's top edge";
  EXPECT_GE(atBar.top, 1);
  ClearTo(255, 0, 255);
  platform::DrawImage(GameScreen->UI->image, 0, 0);
  const platform::PixmapPtr bar = platform::GrabPixmap(0, 0, 800, 600);
  for (int py = std::max(0, atBar.top - 2); py <= atBar.bottom + 2; ++py)
    for (int px = atBar.left - 2; px <= atBar.right + 2; ++px) {
      const uint32_t p = bar->ReadPixel(px, py);
      ASSERT_FALSE(((p >> 16) & 0xFF) > 100 && (p & 0xFF) > 100 && ((p >> 8) & 0xFF) < 60)
          << "no seat under (" << px << ", " << py << ")";
    }
}

// Every level's stage text, from "1 - 1" to "10 - 5", ends on its plate, short of the plate's
// gold rim (read from the bar's picture), clear of the hourglass beyond it.
TEST_F(PlayScrollsTest, StageTextFitsItsPlateAtEveryLevel) {
  PlayFrom(9);
  const platform::Pixmap& bar = *GameScreen->UI->image->frames[0];
  const auto rim = [&](int x) {
    const uint32_t p = bar.ReadPixel(x, 24);
    const int r = (p >> 16) & 0xFF, b = p & 0xFF;
    return (p >> 24) > 128 && r > 70 && r > b + 15;  // gold over the plate's night blue
  };
  int right = 466;
  while (right < bar.Width() && !rim(right)) ++right;
  platform::SetImageFont(UIFont);
  for (int chapter = 1; chapter <= 10; ++chapter) {
    for (int level = 1; level <= 5; ++level) {
      const String text = S(std::to_string(chapter) + " - " + std::to_string(level));
      // Drawn from x 465 with a shadow a pixel to the right.
      EXPECT_LE(465 + platform::TextWidth(text) + 1, right) << platform::ToUtf8(text);
    }
  }
}

// Every hint page fully open: the ten rows under the upper roller (its lower edge at 162) hold
// no dark ink across the page, and the heading's ink follows below them.
TEST_F(PlayScrollsTest, HintHeadingsStandWholeBelowTheUpperRoller) {
  PlayFrom(9);
  const auto dark = [](const platform::PixmapPtr& grab, int y0, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = 200; x < 600; ++x) {
        const uint32_t p = grab->ReadPixel(x, y);
        n += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 110;
      }
    return n;
  };
  for (const char16_t* page : {u"lion", u"key", u"fireball", u"axe", u"tornado", u"doubleaxe",
                               u"star", u"vines", u"gaugefull", u"removebricks", u"hint"}) {
    SCOPED_TRACE(platform::ToUtf8(page));
    HintScroll->LoadSpecial(page);
    HintScroll->Show(0);
    GameTick(80);
    ASSERT_EQ(HintScroll->Unroll->Active, 0);
    GameScreen->Draw();
    const platform::PixmapPtr grab = platform::GrabPixmap(0, 0, 800, 600);
    EXPECT_EQ(dark(grab, 163, 172), 0);
    EXPECT_GT(dark(grab, 173, 210), 100);
    HintScroll->Hide();
  }
}

// The board's floor at rest is copied from the picture kept of it; through every kind of change
// (a brick worn away, armour, the board's fade, cells moving, a tint) each frame is the one
// drawing the background and the floor gives, and the picture serves again two frames later.
TEST_F(PlayScrollsTest, TheKeptFloorIsTheDrawnFloorThroughEveryChange) {
  PlayFrom(9);
  const auto cell = [](int x, int y) { return GridAt(x, y); };
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"at rest", [] {}},
      {"a brick worn away", [&] { cell(1, 1)->gold = 0; }},
      {"armour", [&] { cell(4, 2)->armour = 1 - cell(4, 2)->armour; }},
      {"the board fading", [] { GameGrid->alpha = 0.4f; }},
      {"cells moving", [] {
         GameGrid->alpha = 1.0f;
         for (int x = 0; x < GameGrid->levelwidth; ++x)
           for (int y = 0; y < GameGrid->levelheight; ++y) GridAt(x, y)->sy += 3.5f;
       }},
      {"a tint", [] { platform::SetColor(200, 120, 90); }},
  };
  TBoardLayer& layer = *GameScreen->BoardLayer;
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    change();
    int cr, cg, cb;
    platform::GetColor(cr, cg, cb);
    platform::SetBlend(platform::SOLIDBLEND);
    platform::DrawImage(GameScreen->Image, 0, 0);
    platform::SetBlend(platform::ALPHABLEND);
    GameGrid->DrawFloor();
    const platform::PixmapPtr drawn = platform::GrabPixmap(0, 0, 800, 600);
    for (int frame = 0; frame < 3; ++frame) {
      platform::SetColor(cr, cg, cb);
      platform::SetAlpha(1.0f);
      platform::Cls();
      layer.Draw(GameScreen->Image, GameGrid.get());
      EXPECT_EQ(layer.Copied(), frame == 2) << frame;
      const platform::PixmapPtr shown = platform::GrabPixmap(0, 0, 800, 600);
      const size_t n = static_cast<size_t>(800) * 600;
      EXPECT_TRUE(std::equal(shown->Pixels(), shown->Pixels() + n, drawn->Pixels())) << frame;
      const float alpha = platform::GetAlpha();
      int r, g, b;
      platform::GetColor(r, g, b);
      EXPECT_EQ(alpha, GameGrid->alpha);
      EXPECT_EQ(r + g + b, 3 * 255);
      EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
    }
  }
  platform::SetColor(255, 255, 255);
}

TEST_F(PlayScrollsTest, OutroSlidesTheBarAndRoadAndSpringsWellDone) {
  PlayFrom(9);
  GameScreen->BrickRoad = Solid(800, 100, kBlue, 0);
  GameScreen->UI = Solid(800, 55, kRed, 0);
  ASSERT_EQ(Draws(400, 10, kRed), 1);
  ASSERT_EQ(GameScreen->NextLevel(), 1);
  GameTick(900 - 299);  // the first tick of the slide window: 299 ticks left
  GameScreen->Draw();
  EXPECT_NEAR(GameScreen->WellDone->ScaleY, 8.94f, 0.1f);
  GameTick(103);
  GameScreen->Draw();
  EXPECT_GT(GameScreen->WellDone->ScaleY, 1.0f);
  GameTick();  // 105 ticks into the window
  GameScreen->Draw();
  EXPECT_FLOAT_EQ(GameScreen->WellDone->ScaleY, 1.0f);
  GameTick(45);  // 150 ticks left: halfway
  EXPECT_FLOAT_EQ(GameScreen->GetHUDY(), -75.0f);
  EXPECT_FLOAT_EQ(GameScreen->Menu->FindButton(u"Menu")->y, -67.0f);
  EXPECT_EQ(Draws(400, 552, kBlue), 1);  // the road 50 px down: its top at 550
  EXPECT_EQ(Draws(400, 547, kBlue), 0);
  // Under the level-complete scroll: the road, but neither bar nor buttons.
  GameTick(150);
  ASSERT_EQ(LevelCompleteScreen->Active, 1);
  EXPECT_EQ(GameScreen->HUDDraw(), 0);
  GameScreen->Draw();
  EXPECT_FALSE(testrig::PixelNear(PixelAt(400, 10), kRed));
}

TEST_F(PlayScrollsTest, NoMoreMovesShowsOnlyOnceTheShakingStops) {
  PlayFrom(9);
  const auto text = [&] {
    GameScreen->Draw();
    int gold = 0;  // the caption's gold where its letters are solid
    for (int x = 250; x < 550; ++x) gold += (PixelAt(x, 245) & 0xFFFFFF) == 0xFFD66E;
    return gold;
  };
  const int none = text();
  GameGrid->NoMore = 1;
  GameGrid->JiggleDirection = 1;
  EXPECT_EQ(text(), none);
  GameGrid->JiggleDirection = 0;
  EXPECT_GT(text(), none + 10);
}

// "No More Moves" reads at 4.5:1 or more against whatever touches its letters, on every
// chapter's background: over its first level's board, over the sky alone and with gems flying
// across the sky behind it. The letters are the caption drawn alone, white on black, at its
// place; what touches them is every pixel they leave uncovered within two of a pixel they cover
// at least half. Where they are solid they keep their gold.
TEST_F(PlayScrollsTest, NoMoreMovesReadsOnEveryChaptersBackground) {
  constexpr uint32_t kGold = 0xFFFFD66E;
  constexpr int kTop = 200, kBottom = 330;
  for (int chapter = 1; chapter <= 10; ++chapter) {
    const int level = 5 * chapter - 4;
    WriteLevel(level, testrig::ReadFileBytes(std::string(LV_SOURCE_DIR) + "/data/levels/" +
                                             std::to_string(level) + ".txt"));
  }
  ClearTo(0, 0, 0);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetImageFont(MainFont);
  ccDrawTextCentre(TGameScreen::NoMoreMovesText, static_cast<float>(ScreenHeight / 2 - 80), 0, 0);
  const platform::PixmapPtr cover = platform::GrabPixmap(0, 0, 800, 600);
  const auto coverAt = [&](int x, int y) {
    return static_cast<int>(cover->ReadPixel(x, y) >> 8 & 0xFF);
  };
  std::vector<std::pair<int, int>> fill, ring;
  for (int y = kTop; y < kBottom; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (coverAt(x, y) == 255) fill.emplace_back(x, y);
      if (coverAt(x, y) != 0) continue;
      bool near = false;
      for (int dy = -2; dy <= 2 && !near; ++dy)
        for (int dx = -2; dx <= 2 && !near; ++dx) near = coverAt(x + dx, y + dy) >= 128;
      if (near) ring.emplace_back(x, y);
    }
  }
  ASSERT_GT(fill.size(), 1000u);
  ASSERT_EQ(coverAt(400, kTop - 1) + coverAt(400, kBottom), 0);  // the band holds the line

  const double gold = testrig::Luminance(kGold);
  double weakestOfAll = 100.0;
  const auto weakest = [&](const std::string& what) {
    GameScreen->Draw();
    const platform::PixmapPtr frame = platform::GrabPixmap(0, 0, 800, 600);
    int golden = 0;
    for (const auto& [x, y] : fill)
      golden += testrig::PixelNear(frame->ReadPixel(x, y), kGold) ? 1 : 0;
    EXPECT_EQ(golden, static_cast<int>(fill.size())) << what;
    double worst = 100.0;
    for (const auto& [x, y] : ring) {
      const double l = testrig::Luminance(frame->ReadPixel(x, y));
      worst = std::min(worst, (std::max(l, gold) + 0.05) / (std::min(l, gold) + 0.05));
    }
    weakestOfAll = std::min(weakestOfAll, worst);
    return worst;
  };
  for (int chapter = 1; chapter <= 10; ++chapter) {
    SCOPED_TRACE(chapter);
    PlayFrom(5 * chapter - 4);
    ASSERT_EQ(GameScreen->Chapter, chapter);
    GameGrid->NoMore = 1;
    GameGrid->JiggleDirection = 0;
    EXPECT_GE(weakest("board"), 4.5);
    GameGrid->alpha = 0.0f;  // the board faded out: the sky alone
    GemList->ForEach([](const TGemPtr& gem) { gem->y = -200.0f; });
    EXPECT_GE(weakest("sky"), 4.5);
    int n = 0;
    GemList->ForEach([&](const TGemPtr& gem) {
      gem->x = static_cast<float>(170 + n % 10 * 52);
      gem->y = static_cast<float>(236 + n / 10 % 3 * 22);
      ++n;
    });
    EXPECT_GE(weakest("gems"), 4.5);
  }
  RecordProperty("weakest", std::to_string(weakestOfAll));
}

TEST_F(PlayScrollsTest, GoShowsOnlyInTheIntroWithoutAPage) {
  WriteLevel(1, kSmallLevel);
  GameScreen->GameStart();
  EnterLevel(1);  // the lion page is up
  GameScreen->Go->ScaleX = -1.0f;
  GameScreen->Draw();
  EXPECT_EQ(GameScreen->Go->ScaleX, -1.0f);
  HintScroll->Kill();
  GameScreen->Draw();
  EXPECT_NEAR(GameScreen->Go->ScaleX, 3.0f, 0.05f);
  GameTick(200);
  GameScreen->Go->ScaleX = -1.0f;
  GameScreen->Draw();
  EXPECT_EQ(GameScreen->Go->ScaleX, -1.0f);
}

TEST_F(PlayScrollsTest, LevelCompleteRecordsProgressShowsRowsAndLeads) {
  struct Case {
    int level, unlockedBefore, storedLevel, storedLocked;
    std::shared_ptr<TScreen>* to;
    const char* heading;
  };
  const Case cases[] = {
      {7, 7, 8, 9, reinterpret_cast<std::shared_ptr<TScreen>*>(&LevelSelectScreen), "7"},
      {7, 20, 8, 21, reinterpret_cast<std::shared_ptr<TScreen>*>(&LevelSelectScreen), "7"},
      {50, 50, 1, 52, reinterpret_cast<std::shared_ptr<TScreen>*>(&GameFinishedScreen), "50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    PlayFrom(c.level);
    P().Unlocked = c.unlockedBefore;
    P().Score = P().LevelStartScore;
    P().TimeTaken = 65.0f * 200.0f;
    channels->played.clear();
    const int lockedBefore = Game->CurrentProfile->LockedLevel;
    Finish();
    EXPECT_EQ(channels->Count(u"SCROLL"), 1);
    EXPECT_EQ(platform::ToUtf8(Game->MusicFileName), "levelend.ogg");
    const auto stored = TProfile::Create(u"Player");
    stored->Load();
    EXPECT_EQ(stored->CurrentLevel, c.storedLevel);
    // After the last level the run is reset and the opened levels kept as they were.
    EXPECT_EQ(stored->LockedLevel, c.level == 50 ? lockedBefore : c.storedLocked);
    EXPECT_EQ(LevelCompleteScreen->GameFinished, c.level == 50 ? 1 : 0);
    if (c.level == 50) {
      EXPECT_EQ(stored->Score, 0);
      EXPECT_EQ(stored->Lives, 3);
      EXPECT_EQ(stored->Kills, 0);
      EXPECT_EQ(stored->TimeTaken, 0.0);
      EXPECT_EQ(LevelCompleteScreen->Chapter, 10);
      EXPECT_EQ(LevelCompleteScreen->SubLevel, 5);
    }
    EXPECT_EQ(LevelCompleteScreen->StartY, 271);
    EXPECT_EQ(platform::ToUtf8(TLevelCompleteScreen::TimeText()), "1:05");
    EXPECT_EQ(platform::ToUtf8(TLevelCompleteScreen::ScoreText()), "0");
    // OK stays off through the unroll; Escape then rolls it up; 1 from the end of the roll-up.
    const TButtonPtr ok = LevelCompleteScreen->Menu->FindButton(u"OK");
    for (int t = 0; t < 74; ++t) {
      ASSERT_EQ(ok->Active, 0) << t;
      GameTick();
    }
    GameTick();
    EXPECT_EQ(ok->Active, 1);
    PostKey(27);
    GameTick();
    EXPECT_EQ(LevelCompleteScreen->Unroll->Reverse, 1);
    ASSERT_GE(TicksUntil([] { return LevelCompleteScreen->Active == 2; }, 100), 74);
    EXPECT_EQ(LevelCompleteScreen->Logic(), 1);
    // The continue: one fade with the music, one click sound, even for a second click.
    channels->played.clear();
    PostClick(400, 300);
    GameTick();
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
    EXPECT_EQ(Game->DestinationTScreen, *c.to);
    EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
    ASSERT_GE(TicksUntil([] { return Game->CurrentTScreen != GameScreen; }, 200), 0);
    EXPECT_EQ(Game->CurrentTScreen, *c.to);
    EXPECT_EQ(channels->Count(u"BUTTONCLICK"), 1);
    EXPECT_FALSE(GameGrid);
    EXPECT_EQ(LevelCompleteScreen->Active, 0);
    Game->CurrentProfile->Load();
  }
}

TEST_F(PlayScrollsTest, ClickOrEnterRollTheScrollUpAndAnEarlyClickWaits) {
  PlayFrom(9);
  Finish();
  GameTick(10);
  PostClick(400, 300);
  GameTick();
  EXPECT_EQ(LevelCompleteScreen->Unroll->Reverse, 0);
  ASSERT_GE(TicksUntil([] { return LevelCompleteScreen->Unroll->Reverse == 1; }, 100), 63);
  EXPECT_LE(TicksUntil([] { return LevelCompleteScreen->Active == 2; }, 100), 76);
  GameScreen->Kill();
  PlayFrom(9);
  Finish();
  GameTick(80);
  Game->Mouse->x = 5;
  Game->Mouse->y = 5;
  PostKey(13);
  GameTick();
  EXPECT_EQ(LevelCompleteScreen->Unroll->Reverse, 1);
}

TEST_F(PlayScrollsTest, MenuVisitsComeBackToTheSameMoment) {
  PlayFrom(9);
  GameTick(300);
  struct Case {
    const char16_t* button;
    std::shared_ptr<TScreen> to;
  };
  for (const Case& c : {Case{u"options", OptionsScreen}, Case{u"help", InstructionsScreen}}) {
    SCOPED_TRACE(platform::ToUtf8(c.button));
    const auto board = GameGrid;
    const float time = P().TimeTaken;
    const int score = P().Score;
    PostKey(27);
    GameTick(80);
    ASSERT_EQ(GameMenu->Active, 1);
    const TButtonPtr b = GameMenu->Menu->FindButton(c.button);
    PostClick(static_cast<int>(b->x) + 5, static_cast<int>(b->y) + 5);
    ASSERT_GE(TicksUntil([&] { return Game->CurrentTScreen == c.to; }, 200), 0);
    EXPECT_EQ(c.to->Destination, GameScreen);
    PostKey(13);
    ASSERT_GE(TicksUntil([] { return Game->CurrentTScreen == GameScreen; }, 200), 0);
    EXPECT_EQ(GameGrid, board);
    EXPECT_EQ(P().TimeTaken, time);
    EXPECT_EQ(P().Score, score);
    EXPECT_EQ(GameMenu->Active, 1);
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    EXPECT_EQ(GameScreen->StopKill, 0);
    PostKey(27);
    GameTick(100);
    ASSERT_EQ(GameMenu->Active, 0);
    GameTick(10);
    EXPECT_GT(P().TimeTaken, time);
  }
}

}  // namespace
