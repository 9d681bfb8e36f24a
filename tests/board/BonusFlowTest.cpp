// Whole flows through the mouse: a board cleared by every piece in turn up to its outro, a
// board that runs out of moves and restarts, the paint pot and the axe on layers, the pointer
// after a spent axe or key, and the hint walking the real search's moves.
#include "BoardFixture.h"
#include "core/TMousePointer.h"

namespace boardtest {
namespace {

class PieceFlowTest : public BoardTest {
 protected:
  // Ticks until nothing bursts, falls or swaps (at most 3000 ticks).
  void Settle() {
    for (int t = 0; t < 3000; ++t) {
      if (GameGrid->BlockInput == 0 && GameGrid->SwapCounter <= 0) return;
      Tick();
      if (HasFatalFailure()) return;
    }
    FAIL() << "the board never came to rest\n" << BoardPicture();
  }
  // The cell of the first gem (row by row) for which pick holds; (-1, -1) when none.
  std::pair<int, int> Find(const std::function<bool(const TCell&)>& pick) {
    for (int y = 0; y < GameGrid->levelheight; ++y) {
      for (int x = 0; x < GameGrid->levelwidth; ++x) {
        const TCell* cell = GridAt(x, y);
        if (cell && cell->active && pick(*cell)) return {x, y};
      }
    }
    return {-1, -1};
  }
  std::pair<int, int> FindType(int type) {
    return Find([type](const TCell& c) { return c.Gem && c.Gem->GemType == type; });
  }
  void ClickAt(std::pair<int, int> cell) {
    ASSERT_GE(cell.first, 0) << "no such cell\n" << BoardPicture();
    ClickCell(cell.first, cell.second);
  }
};

TEST_F(PieceFlowTest, EveryPieceInTurnClearsTheBoardToItsOutro) {
  // The pieces stand on the bottom row and the horn on top; the bricks lie around the paint
  // pot and under one gem for the axe.
  TGameGrid& board = Build(
      "1 2 3 H 4 5 1 2 3 4 5\n"
      "2 3* 4 5 1 2b 3 4 5 1 2\n"
      "3 4 5 1 2 3 4 5 1 2b 3b\n"
      "K 5 S 2 A T 5 L 2 3b Pb");
  const int pieces[] = {14, 11, 13, 8, 9, 10, 12};
  for (int type : pieces) {
    SCOPED_TRACE(type);
    Settle();
    ASSERT_EQ(host->outro, 0) << "ended early\n" << BoardPicture();
    const std::pair<int, int> piece = FindType(type);
    ClickAt(piece);
    if (type == 14) ClickAt(Find([](const TCell& c) { return c.Gem && c.Gem->locked; }));
    if (type == 11) ClickAt({8, 1});
    if (type == 13) ClickAt(Find([](const TCell& c) { return c.gold && c.Gem && c.Gem->GemType > 0 && c.Gem->GemType <= 7; }));
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(testrig::SoundCount("STAR"), 1);
  EXPECT_EQ(testrig::SoundCount("AXEBRICK"), 1);
  EXPECT_EQ(testrig::SoundCount("LION"), 1);
  EXPECT_EQ(testrig::SoundCount("HORN"), 1);
  EXPECT_EQ(testrig::SoundCount("TORNADO"), 1);
  EXPECT_EQ(testrig::SoundCount("PAINTPOT"), 1);
  for (int t = 0; t < 400 && host->outro == 0; ++t) Tick();
  EXPECT_EQ(board.Gold, 0) << BoardPicture();
  EXPECT_EQ(host->outro, 1);
  EXPECT_EQ(host->Count("NextLevel"), 1);
  EXPECT_EQ(host->Count("Quit"), 0);
  // Every gem bursts and nothing comes in while the outro runs.
  Tick(800);
  EXPECT_EQ(GemList->Count(), 0) << BoardPicture();
  EXPECT_EQ(board.BlockInput, 1);
  for (int t = 0; t < 100 && host->outro == 1; ++t) Tick();
  EXPECT_EQ(host->outro, 0);
}

TEST_F(PieceFlowTest, ABoardThatRunsOutOfMovesStartsAgain) {
  // Three cells in a row: the lion is the only move there will ever be.
  WriteLevel(4, "REM,the last move\n60\n0\n3,1\n0,0\n8,1,1\n");
  ASSERT_EQ(testrig::LoadLevelBoard(4, 3), "");
  const std::weak_ptr<TGameGrid> first = GameGrid;
  ClickAt(FindType(8));
  Settle();
  Tick();
  EXPECT_EQ(host->Count("Quit"), 1);
  EXPECT_EQ(GameGrid->NoMore, 1);
  Tick(800);
  EXPECT_EQ(host->Count("RestartLevel"), 1);
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(GameGrid->NoMoreMoves(0), 0);
  EXPECT_EQ(FindType(8), (std::pair<int, int>{0, 0}));
  EXPECT_EQ(host->player->Alive, 1);
}

TEST_F(PieceFlowTest, ThePaintPotWearsOneLayerOfEachUnlockedCell) {
  struct Case {
    const char* what;
    const char* picture;
    int gold;            // left afterwards
    int matchbrick;      // "matchbrick" played
  };
  const Case cases[] = {
      {"armour before brick, its own cell too, a locked gem's cell kept", "1a 2b 3\n4b* Pb 5\n1 2 3b", 2, 1},
      {"nothing to wear: no brick sound", "1 2 3\n4 P 5\n1 2 3", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TGameGrid& board = Build(c.picture);
    testrig::SoundLog().clear();
    board.MatchSound->pitch = 1.7f;
    ClickCell(1, 1);
    EXPECT_EQ(board.Gold, c.gold);
    EXPECT_EQ(testrig::SoundCount("PAINTPOT"), 1);
    EXPECT_EQ(testrig::SoundCount("MATCHBRICK"), c.matchbrick);
    if (c.matchbrick) {
      EXPECT_EQ(testrig::SoundLog().back().pitch, 1.0f);
      EXPECT_EQ(Cell(0, 0).armour, 0);
      EXPECT_EQ(Cell(0, 0).gold, 1);
      EXPECT_EQ(Cell(0, 1).gold, 1);  // under the locked gem
    }
    EXPECT_EQ(GemAt(1, 1).GemType, -1);  // the pot goes through its activation
    EXPECT_EQ(GemAt(1, 1).AnimActive, 1);
    EXPECT_EQ(GemAt(0, 0).GemType, 1);  // no gem destroyed
  }
}

TEST_F(PieceFlowTest, ASpentAxeOrKeyPlaysOnThePointerForFortyTicks) {
  for (const char* picture : {"A 1b 2\n3 4 5", "K 1* 2\n3 4 5"}) {
    SCOPED_TRACE(picture);
    TGameGrid& board = Build(picture);
    testrig::SoundLog().clear();
    ClickCell(0, 0);
    ASSERT_NE(board.PointerGemType, 0);
    testrig::PointAtCell(1, 0);
    testrig::Press();
    Tick();  // used in this tick
    testrig::Release();
    EXPECT_EQ(testrig::SoundCount(picture[0] == 'A' ? "AXEBRICK" : "UNLOCK"), 1);
    EXPECT_EQ(board.Mode, 0);
    int shown = 0;
    while (Game->Mouse->Image2 && shown < 100) {
      Tick();
      ++shown;
    }
    EXPECT_EQ(shown + 1, 40);  // the tick of its use is the first of the 40
    EXPECT_EQ(board.PointerGemType, 0);
  }
}

TEST_F(PieceFlowTest, WhenOnlyLockedGemsHoldTheLayersABurstMayLeaveAKey) {
  // The last layers all lie under locked gems; the lock in column 3 stands at the top of its
  // stretch over two cells that nothing refills while it holds; the level lists only axes,
  // which a locked gem refuses. Without a key such a board waits for ever. The refill colours
  // leave out 2, so no refill completes a run here.
  struct Case {
    const char* what;
    const char* bottomLeft;  // the locked gem at (0, 3)
    int gold;
  };
  const Case cases[] = {
      {"three layers left, three locks", "3b*", 3},
      {"four layers left, one of them armour, all under locks", "3a*", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TGameGrid& board = BuildAs<testrig::MovesLeftGrid>(
        std::string("1 1 1 # 5\n"
                    "2 3 6 2b* 3\n"
                    "5 6 5 . 6\n") +
            c.bottomLeft + " 2 6 . 2b*",
        {1, 3, 4, 5, 6}, {13});
    ASSERT_EQ(board.Gold, c.gold);
    ASSERT_EQ(board.Locked, 3);
    Game->Particles = 0;
    // The first burst gem hits the bonus chance and draws the second of three candidates.
    ASSERT_TRUE(platform::PushRand(1, 1000, 1));
    ASSERT_TRUE(platform::PushRand(1, 1000, 1000));
    ASSERT_TRUE(platform::PushRand(1, 1000, 1000));
    ASSERT_TRUE(platform::PushRand(0, 2, 1));
    EXPECT_EQ(board.DoMatches(0, 0), 3);
    EXPECT_EQ(platform::ClearScriptedRandom(), 0);
    ASSERT_TRUE(Cell(0, 0).Gem);
    ASSERT_EQ(GemAt(0, 0).GemType, 14) << BoardPicture();
  }

  // The key opens the lock over the empty cells, and that column fills and comes to rest.
  TGameGrid& board = *GameGrid;
  Tick();
  Settle();
  ClickCell(0, 0);
  ClickCell(3, 1);
  EXPECT_EQ(testrig::SoundCount("UNLOCK"), 1);
  EXPECT_EQ(board.Locked, 2);
  Tick();
  Settle();
  EXPECT_EQ(BoardPicture().find('.'), std::string::npos) << BoardPicture();
  EXPECT_EQ(GemAt(3, 3).GemType, 2);
  EXPECT_EQ(Cell(3, 1).gold, 1);
  for (const auto& column : TopRow) {
    for (int pending : column) EXPECT_EQ(pending, 0);
  }
}

TEST_F(PieceFlowTest, HintsWalkTheMovesOfTheRealSearch) {
  // Three moves: (1, 0) down, shown at its source, whose gem makes the run; (2, 0) down,
  // shown at its destination, whose gem arrives to make it; the lion, shown itself.
  TGameGrid& board = Build("2 1 3 1b\n1 4 1 5\n5 3 2 L", {1, 2, 3, 4, 5});
  const std::vector<testrig::BoardMove> moves = testrig::BruteForceMoves();
  ASSERT_EQ(moves.size(), 3u);
  const std::pair<int, int> shown[] = {{1, 0}, {2, 1}, {3, 2}, {1, 0}};
  for (const auto& cell : shown) {
    ASSERT_EQ(board.HintStart(), 1);
    EXPECT_EQ(board.HintX, cell.first);
    EXPECT_EQ(board.HintY, cell.second);
    EXPECT_EQ(GemAt(cell.first, cell.second).HintWobble, 1);
    board.HintEnd();
  }
}

}  // namespace
}  // namespace boardtest
