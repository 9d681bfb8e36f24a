// The no-more-moves sequence tick by tick, the board replaced inside its own tick at its end,
// and its ticks allocating nothing.
#include "BoardFixture.h"
#include "core/TSoundBank.h"
#include "platform/Channel.h"
#include "support/AllocationCounter.h"

namespace boardtest {
namespace {

class NoMoreMovesTest : public BoardTest {
 protected:
  // A level of one row of five cells: a fill always has a move, and a board with colours
  // alternating has none.
  void UseRowLevel() {
    WriteLevel(1, "REM,one row\n60\n0\n5,1\n0,0\n1,1,1,1,1\n");
    ASSERT_EQ(testrig::LoadLevelBoard(1, 7), "");
  }
  void WithoutMoves() {
    for (int x = 0; x < GameGrid->levelwidth; ++x) {
      TGem& gem = GemAt(x, 0);
      gem.GemType = gem.OrigGemType = 1 + x % 2;
    }
    ASSERT_EQ(GameGrid->NoMoreMoves(0), 1);
  }
};

TEST_F(NoMoreMovesTest, TheSequenceTickByTick) {
  TGameGrid& board = Build("1b 2 3\n2 3 1");
  board.DropGemsFlag = 0;
  const std::weak_ptr<TGameGrid> first = GameGrid;
  Game->MusicVolume = 80;
  Game->MusicFileName = u"track";
  Game->MusicName = u"";
  int restarts = 0;
  host->onRestartLevel = [&] {
    ++restarts;
    EXPECT_TRUE(Game->MusicName.empty());  // the music comes back after the restart
    GemList.reset();
    Build("1b 2 L\n2 3 1");
    host->player->NewLevelStats();
  };
  // Not while the outro runs.
  host->outro = 1;
  Tick();
  host->outro = 0;
  EXPECT_EQ(host->Count("Quit"), 0);
  // The first tick at rest searches, gives up and starts the sequence; nothing more.
  const long start = testrig::TickNumber() + 1;
  Tick();
  EXPECT_EQ(host->TicksOf("Quit"), std::vector<long>{start});
  EXPECT_EQ(host->player->Lives, 0);
  EXPECT_EQ(host->player->Alive, 0);
  EXPECT_EQ(board.NoMore, 1);
  EXPECT_EQ(board.NoMoreCounter, 800.0f);
  EXPECT_EQ(board.BlockInput, 1);
  EXPECT_EQ(testrig::SoundCount("ALARM"), 1);
  EXPECT_EQ(board.alpha, 1.0f);
  EXPECT_EQ(board.JiggleOffset, 0.0f);

  float offset = 0;
  int direction = 1;
  for (int step = 1; step <= 800; ++step) {
    SCOPED_TRACE(step);
    // Input is ignored throughout.
    if (step == 50) {
      testrig::PointAtCell(0, 0);
      testrig::Press();
    }
    if (step == 51) testrig::Release();
    Tick();
    if (step < 800) {
      const float r = 1.0f - static_cast<float>(std::min(step, 200) - 1) / 200.0f;
      EXPECT_FLOAT_EQ(board.alpha, r);
      EXPECT_NEAR(Game->MusicChannel->volume, 0.8f * r, 1e-5f);
      EXPECT_EQ(board.Mode, 0);
      EXPECT_EQ(board.HintStart(), 0);
    }
    if (step < 200) {
      offset += static_cast<float>(direction);
      if (offset >= 4) direction = -1;
      if (offset <= -4) direction = 1;
      EXPECT_EQ(board.JiggleOffset, offset);
      EXPECT_EQ(testrig::SoundCount("ECHOPOP"), 0);
    } else if (step < 800) {
      EXPECT_EQ(board.JiggleOffset, 0.0f);
      EXPECT_EQ(board.Exploded, 1);
      EXPECT_EQ(testrig::SoundCount("ECHOPOP"), 1);
    }
    if (step == 200) {
      EXPECT_EQ(testrig::SoundLog().back().name, "ECHOPOP");
      EXPECT_EQ(testrig::SoundLog().back().tick, start + 200);
      // Sent flying from the centre: the corner gems move away from it.
      EXPECT_LT(GemAt(0, 0).dx, 0.0f);
      EXPECT_GT(GemAt(2, 0).dx, 0.0f);
    }
    if (step == 201) {
      // Every gem flies and spins from here on.
      EXPECT_NE(GemAt(0, 0).Rotation, 0.0f);
    }
    EXPECT_EQ(restarts, step == 800 ? 1 : 0);
  }
  EXPECT_EQ(host->TicksOf("RestartLevel"), std::vector<long>{start + 800});
  EXPECT_TRUE(first.expired());
  EXPECT_TRUE(Game->MusicName == u"track");
  EXPECT_EQ(testrig::SoundCount("ALARM"), 1);
  // The new board has a move: no second sequence.
  Tick(100);
  EXPECT_EQ(host->Count("Quit"), 1);
  EXPECT_EQ(GameGrid->NoMore, 0);
}

TEST_F(NoMoreMovesTest, TheRestartReplacesTheBoardInsideItsOwnTick) {
  UseRowLevel();
  WithoutMoves();
  std::weak_ptr<TGameGrid> old = GameGrid;
  std::weak_ptr<TGemList> oldList = GemList;
  Tick(801);
  EXPECT_EQ(host->Count("RestartLevel"), 1);
  EXPECT_TRUE(old.expired());
  EXPECT_TRUE(oldList.expired());
  // The next ticks run on the new board, which has a move and a live player.
  Tick(50);
  EXPECT_EQ(GameGrid->NoMore, 0);
  EXPECT_EQ(GameGrid->NoMoreCounter, 0.0f);
  EXPECT_EQ(GameGrid->alpha, 1.0f);
  EXPECT_EQ(host->Count("Quit"), 1);
  EXPECT_EQ(host->player->Alive, 1);
  EXPECT_EQ(GemList->Count(), 5);
}

TEST_F(NoMoreMovesTest, ShakeAndFlightTicksAllocateNothing) {
  UseRowLevel();
  WithoutMoves();
  Tick(2);
  EXPECT_EQ(testrig::CountAllocations([&] { Tick(150); }), 0);  // the shake
  Tick(60);
  EXPECT_EQ(testrig::CountAllocations([&] { Tick(300); }), 0);  // the flight
}

TEST_F(NoMoreMovesTest, TheMiddleGemDroppedFromTheFlightTakesItsLockAlong) {
  // An odd board both ways: the middle gem has nowhere to fly and leaves the list.
  TGameGrid& board = Build("1 2 1\n2 3* 2\n1 2 1");
  board.DropGemsFlag = 0;
  ASSERT_EQ(board.Locked, 1);
  Tick(201);  // the search gives up, the shake, the first tick of the flight
  ASSERT_EQ(board.Exploded, 1);
  EXPECT_EQ(GemList->Count(), 8);
  EXPECT_EQ(board.Locked, 0);
}

TEST_F(NoMoreMovesTest, FillUntilMoveGivesUpNamingTheLevel) {
  // Three cells in a row can never hold a move.
  WriteLevel(1, "REM,too narrow\n60\n0\n3,1\n0,0\n1,1,1\n");
  const std::string failure = testrig::LoadLevelBoard(1, 1);
  EXPECT_NE(failure.find("1000 fills of level 1"), std::string::npos) << failure;
  EXPECT_NE(failure.find("too narrow"), std::string::npos) << failure;
}

}  // namespace
}  // namespace boardtest
