// Hints over a scripted move search, and brick removal.
#include <deque>
#include <functional>
#include <map>

#include "BoardFixture.h"
#include "gfx/TParticleList.h"

namespace boardtest {
namespace {

// The move search answers from a script: its result, the cell it leaves in DebugX/Y, and
// whether it starts the walk over (HintCurrent back to 1).
class ScriptedSearchGrid : public TGameGrid {
 public:
  struct Answer {
    int result;
    int x;
    int y;
    bool startOver;
  };
  std::deque<Answer> script;
  std::vector<int> asked;
  // Only the hint asks the script: the board stays in play.
  int ManageNoMoreMoves() override { return 0; }
  int LevelEndTest() override { return 0; }
  int NoMoreMoves(int n) override {
    asked.push_back(n);
    Answer a{1, -1, -1, false};
    if (!script.empty()) {
      a = script.front();
      script.pop_front();
    }
    DebugX = a.x;
    DebugY = a.y;
    if (a.startOver) HintCurrent = 1;
    return a.result;
  }
};

class HintTest : public BoardTest {
 protected:
  ScriptedSearchGrid& Scripted(const std::string& picture) {
    Build(picture);
    return *testrig::ReplaceBoard<ScriptedSearchGrid>();
  }
};

TEST_F(HintTest, RefusedUnlessTheBoardIsIdle) {
  struct Case {
    const char* name;
    std::function<void(TGameGrid&)> busy;
  };
  const Case cases[] = {
      {"a hint runs", [](TGameGrid& b) { b.HintCounter = 1; }},
      {"a swap moves", [](TGameGrid& b) { b.SwapCounter = 0.5f; }},
      {"gems burst or fall", [](TGameGrid& b) { b.BlockInput = 1; }},
      {"the no-more-moves sequence", [](TGameGrid& b) { b.NoMoreCounter = 3; }},
      {"the outro", [](TGameGrid&) { testrig::Host().outro = 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedSearchGrid& board = Scripted("1 2\n3 4");
    host->outro = 0;
    c.busy(board);
    const float counter = board.HintCounter;
    EXPECT_EQ(board.HintStart(), 0);
    EXPECT_EQ(board.HintCounter, counter);
    EXPECT_TRUE(board.asked.empty());
    EXPECT_EQ(board.HintCurrent, 1);
  }
  EXPECT_EQ(host->Count("PlayMenuClick"), 0);
  EXPECT_EQ(testrig::SoundCount("HINT"), 0);
  host->outro = 0;
}

TEST_F(HintTest, AHintWobblesItsGemForFourHundredTicks) {
  ScriptedSearchGrid& board = Scripted("1 2 3\n4 5 1");
  board.script = {{0, 2, 1, false}};
  EXPECT_EQ(board.HintStart(), 1);
  EXPECT_EQ(host->Count("PlayMenuClick"), 1);
  EXPECT_EQ(testrig::SoundCount("HINT"), 1);
  EXPECT_EQ(board.asked, std::vector<int>{1});
  EXPECT_EQ(board.HintCurrent, 2);
  EXPECT_EQ(board.HintX, 2);
  EXPECT_EQ(board.HintY, 1);
  EXPECT_EQ(board.HintCounter, 400.0f);
  TGem& gem = GemAt(2, 1);
  EXPECT_EQ(gem.HintWobble, 1);
  EXPECT_EQ(board.HintStart(), 0);  // one at a time
  Tick(399);
  EXPECT_EQ(gem.HintWobble, 1);
  Tick();
  EXPECT_EQ(gem.HintWobble, 0);
  EXPECT_EQ(gem.UseOffset, 0);
  EXPECT_EQ(board.HintCounter, 0.0f);
  EXPECT_EQ(board.HintX, 2);  // kept
}

TEST_F(HintTest, TheCounterWalksTheMovesAndStartsOver) {
  ScriptedSearchGrid& board = Scripted("1 2 3\n4 5 1");
  // Three moves: the fourth hint finds fewer than asked, so the search starts over at 1.
  board.script = {{0, 0, 0, false}, {0, 1, 0, false}, {0, 2, 0, false}, {1, -1, -1, true}, {0, 0, 0, false}};
  std::vector<int> shown;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(board.HintStart(), 1);
    shown.push_back(board.HintX);
    board.HintEnd();
  }
  EXPECT_EQ(board.asked, (std::vector<int>{1, 2, 3, 4, 1}));
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(board.HintCurrent, 2);
  // No move at all: the hint runs its time with no gem wobbling and no second search.
  board.script = {{1, -1, -1, false}};
  board.asked.clear();
  EXPECT_EQ(board.HintStart(), 1);
  EXPECT_EQ(board.asked, std::vector<int>{2});
  EXPECT_EQ(board.HintCounter, 400.0f);
  EXPECT_EQ(board.HintX, -1);
  GemList->ForEach([](const TGemPtr& g) { EXPECT_EQ(g->HintWobble, 0); });
}

TEST_F(HintTest, TheHintedGemStopsWobblingWhereverItWent) {
  ScriptedSearchGrid& board = Scripted("1 2 3\n4 5 1");
  board.script = {{0, 0, 0, false}};
  board.HintStart();
  const TGemPtr hinted = Cell(0, 0).Gem;
  // The gem changes places with its neighbour while the hint runs.
  std::swap(Cell(0, 0).Gem, Cell(1, 0).Gem);
  Cell(0, 0).Gem->CalcCoords(0, 0);
  Cell(1, 0).Gem->CalcCoords(1, 0);
  board.HintEnd();
  EXPECT_EQ(hinted->HintWobble, 0);
  EXPECT_EQ(GemAt(0, 0).HintWobble, 0);
}

TEST_F(HintTest, ASwapEndsTheWobbleAtOnce) {
  ScriptedSearchGrid& board = Scripted("1 2 3\n4 5 1");
  board.script = {{0, 1, 1, false}};
  board.HintStart();
  TGem& gem = GemAt(1, 1);
  ClickCell(0, 0);
  ClickCell(1, 0);
  EXPECT_GT(board.SwapCounter, 0.0f);
  EXPECT_EQ(board.HintCounter, 0.0f);
  EXPECT_EQ(gem.HintWobble, 0);
}

TEST_F(HintTest, RemovingLayers) {
  for (int detail : {0, 100}) {
    SCOPED_TRACE(detail);
    TGameGrid& board = Build("1a 2b\n3 4");
    Game->Particles = detail;
    BackgroundParticles->Clear();
    EXPECT_EQ(board.Gold, 3);
    EXPECT_EQ(board.RemoveGold(0, 0), 1);
    EXPECT_EQ(Cell(0, 0).armour, 0);
    EXPECT_EQ(Cell(0, 0).gold, 1);
    EXPECT_EQ(board.RemoveGold(0, 0), 1);
    EXPECT_EQ(board.RemoveGold(0, 0), 0);
    EXPECT_EQ(board.Gold, 1);
    EXPECT_EQ(board.TargetMet, 0);
    std::map<TGameImagePtr, int> pieces;
    BackgroundParticles->ForEach([&](const TParticlePtr& p) {
      ++pieces[p->image];
      EXPECT_EQ(p->DoRotate, p->dx >= 0 ? 1 : -1);
      EXPECT_GE(p->dx, -1.0f);
      EXPECT_LT(p->dx, 1.0f);
      EXPECT_GE(p->dy, -1.0f);
      EXPECT_LT(p->dy, -0.2f);
      EXPECT_EQ(p->x, static_cast<float>(CalcSX(0) + 25));
      EXPECT_EQ(p->ygravity, 0.04f);
    });
    EXPECT_EQ(pieces[ParticleImages[1]], 1);
    EXPECT_EQ(pieces[ParticleImages[7]], 2);
    EXPECT_EQ(pieces[ParticleImages[2]], 4);
    // The last layer meets the target in that call.
    EXPECT_EQ(board.RemoveGold(1, 0), 1);
    EXPECT_EQ(board.Gold, 0);
    EXPECT_EQ(board.TargetMet, 1);
  }
  // A board without layers meets its target at the first call, which removes nothing.
  TGameGrid& bare = Build("1 2\n3 4");
  EXPECT_EQ(bare.RemoveGold(1, 1), 0);
  EXPECT_EQ(bare.TargetMet, 1);
  EXPECT_EQ(bare.RemoveGold(9, 9), 0);  // outside the board: nothing
}

}  // namespace
}  // namespace boardtest
