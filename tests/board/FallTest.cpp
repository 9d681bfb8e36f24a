// Falling and refill: the stagger, holes and locks, the refill entries, landings that cascade,
// the landing channel, Delta, the gates, and a fuzz loop of bursts checked every tick.
#include "BoardFixture.h"
#include "core/TGameChannel.h"
#include "core/TMousePointer.h"
#include "gfx/Geometry.h"
#include "platform/Audio.h"

namespace boardtest {
namespace {

class FallTest : public BoardTest {
 protected:
  // Small crafted boards have no moves; they must not end in the no-more-moves sequence.
  TGameGrid& Build(const std::string& picture, const std::vector<int>& colours = {1, 2, 3, 4, 5}) {
    BoardTest::Build(picture, colours);
    return *testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  }
  // Falling gems of one column never overlap (whole-pixel boxes).
  static std::string FallingOverlap() {
    std::vector<const TGem*> falling;
    GemList->ForEach([&](const TGemPtr& g) {
      if (g->dy > 0) falling.push_back(g.get());
    });
    for (const TGem* a : falling) {
      for (const TGem* b : falling) {
        if (a < b && a->x == b->x &&
            ccRectsOverlap(static_cast<int>(a->x), static_cast<int>(a->y), 50, 50, static_cast<int>(b->x),
                           static_cast<int>(b->y), 50, 50)) {
          return "falling gems overlap in column " + std::to_string(a->gx);
        }
      }
    }
    // A falling gem is in no cell.
    for (const TGem* g : falling) {
      for (const auto& column : Grid) {
        for (const auto& cell : column) {
          if (cell && cell->Gem.get() == g) return "a falling gem sits in a cell";
        }
      }
    }
    return "";
  }
  static bool AtRest() {
    const TGameGrid& board = *GameGrid;
    bool falling = false;
    GemList->ForEach([&](const TGemPtr& g) { falling = falling || g->dy != 0.0f; });
    return board.BlockInput == 0 && board.SwapCounter <= 0 && !falling;
  }
  // Ticks until rest (at most `limit`), checking the fall laws every tick; the ticks taken.
  int Settle(int limit = 2000) {
    for (int t = 1; t <= limit; ++t) {
      Tick();
      if (HasFatalFailure()) return t;
      const std::string broken = FallingOverlap();
      EXPECT_TRUE(broken.empty()) << "tick " << t << ": " << broken << "\n" << BoardPicture();
      if (!broken.empty()) return t;
      if (AtRest()) return t;
    }
    ADD_FAILURE() << "no rest within " << limit << " ticks\n" << BoardPicture();
    return limit;
  }
};

TEST_F(FallTest, AColumnLeavesSixTicksApartAndLandsStacked) {
  TGameGrid& board = Build("1\n2\n3\n4\n.");
  board.MakeNewGems = 0;
  std::vector<TGemPtr> gems = {Cell(0, 3).Gem, Cell(0, 2).Gem, Cell(0, 1).Gem, Cell(0, 0).Gem};
  std::vector<int> started(4, 0);
  for (int t = 1; t <= 200; ++t) {
    Tick();
    ASSERT_EQ(FallingOverlap(), "");
    for (size_t i = 0; i < gems.size(); ++i) {
      if (!started[i] && gems[i]->dy > 0) started[i] = t;
    }
  }
  EXPECT_EQ(started, (std::vector<int>{1, 7, 13, 19}));
  EXPECT_EQ(BoardPicture(), ".\n1\n2\n3\n4\n");
  EXPECT_EQ(board.BlockInput, 0);
}

TEST_F(FallTest, HolesLocksAndEntries) {
  struct Case {
    const char* name;
    const char* picture;
    std::vector<std::pair<int, int>> burst;  // cells burst at the start
    std::vector<std::pair<int, int>> stay;   // gems that must never move
    const char* rest;                        // the settled picture, '?' any colour
  };
  const Case cases[] = {
      {"a gem over a hole never starts; the cell below refills", "1\n#\n.", {}, {{0, 0}}, "1\n#\n?\n"},
      {"a falling gem lands on the cell above a hole", "2\n.\n#\n.", {}, {}, "?\n2\n#\n?\n"},
      {"a burst under a hole refills from its own entry", "1 2\n# 3\n4 5\n5 1", {{0, 2}}, {{0, 0}, {0, 3}}, "1 2\n# 3\n? 5\n5 1\n"},
      {"a locked gem holds the gems above and leaves the cells below empty", "1\n2*\n.\n.", {}, {{0, 0}, {0, 1}}, "1\n2*\n.\n.\n"},
      {"a column without cells gets nothing", "# .\n# .", {}, {}, "# ?\n# ?\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Build(c.picture, {6, 6, 6, 6, 6});  // one refill colour: '?' is always 6
    Game->Particles = 0;
    std::vector<TGemPtr> fixed;
    for (const auto& [x, y] : c.stay) fixed.push_back(Cell(x, y).Gem);
    for (const auto& [x, y] : c.burst) GemAt(x, y).Explode(1);
    for (int t = 0; t < 400; ++t) {
      Tick();
      ASSERT_EQ(FallingOverlap(), "");
      for (size_t i = 0; i < fixed.size(); ++i) {
        ASSERT_EQ(fixed[i]->dy, 0.0f);
        ASSERT_EQ(Cell(c.stay[i].first, c.stay[i].second).Gem, fixed[i]);
      }
    }
    std::string rest = c.rest;
    std::replace(rest.begin(), rest.end(), '?', '6');
    EXPECT_EQ(BoardPicture(), rest);
    for (const auto& column : TopRow) {
      for (int pending : column) EXPECT_EQ(pending, 0);
    }
  }
}

TEST_F(FallTest, ARefillStartsAboveItsEntryAndEntersNoCellBeforeLanding) {
  TGameGrid& board = Build(". .\n# .", {6, 6, 6, 6, 6});
  ASSERT_TRUE(platform::PushRand(1, 10000, 999));  // a Tumblet for the first
  ASSERT_TRUE(platform::PushRand(1, 10000, 1000));  // none for the second
  board.CheckTopRow();
  ASSERT_EQ(GemList->Count(), 2);
  GemList->ForEach([&](const TGemPtr& g) {
    EXPECT_EQ(g->y, static_cast<float>(CalcSY(0) - 50));
    EXPECT_EQ(g->gy, -1);
    EXPECT_EQ(g->dy, 0.04f);
    EXPECT_EQ(g->GemType, 6);
    EXPECT_EQ(g->Tumblet, g->gx == 0 ? 1 : 0);
  });
  EXPECT_EQ(TopRow[0][0], 1);
  EXPECT_EQ(TopRow[1][0], 1);
  // A second check while the refills are on their way makes nothing.
  board.CheckTopRow();
  EXPECT_EQ(GemList->Count(), 2);
  Settle();
  EXPECT_EQ(BoardPicture().find('.'), std::string::npos);
  EXPECT_EQ(GemAt(0, 0).Tumblet, 1);
  // Exactly at Delta 0.5 the Tumblet chance halves: 499 is in, 500 is not.
  Build(".");
  Delta = 0.5f;
  ASSERT_TRUE(platform::PushRand(0, 4, 0));
  ASSERT_TRUE(platform::PushRand(1, 10000, 500));
  GameGrid->CheckTopRow();
  EXPECT_EQ(GemList->First()->Tumblet, 0);
  Build(".");
  ASSERT_TRUE(platform::PushRand(0, 4, 0));
  ASSERT_TRUE(platform::PushRand(1, 10000, 499));
  GameGrid->CheckTopRow();
  EXPECT_EQ(GemList->First()->Tumblet, 1);
  // A fall at Delta 0.5 moves and speeds up half as much.
  const float y = GemList->First()->y;
  GameGrid->DropGems();
  EXPECT_FLOAT_EQ(GemList->First()->y, y + 0.02f);
  EXPECT_FLOAT_EQ(GemList->First()->dy, 0.06f);
  Delta = 1.0f;
}

TEST_F(FallTest, ALandingThatCompletesARunResolvesItInTheSameTick) {
  TGameGrid& board = Build("2 1 2\n1 . 1");
  board.MakeNewGems = 0;
  Game->Particles = 0;
  const TGemPtr falling = Cell(1, 0).Gem;
  for (int t = 0; t < 200 && !Cell(1, 1).Gem; ++t) Tick();
  ASSERT_EQ(Cell(1, 1).Gem, falling);
  EXPECT_EQ(GemAt(0, 1).GemType, -1);
  EXPECT_EQ(falling->GemType, -1);
  EXPECT_EQ(GemAt(2, 1).GemType, -1);
  EXPECT_EQ(host->player->Kills, 3);
  EXPECT_EQ(testrig::SoundCount("LAND"), 1);
}

TEST_F(FallTest, TheSelectedGemStartingToFallEndsTheSelection) {
  TGameGrid& board = Build("1 2\n. 3");
  board.MakeNewGems = 0;
  board.CursorSet(0, 0);
  Tick();
  EXPECT_EQ(board.Mode, 0);
  EXPECT_EQ(board.cx, -1);
  // Another gem falling leaves a selection alone.
  Build("1 2\n. 3");
  GameGrid->MakeNewGems = 0;
  GameGrid->CursorSet(1, 0);
  Tick();
  EXPECT_EQ(GameGrid->Mode, 1);
}

TEST_F(FallTest, LandingsShareOneChannelThatNeverStacks) {
  TGameGrid& board = Build("1 . 3\n. 2 .\n. . .\n4 5 6");
  board.MakeNewGems = 0;
  Settle();
  EXPECT_EQ(testrig::SoundCount("LAND"), 1);  // the "None" driver keeps it playing
  platform::StopChannel(board.LandChannel->Channel);
  Build("1\n.\n2");
  GameGrid->MakeNewGems = 0;
  Settle();
  EXPECT_EQ(testrig::SoundCount("LAND"), 2);
}

TEST_F(FallTest, GatesOfTheFallAndTheRefill) {
  TGameGrid& board = Build("1\n.\n.");
  const TGemPtr gem = Cell(0, 0).Gem;
  board.NoMoreCounter = 10;
  EXPECT_EQ(board.DropGems(), 0);
  EXPECT_EQ(gem->dy, 0.0f);
  board.NoMoreCounter = 0;
  host->outro = 1;
  EXPECT_EQ(board.DropGems(), 0);
  host->outro = 0;
  board.DropGemsFlag = 0;
  EXPECT_EQ(board.DropGems(), 0);
  board.DropGemsFlag = 1;
  // While NoMore is set the gems fall but nothing new comes in.
  board.NoMore = 1;
  for (int i = 0; i < 300; ++i) EXPECT_EQ(board.DropGems(), 1);
  EXPECT_EQ(Cell(0, 2).Gem, gem);
  EXPECT_EQ(GemList->Count(), 1);
  board.NoMore = 0;
  board.DropGems();
  EXPECT_EQ(GemList->Count(), 2);
  EXPECT_EQ(board.BlockInput, 1);
}

TEST_F(FallTest, NoLandingTakesAHoleOrALiveGem) {
  // A refill hangs in the hole above its entry when the entry cell is filled under it (as a
  // swap into an empty cell would): it leaves instead of landing in the hole.
  Build("1\n#\n.\n2");
  Tick();
  ASSERT_EQ(TopRow[0][1], 1);
  const TGemPtr refill = GemList->First()->gy == 1 ? GemList->First() : nullptr;
  const TGemPtr filler = TGem::Make(0, 2, 3, 0);
  Cell(0, 2).Gem = filler;
  GemList->InsertGem(filler);
  Settle();
  EXPECT_EQ(BoardPicture(), "1\n#\n3\n2\n");
  EXPECT_EQ(TopRow[0][1], 0);
  EXPECT_EQ(GemList->Count(), 3);
  (void)refill;
  // A live piece appears in the cell a falling gem's top is crossing into: the gem stops one
  // cell higher and the piece keeps its cell.
  Build("1\n.\n3");
  GameGrid->MakeNewGems = 0;
  const TGemPtr a = Cell(0, 0).Gem;
  Tick();
  a->y = static_cast<float>(CalcSY(1) - 1);
  a->dy = 2.0f;
  GemList->SortAll();
  const TGemPtr piece = TGem::Make(0, 1, 9, 0);
  Cell(0, 1).Gem = piece;
  GemList->InsertGem(piece);
  Tick();
  EXPECT_EQ(Cell(0, 1).Gem, piece);
  EXPECT_EQ(Cell(0, 0).Gem, a);
  EXPECT_EQ(a->y, static_cast<float>(CalcSY(0)));
}

TEST_F(FallTest, FuzzedBurstsAlwaysSettleWithoutRunsOrPendingRefills) {
  for (int seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    Build(". . . . . . .\n# . . . . . #\n. . # . . . .\n. . . . # . .\n. . . . . . .\n. . . . . . .");
    Cell(2, 5).gemlocked = 1;
    GameGrid->Locked = 1;
    testrig::FillRunFree(seed);
    for (int round = 0; round < 15; ++round) {
      // Burst a few random live gems, as bonus pieces would.
      for (int k = 0; k < 3; ++k) {
        const int x = platform::Rand(0, GameGrid->levelwidth - 1);
        const int y = platform::Rand(0, GameGrid->levelheight - 1);
        TCell* cell = GridAt(x, y);
        if (cell && cell->Gem && cell->Gem->GemType > 0 && !cell->Gem->locked) cell->Gem->Explode(0);
      }
      Settle();
      if (HasFailure()) return;
      // At rest no run stands and every refill has arrived.
      EXPECT_EQ(GameGrid->DoMatches(1, 0), 0) << BoardPicture();
      GameGrid->ClearMatches();
    }
  }
}

}  // namespace
}  // namespace boardtest
