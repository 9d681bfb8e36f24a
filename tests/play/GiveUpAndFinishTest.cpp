// The play screen with the real board when a level is given up or finished at once: Ctrl+Q
// and a board without moves run the no-more-moves sequence into a new board of the same
// level; Ctrl+J ends the level into the outro and the level-complete scroll.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "board/BoardGlobals.h"
#include "board/TBonusList.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "support/PlayRig.h"

namespace {

// 6 by 4, a brick in every cell.
const char* kLevel = "REM,Given up\n120\n0\n6,4\n0,0\n1,1,1,1,1,1\n1,1,1,1,1,1\n1,1,1,1,1,1\n1,1,1,1,1,1\n";

class GiveUpAndFinishTest : public playtest::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    if (IsSkipped()) return;
    LoadWorld();
    UseProfile(u"Player");
    WriteLevel(9, kLevel);
    EnterLevel(9);
    if (HintScroll->Active) {
      GameTick(80);
      PostClick(5, 5);
      ASSERT_GE(TicksUntil([] { return HintScroll->Active == 0; }, 100), 0);
    }
    ASSERT_GE(TicksUntil([] { return GameScreen->IntroAnim->Active == 0; }, 250), 0);
  }
  TPlayer& P() { return *GameScreen->Player; }
  void Ctrl(int key) {
    HoldKey(162, true);
    PostKey(key);
    GameTick();
    HoldKey(162, false);
  }
  // The sequence runs its 800 ticks, then the same level starts again on a new board.
  void ExpectRestartAfterTheSequence(const std::weak_ptr<TGameGrid>& watch) {
    ASSERT_GT(GameGrid->NoMoreCounter, 0.0f);
    const int ticks = TicksUntil([&] { return GameGrid != watch.lock(); }, 900);
    EXPECT_GE(ticks, 790);
    EXPECT_LE(ticks, 800);
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(P().Level, 9);
    EXPECT_EQ(P().Alive, 1);
    EXPECT_EQ(GameGrid->NoMoreMoves(0), 0);
    EXPECT_EQ(GameGrid->NoMore, 0);
    EXPECT_EQ(HouseList->Count(), 0);
    // The new level plays on: no life is spent by the death begun before.
    GameTick(400);
    EXPECT_EQ(P().Alive, 1);
    EXPECT_EQ(P().DeathCounter, 0.0f);
  }
};

TEST_F(GiveUpAndFinishTest, CtrlQRunsTheSequenceIntoANewBoard) {
  const std::weak_ptr<TGameGrid> board = GameGrid;
  Ctrl(81);
  EXPECT_EQ(P().Lives, 0);
  EXPECT_EQ(P().Alive, 0);
  EXPECT_EQ(GameGrid->NoMore, 1);
  ExpectRestartAfterTheSequence(board);
}

TEST_F(GiveUpAndFinishTest, ABoardWithoutMovesGivesUpAtRest) {
  // Colours in 2 by 2 tiles: no swap makes a run.
  for (int x = 0; x < 6; ++x) {
    for (int y = 0; y < 4; ++y) {
      TGem& gem = *GridAt(x, y)->Gem;
      gem.GemType = gem.OrigGemType = PossGems[static_cast<size_t>(x % 2 + 2 * (y % 2))];
    }
  }
  const std::weak_ptr<TGameGrid> board = GameGrid;
  ASSERT_EQ(GameGrid->NoMoreMoves(0), 1);
  GameTick();
  EXPECT_EQ(P().Lives, 0);
  EXPECT_EQ(GameGrid->NoMore, 1);
  ExpectRestartAfterTheSequence(board);
}

TEST_F(GiveUpAndFinishTest, CtrlJEndsTheLevelIntoTheScroll) {
  Ctrl(74);
  EXPECT_EQ(GameScreen->OutroAnim->Active, 1);
  EXPECT_EQ(GameGrid->BlockInput, 1);
  EXPECT_GE(TicksUntil([] { return LevelCompleteScreen->Active != 0; }, 1000), 800);
  EXPECT_EQ(GemList->Count(), 0);
}

}  // namespace
