// The level end: only on the tick the board comes to rest, a swap in flight sent home, the
// carried piece dropped, every gem burst with one Tumblet voice, and a still board during the
// outro.
#include "BoardFixture.h"
#include "core/TMousePointer.h"
#include "gfx/TImageBank.h"

namespace boardtest {
namespace {

class LevelEndTest : public BoardTest {};

TEST_F(LevelEndTest, TheLastLayerEndsTheLevelOnTheSettleTickOnly) {
  // No move left either: the settle tick ends the level and skips the give-up check.
  TGameGrid& board = Build("1b 2 3\n2 3 1");
  board.DropGemsFlag = 0;
  Tick(5);
  EXPECT_EQ(host->Count("NextLevel"), 0);
  EXPECT_EQ(host->Count("Quit"), 1);  // a board without a move at rest gives up...
  // ... which a level end would have pre-empted: the same board, its brick gone while a gem
  // bursts.
  Build("1b 2 3\n2 3 1");
  GameGrid->DropGemsFlag = 0;
  host->player->NewLevelStats();
  host->calls.clear();
  GemAt(2, 1).Explode(0);
  Cell(0, 0).gold = 0;
  GameGrid->Gold = 0;
  long settle = 0;
  for (int t = 0; t < 100 && settle == 0; ++t) {
    Tick();
    if (host->Count("NextLevel") > 0) settle = testrig::TickNumber();
  }
  ASSERT_GT(settle, 1);
  EXPECT_EQ(host->TicksOf("NextLevel"), std::vector<long>{settle});
  EXPECT_EQ(host->Count("Quit"), 0);
  EXPECT_EQ(host->outro, 1);
  EXPECT_EQ(GameGrid->BlockInput, 1);
}

TEST_F(LevelEndTest, StartSendsASwapHomeDropsThePieceAndBurstsEverything) {
  // The finish-level key can end a level while a gem is still locked.
  TGameGrid& board = Build("1t 2 S\n3 4t 5b*");
  // A swap of (0, 0) and (1, 0) halfway.
  board.CursorSet(0, 0);
  board.dx = 1;
  board.dy = 0;
  board.SwapSource = Cell(0, 0).Gem;
  board.SwapDest = Cell(1, 0).Gem;
  for (const TGemPtr& gem : {board.SwapSource, board.SwapDest}) gem->Swapping = 1;
  board.SwapSource->x += 25;
  board.SwapDest->x -= 25;
  board.SwapDest->dx = -1;
  board.SwapCounter = 20;
  const TGemPtr source = board.SwapSource;
  const TGemPtr dest = board.SwapDest;
  // A star on the pointer.
  board.PointerGemType = 11;
  Game->Mouse->Image2 = images->Find(u"gems")->image;
  EXPECT_EQ(board.LevelEndStart(), 1);
  EXPECT_EQ(board.SwapCounter, 0.0f);
  EXPECT_EQ(board.SwapSource, nullptr);
  EXPECT_EQ(board.SwapDest, nullptr);
  EXPECT_EQ(source->x, static_cast<float>(CalcSX(0)));
  EXPECT_EQ(dest->x, static_cast<float>(CalcSX(1)));
  EXPECT_EQ(dest->dx, 0.0f);
  EXPECT_EQ(source->Swapping + dest->Swapping, 0);
  EXPECT_EQ(Cell(0, 0).Gem, source);
  EXPECT_EQ(Cell(1, 0).Gem, dest);
  EXPECT_EQ(board.Mode, 0);
  EXPECT_EQ(board.PointerGemType, 0);
  EXPECT_EQ(Game->Mouse->Image2, nullptr);
  EXPECT_EQ(board.BlockInput, 1);
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 2; ++y) EXPECT_EQ(GemAt(x, y).GemType, -1);
  }
  // The freed Tumblets count, one voice sounds, no gauge step is queued in the outro.
  EXPECT_EQ(host->player->TumbletsFreed, 2);
  EXPECT_EQ(testrig::SoundCount("TUMBLET1") + testrig::SoundCount("TUMBLET4"), 1);
  EXPECT_EQ(host->Count("AddGaugeStep"), 0);
  // A second call while the outro runs changes nothing.
  const size_t sounds = testrig::SoundLog().size();
  EXPECT_EQ(board.LevelEndStart(), 0);
  EXPECT_EQ(testrig::SoundLog().size(), sounds);
  // The outro: nothing is taken, BlockInput stays 1 although the bursts end; then it is over.
  for (int t = 0; t < 899; ++t) {
    if (t == 100) {
      testrig::PointAtCell(2, 1);
      testrig::Press();
    }
    if (t == 101) testrig::Release();
    Tick();
    ASSERT_EQ(board.BlockInput, 1) << t;
    ASSERT_EQ(board.Mode, 0) << t;
  }
  EXPECT_EQ(host->outro, 1);
  EXPECT_EQ(GemList->Count(), 0);
  Tick();
  EXPECT_EQ(host->outro, 0);
  EXPECT_EQ(host->Count("NextLevel"), 2);
  EXPECT_EQ(host->Count("Quit"), 0);
}

TEST_F(LevelEndTest, RefusedWhileTheIntroRunsOrThePlayerIsDying) {
  TGameGrid& board = Build("1 2 3");
  host->intro = 1;
  EXPECT_EQ(board.LevelEndStart(), 0);
  host->intro = 0;
  host->player->Alive = 0;
  EXPECT_EQ(board.LevelEndStart(), 0);
  EXPECT_EQ(board.BlockInput, 0);
  EXPECT_EQ(GemAt(0, 0).GemType, 1);
}

}  // namespace
}  // namespace boardtest

namespace boardtest {
namespace {

// The last layer taken by a run, a paint pot or an axe: the level ends on the tick the board
// comes to rest afterwards, never in the tick the layer goes.
TEST_F(LevelEndTest, TheLastLayerGoesThenTheBoardSettlesThenTheLevelEnds) {
  struct Case {
    const char* what;
    const char* picture;
    std::vector<std::pair<int, int>> clicks;
  };
  const Case cases[] = {
      {"a run", "1b 2 1 3\n4 1 5 2\n2 3 4 5", {{1, 1}, {1, 0}}},
      {"a paint pot", "1b 2 3 L\n4 P 5 2\n2 3 4 5", {{1, 1}}},
      {"an axe", "1b 2 3 L\n4 A 5 2\n2 3 4 5", {{1, 1}, {0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Build(c.picture);
    host->outro = 0;
    host->outroTicks = 0;
    host->player->NewLevelStats();
    host->calls.clear();
    for (auto [x, y] : c.clicks) ClickCell(x, y);
    long goldGone = GameGrid->Gold == 0 ? testrig::TickNumber() : 0;
    int wasBusy = GameGrid->BlockInput;
    long settled = 0;
    for (int t = 0; t < 500 && host->Count("NextLevel") == 0; ++t) {
      Tick();
      if (goldGone == 0 && GameGrid->Gold == 0) goldGone = testrig::TickNumber();
      if (wasBusy && GameGrid->BlockInput == 0 && settled == 0) settled = testrig::TickNumber();
      wasBusy = GameGrid->BlockInput || host->outro;
      if (host->outro && settled == 0) settled = testrig::TickNumber();
    }
    ASSERT_GT(goldGone, 0);
    ASSERT_EQ(host->Count("NextLevel"), 1);
    EXPECT_GT(host->TicksOf("NextLevel")[0], goldGone);
    EXPECT_EQ(host->TicksOf("NextLevel")[0], settled);
    EXPECT_EQ(host->Count("Quit"), 0);
  }
}

}  // namespace
}  // namespace boardtest
