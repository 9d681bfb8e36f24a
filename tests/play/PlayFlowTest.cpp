// The play screen with the real assets and real board, headless: entering a level, the initial
// fill, the once-only pages, the intro and the outro, the tick's gates, the gauge, the keys and
// the faults mended around them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticle.h"
#include "gfx/TParticleList.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Channel.h"
#include "platform/Clock.h"
#include "platform/Image.h"
#include "platform/System.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "support/PlayRig.h"
#include "ui/TMenu.h"

namespace {

// 6 by 5: a hole, a fixed lion, locked cells, armour; 27 colour gems.
const char* kSmallLevel =
    "REM,Small\n120\n0\n6,5\n0,0\n"
    "1,1,1,1,1,1\n"
    "1,2,1,0,1,1\n"
    "1,1,8,1,3,1\n"
    "-1,1,1,1,1,2\n"
    "1,1,1,-1,1,1\n";

std::string Level(int w, int h, const std::function<int(int, int)>& code) {
  std::string text = "REM,Made\n120\n0\n" + std::to_string(w) + "," + std::to_string(h) + "\n0,0\n";
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) text += std::to_string(code(x, y)) + (x + 1 < w ? "," : "\n");
  }
  return text;
}

int CountTumblets() {
  int n = 0;
  GemList->ForEach([&](const std::shared_ptr<TGem>& gem) { n += gem->Tumblet; });
  return n;
}

int TypeAt(int x, int y) {
  const TCell* cell = GridAt(x, y);
  return cell && cell->Gem ? cell->Gem->GemType : 0;
}

class PlayFlowTest : public playtest::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    LoadWorld();
    UseProfile(u"Player");
  }
  TPlayer& P() { return *GameScreen->Player; }
  // Enters level and lets the intro run out (closing any page).
  void PlayFrom(int level) {
    EnterLevel(level);
    if (HintScroll->Active) {
      GameTick(80);
      PostClick(5, 5);
      ASSERT_GE(TicksUntil([] { return HintScroll->Active == 0; }, 100), 0);
    }
    ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  }
  TButtonPtr Corner(const char16_t* name) { return GameScreen->Menu->FindButton(name); }
};

TEST_F(PlayFlowTest, EnteringPicksChapterPictureAndTrackAndHandsEscapeToTheMenu) {
  struct Case {
    int level, chapter;
    const char* music;
  };
  for (const Case c : {Case{23, 5, "level3.ogg"}, Case{26, 6, "level5.ogg"}, Case{1, 1, "level3.ogg"}}) {
    SCOPED_TRACE(c.level);
    WriteLevel(c.level, kSmallLevel);
    EnterLevel(c.level);
    EXPECT_EQ(platform::ToUtf8(GameScreen->name), "game");
    EXPECT_EQ(GameScreen->Chapter, c.chapter);
    EXPECT_EQ(platform::ToUtf8(Game->MusicFileName), c.music);
    EXPECT_EQ(Game->IgnoreEscapeKey, 1);
    EXPECT_EQ(Game->CurrentTScreen, GameScreen);
    const platform::ImagePtr expected =
        platform::LoadImage(Game->ImagePath + u"bg" + S(std::to_string(c.chapter)) + u".jpg", 0);
    const platform::PixmapPtr a = platform::LockImage(GameScreen->Image);
    const platform::PixmapPtr b = platform::LockImage(expected);
    for (const int p : {0, 123, 400, 777}) EXPECT_EQ(a->ReadPixel(p, p / 2), b->ReadPixel(p, p / 2));
    EXPECT_EQ(Corner(u"Hint")->x, 8.0f);
    EXPECT_EQ(Corner(u"Menu")->x, 727.0f);
    EXPECT_EQ(Corner(u"Menu")->y, 8.0f);
    EXPECT_FALSE(Corner(u"Menu")->SoundClick);
    GameScreen->Kill();
  }
}

// Fault 3: a stored level outside 1..50 does not reach the chapter tables.
TEST_F(PlayFlowTest, StoredLevelIsClampedIntoTheGame) {
  for (const int stored : {-7, 0, 51, 9999}) {
    Game->CurrentProfile->CurrentLevel = stored;
    GameScreen->GameStart();
    EXPECT_GE(P().Level, 1);
    EXPECT_LE(P().Level, 50);
    EXPECT_GE(GameScreen->GetChapter(), 1);
    EXPECT_LE(GameScreen->GetChapter(), 10);
  }
  P().Level = 51;
  EXPECT_EQ(GameScreen->GetChapter(), 10);
  EXPECT_EQ(GameScreen->GetSubLevel(), 1);
}

// The fill, over many seeds: no run of three among drawn colours (the rule's own test, cell by
// cell), fixed pieces and locks in place, 15 % Tumblets; and the rule is not stricter than it
// says: runs restart after a hole and after a fixed piece, and the vertical test stops at a hole.
TEST_F(PlayFlowTest, FillHasNoReadyRunAndKeepsPiecesLocksAndTumbletShare) {
  WriteLevel(1, kSmallLevel);
  Game->CurrentProfile->ShowHint(0, 1);
  EnterLevel(1);
  bool pairBeforeHole = false, afterPiece = false, overHole = false;
  for (int seed = 1; seed <= 150; ++seed) {
    platform::SeedRnd(seed);
    GameScreen->FillGrid();
    int colours = 0;
    for (int y = 0; y < GameGrid->levelheight; ++y) {
      for (int x = 0; x < GameGrid->levelwidth; ++x) {
        const TCell* cell = GridAt(x, y);
        const int t = TypeAt(x, y);
        if (cell->active == 0) {
          EXPECT_EQ(t, 0);
          continue;
        }
        ASSERT_NE(t, 0) << x << "," << y;
        if (cell->bonus >= 8) {
          EXPECT_EQ(t, cell->bonus);
          continue;
        }
        ++colours;
        EXPECT_LE(t, 7);
        EXPECT_EQ(cell->Gem->locked, cell->gemlocked);
        if (x >= 2) {
          EXPECT_FALSE(TypeAt(x - 1, y) == t && TypeAt(x - 2, y) == t) << seed;
        }
        if (y >= 2) {
          EXPECT_FALSE(TypeAt(x, y - 1) == t && TypeAt(x, y - 2) == t) << seed;
        }
      }
    }
    EXPECT_EQ(CountTumblets(), static_cast<int>(colours * 0.15));
    // Row 1: (1,1) (2,1) left of the hole at (3,1), (4,1) right of it.
    pairBeforeHole |= TypeAt(1, 1) == TypeAt(2, 1) && TypeAt(2, 1) == TypeAt(4, 1);
    // Row 2: the lion at (2,2): (3,2) may equal (0,2)..(1,2) pair.
    afterPiece |= TypeAt(0, 2) == TypeAt(1, 2) && TypeAt(1, 2) == TypeAt(3, 2);
    // Column 3: (3,0) over the hole at (3,1); (3,2), (3,3) below it may equal (3,0).
    overHole |= TypeAt(3, 0) == TypeAt(3, 2) && TypeAt(3, 2) == TypeAt(3, 3);
  }
  EXPECT_TRUE(pairBeforeHole);
  EXPECT_TRUE(afterPiece);
  EXPECT_TRUE(overHole);
}

// A fill that leaves no move is filled again: the first fill's colours scripted into four
// colours in 2 x 2 blocks (no swap makes a run), the level still starts with a move.
TEST_F(PlayFlowTest, AFillWithoutAMoveIsFilledAgain) {
  WriteLevel(13, Level(4, 3, [](int, int) { return 1; }));
  EnterLevel(13);
  const auto indexOf = [](int type) {
    for (int i = 0; i < PossGemsCount; ++i) {
      if (PossGems[static_cast<size_t>(i)] == type) return i;
    }
    return -1;
  };
  ASSERT_GE(PossGemsCount, 4);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      ASSERT_TRUE(platform::PushRand(0, PossGemsCount - 1, indexOf((x % 2) * 2 + (y % 2) + 1)));
    }
  }
  const long before = platform::RandomCallCount();
  GameScreen->LevelStart();
  EXPECT_EQ(platform::ClearScriptedRandom(), 0) << "the first fill did not take the scripted colours";
  EXPECT_EQ(GameGrid->NoMoreMoves(0), 0);
  // The first fill drew 12 colours and its Tumblet's place: more draws mean a second fill.
  EXPECT_GT(platform::RandomCallCount() - before, 12 + 2 + 12);
}

// Fault 5: a cell for which no colour can be drawn ends the level start with a fatal error
// naming the level file, instead of drawing for ever.
TEST_F(PlayFlowTest, FillThatCannotBeCompletedIsAFatalErrorNamingTheLevel) {
  WriteLevel(12, Level(3, 1, [](int, int) { return 1; }));
  std::vector<std::string> messages;
  ccGraphicalErrors = 1;
  SetErrorBoxHook([&](const String& message) {
    messages.push_back(platform::ToUtf8(message));
    return true;
  });
  for (int i = 0; i < 1003; ++i) platform::PushRand(0, 4, 0);
  EXPECT_THROW(EnterLevel(12), platform::ProgramExit);
  platform::ClearScriptedRandom();
  SetErrorBoxHook(nullptr);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("12.txt"), std::string::npos) << messages[0];
}

TEST_F(PlayFlowTest, TumbletShareIsTruncatedFifteenPercent) {
  struct Case {
    int w, h, holes, expected;
  };
  int level = 10;
  for (const Case c : {Case{10, 6, 0, 9}, Case{3, 2, 0, 0}, Case{5, 4, 1, 2}, Case{5, 4, 0, 3}}) {
    SCOPED_TRACE(c.w * c.h - c.holes);
    WriteLevel(++level, Level(c.w, c.h, [&](int x, int y) { return x + y * c.w < c.holes ? 0 : 1; }));
    EnterLevel(level);
    EXPECT_EQ(GemList->Count(), c.w * c.h - c.holes);
    EXPECT_EQ(CountTumblets(), c.expected);
    GameScreen->Kill();
  }
}

TEST_F(PlayFlowTest, LevelPagesOpenOncePerProfileAndHoldTheStartSound) {
  const char* pages[] = {"lion", "key", "fireball", "axe", "tornado", "doubleaxe", "star", "vines"};
  for (int level = 1; level <= 9; ++level) {
    SCOPED_TRACE(level);
    WriteLevel(level, kSmallLevel);
    channels->played.clear();
    EnterLevel(level);
    if (level == 9) {
      EXPECT_EQ(HintScroll->Active, 0);
      EXPECT_EQ(channels->Count(u"LEVELSTART"), 1);
      break;
    }
    ASSERT_EQ(HintScroll->Active, 1);
    EXPECT_EQ(platform::ToUtf8(HintScroll->file), pages[level - 1]);
    auto stored = TProfile::Create(u"Player");
    stored->Load();
    EXPECT_EQ(stored->HintsShown[static_cast<size_t>(level - 1)], 1);
    // The page holds the board and the intro; the start sound waits for it.
    const float intro = GameScreen->IntroAnim->Counter;
    GameTick(80);
    EXPECT_EQ(GameScreen->IntroAnim->Counter, intro);
    EXPECT_EQ(channels->Count(u"LEVELSTART"), 0);
    PostClick(5, 5);
    GameTick();
    ASSERT_GE(TicksUntil([] { return HintScroll->Active == 0; }, 100), 0);
    EXPECT_EQ(channels->Count(u"LEVELSTART"), 1);
    // The same level again: no page, the sound at once.
    channels->played.clear();
    GameScreen->RestartLevel();
    EXPECT_EQ(HintScroll->Active, 0);
    EXPECT_EQ(channels->Count(u"LEVELSTART"), 1);
    GameScreen->Kill();
  }
}

// Fault 4: a page asked while another is up, or without a profile, spends nothing.
TEST_F(PlayFlowTest, OnceOnlyPageSpendsItsFlagOnlyWhenItOpens) {
  WriteLevel(9, kSmallLevel);
  EnterLevel(9);
  EXPECT_EQ(GameScreen->ShowOnceOnlyPage(9, u"removebricks"), 1);
  EXPECT_EQ(GameScreen->ShowOnceOnlyPage(8, u"gaugefull"), 0);
  EXPECT_EQ(Game->CurrentProfile->HintsShown[8], 0);
  EXPECT_EQ(platform::ToUtf8(HintScroll->file), "removebricks");
  HintScroll->Kill();
  Game->CurrentProfile.reset();
  EXPECT_EQ(GameScreen->ShowOnceOnlyPage(8, u"gaugefull"), 0);
  EXPECT_EQ(HintScroll->Active, 0);
}

TEST_F(PlayFlowTest, OutroIsRefusedInIntroOutroAndDeathThenRunsItsTimeline) {
  WriteLevel(9, kSmallLevel);
  EnterLevel(9);
  EXPECT_EQ(GameScreen->NextLevel(), 0);  // intro
  ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  P().Alive = 0;
  EXPECT_EQ(GameScreen->NextLevel(), 0);
  P().Alive = 1;
  Game->MusicVolume = 100;
  const float sy0 = GridAt(0, 0)->sy;
  const double total0 = P().TotalTimeTaken;
  P().TimeTaken = 123;
  ASSERT_EQ(GameScreen->NextLevel(), 1);
  EXPECT_EQ(GameScreen->NextLevel(), 0);  // running
  EXPECT_EQ(P().NoChecks, 1);
  EXPECT_EQ(channels->Count(u"LEVELEND"), 1);
  for (int tick = 1; tick <= 900; ++tick) {
    GameTick();
    const float volume = Game->MusicChannel->volume;
    if (tick < 200) {
      EXPECT_NEAR(volume, 1.0f - tick / 200.0f, 1e-4) << tick;
    }
    if (tick >= 200 && tick < 900) {
      EXPECT_NEAR(volume, 0.0f, 0.006f) << tick;
    }
    if (tick <= 400) {
      EXPECT_EQ(GridAt(0, 0)->sy, sy0) << tick;
    }
    if (tick > 401) {
      EXPECT_GT(GridAt(0, 0)->sy, sy0) << tick;
    }
    EXPECT_EQ(LevelCompleteScreen->Active, tick == 900 ? 1 : 0) << tick;
  }
  EXPECT_EQ(P().TotalTimeTaken, total0 + 123);
}

TEST_F(PlayFlowTest, CornerButtonsWaitForTheIntroAndAnyScroll) {
  WriteLevel(9, kSmallLevel);
  EnterLevel(9);
  const TButtonPtr menu = Corner(u"Menu");
  const auto clickMenu = [&] { PostClick(static_cast<int>(menu->x) + 10, static_cast<int>(menu->y) + 10); };
  clickMenu();
  GameTick();
  EXPECT_EQ(GameMenu->Active, 0);
  ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  // A page up: the buttons are dead too, and nothing of the board moves.
  GameScreen->ShowOnceOnlyPage(10, u"hint");
  const float time = P().TimeTaken;
  for (int t = 0; t < 100; ++t) {
    if (t == 50) clickMenu();
    GameTick();
  }
  EXPECT_EQ(GameMenu->Active, 0);
  EXPECT_EQ(P().TimeTaken, time);
  HintScroll->Kill();
  // "Menu" opens the in-game menu and ends the tick with 0.
  Game->Mouse->x = static_cast<int>(menu->x) + 10;
  Game->Mouse->y = static_cast<int>(menu->y) + 10;
  ++Game->Mouse->h1;
  Game->Mouse->CalcButtonTotals();
  EXPECT_EQ(GameScreen->Logic(), 0);
  EXPECT_EQ(GameMenu->Active, 1);
  for (int t = 0; t < 100; ++t) GameTick();
  EXPECT_EQ(P().TimeTaken, time);
  // "Hint" with no hint to give: the board's invalid sound through its own pool.
  PostKey(27);
  GameTick(100);
  ASSERT_EQ(GameMenu->Active, 0);
  const TButtonPtr hint = Corner(u"Hint");
  boardChannels->played.clear();
  if (GameGrid->HintStart() == 0) {
    PostClick(static_cast<int>(hint->x) + 10, static_cast<int>(hint->y) + 10);
    GameTick();
    EXPECT_EQ(boardChannels->Count(u"INVALID"), 1);
  }
}

TEST_F(PlayFlowTest, FreedTumbletLandsOnceAtTheRoadAndRunsAway) {
  WriteLevel(9, kSmallLevel);
  PlayFrom(9);
  const TParticlePtr t = Tumblets->AddNew(100, 480, TGem::TumbletFallingImages[3], 0.0f, 7.0f, 0.0f,
                                          0.0f, 0, 0, 0.0f, 1.0f, 0.0f, 0, 0);
  t->Data1 = 3;
  t->Data2 = -1;
  GameTick();
  GameTick();  // 480 + 7 + 7 = 494: still falling
  EXPECT_EQ(t->Data3, 0);
  GameTick();
  EXPECT_EQ(t->Data3, 1);
  EXPECT_EQ(t->y, 500.0f);
  EXPECT_EQ(t->dx, -1.0f);
  EXPECT_EQ(t->image, TGem::TumbletRunningImages[3]);
  GameTick(10);
  EXPECT_EQ(t->y, 500.0f);
  EXPECT_NEAR(t->x, 100.0f - 10.0f, 0.01f);
}

TEST_F(PlayFlowTest, GaugeStepsFillWithDelayGrantOneMoveAndSparkle) {
  WriteLevel(9, kSmallLevel);
  PlayFrom(9);
  for (int profileRound = 0; profileRound < 2; ++profileRound) {
    SCOPED_TRACE(profileRound);
    GameGrid->DiagonalGauge = 0;
    GameGrid->DiagonalMoves = 0;
    channels->played.clear();
    for (int n = 0; n < 6; ++n) {
      GameScreen->Host.AddGaugeStep(1000);
      GameTick(10);
    }
    // Steps land 200 ticks after each Tumblet: the first at tick 200.
    GameTick(200 - 60 - 1);
    EXPECT_EQ(GameGrid->DiagonalGauge, 0);
    GameTick();
    EXPECT_EQ(GameGrid->DiagonalGauge, 1);
    GameTick(40);
    EXPECT_EQ(GameGrid->DiagonalGauge, 5);
    EXPECT_EQ(GameGrid->DiagonalMoves, 1);
    EXPECT_EQ(channels->Count(u"GAUGEFULL1"), 1);
    EXPECT_EQ(GameGrid->DiagonalTextCounter > 0, true);
    EXPECT_EQ(GameGrid->DiagonalReminderCounter, GameGrid->DiagonalReminderLength);
    EXPECT_EQ(HintScroll->Active, profileRound == 0 ? 1 : 0);
    if (HintScroll->Active) {
      EXPECT_EQ(platform::ToUtf8(HintScroll->file), "gaugefull");
      GameTick(80);
      PostClick(5, 5);
      ASSERT_GE(TicksUntil([] { return HintScroll->Active == 0; }, 100), 0);
    }
    GameTick(20);
    EXPECT_EQ(GameScreen->GaugeFillDelay->Count(), 0);  // the sixth is spent without a step
    EXPECT_EQ(GameGrid->DiagonalGauge, 5);
    // Sparkles every 20 ticks near the gauge.
    Particles->Clear();
    GameTick(100);
    int sparkles = 0;
    Particles->ForEach([&](const TParticlePtr& p) {
      ++sparkles;
      EXPECT_LE(std::abs(p->x - 330.0f), 24.0f);
      EXPECT_LE(std::abs(p->y - 27.0f), 24.0f);
    });
    EXPECT_EQ(sparkles, 5);
  }
}

TEST_F(PlayFlowTest, IdlePlayOpensTheHintPageOncePerProfile) {
  WriteLevel(9, kSmallLevel);
  PlayFrom(9);
  GameTick(3999);
  EXPECT_EQ(HintScroll->Active, 0);
  GameTick(2);
  ASSERT_EQ(HintScroll->Active, 1);
  EXPECT_EQ(platform::ToUtf8(HintScroll->file), "hint");
  GameTick(80);
  PostClick(5, 5);
  ASSERT_GE(TicksUntil([] { return HintScroll->Active == 0; }, 100), 0);
  GameScreen->RestartLevel();
  ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  GameTick(4100);
  EXPECT_EQ(HintScroll->Active, 0);
}

TEST_F(PlayFlowTest, ControlKeysRestartGiveUpAndWaitAsTheyShould) {
  WriteLevel(9, kSmallLevel);
  PlayFrom(9);
  // Control held through the tick that reads the letter.
  const auto ctrl = [&](int key) {
    HoldKey(162, true);
    PostKey(key);
    GameTick();
    HoldKey(162, false);
  };
  // Q, R alone do nothing.
  std::shared_ptr<TGameGrid> board = GameGrid;
  PostKey(81);
  PostKey(82);
  GameTick();
  EXPECT_EQ(GameGrid, board);
  EXPECT_EQ(P().Lives, 3);
  // Ctrl+R: a new board on the same level.
  ctrl(82);
  EXPECT_NE(GameGrid, board);
  EXPECT_EQ(P().Level, 9);
  EXPECT_EQ(GameScreen->IntroAnim->Active, 1);
  // R waits while a fade runs, then acts.
  ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  board = GameGrid;
  KeyStates[162] = 1;
  Keys[82] = 1;
  Game->GameFade->Active = 1;
  EXPECT_EQ(GameScreen->SpecificKeys(), 0);
  EXPECT_EQ(GameGrid, board);
  Game->GameFade->Active = 0;
  P().DeathCounter = 10;
  EXPECT_EQ(GameScreen->SpecificKeys(), 0);
  EXPECT_EQ(GameGrid, board);
  P().DeathCounter = 0;
  EXPECT_EQ(GameScreen->SpecificKeys(), 1);
  EXPECT_NE(GameGrid, board);
  KeyStates[162] = 0;
  // With Game->Debug the letter alone acts.
  board = GameGrid;
  Game->Debug = 1;
  PostKey(82);
  GameTick();
  EXPECT_NE(GameGrid, board);
  Game->Debug = 0;
  // Ctrl+Q: the player gives up (lives 0, dying).
  ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  ctrl(81);
  EXPECT_EQ(P().Lives, 0);
  EXPECT_EQ(P().Alive, 0);
}

// Faults 1 and 2: during the outro and under the level-complete scroll Q and R do nothing.
TEST_F(PlayFlowTest, GiveUpAndRestartCannotUndoAWin) {
  WriteLevel(9, kSmallLevel);
  WriteLevel(10, kSmallLevel);
  PlayFrom(9);
  ASSERT_EQ(GameScreen->NextLevel(), 1);
  const auto board = GameGrid;
  for (int t = 0; t < 905; ++t) {
    if (t % 100 == 50) {
      HoldKey(162, true);
      PostKey(81);
      PostKey(82);
      PostKey(74);
      GameTick();
      HoldKey(162, false);
    }
    GameTick();
    ASSERT_EQ(GameGrid, board) << t;
    ASSERT_EQ(P().Alive, 1) << t;
  }
  EXPECT_EQ(LevelCompleteScreen->Active, 1);
  EXPECT_EQ(P().Level, 10);
  EXPECT_EQ(Game->CurrentProfile->CurrentLevel, 10);
}

}  // namespace
