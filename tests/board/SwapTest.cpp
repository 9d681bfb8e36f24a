// Swaps: the trip out and back, refusals, the standing exchange, swaps into empty cells and
// the diagonal move.
#include "BoardFixture.h"
#include "support/board/SwapSession.h"

namespace boardtest {
namespace {

std::vector<long> TicksOfSound(const std::string& name) {
  std::vector<long> ticks;
  for (const auto& e : testrig::SoundLog()) {
    if (e.name == name) ticks.push_back(e.tick);
  }
  return ticks;
}

class SwapTest : public BoardTest {
 protected:
  // Selects (fx, fy) by a click, then clicks (tx, ty); returns the tick the swap started in.
  long Swap(int fx, int fy, int tx, int ty) {
    ClickCell(fx, fy);
    testrig::PointAtCell(tx, ty);
    testrig::Press();
    Tick();
    testrig::Release();
    return testrig::TickNumber();
  }
};

// No run in either cell: 40 ticks out ("swap"), "failed", 40 ticks back, and the board as it
// was. Halfway out the list is sorted as a fall would sort it, so the return must sort again.
TEST_F(SwapTest, ASwapWithoutARunTravelsOutAndBackAndChangesNothing) {
  // (2,2) is empty under a locked gem, so nothing falls into it.
  const char* const picture = "1 2 3 4\n2 3 4* 1\n3 4 . 2\n4 1 2 3";
  struct Trip {
    const char* name;
    int fx, fy, tx, ty;
    int diagonal;
  };
  const std::vector<Trip> trips = {
      {"right", 0, 0, 1, 0, 0},        {"left", 1, 0, 0, 0, 0},
      {"down", 0, 0, 0, 1, 0},         {"up", 3, 3, 3, 2, 0},
      {"diagonal, kept", 0, 0, 1, 1, 1}, {"into an empty cell", 1, 2, 2, 2, 0},
  };
  for (const Trip& trip : trips) {
    SCOPED_TRACE(trip.name);
    TGameGrid& board = BuildAs<testrig::MovesLeftGrid>(picture);
    board.DiagonalMoves = trip.diagonal;
    const std::string before = BoardPicture();
    testrig::SoundLog().clear();
    const TGemPtr source = Cell(trip.fx, trip.fy).Gem;
    const TGemPtr dest = Cell(trip.tx, trip.ty).Gem;
    const float x0 = source->x;
    const float y0 = source->y;
    const long t = Swap(trip.fx, trip.fy, trip.tx, trip.ty);
    EXPECT_EQ(board.SwapSource, source);
    EXPECT_EQ(board.SwapDest, dest);
    Tick(30);
    GemList->SortAll();
    Tick(8);  // t + 38: the 39th step out
    EXPECT_FLOAT_EQ(source->x - x0, 48.75f * static_cast<float>(trip.tx - trip.fx));
    EXPECT_FLOAT_EQ(source->y - y0, 48.75f * static_cast<float>(trip.ty - trip.fy));
    EXPECT_EQ(BoardPicture(), before) << "the grid changes while the gems travel";
    Tick(40);  // t + 78: the last step back
    EXPECT_EQ(source->Swapping, 1);
    EXPECT_EQ(board.Mode, 1);
    Tick();
    EXPECT_EQ(source->Swapping, 0);
    EXPECT_EQ(source->x, x0);
    EXPECT_EQ(source->y, y0);
    EXPECT_EQ(source->dx, 0.0f);
    EXPECT_EQ(source->dy, 0.0f);
    if (dest) {
      EXPECT_EQ(dest->Swapping, 0);
    }
    EXPECT_EQ(board.SwapCounter, 0.0f);
    EXPECT_EQ(board.FailedMove, 0);
    EXPECT_EQ(board.SwapSource, nullptr);
    EXPECT_EQ(board.SwapDest, nullptr);
    EXPECT_EQ(board.Mode, 0);
    EXPECT_EQ(board.DiagonalMoves, trip.diagonal);
    EXPECT_EQ(BoardPicture(), before);
    EXPECT_EQ(TicksOfSound("SWAP"), std::vector<long>{t});
    EXPECT_EQ(TicksOfSound("FAILED"), std::vector<long>{t + 39});
    EXPECT_EQ(host->player->Score, 0);
    EXPECT_EQ(host->player->Kills, 0);
    EXPECT_EQ(host->Count("SoundGaugeEmpty"), 0);
    Tick();
    EXPECT_EQ(board.BlockInput, 0);
  }
}

// A gem due in the empty destination makes the swap go back before any run is looked for.
TEST_F(SwapTest, ASwapIntoAnEmptyCellGoesBackWhenAGemIsComingThere) {
  // (1,1) is empty under a locked gem; the moved gem (0,1) would make a run of 3 there.
  const char* const picture = "1 2* 3 4\n2 . 2 2\n3 4 1 3";
  struct Race {
    const char* name;
    std::function<void(SwapTest&)> during;  // run halfway through the trip
  };
  const std::vector<Race> races = {
      {"a gem has landed in the cell",
       [](SwapTest&) {
         const TGemPtr gem = TGem::Make(1, 1, 3, 0);
         Grid[1][1]->Gem = gem;
         GemList->InsertGem(gem);
       }},
      {"a falling gem's box reaches one pixel into the cell",
       [](SwapTest&) {
         const TGemPtr gem = TGem::Make(1, 1, 3, 1);
         gem->y = static_cast<float>(CalcSY(1) - 49);
         GemList->InsertGem(gem);
       }},
      {"a refill for an entry at the cell is pending",
       [](SwapTest&) {
         TopRowY[1][1] = 1;
         TopRowCount[1] = 2;
         TopRow[1][1] = 1;
       }},
  };
  for (const Race& race : races) {
    SCOPED_TRACE(race.name);
    TGameGrid& board = BuildAs<testrig::MovesLeftGrid>(picture);
    board.DropGemsFlag = 0;  // what is coming stays where the test puts it
    testrig::SoundLog().clear();
    const TGemPtr source = Cell(0, 1).Gem;
    const long t = Swap(0, 1, 1, 1);
    EXPECT_EQ(board.SwapDest, nullptr);
    Tick(20);
    race.during(*this);
    Tick(19);
    EXPECT_EQ(TicksOfSound("FAILED"), std::vector<long>{t + 39});
    EXPECT_EQ(Cell(0, 1).Gem, source);
    Tick(40);
    EXPECT_EQ(source->Swapping, 0);
    EXPECT_EQ(source->gx, 0);
    EXPECT_EQ(source->x, static_cast<float>(CalcSX(0)));
    EXPECT_EQ(host->player->Score, 0);
    TopRow[1].fill(0);
  }
}

// The swap stands when one of its two cells lies in a run after the exchange, and the runs are
// resolved in the tick the trip ends; anything else goes back.
TEST_F(SwapTest, ASwapStandsOnlyWhenOneOfItsCellsRuns) {
  struct Exchange {
    const char* name;
    const char* picture;
    int fx, fy, tx, ty;
    int diagonal;
    bool stands;
    int score;  // after the trip (or both trips)
    int kills;
  };
  const std::vector<Exchange> exchanges = {
      {"a run through the moved gem", "1 2 1 3\n2 1 3 4\n3 4 2 1", 1, 0, 1, 1, 0, true, 30, 3},
      {"a run through the gem moved the other way", "1 2 1 3\n2 1 3 4\n3 4 2 1", 1, 1, 1, 0, 0, true, 30, 3},
      {"a run of four and one of three at once", "1 2 1 1 3\n3 1 2 2 4\n3 4 5 1 2", 1, 0, 1, 1, 0, true, 350, 7},
      {"a run only elsewhere does not save the swap; it bursts after the return",
       "1 2 3 4\n2 3 4 1\n5 5 5 2", 0, 0, 1, 0, 0, false, 30, 3},
      {"a colour gem running beside a lion", "1 L 1 1\n2 3 4 5", 0, 0, 1, 0, 0, true, 30, 3},
      {"a colour gem that does not run beside a lion", "1 L 2 1\n2 3 4 5", 0, 0, 1, 0, 0, false, 0, 0},
      {"a colour gem swapped up with a lion", "2 L 1 1\n3 1 4 5", 1, 1, 1, 0, 0, true, 30, 3},
      {"a diagonal swap that runs spends the move", "1 2 3 4\n2 4 1 1\n1 3 2 4", 0, 2, 1, 1, 1, true, 30, 3},
      {"into an empty cell, running there", "1 2* 3 4\n2 . 2 2\n3 4 1 3", 0, 1, 1, 1, 0, true, 30, 3},
  };
  for (const Exchange& e : exchanges) {
    SCOPED_TRACE(e.name);
    TearDown();
    SetUp();
    TGameGrid& board = BuildAs<testrig::MovesLeftGrid>(e.picture);
    board.DiagonalMoves = e.diagonal;
    board.DiagonalGauge = e.diagonal ? 5 : 0;
    const TGemPtr source = Cell(e.fx, e.fy).Gem;
    const TGemPtr dest = Cell(e.tx, e.ty).Gem;
    const long t = Swap(e.fx, e.fy, e.tx, e.ty);
    Tick(39);
    if (e.stands) {
      EXPECT_EQ(board.SwapSource, nullptr);
      EXPECT_EQ(board.Mode, 0);
      EXPECT_EQ(Cell(e.tx, e.ty).Gem, source);
      EXPECT_EQ(source->gx, e.tx);
      EXPECT_EQ(source->gy, e.ty);
      EXPECT_EQ(source->Swapping, 0);
      EXPECT_EQ(Cell(e.fx, e.fy).Gem, dest);
      EXPECT_EQ(board.SwapCounter, 0.0f);
      EXPECT_EQ(TicksOfSound("FAILED"), std::vector<long>{});
    } else {
      EXPECT_EQ(TicksOfSound("FAILED"), std::vector<long>{t + 39});
      Tick(40);
      EXPECT_EQ(Cell(e.fx, e.fy).Gem, source);
      EXPECT_EQ(board.SwapSource, nullptr);
      EXPECT_EQ(board.Mode, 0);
    }
    EXPECT_EQ(host->player->Score, e.score);
    EXPECT_EQ(host->player->Kills, e.kills);
    EXPECT_EQ(board.DiagonalMoves, e.diagonal && !e.stands ? 1 : 0);
    EXPECT_EQ(board.DiagonalGauge, e.diagonal && !e.stands ? 5 : 0);
    EXPECT_EQ(host->Count("SoundGaugeEmpty"), e.diagonal && e.stands ? 1 : 0);
    for (int i = 0; i < 2000 && !testrig::BoardAtRest(); ++i) Tick();
    EXPECT_TRUE(testrig::BoardAtRest());
  }
}

// Input is not blocked by a cascade: a swap played while another column falls and refills
// stands, and the cascade finishes around it.
TEST_F(SwapTest, ASwapDuringACascadeStandsAndTheCascadeGoesOn) {
  TGameGrid& board = BuildAs<testrig::MovesLeftGrid>("1 2 1 3 4 5\n2 1 3 4 5 1\n3 4 2 1 2 3\n4 5 4 2 3 4\n5 1 5 3 4 5");
  board.DeleteGem(5, 4);
  board.DeleteGem(5, 3);
  Tick();
  ASSERT_EQ(board.BlockInput, 1);
  const TGemPtr source = Cell(1, 0).Gem;
  Swap(1, 0, 1, 1);
  Tick(39);
  EXPECT_EQ(Cell(1, 1).Gem, source);
  EXPECT_GE(host->player->Kills, 3);
  for (int i = 0; i < 2000 && !testrig::BoardAtRest(); ++i) Tick();
  EXPECT_TRUE(testrig::BoardAtRest());
  for (int y = 0; y < 5; ++y) EXPECT_NE(Cell(5, y).Gem, nullptr);
}

// The same race with real gravity: the gem above the empty cell is still falling into it when
// the trip ends, so the moved gem goes back and the falling one lands there.
TEST_F(SwapTest, ASwapIntoACellAGemIsFallingIntoGoesBack) {
  BuildAs<testrig::MovesLeftGrid>("1 3 3 4\n2 . 2 2\n3 4 1 3");
  const TGemPtr source = Cell(0, 1).Gem;
  const TGemPtr falling = Cell(1, 0).Gem;
  const long t = Swap(0, 1, 1, 1);
  ASSERT_GT(falling->dy, 0.0f);
  Tick(39);
  EXPECT_EQ(TicksOfSound("FAILED"), std::vector<long>{t + 39});
  Tick(40);  // back home; the fallen gem landed meanwhile (before any refill can reach it)
  EXPECT_EQ(Cell(0, 1).Gem, source);
  EXPECT_EQ(Cell(1, 1).Gem, falling);
  EXPECT_EQ(falling->dy, 0.0f);
  EXPECT_EQ(host->player->Score, 0);
}

// A held diagonal move is announced again every 60 s for 2 s; none is announced without one.
TEST_F(SwapTest, AHeldDiagonalMoveIsAnnouncedEverySixtySeconds) {
  TGameGrid& board = BuildAs<testrig::MovesLeftGrid>("1 2 3\n2 3 1");
  board.DiagonalMoves = 1;
  board.DiagonalReminderCounter = board.DiagonalReminderLength;
  const long t = testrig::TickNumber();
  Tick(12000);
  EXPECT_EQ(board.DiagonalTextCounter, 400.0f);
  Tick(399);
  EXPECT_EQ(board.DiagonalTextCounter, 1.0f);
  Tick();
  EXPECT_EQ(board.DiagonalTextCounter, 0.0f);
  Tick(12000 - 400);
  EXPECT_EQ(host->TicksOf("SoundGaugeFull"), (std::vector<long>{t + 12000, t + 24000}));
  board.DiagonalMoves = 0;
  Tick(13000);
  EXPECT_EQ(host->Count("SoundGaugeFull"), 2);
  EXPECT_EQ(board.DiagonalTextCounter, 0.0f);
}

}  // namespace
}  // namespace boardtest
