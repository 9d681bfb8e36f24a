// The board's tick: the order of its steps, the settle tick, the flash sweep, the random
// flash and the pointer animation.
#include "BoardFixture.h"
#include "core/TMousePointer.h"
#include "gfx/TImageBank.h"

namespace boardtest {
namespace {

// Records the steps of the tick that later parts of the board fill in.
class TracingGrid : public TGameGrid {
 public:
  std::vector<std::string>* trace = nullptr;
  std::vector<int> mouseUpSeen;
  int blockDuringNext = 0;  // ticks DropGems keeps the board busy
  int CheckMouse() override {
    trace->push_back("CheckMouse");
    mouseUpSeen.push_back(MouseUpFlag);
    return 0;
  }
  int HintManage() override { return Log("HintManage"); }
  int SwapManage() override { return Log("SwapManage"); }
  int DiagonalManage() override { return Log("DiagonalManage"); }
  int DropGems() override {
    Log("DropGems");
    if (blockDuringNext > 0) {
      --blockDuringNext;
      BlockInput = 1;
    }
    return 0;
  }
  int LevelEndTest() override { return Log("LevelEndTest"); }
  int ManageNoMoreMoves() override { return Log("ManageNoMoreMoves"); }

 private:
  int Log(const char* step) {
    trace->push_back(step);
    return 0;
  }
};

class TracingList : public TGemList {
 public:
  std::vector<std::string>* trace = nullptr;
  int Manage() override {
    trace->push_back("GemList");
    return TGemList::Manage();
  }
};

class TickTest : public BoardTest {
 protected:
  // The built board replaced by a tracing one over the same cells and gems.
  TracingGrid& Trace(const std::string& picture) {
    Build(picture);
    auto tracing = std::make_shared<TracingGrid>();
    tracing->Init();
    tracing->trace = &trace;
    tracing->levelwidth = GameGrid->levelwidth;
    tracing->levelheight = GameGrid->levelheight;
    tracing->sx = GameGrid->sx;
    tracing->sy = GameGrid->sy;
    tracing->IntroColumn = tracing->levelwidth;
    tracing->DropGemsFlag = 0;
    GameGrid = tracing;
    auto list = std::make_shared<TracingList>();
    list->trace = &trace;
    GemList->ForEach([&](const TGemPtr& gem) { list->Add(gem); });
    GemList = list;
    return *tracing;
  }
  std::vector<std::string> trace;
};

TEST_F(TickTest, StepsRunInTheirOrder) {
  TracingGrid& board = Trace("1 2 3\n4 5 1");
  Tick();
  const std::vector<std::string> expected = {"CheckMouse",     "HintManage", "SwapManage",
                                             "DiagonalManage", "GemList",    "DropGems",
                                             "ManageNoMoreMoves"};
  EXPECT_EQ(trace, expected);
  // CheckMouse reads the button state the previous tick left.
  testrig::Press();
  Tick();
  Tick();
  testrig::Release();
  Tick();
  Tick();
  EXPECT_EQ(board.mouseUpSeen, (std::vector<int>{1, 1, 0, 0, 1}));
}

TEST_F(TickTest, LevelEndTestRunsOnceOnTheSettleTickAndNeverInTheOutro) {
  TracingGrid& board = Trace("1 2 3\n4 5 1");
  board.blockDuringNext = 5;
  GemAt(0, 0).Explode(0);  // busy for 60 ticks
  for (int t = 1; t <= 70; ++t) Tick();
  const auto levelEnds = std::count(trace.begin(), trace.end(), "LevelEndTest");
  EXPECT_EQ(levelEnds, 1);
  // A swap running keeps the board busy and postpones it.
  trace.clear();
  board.SwapCounter = 3;
  GemAt(1, 0).Explode(0);
  Tick(61);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "LevelEndTest"), 0);
  board.SwapCounter = 0;
  Tick();
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "LevelEndTest"), 1);
  // During the outro the burst no longer changes BlockInput and no level end runs.
  trace.clear();
  host->outro = 1;
  board.BlockInput = 1;
  GemAt(2, 0).Explode(0);
  Tick(70);
  EXPECT_EQ(board.BlockInput, 1);
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "LevelEndTest"), 0);
}

TEST_F(TickTest, TheSweepLightsOneColumnEveryFiftyMilliseconds) {
  for (int w : {1, 4, 15}) {
    std::string row;
    for (int x = 0; x < w; ++x) row += std::to_string(1 + x % 5) + " ";
    TGameGrid& board = Build(row + "\n" + row);
    board.SetupIntroFlash();
    EXPECT_GT(GemAt(0, 1).glow, 0.9f);
    std::vector<long> lit(static_cast<size_t>(w), -1);
    lit[0] = 0;
    for (int t = 1; t <= 10 * w + 5; ++t) {
      for (int x = 1; x < w; ++x) GemAt(x, 0).glow = std::min(GemAt(x, 0).glow, 0.5f);
      Tick();
      for (int x = 1; x < w; ++x) {
        if (GemAt(x, 0).glow > 0.9f && lit[static_cast<size_t>(x)] < 0) lit[static_cast<size_t>(x)] = t;
      }
      if (board.IntroColumn == w && lit.back() >= 0) {
        EXPECT_EQ(t, 10 * w) << w;
        break;
      }
    }
    for (int x = 0; x < w; ++x) EXPECT_EQ(lit[static_cast<size_t>(x)], 10 * x) << w;
    EXPECT_EQ(board.IntroColumn, w);
  }
}

TEST_F(TickTest, RandomFlashOddsAndFractionalTicks) {
  TGameGrid& board = Build("1 2\n3 4");
  ASSERT_TRUE(platform::PushRand(1, 100000, 10));
  Tick();
  EXPECT_EQ(board.IntroColumn, 2);
  ASSERT_TRUE(platform::PushRand(1, 100000, 9));
  Tick();
  EXPECT_EQ(board.IntroColumn, 0);  // a sweep started
  EXPECT_GT(GemAt(0, 0).glow, 0.9f);
  board.IntroColumn = 2;
  // A short remainder tick: no integer from 1 up is below 10 x 0.09.
  const long before = platform::RandomCallCount();
  Delta = 0.09f;
  ASSERT_TRUE(platform::PushRand(1, 100000, 1));
  board.RandomFlash();
  EXPECT_EQ(board.IntroColumn, 2);
  EXPECT_EQ(platform::RandomCallCount(), before + 1);
  Delta = 1.0f;
  // While a sweep runs nothing is drawn.
  board.IntroColumn = 0;
  board.RandomFlash();
  EXPECT_EQ(platform::RandomCallCount(), before + 1);
}

TEST_F(TickTest, PointerAnimationOneShotAndLooping) {
  TGameGrid& board = Build("1 L");  // the lion: a move, so the board does not give up
  const platform::ImagePtr pointer = images->Find(u"pointer")->image;
  board.PointerGemType = 13;  // the axe: 4 frames, played once
  board.PointerAnimLength = 40;
  board.PointerAnimCounter = 40;
  std::vector<int> frames;
  for (int t = 0; t < 40; ++t) {
    Tick();
    if (Game->Mouse->Image2) frames.push_back(Game->Mouse->Image2Frame);
  }
  ASSERT_EQ(frames.size(), 39u);
  EXPECT_EQ(frames.front(), 0);
  EXPECT_EQ(frames.back(), 3);  // the last frame just before the end
  EXPECT_TRUE(std::is_sorted(frames.begin(), frames.end()));
  EXPECT_EQ(Game->Mouse->Image2, nullptr);  // the plain pointer on the tick it ran out
  EXPECT_EQ(Game->Mouse->Image, pointer);
  EXPECT_EQ(board.PointerGemType, 0);

  board.PointerGemType = 11;  // the star loops
  board.PointerAnimated = 1;
  board.PointerAnimLength = 200;
  board.PointerAnimCounter = 2;
  Tick();
  Tick();  // reaches 0: wraps without a plain-pointer tick
  EXPECT_EQ(board.PointerAnimCounter, 200.0f);
  EXPECT_EQ(board.PointerGemType, 11);
  EXPECT_NE(Game->Mouse->Image2, nullptr);
  Tick();
  EXPECT_EQ(Game->Mouse->Image2Frame, 0);
}

TEST_F(TickTest, CursorAndDeleteGem) {
  TGameGrid& board = Build("1 2\n3 4");
  board.CursorSet(1, 0);
  EXPECT_EQ(board.Mode, 1);
  Tick();
  board.CursorClear();
  EXPECT_EQ(board.cx, -1);
  EXPECT_EQ(board.Mode, 0);
  board.DeleteGem(1, 1);
  EXPECT_EQ(Cell(1, 1).Gem, nullptr);
  EXPECT_EQ(GemList->Count(), 3);
  board.DeleteGem(1, 1);  // nothing there any more
  EXPECT_EQ(GemList->Count(), 3);
}

}  // namespace
}  // namespace boardtest
