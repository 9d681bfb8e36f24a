// Swaps: the trip out and back, refusals, the standing exchange, swaps into empty cells and
// the diagonal move.
#include "BoardFixture.h"

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
