// A board replaced from inside its own tick finishes that tick safely.
#include "BoardFixture.h"

namespace boardtest {
namespace {

using LifetimeTest = BoardTest;

TEST_F(LifetimeTest, ABoardReplacedInsideItsOwnTickFinishesIt) {
  class Restarting : public TGameGrid {
   public:
    int ManageNoMoreMoves() override {
      BoardHost::Current().RestartLevel();
      // Still this board's members: alive until the tick is over.
      return NoMore;
    }
  };
  Build("1 2 3\n4 5 1");
  auto old = std::make_shared<Restarting>();
  old->Init();
  old->levelwidth = 3;
  old->levelheight = 2;
  old->IntroColumn = 3;
  GameGrid = old;
  std::weak_ptr<TGameGrid> watch = old;
  old.reset();
  host->onRestartLevel = [this] {
    GemList.reset();
    Build("2 3 4\n5 1 2");
  };
  Tick();
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(host->Count("RestartLevel"), 1);
  EXPECT_EQ(GemList->Count(), 6);
}

}  // namespace
}  // namespace boardtest
