// Matching and scoring: the run rules, points by the pass's run total, locked gems, the test
// pass, the bonus chance with its candidate list, and the sounds and page after a pass.
#include <set>

#include "BoardFixture.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"

namespace boardtest {
namespace {

class MatchTest : public BoardTest {
 protected:
  // Cells whose gem burst (type -1) or lost its lock in the last pass, as "x,y".
  std::set<std::string> Burst() {
    std::set<std::string> cells;
    for (int x = 0; x < GameGrid->levelwidth; ++x) {
      for (int y = 0; y < GameGrid->levelheight; ++y) {
        const TCell* cell = GridAt(x, y);
        if (cell && cell->Gem && cell->Gem->GemType == -1) cells.insert(std::to_string(x) + "," + std::to_string(y));
      }
    }
    return cells;
  }
  int ScorePictures(const char* name) {
    int n = 0;
    const TGameImagePtr image = images->Find(S(name));
    ScoreParticles->ForEach([&](const TParticlePtr& p) { n += p->image == image ? 1 : 0; });
    return n;
  }
};

TEST_F(MatchTest, PointsFollowTheRunTotalOfThePass) {
  struct Case {
    const char* name;
    const char* picture;
    int resolved;
    int score;
  };
  const Case cases[] = {
      {"three", "1 1 1\n2 3 4", 3, 30},
      {"four", "1 1 1 1\n2 3 4 5", 4, 80},
      {"five", "1 1 1 1 1\n2 3 4 5 6", 5, 150},
      {"six", "1 1 1 1 1 1\n2 3 4 5 6 7", 6, 240},
      {"two runs of three", "1 1 1 4\n2 3 5 4\n2 2 2 5", 6, 240},
      {"L", "1 2 3\n1 4 5\n1 1 1", 5, 200},
      {"T", "1 1 1\n2 1 3\n4 1 5", 5, 200},
      {"plus", "2 1 3\n1 1 1\n4 1 5", 5, 200},
      {"crossing fives", "2 3 1 4 5\n4 5 1 2 3\n1 1 1 1 1\n3 2 1 5 4\n5 4 1 3 2", 9, 720},
      {"last column", "2 3 1\n4 5 1\n2 3 1", 3, 30},
      {"last row", "2 3 4\n5 2 3\n1 1 1", 3, 30},
      {"bonus pieces never run", "L L L\n1 2 3", 0, 0},
      {"a piece breaks a run", "1 1 H 1 1\n2 3 4 5 6", 0, 0},
      {"nothing", "1 2 1\n2 1 2", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Build(c.picture);
    host->player->Score = 0;
    EXPECT_EQ(GameGrid->DoMatches(1, 0), c.resolved);
    EXPECT_EQ(host->player->Score, 0);
    EXPECT_EQ(GameGrid->DoMatches(0, 0), c.resolved);
    EXPECT_EQ(static_cast<int>(Burst().size()), c.resolved);
    EXPECT_EQ(host->player->Score, c.score);
    EXPECT_EQ(ScoreParticles->Count(), c.resolved);
    // Every flag is resolved, so a second pass finds nothing.
    EXPECT_EQ(GameGrid->DoMatches(0, 0), 0);
    ScoreParticles->Clear();
  }
}

TEST_F(MatchTest, ATestPassOnlyMarksTheRuns) {
  TGameGrid& board = Build("1bt 1a 1b* 4b\n2 3t 5 6\n3 2 6 5");
  const std::string before = BoardPicture();
  const int gold = board.Gold;
  board.TumbletPlaying = 5;
  const long sounds = static_cast<long>(testrig::SoundLog().size());
  EXPECT_EQ(board.DoMatches(1, 0), 3);
  EXPECT_EQ(BoardPicture(), before);
  EXPECT_EQ(board.Gold, gold);
  EXPECT_EQ(board.Locked, 1);
  EXPECT_EQ(board.TumbletPlaying, 0);
  EXPECT_EQ(host->player->Score, 0);
  EXPECT_EQ(static_cast<long>(testrig::SoundLog().size()), sounds);
  EXPECT_EQ(ScoreParticles->Count() + Particles->Count() + BackgroundParticles->Count(), 0);
  EXPECT_EQ(host->Count("ResetHintShowCounter"), 0);
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 3; ++y) EXPECT_EQ(Cell(x, y).match, y == 0 && x < 3 ? 1 : 0) << x << "," << y;
  }
  // ClearMatches drops the marks; the real pass finds the same runs again.
  board.ClearMatches();
  EXPECT_EQ(Cell(0, 0).match, 0);
  EXPECT_EQ(board.DoMatches(0, 0), 3);
  // The Tumblet gem scores 110, the armour and locked gems 10 each.
  EXPECT_EQ(host->player->Score, 130);
  EXPECT_EQ(ScorePictures("score100"), 1);
  EXPECT_EQ(host->player->TumbletsFreed, 1);
  EXPECT_EQ(host->Count("AddGaugeStep"), 1);
  // The locked gem keeps its place, colour and brick; the others wore one layer each.
  TGem& unlocked = GemAt(2, 0);
  EXPECT_EQ(unlocked.GemType, 1);
  EXPECT_EQ(unlocked.locked, 0);
  EXPECT_EQ(board.Locked, 0);
  EXPECT_EQ(Cell(2, 0).gold, 1);
  EXPECT_EQ(Cell(1, 0).armour, 0);
  EXPECT_EQ(Cell(1, 0).gold, 1);
  EXPECT_EQ(Cell(0, 0).gold, 0);
  EXPECT_EQ(board.Gold, gold - 2);
  EXPECT_EQ(testrig::SoundCount("MATCHBRICK"), 1);
  EXPECT_EQ(testrig::SoundCount("MATCHNOBRICK"), 0);
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(testrig::SoundCount("TUMBLET1"), 1);
  EXPECT_EQ(host->Count("ResetHintShowCounter"), 1);
}

TEST_F(MatchTest, WhoMayTakePartInARun) {
  TGameGrid& board = Build("1 1 1 2\n3 4 5 6");
  GemAt(1, 0).Swapping = 1;
  EXPECT_EQ(board.DoMatches(1, 0), 0);
  EXPECT_EQ(board.DoMatches(1, 1), 3);
  board.ClearMatches();
  GemAt(1, 0).Swapping = 0;
  GemAt(2, 0).Explode(0);
  EXPECT_EQ(board.DoMatches(1, 1), 0);
  // A locked gem runs like any other.
  Build("1* 1 1\n2 3 4");
  EXPECT_EQ(GameGrid->DoMatches(1, 0), 3);
}

TEST_F(MatchTest, TheSelectedGemLosesItsSelectionBeforeItBursts) {
  TGameGrid& board = Build("1 1 1\n2 3 4");
  board.CursorSet(1, 0);
  board.PointerGemType = 11;
  Game->Mouse->Image2 = images->Find(u"gems")->image;
  EXPECT_EQ(board.DoMatches(0, 0), 3);
  EXPECT_EQ(board.Mode, 0);
  EXPECT_EQ(board.cx, -1);
  EXPECT_EQ(Game->Mouse->Image2, nullptr);
  EXPECT_EQ(board.PointerGemType, 0);
  // Another selection stays.
  Build("1 1 1\n2 3 4");
  GameGrid->CursorSet(0, 1);
  GameGrid->DoMatches(0, 0);
  EXPECT_EQ(GameGrid->Mode, 1);
}

TEST_F(MatchTest, TheBonusChanceAndItsCandidates) {
  // Row 0 runs; the first gem rolls the given number, the other two miss. `extra` marks set
  // Gold and Locked: "b" bricks on row 1, "*" a locked gem at (3, 1).
  struct Case {
    const char* name;
    std::vector<int> bonus;
    int bricksBelow;  // bricks on row 1 besides the one under (0, 0)
    bool locked;
    int level;
    int roll;
    std::vector<std::pair<int, int>> draws;  // (count, index) of each candidate draw
    int made;                                // the piece at (0, 0); 0 for none
  };
  const Case cases[] = {
      {"chance 30 hit", {8}, 4, false, 1, 29, {{1, 0}}, 8},
      {"chance 30 miss", {8}, 4, false, 1, 30, {}, 0},
      {"chance 60 near the end", {9}, 2, false, 1, 59, {{1, 0}}, 9},
      {"chance 60 miss", {9}, 2, false, 1, 60, {}, 0},
      {"no lock below Gold: 30", {9}, 0, true, 1, 30, {}, 0},
      {"end-game keys, one entry: a key at once", {8}, 2, true, 1, 1, {{3, 1}}, 14},
      {"keys accepted while a gem is locked", {8, 9}, 2, true, 1, 1, {{4, 3}}, 14},
      {"axes after level 3", {}, 2, false, 4, 1, {{2, 0}}, 13},
      {"no axes up to level 3", {}, 2, false, 3, 1, {}, 0},
      {"a key without a lock: another entry", {14, 8}, 4, false, 1, 1, {{2, 0}, {1, 0}}, 8},
      {"only keys and no lock: nothing", {14, 14}, 4, false, 1, 1, {{2, 1}}, 0},
      {"an entry 0 makes nothing", {0, 8}, 4, false, 1, 1, {{2, 0}}, 0},
      {"an entry 15 makes nothing", {15}, 4, false, 1, 1, {{1, 0}}, 0},
      {"no candidates, best roll", {}, 4, false, 1, 1, {}, 0},
      {"twenty entries and four extras", std::vector<int>(20, 9), 2, true, 4, 1, {{24, 23}}, 13},
      {"twenty entries and four extras, a key", std::vector<int>(20, 9), 2, true, 4, 1, {{24, 21}}, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string row1;
    for (int i = 0; i < 4; ++i) {
      row1 += std::string(1, "2356"[i]) + (i < c.bricksBelow ? "b" : "") + (i == 3 && c.locked ? "*" : "") + " ";
    }
    TGameGrid& board = Build("1b 1 1 4\n" + row1 + "\n3 2 6 5", {1, 2, 3, 4, 5}, c.bonus);
    Game->Particles = 0;  // no particle draws between the scripted ones
    host->player->Level = c.level;
    ASSERT_TRUE(platform::PushRand(1, 1000, c.roll));
    ASSERT_TRUE(platform::PushRand(1, 1000, 1000));
    ASSERT_TRUE(platform::PushRand(1, 1000, 1000));
    for (const auto& [count, index] : c.draws) ASSERT_TRUE(platform::PushRand(0, count - 1, index));
    const int gems = GemList->Count();
    EXPECT_EQ(board.DoMatches(0, 0), 3);
    EXPECT_EQ(platform::ClearScriptedRandom(), 0);
    const TGemPtr piece = Cell(0, 0).Gem;
    if (c.made) {
      ASSERT_TRUE(piece);
      EXPECT_EQ(piece->GemType, c.made);
      EXPECT_EQ(piece->dy, 0.0f);
      EXPECT_EQ(Cell(0, 0).gold, 0);  // on the cell just worn
      EXPECT_EQ(GemList->Count(), gems + 1);
      bool listed = false;
      GemList->ForEach([&](const TGemPtr& g) { listed = listed || g == piece; });
      EXPECT_TRUE(listed);
    } else {
      EXPECT_EQ(piece->GemType, -1);
      EXPECT_EQ(GemList->Count(), gems);
    }
  }
}

TEST_F(MatchTest, MatchSoundsPitchAndTheBrickPage) {
  Game->ProfilePath = S(dir) + u"/";
  Game->CurrentProfile = TProfile::Create(u"Wren");
  // Brick runs with more than three layers left: no page.
  for (int i = 0; i < 12; ++i) {
    Build(i % 2 ? "1b 1b 1b 4b\n2b 3b 5b 6b" : "1 1 1 4\n2 3 5 6");
    GameGrid->DoMatches(0, 0);
  }
  EXPECT_EQ(testrig::SoundCount("MATCHBRICK"), 6);
  EXPECT_EQ(testrig::SoundCount("MATCHNOBRICK"), 6);
  for (const testrig::SoundEvent& e : testrig::SoundLog()) {
    EXPECT_GE(e.pitch, 0.9f) << e.name;
    EXPECT_LT(e.pitch, 1.1f) << e.name;
  }
  EXPECT_TRUE(host->pagesOpened.empty());
  // With three layers or fewer the page opens, once for the profile.
  Build("1b 1b 1b 4b\n2 3 5 6");
  GameGrid->DoMatches(0, 0);
  Build("1b 1b 1b 4b\n2 3 5 6");
  GameGrid->DoMatches(0, 0);
  EXPECT_EQ(host->pagesOpened, std::vector<std::string>{"removebricks"});
  EXPECT_EQ(host->Count("ShowOnceOnlyPage"), 2);
  EXPECT_EQ(Game->CurrentProfile->ShowHint(9, 0), 0);
  // A pass without a layer asks for no page.
  Build("1 1 1 4b\n2 3 5 6");
  GameGrid->DoMatches(0, 0);
  EXPECT_EQ(host->Count("ShowOnceOnlyPage"), 2);
  Game->CurrentProfile = nullptr;
}

TEST_F(MatchTest, OneTumbletVoicePerPassTheFirstFreed) {
  Build("1t 1 1 4\n2t 2t 2 5\n3 4 5 6");
  EXPECT_EQ(GameGrid->DoMatches(0, 0), 6);
  EXPECT_EQ(testrig::SoundCount("TUMBLET1"), 1);
  EXPECT_EQ(testrig::SoundCount("TUMBLET2"), 0);
  EXPECT_EQ(GameGrid->TumbletPlaying, 1);
  EXPECT_EQ(host->player->TumbletsFreed, 3);
}

}  // namespace
}  // namespace boardtest
