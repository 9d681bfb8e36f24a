// The move search: the cases that decide a move, the counting the hint walks, the cell it
// shows, and a property against a brute-force search over many random boards.
#include <functional>
#include <random>

#include "BoardFixture.h"
#include "support/AllocationCounter.h"

namespace boardtest {
namespace {

class MoveSearchTest : public BoardTest {
 protected:
  // The gem of every slot of the array, to see that a search leaves it as it found it.
  std::vector<const TGem*> Snapshot() const {
    std::vector<const TGem*> gems;
    for (const auto& column : Grid) {
      for (const auto& cell : column) gems.push_back(cell ? cell->Gem.get() : nullptr);
    }
    return gems;
  }
};

struct SearchCase {
  const char* what;
  const char* picture;
  int diagonal;
  int n;
  int result;  // of NoMoreMoves(n)
  int showX, showY;
  int dyingX = -1, dyingY = -1;  // a gem marked bursting
};

TEST_F(MoveSearchTest, CasesDecideTheMoveAndTheCellToShow) {
  const SearchCase cases[] = {
      {"nothing can make a run", "1 2\n2 1", 0, 0, 1, -1, -1},
      {"a bonus piece alone is a move, shown itself", "1 2\n2 L", 0, 0, 0, 1, 1},
      {"a locked piece is no move", "1 2\n2 L*", 0, 0, 1, -1, -1},
      {"a run needing a diagonal swap: none without the diagonal move", "1 1 2\n3 1 4", 0, 0, 1, -1, -1},
      {"... one with it; the arriving gem is shown", "1 1 2\n3 1 4", 1, 0, 0, 1, 1},
      {"a locked gem is never moved", "1 1 2*\n3 4 1", 0, 0, 1, -1, -1},
      {"... never a destination", "1 1 3\n4 5 1*", 0, 0, 1, -1, -1},
      {"... but counts in a run", "1* 1 2\n3 4 1", 0, 0, 0, 2, 1},
      {"an empty cell as source: the gem coming in is shown", "1 . 1\n2 1 3", 0, 0, 0, 1, 1},
      {"an empty cell as destination: the mover is shown", "1 4 3\n4 . 4", 0, 0, 0, 1, 0},
      {"a dying gem is neither moved nor a destination", "1 1 2\n3 4 1", 0, 0, 1, -1, -1, 2, 0},
      {"one row: right swaps only", "1 2 1 1", 1, 0, 0, 0, 0},
      {"a run standing in the window counts", "1 1 1\n2 3 4", 0, 0, 0, 0, 0},
      {"counting: the piece is the first move", "L 2 2\n2 3 4", 0, 1, 0, 0, 0},
      {"... its swap the second, the gem arriving shown", "L 2 2\n2 3 4", 0, 2, 0, 0, 1},
      {"... no third", "L 2 2\n2 3 4", 0, 3, 1, -1, -1},
      {"a swap making a row and a column is moves 1 and 2", "2 1 3\n1 2 1\n4 1 5\n3 1 4", 0, 1, 0, 1, 0},
      {"... 2", "2 1 3\n1 2 1\n4 1 5\n3 1 4", 0, 2, 0, 1, 0},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.what);
    TGameGrid& board = Build(c.picture, {1, 2, 3, 4, 5, 6, 7});
    board.DiagonalMoves = c.diagonal;
    if (c.dyingX >= 0) GemAt(c.dyingX, c.dyingY).GemType = -1;
    board.HintCurrent = 9;
    const std::vector<const TGem*> before = Snapshot();
    EXPECT_EQ(board.NoMoreMoves(c.n), c.result);
    EXPECT_EQ(board.DebugX, c.showX);
    EXPECT_EQ(board.DebugY, c.showY);
    EXPECT_TRUE(Snapshot() == before) << "the search changed the board";
    // Fewer moves than asked but some: the hint walk starts over.
    const bool some = !testrig::BruteForceMoves().empty();
    EXPECT_EQ(board.HintCurrent, c.result == 1 && c.n > 0 && some ? 1 : 9);
  }
}

// A board without a standing run: holes, empty, locked and dying gems, bonus pieces.
std::string RandomRunFreePicture(std::mt19937& rng, int w, int h, int colours,
                                 std::vector<std::pair<int, int>>& dying) {
  std::uniform_int_distribution<int> percent(0, 99);
  std::vector<std::vector<int>> colour(static_cast<size_t>(w), std::vector<int>(static_cast<size_t>(h), 0));
  auto at = [&](int x, int y) { return x >= 0 && y >= 0 ? colour[static_cast<size_t>(x)][static_cast<size_t>(y)] : 0; };
  std::string picture;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::string cell;
      const int roll = percent(rng);
      if (roll < 8) {
        cell = "#";
      } else if (roll < 15) {
        cell = ".";
      } else if (roll < 20) {
        cell = std::string(1, "LHTSPAK"[percent(rng) % 7]);
        if (percent(rng) < 15) cell += "*";
      } else if (roll < 23) {
        cell = "1";
        dying.emplace_back(x, y);
      } else {
        int c = 1;
        for (int tries = 0; tries < 50; ++tries) {
          c = 1 + percent(rng) % colours;
          const bool row = at(x - 1, y) == c && at(x - 2, y) == c;
          const bool column = at(x, y - 1) == c && at(x, y - 2) == c;
          if (!row && !column) break;
        }
        const bool row = at(x - 1, y) == c && at(x - 2, y) == c;
        const bool column = at(x, y - 1) == c && at(x, y - 2) == c;
        if (row || column) {
          cell = ".";
        } else {
          colour[static_cast<size_t>(x)][static_cast<size_t>(y)] = c;
          cell = std::to_string(c);
          if (percent(rng) < 12) cell += "*";
        }
      }
      picture += cell + (x + 1 < w ? " " : "\n");
    }
  }
  return picture;
}

TEST_F(MoveSearchTest, AgreesWithABruteForceSearchOnRandomBoards) {
  std::mt19937 rng(20261209);
  int withMoves = 0;
  int without = 0;
  for (int round = 0; round < 1000; ++round) {
    const int w = 1 + static_cast<int>(rng() % 15);
    const int h = 1 + static_cast<int>(rng() % 10);
    std::vector<std::pair<int, int>> dying;
    const std::string picture = RandomRunFreePicture(rng, w, h, 3 + static_cast<int>(rng() % 4), dying);
    SCOPED_TRACE(picture);
    TGameGrid& board = Build(picture, {1, 2, 3, 4, 5, 6, 7});
    for (auto [x, y] : dying) GemAt(x, y).GemType = -1;
    board.DiagonalMoves = static_cast<int>(rng() % 2);
    const std::vector<testrig::BoardMove> moves = testrig::BruteForceMoves();
    const std::vector<const TGem*> before = Snapshot();
    ASSERT_EQ(board.NoMoreMoves(0), moves.empty() ? 1 : 0);
    (moves.empty() ? without : withMoves) += 1;
    const int count = static_cast<int>(moves.size());
    for (int n = 1; n <= count + 1; ++n) {
      board.HintCurrent = 99;
      const int result = board.NoMoreMoves(n);
      if (n <= count) {
        ASSERT_EQ(result, 0) << "move " << n << " of " << count;
        EXPECT_EQ(board.HintCurrent, 99);
        const testrig::BoardMove& m = moves[static_cast<size_t>(n - 1)];
        const bool source = board.DebugX == m.x && board.DebugY == m.y;
        const bool dest = board.DebugX == m.toX && board.DebugY == m.toY && m.toX != -1;
        EXPECT_TRUE(source || dest) << "move " << n << " shows (" << board.DebugX << ", " << board.DebugY << ")";
      } else {
        ASSERT_EQ(result, 1) << "move " << n << " of " << count;
        EXPECT_EQ(board.HintCurrent, count > 0 ? 1 : 99);
        EXPECT_EQ(board.DebugX, -1);
      }
    }
    ASSERT_TRUE(Snapshot() == before) << "the search changed the board";
  }
  // The generator must produce both kinds in quantity for the property to mean anything.
  EXPECT_GT(withMoves, 300);
  EXPECT_GT(without, 100);
}

// The check asks every tick at rest; each change of what the search reads changes its answer.
TEST_F(MoveSearchTest, TheAnswerFollowsEveryChangeOfTheBoard) {
  TGameGrid& board = Build("1 1 2\n3 1 4");  // only the diagonal swap (2, 0) - (1, 1)
  const struct {
    const char* what;
    std::function<void()> change;
    int result;
    int showX;
  } steps[] = {
      {"no diagonal move", [] {}, 1, -1},
      {"the diagonal move granted", [&] { board.DiagonalMoves = 1; }, 0, 1},
      {"the arriving gem locked", [&] { GemAt(1, 1).locked = 1; }, 1, -1},
      {"unlocked again", [&] { GemAt(1, 1).locked = 0; }, 0, 1},
      {"its cell made a hole", [&] { Cell(1, 1).active = 0; }, 1, -1},
      {"active again", [&] { Cell(1, 1).active = 1; }, 0, 1},
      {"the gem bursting", [&] { GemAt(1, 1).GemType = -1; }, 1, -1},
      {"another colour", [&] { GemAt(1, 1).GemType = 2; }, 1, -1},
      {"its colour again", [&] { GemAt(1, 1).GemType = 1; }, 0, 1},
      {"the gem gone", [&] { Cell(1, 1).Gem.reset(); }, 1, -1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    EXPECT_EQ(board.NoMoreMoves(0), step.result);
    EXPECT_EQ(board.DebugX, step.showX);
    EXPECT_EQ(board.NoMoreMoves(0), step.result);  // asked again, unchanged
    EXPECT_EQ(board.DebugX, step.showX);
  }
  GemList->ForEach([&](const TGemPtr& gem) {
    if (gem->gx == 1 && gem->gy == 1) GemList->Remove(*gem);
  });
}

TEST_F(MoveSearchTest, SearchesAllocateNothing) {
  // A full board whose only move is the last one the search tries.
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) {
      picture += std::to_string(1 + (x + 2 * y) % 4) + (x < 14 ? " " : "\n");
    }
  }
  TGameGrid& board = Build(picture, {1, 2, 3, 4, 5, 6, 7});
  for (int diagonal = 0; diagonal <= 1; ++diagonal) {
    board.DiagonalMoves = diagonal;
    const long allocations = testrig::CountAllocations([&] {
      for (int n = 0; n <= 40; ++n) board.NoMoreMoves(n);
    });
    EXPECT_EQ(allocations, 0) << "diagonal " << diagonal;
  }
}

}  // namespace
}  // namespace boardtest
