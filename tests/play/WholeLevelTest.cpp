// The program itself, in-process, entered at a level through the test entry: the real
// start-up, assets, screens and board, a fresh user folder, a crafted level in a folder of
// the test's own.
#include <gtest/gtest.h>

#include <string>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "gfx/TParticleList.h"
#include "platform/Events.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TTitleScreen.h"
#include "support/AllocationCounter.h"
#include "support/AtLevelEntry.h"
#include "support/ProgramRun.h"
#include "support/TestRig.h"
#include "support/autoplay/BoardSnapshot.h"
#include "ui/TMenu.h"

namespace {

using testrig::ProgramRun;

const char* kCrafted =
    "REM,Crafted\n120\n0\n6,5\n0,0\n"
    "-1,-1,1,1,-1,-1\n-1,-1,-1,-1,-1,-1\n-1,1,-1,-1,1,-1\n-1,-1,-1,-1,-1,-1\n-1,-1,-1,-1,-1,-1\n";

class WholeLevelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    levels = testrig::MakeTempDir("levels");
  }
  void TearDown() override { testrig::RemoveAtLevelEntry(); }

  // Runs the program at level with the crafted level as its file; script(pass) after the
  // levels folder is in place.
  int RunAt(int level, const std::function<void(int)>& script) {
    testrig::WriteFileBytes(levels + "/" + std::to_string(level) + ".txt", kCrafted);
    EXPECT_TRUE(testrig::InstallAtLevelEntry(level));
    return run.Run(
        [&](int pass) {
          if (pass == 0) {
            Game->LevelsPath = S(levels) + u"/";
            ProgramRun::ClickLoadingButton();
          }
          script(pass);
        },
        4000);
  }
  std::string ProfileBytes() { return testrig::ReadFileBytes(run.userDir + "profiles/Tester.dat"); }

  ProgramRun run;
  std::string levels;
};

// The first pass of a run at a level: the crafted levels folder, the loading screen's button,
// and `perTick` run at the start of every tick (through the pointer's trail hook, which the
// frame loop calls there).
void StartRun(const std::string& levels, std::function<void()> perTick) {
  Game->LevelsPath = S(levels) + u"/";
  ProgramRun::ClickLoadingButton();
  auto trail = Game->Mouse->ParticleFunc;
  Game->Mouse->ParticleFunc = [trail, perTick = std::move(perTick)] {
    if (trail) trail();
    perTick();
  };
}

struct LevelRun {
  int code = 0;
  int moves = 0;
  double playTicks = 0;  // Delta summed over the ticks in which the player record ran
  int score = 0;
  int kills = 0;
  double total = 0;
  bool pageSeen = false;
  bool scrollUp = false;
  bool mapReached = false;
  bool dropped = false;
};

// Plays level 1 (the crafted file) from the test entry to the level map.
LevelRun PlayLevel(ProgramRun& run, const std::string& levels) {
  LevelRun r;
  enum { kPage, kPlay, kOutro, kScroll, kRolled, kDone } stage = kPage;
  int since = 0;
  int clickNext = -1, targetX = 0, targetY = 0;
  int releaseAt = -1, releaseX = 0, releaseY = 0;
  long outroPass = -1;
  r.code = run.Run(
      [&](int pass) {
        ++since;
        if (pass == 0) {
          // Counts the ticks of play.
          StartRun(levels, [&r] {
            if (Game->CurrentTScreen == GameScreen && GameGrid && GameMenu->Active == 0 &&
                HintScroll->Active == 0 && LevelCompleteScreen->Active == 0 &&
                GameScreen->IntroAnim->Active == 0 && GameScreen->OutroAnim->Active == 0 &&
                GameGrid->TargetMet == 0 && GameScreen->Player->DeathCounter <= 0) {
              r.playTicks += Delta;
            }
          });
        }
        if (Game->CurrentTScreen != GameScreen && stage < kRolled) return;
        switch (stage) {
          case kPage:
            if (HintScroll->Active == 1 && since > 40) {
              r.pageSeen = platform::ToUtf8(HintScroll->file) == "lion";
              ProgramRun::Click(400, 300);
              stage = kPlay;
            }
            break;
          case kPlay:
            if (GameScreen->OutroAnim->Active) {
              stage = kOutro;
              outroPass = pass;
              break;
            }
            if (HintScroll->Active == 1) {
              if (HintScroll->Unroll->Active == 0) ProgramRun::Click(400, 300);
              break;
            }
            // The board reads a held button: each press lasts one pass.
            if (releaseAt == pass) {
              ProgramRun::Release(releaseX, releaseY);
              break;
            }
            if (clickNext == pass) {
              releaseX = CalcSX(targetX) + 25;
              releaseY = CalcSY(targetY) + 25;
              ProgramRun::Press(releaseX, releaseY);
              releaseAt = pass + 1;
              break;
            }
            if (GameScreen->IntroAnim->Active || GameGrid->BlockInput || GameGrid->SwapSource ||
                pass < clickNext + 30) {
              break;
            }
            if (r.moves >= 500) throw ProgramRun::Stop{};
            if (const auto best = autoplay::BestSwap(autoplay::SnapshotOfBoard())) {
              ++r.moves;
              releaseX = CalcSX(best->x) + 25;
              releaseY = CalcSY(best->y) + 25;
              ProgramRun::Press(releaseX, releaseY);
              releaseAt = pass + 1;
              targetX = best->tx;
              targetY = best->ty;
              clickNext = pass + 2;
            }
            break;
          case kOutro:
            if (LevelCompleteScreen->Active == 1) {
              r.scrollUp = true;
              r.score = GameScreen->Player->Score;
              r.kills = GameScreen->Player->Kills;
              r.total = GameScreen->Player->TotalTimeTaken;
              // Counted at the start of each tick: a tick in which the intro or a page ends
              // runs the record but was not yet counted, so a few ticks may differ.
              EXPECT_NEAR(GameScreen->Player->TimeTaken, r.playTicks, 3.0);
              stage = kScroll;
              since = 0;
            }
            break;
          case kScroll:
            if (since == 100) ProgramRun::Click(400, 300);
            if (LevelCompleteScreen->Active == 2) {
              ProgramRun::Click(400, 300);
              stage = kRolled;
            }
            break;
          case kRolled:
            if (Game->CurrentTScreen == LevelSelectScreen) {
              r.mapReached = true;
              r.dropped = !GameGrid && !GemList && !GameScreen->IntroAnim && GameMenu->Active == 0;
              stage = kDone;
              throw ProgramRun::Stop{};
            }
            break;
          case kDone:
            break;
        }
      },
      30000);
  (void)outroPass;
  return r;
}

// The crafted level played through with the autoplayer's choices: the scroll, the profile on
// disk, the level map; the same again with the same seed.
TEST_F(WholeLevelTest, CraftedLevelPlayedToTheMapRecordsItsFigures) {
  testrig::WriteFileBytes(levels + "/1.txt", kCrafted);
  ASSERT_TRUE(testrig::InstallAtLevelEntry(1));
  const LevelRun first = PlayLevel(run, levels);
  EXPECT_EQ(first.code, ProgramRun::kStopped);
  EXPECT_TRUE(first.pageSeen);
  EXPECT_TRUE(first.scrollUp);
  EXPECT_TRUE(first.mapReached);
  EXPECT_TRUE(first.dropped);
  EXPECT_GT(first.moves, 0);
  EXPECT_LE(first.moves, 500);
  Game->ProfilePath = S(run.userDir) + u"profiles/";
  const auto stored = TProfile::Create(u"Tester");
  ASSERT_EQ(stored->Load(), 1);
  EXPECT_EQ(stored->CurrentLevel, 2);
  EXPECT_EQ(stored->LockedLevel, 3);
  EXPECT_EQ(stored->Lives, 3);
  EXPECT_EQ(stored->Score, first.score);
  EXPECT_EQ(stored->Kills, first.kills);
  EXPECT_DOUBLE_EQ(stored->TimeTaken, first.total);
  EXPECT_NEAR(first.total, first.playTicks, 3.0);
  EXPECT_EQ(stored->HintsShown[0], 1);

  ProgramRun again;
  const LevelRun second = PlayLevel(again, levels);
  EXPECT_EQ(second.score, first.score);
  EXPECT_EQ(second.playTicks, first.playTicks);
  EXPECT_EQ(second.moves, first.moves);
}

// Escape, then "saveandexit": the title, and the profile exactly as the level's page left it.
TEST_F(WholeLevelTest, SaveAndExitLeavesTheProfileAsLastRecorded) {
  enum { kPage, kIntro, kMenu, kTitle } stage = kPage;
  int since = 0;
  std::string afterPage;
  const int code = RunAt(1, [&](int) {
    ++since;
    switch (stage) {
      case kPage:
        if (Game->CurrentTScreen == GameScreen && HintScroll->Active == 1 && since > 60) {
          EXPECT_EQ(platform::ToUtf8(HintScroll->file), "lion");
          afterPage = ProfileBytes();
          ProgramRun::Click(400, 300);
          stage = kIntro;
          since = 0;
        }
        break;
      case kIntro:
        if (HintScroll->Active == 0 && GameScreen->IntroAnim->Active == 0) {
          ProgramRun::Key(KEY_ESCAPE);
          stage = kMenu;
          since = 0;
        }
        break;
      case kMenu:
        if (since == 40) {
          ASSERT_EQ(GameMenu->Active, 1);
          const TButtonPtr b = GameMenu->Menu->FindButton(u"saveandexit");
          ProgramRun::Click(static_cast<int>(b->x) + 10, static_cast<int>(b->y) + 10);
          stage = kTitle;
        }
        break;
      case kTitle:
        if (Game->CurrentTScreen == TitleScreen) throw ProgramRun::Stop{};
        break;
    }
  });
  EXPECT_EQ(code, ProgramRun::kStopped);
  EXPECT_EQ(stage, kTitle);
  EXPECT_FALSE(afterPage.empty());
  EXPECT_EQ(ProfileBytes(), afterPage);
  EXPECT_TRUE(run.errors.empty());
}

// The last level: the continue leads to the game-finished page and the profile's run is reset.
TEST_F(WholeLevelTest, LastLevelLeadsToTheGameFinishedPage) {
  enum { kIntro, kOutro, kScroll, kRolled, kFinished } stage = kIntro;
  int since = 0;
  const int code = RunAt(50, [&](int) {
    ++since;
    switch (stage) {
      case kIntro:
        if (Game->CurrentTScreen == GameScreen && GameScreen->IntroAnim->Active == 0) {
          ASSERT_EQ(GameScreen->NextLevel(), 1);
          stage = kOutro;
        }
        break;
      case kOutro:
        if (LevelCompleteScreen->Active == 1) {
          EXPECT_EQ(LevelCompleteScreen->Chapter, 10);
          EXPECT_EQ(LevelCompleteScreen->SubLevel, 5);
          EXPECT_EQ(LevelCompleteScreen->GameFinished, 1);
          stage = kScroll;
          since = 0;
        }
        break;
      case kScroll:
        if (since == 40) ProgramRun::Click(400, 300);
        if (LevelCompleteScreen->Active == 2) {
          ProgramRun::Key(KEY_ENTER);
          stage = kRolled;
        }
        break;
      case kRolled:
        if (Game->CurrentTScreen == GameFinishedScreen) {
          EXPECT_FALSE(GameGrid);
          stage = kFinished;
          throw ProgramRun::Stop{};
        }
        break;
      case kFinished:
        break;
    }
  });
  EXPECT_EQ(code, ProgramRun::kStopped);
  EXPECT_EQ(stage, kFinished);
  Game->ProfilePath = S(run.userDir) + u"profiles/";
  const auto stored = TProfile::Create(u"Tester");
  ASSERT_EQ(stored->Load(), 1);
  EXPECT_EQ(stored->CurrentLevel, 1);
  EXPECT_EQ(stored->Score, 0);
  EXPECT_EQ(stored->Lives, 3);
  EXPECT_EQ(stored->Kills, 0);
  EXPECT_EQ(stored->TimeTaken, 0.0);
}

}  // namespace

// Both ways of losing a level at level 20 (no page there): `trigger` acts once the intro is
// over; the run stops at the first tick of the new board.
struct GiveUpRun {
  int code = 0;
  bool died = false;
  bool restarted = false;
  double sequenceTicks = 0;  // Delta summed over the ticks the no-more-moves sequence ran
  std::string before, after;
};

GiveUpRun RunGiveUp(ProgramRun& run, const std::string& levels, const std::function<void()>& trigger) {
  GiveUpRun r;
  enum { kIntro, kTriggered, kRestarted } stage = kIntro;
  const TGameGrid* board = nullptr;
  const auto profile = [&run] { return testrig::ReadFileBytes(run.userDir + "profiles/Tester.dat"); };
  testrig::WriteFileBytes(levels + "/20.txt", kCrafted);
  EXPECT_TRUE(testrig::InstallAtLevelEntry(20));
  r.code = run.Run(
      [&](int pass) {
        if (pass == 0) {
          StartRun(levels, [&r] {
            if (GameGrid && GameGrid->NoMoreCounter > 0) r.sequenceTicks += Delta;
          });
        }
        if (Game->CurrentTScreen != GameScreen || Game->GameFade->Active != 0) return;
        switch (stage) {
          case kIntro:
            if (GameScreen->IntroAnim->Active == 0) {
              EXPECT_EQ(HintScroll->Active, 0);
              board = GameGrid.get();
              r.before = profile();
              trigger();
              stage = kTriggered;
            }
            break;
          case kTriggered:
            platform::PostEvent(platform::Event{platform::EVENT_KEYUP, KEY_LCONTROL, 0, 0});
            if (GameGrid && GameGrid.get() != board) {
              stage = kRestarted;
              r.restarted = true;
              r.after = profile();
              EXPECT_EQ(GameScreen->Player->Level, 20);
              EXPECT_EQ(GameScreen->Player->TimeTaken, 0.0f);
              EXPECT_EQ(GameScreen->IntroAnim->Active, 1);
              EXPECT_EQ(HintScroll->Active, 0);
              throw ProgramRun::Stop{};
            }
            if (GameScreen->Player->Alive == 0) {
              r.died = true;
              EXPECT_EQ(GameScreen->Player->Lives, 0);
            }
            break;
          case kRestarted:
            break;
        }
      },
      4000);
  return r;
}

void ExpectRestartedUnwritten(const GiveUpRun& r, const std::vector<std::string>& errors) {
  EXPECT_EQ(r.code, ProgramRun::kStopped);
  EXPECT_TRUE(r.died);
  EXPECT_TRUE(r.restarted);
  EXPECT_FALSE(r.before.empty());
  EXPECT_EQ(r.after, r.before);
  // The sequence: 4000 ms of shaking and flying gems, then the new board.
  EXPECT_NEAR(r.sequenceTicks, 800.0, 2.0);
  EXPECT_TRUE(errors.empty());
}

// Ctrl+Q gives the level up: the player dies, the board's no-more-moves sequence runs, and the
// same level starts again on a new board with its time at zero; nothing is written.
TEST_F(WholeLevelTest, GivingUpRestartsTheSameLevelOnANewBoard) {
  const GiveUpRun r = RunGiveUp(run, levels, [] {
    platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, KEY_LCONTROL, 0, 0});
    ProgramRun::Key('Q');
  });
  ExpectRestartedUnwritten(r, run.errors);
}

// A board left without a move gives itself up the same way (the board is replaced inside its
// own tick: run it in the sanitizer build too).
TEST_F(WholeLevelTest, ABoardWithoutAMoveRestartsTheSameLevel) {
  const GiveUpRun r = RunGiveUp(run, levels, [] {
    // Four colours in two-by-two blocks: no swap makes a run of three.
    for (int y = 0; y < GameGrid->levelheight; ++y) {
      for (int x = 0; x < GameGrid->levelwidth; ++x) {
        TCell* cell = GridAt(x, y);
        if (cell && cell->Gem) cell->Gem->GemType = (x % 2) * 2 + (y % 2) + 1;
      }
    }
  });
  ExpectRestartedUnwritten(r, run.errors);
}

// The real level 1 at rest, the pointer over the board trailing its sparkles: once the effects
// that die have died once, neither a tick nor a frame allocates.
TEST_F(WholeLevelTest, APlayScreenAtRestAllocatesNothing) {
  ASSERT_TRUE(testrig::InstallAtLevelEntry(1));
  enum { kPage, kSettle, kCount } stage = kPage;
  int since = 0;
  long allocations = -1;
  const int code = run.Run([&](int pass) {
    ++since;
    if (pass == 0) ProgramRun::ClickLoadingButton();
    switch (stage) {
      case kPage:
        if (Game->CurrentTScreen == GameScreen && HintScroll->Active == 1 && since > 60) {
          ProgramRun::Click(400, 300);
          stage = kSettle;
          since = 0;
        }
        break;
      case kSettle:
        // The trail's sparkles live a second: 300 frames see many of them die.
        if (HintScroll->Active != 0 || GameScreen->IntroAnim->Active != 0 || GameGrid->BlockInput != 0) since = 0;
        if (since == 300) {
          testrig::StartCountingAllocations();
          stage = kCount;
          since = 0;
        }
        break;
      case kCount:
        if (since == 200) {
          allocations = testrig::StopCountingAllocations();
          throw ProgramRun::Stop{};
        }
        break;
    }
  });
  testrig::StopCountingAllocations();
  EXPECT_EQ(code, ProgramRun::kStopped);
  EXPECT_EQ(stage, kCount);
  EXPECT_GT(Game->Mouse->ParticleList->Count(), 0) << "no trail";
  EXPECT_EQ(allocations, 0);
  EXPECT_TRUE(run.errors.empty());
}
