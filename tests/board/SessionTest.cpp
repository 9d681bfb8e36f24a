// Whole plays through the rig: a crafted level file swap by swap down to its last layer, a
// long seeded session on a full board (no run left standing at a settle, no stall), and the
// ticks that must not allocate.
#include "BoardFixture.h"
#include "gfx/TParticleList.h"
#include "platform/Graphics.h"
#include "support/AllocationCounter.h"
#include "support/board/SwapSession.h"

namespace boardtest {
namespace {

// The move search finds one fixed cell to hint at.
class HintAtGrid : public testrig::MovesLeftGrid {
 public:
  int NoMoreMoves(int) override {
    DebugX = 3;
    DebugY = 3;
    return 0;
  }
};

class SessionTest : public BoardTest {
 protected:
  // A full 15 by 10 board with holes, bricks, armour and two locked gems, filled as a level.
  void FullBoard(int seed) {
    std::string picture;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 15; ++x) {
        std::string cell = (x == 7 && (y == 3 || y == 4)) || (x == 2 && y == 6) ? "#" : ".";
        if (cell == "." && (x + y) % 3 == 0) cell += (x * y) % 4 == 1 ? "a" : "b";
        picture += cell + (x < 14 ? " " : "\n");
      }
    }
    Build(picture);
    for (const auto& [x, y] : {std::pair{4, 9}, std::pair{11, 9}}) {
      Cell(x, y).gemlocked = 1;
      ++GameGrid->Locked;
    }
    testrig::FillRunFree(seed);
    testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  }
};

TEST_F(SessionTest, ACraftedLevelPlayedSwapBySwapToItsLastLayer) {
  UseLevel("swapbyswap.txt", 4);
  GameGrid = TGameGrid::Create();
  GameGrid->Load(4);
  GameGrid->IntroColumn = GameGrid->levelwidth;
  testrig::FillRunFree(4);
  TGameGrid& board = *testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  ASSERT_EQ(board.Gold, 25);
  ASSERT_EQ(board.Locked, 1);
  testrig::SwapSession session(4, 1);
  while (!(board.TargetMet && testrig::BoardAtRest()) && session.ticks < 200000) {
    const std::string broken = session.Step();
    ASSERT_TRUE(broken.empty()) << broken;
  }
  EXPECT_EQ(board.Gold, 0);
  EXPECT_EQ(board.TargetMet, 1);
  EXPECT_EQ(board.Locked, 0);
  EXPECT_LE(session.restless, 2000);
  EXPECT_GT(host->player->Kills, 0);
  EXPECT_GT(host->player->Score, 0);
  RecordProperty("swaps", session.swaps);
}

TEST_F(SessionTest, TwoHundredSwapsSettleWithoutRunsOrStalls) {
  FullBoard(12);
  TGameGrid& board = *GameGrid;
  testrig::SwapSession session(12, 0);
  int settles = 0;
  int previous = board.BlockInput;
  while (session.swaps < 200 && session.ticks < 200L * 2000) {
    const std::string broken = session.Step();
    ASSERT_TRUE(broken.empty()) << broken;
    if (previous == 1 && board.BlockInput == 0 && board.SwapCounter <= 0) {
      ++settles;
      ASSERT_EQ(board.DoMatches(1, 0), 0) << "a run stands at a settle, tick " << session.ticks << "\n"
                                          << BoardPicture();
      board.ClearMatches();
    }
    previous = board.BlockInput;
  }
  EXPECT_EQ(session.swaps, 200);
  EXPECT_GT(settles, 100);
  EXPECT_LE(session.restless, 2000);
}

TEST_F(SessionTest, TicksThatMakeNoObjectAllocateNothing) {
  ASSERT_EQ(testrig::CountAllocations([] { (void)std::make_shared<int>(1); }), 1);  // the counter counts
  testrig::SoundLog().reserve(4096);
  host->calls.reserve(4096);
  // At rest, with the pointer over a gem, a hint running and the idle animations, ticked and
  // drawn from the very first frame.
  ASSERT_TRUE(platform::Graphics(800, 600, 0));
  FullBoard(3);
  TGameGrid& board = *testrig::ReplaceBoard<HintAtGrid>();
  testrig::PointAtCell(5, 5);
  ASSERT_TRUE(testrig::BoardAtRest());
  ASSERT_EQ(board.HintStart(), 1);
  std::string broken;
  long idle = testrig::CountAllocations([&] {
    for (int i = 0; i < 2000 && broken.empty(); ++i) {
      broken = testrig::Tick();
      board.Draw();
    }
  });
  ASSERT_EQ(broken, "");
  EXPECT_EQ(idle, 0);

  // A refused swap: the test pass, the trip out, "failed" and the trip back.
  Build("1 2 3\n4 5 1\n2 3 4");
  testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  Tick(5);
  long refused = testrig::CountAllocations([&] {
    broken = testrig::ClickCell(0, 0);
    if (broken.empty()) broken = testrig::ClickCell(1, 0);
    if (broken.empty()) broken = testrig::Tick(90);
  });
  ASSERT_EQ(broken, "");
  EXPECT_EQ(testrig::SoundCount("FAILED"), 1);
  EXPECT_EQ(refused, 0);

  // A fall without refill and without a run: the move loop, the collision walk, the sort,
  // the landings and a real pass that finds nothing.
  Build("1 2 3\n4 5 1\n2 3 4\n. . .\n. . .\n5 1 2");
  GameGrid->MakeNewGems = 0;
  testrig::ReplaceBoard<testrig::MovesLeftGrid>();
  long fall = testrig::CountAllocations([&] { broken = testrig::Tick(200); });
  ASSERT_EQ(broken, "");
  EXPECT_EQ(BoardPicture(), ". . .\n. . .\n1 2 3\n4 5 1\n2 3 4\n5 1 2\n");
  EXPECT_EQ(fall, 0);

  // The bonus chance draws from its candidate list without allocating: a pass whose roll
  // hits (and draws a type that makes nothing) allocates as much as one whose roll misses.
  Game->Particles = 0;
  auto pass = [&](int roll) {
    Build("1b 1 1 4\n2 3 5 6", {1, 2, 3, 4, 5}, {0});
    ScoreParticles->Clear();
    BackgroundParticles->Clear();
    platform::PushRand(1, 1000, roll);
    platform::PushRand(1, 1000, 1000);
    platform::PushRand(1, 1000, 1000);
    if (roll == 1) platform::PushRand(0, 0, 0);
    return testrig::CountAllocations([&] { GameGrid->DoMatches(0, 0); });
  };
  pass(1000);  // the first pass makes the nodes that the lists keep for later passes
  EXPECT_EQ(pass(1), pass(1000));
}

}  // namespace
}  // namespace boardtest
