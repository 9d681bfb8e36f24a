// The board's mouse: hovered cell, selection, clicks and drags onto swap targets, the gates,
// the board's edge pixels and the pointer's looks.
#include <functional>

#include "BoardFixture.h"
#include "core/TMousePointer.h"
#include "gfx/TImageBank.h"

namespace boardtest {
namespace {

// Records what the mouse asks for instead of doing it; the swap itself is tested apart.
class InputGrid : public TGameGrid {
 public:
  std::vector<std::string> calls;
  long start = 0;
  int StartSwap() override { return Record("swap", cx, cy); }
  int UseBonusPiece() override { return Record("bonus", -1, -1); }
  int UseCarriedPiece() override { return Record("carried", cx, cy); }
  int ManageNoMoreMoves() override { return 0; }
  int LevelEndTest() override { return 0; }

 private:
  int Record(const std::string& what, int fromX, int fromY) {
    std::string text = what + " ";
    if (fromX >= 0) text += std::to_string(fromX) + "," + std::to_string(fromY) + ">";
    text += std::to_string(mx) + "," + std::to_string(my) + " @" +
            std::to_string(testrig::TickNumber() - start);
    calls.push_back(text);
    return 0;
  }
};

// 1 2 3 1      (1,1) is locked, (1,2) is empty under it, S a star, L a lion
// 2 3* 4 5
// 3 . S L
// 4 5 1 2
const char* const kBoard = "1 2 3 1\n2 3* 4 5\n3 . S L\n4 5 1 2";

std::vector<std::string> SoundsSince(size_t from) {
  std::vector<std::string> names;
  const auto& log = testrig::SoundLog();
  for (size_t i = from; i < log.size(); ++i) names.push_back(log[i].name);
  return names;
}

class InputTest : public BoardTest {
 public:
  // The case table's scripts drive the fixture from outside.
  using BoardTest::Cell;
  using BoardTest::ClickCell;
  using BoardTest::GemAt;
  using BoardTest::Tick;
  InputGrid& Board(const char* picture = kBoard) {
    InputGrid& board = BuildAs<InputGrid>(picture);
    board.start = testrig::TickNumber();
    testrig::SoundLog().clear();
    return board;
  }
  // Presses at a point inside a cell and holds for ticks, then releases for one tick.
  void Hold(int x, int y, int ticks, int px = 25, int py = 25) {
    testrig::PointAtCell(x, y, px, py);
    testrig::Press();
    Tick(ticks);
    testrig::Release();
    Tick();
  }
  void PressAt(int x, int y, int px = 25, int py = 25) {
    testrig::PointAtCell(x, y, px, py);
    testrig::Press();
    Tick();
  }
  void MoveTo(int x, int y, int px = 25, int py = 25, int ticks = 1) {
    testrig::PointAtCell(x, y, px, py);
    Tick(ticks);
  }
  void Up() {
    testrig::Release();
    Tick();
  }
};

struct InputCase {
  const char* name;
  int diagonal;
  std::function<void(InputTest&)> act;
  std::vector<std::string> calls;
  std::vector<std::string> sounds;
  int cx;  // the selection afterwards, -1 none
  int cy;
};

// Every way a press, a click or a drag may end; the mouse script runs from a fresh board.
TEST_F(InputTest, ClicksAndDragsSelectRefuseAndSwapAsAPlayerExpects) {
  const std::vector<InputCase> cases = {
      {"click then click on a neighbour", 0,
       [](InputTest& t) { t.ClickCell(0, 0); t.ClickCell(1, 0); },
       {"swap 0,0>1,0 @3"}, {"CLICK"}, 0, 0},
      {"press and drag swaps on the tick the pointer enters the neighbour", 0,
       [](InputTest& t) { t.PressAt(0, 0); t.MoveTo(0, 0, 49, 25, 2); t.MoveTo(1, 0, 0, 25); t.Up(); },
       {"swap 0,0>1,0 @4"}, {"CLICK"}, 0, 0},
      {"a drag that comes back to the selected gem does nothing there", 0,
       [](InputTest& t) { t.PressAt(0, 0); t.MoveTo(0, 1, 25, 25); t.MoveTo(0, 0); t.Up(); },
       {"swap 0,0>0,1 @2"}, {"CLICK"}, 0, 0},
      {"a press outside the board dragged over gems selects nothing", 0,
       [](InputTest& t) {
         testrig::PointAt(GameGrid->sx - 5, GameGrid->sy + 25);
         testrig::Press();
         t.Tick();
         t.MoveTo(0, 0);
         t.MoveTo(1, 0);
         t.Up();
       },
       {}, {}, -1, -1},
      {"a fresh click on the selected gem deselects it", 0,
       [](InputTest& t) { t.ClickCell(0, 0); t.ClickCell(0, 0); }, {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"holding the button on the selected gem keeps it", 0,
       [](InputTest& t) { t.Hold(0, 0, 6); }, {}, {"CLICK"}, 0, 0},
      {"a click two cells away drops the selection and selects nothing", 0,
       [](InputTest& t) { t.ClickCell(0, 0); t.Hold(2, 0, 4); },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"a locked gem is never selected", 0, [](InputTest& t) { t.ClickCell(1, 1); },
       {}, {"LOCKEDCLICK"}, -1, -1},
      {"a click on a locked neighbour ends the selection", 0,
       [](InputTest& t) { t.ClickCell(0, 1); t.ClickCell(1, 1); },
       {}, {"CLICK", "LOCKEDCLICK"}, -1, -1},
      {"a drag onto a locked neighbour ends the selection", 0,
       [](InputTest& t) { t.PressAt(0, 1); t.MoveTo(1, 1); t.Up(); },
       {}, {"CLICK", "LOCKEDCLICK"}, -1, -1},
      {"an empty cell answers invalid", 0, [](InputTest& t) { t.ClickCell(1, 2); },
       {}, {"INVALID"}, -1, -1},
      {"a bursting gem answers invalid", 0,
       [](InputTest& t) { t.GemAt(0, 0).Explode(0); t.ClickCell(0, 0); },
       {}, {"INVALID"}, -1, -1},
      {"a diagonal drag without a diagonal move drops the selection", 0,
       [](InputTest& t) { t.PressAt(2, 0); t.MoveTo(3, 1); t.Up(); },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"a diagonal click without a diagonal move drops the selection", 0,
       [](InputTest& t) { t.ClickCell(2, 0); t.ClickCell(3, 1); },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"with a diagonal move a diagonal drag waits for the mask", 1,
       [](InputTest& t) { t.PressAt(2, 0); t.MoveTo(3, 1, 2, 2, 3); t.MoveTo(3, 1, 25, 25); t.Up(); },
       {"swap 2,0>3,1 @5"}, {"CLICK"}, 2, 0},
      {"with a diagonal move a straight drag waits for the mask too", 1,
       [](InputTest& t) { t.PressAt(2, 0); t.MoveTo(3, 0, 47, 25, 2); t.MoveTo(3, 0, 40, 25); t.Up(); },
       {"swap 2,0>3,0 @4"}, {"CLICK"}, 2, 0},
      {"with a diagonal move a fresh click is never held to the mask", 1,
       [](InputTest& t) { t.ClickCell(2, 0); t.Hold(3, 1, 1, 1, 1); },
       {"swap 2,0>3,1 @3"}, {"CLICK"}, 2, 0},
      {"a carried star is not used by a drag", 0,
       [](InputTest& t) { t.PressAt(2, 2); t.MoveTo(2, 3); t.MoveTo(1, 3); t.Up(); },
       {}, {"CLICK"}, 2, 2},
      {"a fresh click on a far cell uses the carried star", 0,
       [](InputTest& t) { t.ClickCell(2, 2); t.ClickCell(0, 0); },
       {"carried 2,2>0,0 @3"}, {"CLICK"}, 2, 2},
      {"a lion clicked with nothing selected goes off", 0, [](InputTest& t) { t.ClickCell(3, 2); },
       {"bonus 3,2 @1"}, {}, -1, -1},
      {"a colour gem selected swaps with a neighbouring lion", 0,
       [](InputTest& t) { t.ClickCell(3, 1); t.ClickCell(3, 2); },
       {"swap 3,1>3,2 @3"}, {"CLICK"}, 3, 1},
      {"a bursting target keeps the selection", 0,
       [](InputTest& t) { t.ClickCell(0, 0); t.GemAt(1, 0).Explode(0); t.ClickCell(1, 0); },
       {}, {"CLICK"}, 0, 0},
      {"a gem swaps into an empty neighbour", 0,
       [](InputTest& t) { t.ClickCell(0, 2); t.ClickCell(1, 2); },
       {"swap 0,2>1,2 @3"}, {"CLICK"}, 0, 2},
      {"the selected gem bursting under a sweeper: the next click only deselects", 0,
       [](InputTest& t) { t.ClickCell(0, 0); t.GemAt(0, 0).Destroy(); t.ClickCell(1, 0); },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"the selected cell emptied by a burst: the next click only deselects", 0,
       [](InputTest& t) {
         t.ClickCell(1, 3);
         t.GemAt(1, 3).Destroy();
         t.Tick(61);
         EXPECT_EQ(t.Cell(1, 3).Gem, nullptr);
         t.ClickCell(0, 3);
       },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
      {"a carried star burst under a sweeper: the next click only deselects", 0,
       [](InputTest& t) { t.ClickCell(2, 2); t.GemAt(2, 2).Destroy(); t.Tick(); t.ClickCell(0, 0); },
       {}, {"CLICK", "CLICKREV"}, -1, -1},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    InputGrid& board = Board();
    board.DiagonalMoves = c.diagonal;
    c.act(*this);
    EXPECT_EQ(board.calls, c.calls);
    EXPECT_EQ(SoundsSince(0), c.sounds);
    EXPECT_EQ(board.cx, c.cx);
    EXPECT_EQ(board.cy, c.cy);
    EXPECT_EQ(board.Mode, c.cx >= 0 ? 1 : 0);
    // Whatever ended a selection, a carried piece no longer rides on the pointer.
    if (c.cx < 0) {
      EXPECT_EQ(board.PointerGemType, 0);
    }
    if (HasFailure()) break;
  }
}

// During a swap trip, the outro and the no-more-moves sequence the mouse is not read at all:
// the hovered cell stays where it was and nothing is selected or dropped.
TEST_F(InputTest, GatesIgnoreTheMouseAndKeepTheHoveredCell) {
  const std::vector<std::pair<const char*, std::function<void(InputGrid&)>>> gates = {
      {"swap trip", [](InputGrid& b) { b.SwapCounter = 1000; }},
      {"outro", [this](InputGrid&) { host->outro = 1; }},
      {"no-more-moves sequence", [](InputGrid& b) { b.NoMoreCounter = 1000; }},
  };
  for (const auto& [name, close] : gates) {
    SCOPED_TRACE(name);
    TearDown();
    SetUp();
    InputGrid& board = Board();
    ClickCell(0, 0);
    testrig::SoundLog().clear();
    close(board);
    for (const auto& [x, y] : {std::pair{1, 0}, std::pair{0, 0}, std::pair{3, 3}}) {
      ClickCell(x, y);
      EXPECT_EQ(board.mx, 0);
      EXPECT_EQ(board.my, 0);
    }
    testrig::PointAt(GameGrid->sx - 10, GameGrid->sy - 10);
    Tick();
    EXPECT_EQ(board.mx, 0);
    EXPECT_EQ(board.Mode, 1);
    EXPECT_TRUE(board.calls.empty());
    EXPECT_TRUE(testrig::SoundLog().empty());
    board.SwapCounter = 0;
    board.NoMoreCounter = 0;
    host->outro = 0;
  }
}

// The board's first and last pixel rows and columns belong to its cells; one pixel beyond
// belongs to nothing (a fault other games shipped with).
TEST_F(InputTest, EdgePixelsSelectTheEdgeCellsAndOnePixelBeyondSelectsNothing) {
  std::string picture;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 15; ++x) picture += std::to_string(1 + (x + 2 * y) % 5) + (x < 14 ? " " : "\n");
  }
  struct Edge {
    int px, py;
    int mx, my;  // the hovered cell afterwards
    int selects;
  };
  const std::vector<Edge> edges = {
      {774, 549, 14, 9, 1}, {775, 549, 15, 9, 0}, {774, 550, 14, 10, 0}, {775, 550, 15, 10, 0},
      {25, 50, 0, 0, 1},    {24, 50, -1, -1, 0},  {25, 49, -1, -1, 0},   {774, 50, 14, 0, 1},
      {25, 549, 0, 9, 1},   {799, 599, 15, 10, 0},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(std::to_string(e.px) + "," + std::to_string(e.py));
    InputGrid& board = Board(picture.c_str());
    ASSERT_EQ(board.sx, 25);
    ASSERT_EQ(board.sy, 50);
    testrig::PointAt(e.px, e.py);
    testrig::Press();
    Tick();
    testrig::Release();
    Tick();
    EXPECT_EQ(board.mx, e.mx);
    EXPECT_EQ(board.my, e.my);
    EXPECT_EQ(board.Mode, e.selects);
    if (e.selects) {
      EXPECT_EQ(board.cx, e.mx);
      EXPECT_EQ(board.cy, e.my);
    }
    EXPECT_EQ(SoundsSince(0), e.selects ? std::vector<std::string>{"CLICK"} : std::vector<std::string>{});
  }
}

TEST_F(InputTest, LeftOfOrAboveTheBoardNoCellIsHoveredAndNoGemGlows) {
  InputGrid& board = Board();
  testrig::PointAtCell(0, 0);
  Tick(5);
  EXPECT_GT(GemAt(0, 0).glow, 0.0f);
  for (const auto& [px, py] : {std::pair{board.sx - 1, board.sy + 10}, std::pair{board.sx + 10, board.sy - 1}}) {
    testrig::PointAt(px, py);
    Tick(60);
    EXPECT_EQ(board.mx, -1);
    EXPECT_EQ(board.my, -1);
    GemList->ForEach([](const TGemPtr& gem) { EXPECT_EQ(gem->glow, 0.0f); });
  }
}

// The carried piece's look: the small pointer with the piece's frame, the star's looping
// activation, and the in-game menu putting it away and bringing it back where it stopped.
TEST_F(InputTest, CarriedPiecesRideOnThePointerAndComeBackAfterTheMenu) {
  struct Look {
    int type;
    int animated;
    float counter;
  };
  for (const Look& look : {Look{11, 1, 200.0f}, Look{13, 0, 0.0f}, Look{14, 0, 0.0f}}) {
    SCOPED_TRACE(look.type);
    InputGrid& board = Board();
    board.SetBonusPointer(look.type, 0);
    TMousePointer& mouse = *Game->Mouse;
    EXPECT_EQ(mouse.Image, images->Find(u"pointersmall")->image);
    EXPECT_EQ(mouse.Image2Frame, look.type - 1);
    EXPECT_EQ(board.PointerGemType, look.type);
    EXPECT_EQ(board.PointerAnimated, look.animated);
    EXPECT_EQ(board.PointerAnimCounter, look.counter);
    // Once used, the axe's and key's activation plays once for 200 ms.
    board.InitPointerAnim();
    EXPECT_EQ(board.PointerAnimLength, look.type == 11 ? 200 : 40);
  }

  InputGrid& board = Board();
  ClickCell(2, 2);  // the star
  ASSERT_EQ(board.PointerGemType, 11);
  Tick(37);
  TMousePointer& mouse = *Game->Mouse;
  const float counter = board.PointerAnimCounter;
  const int frame = mouse.Image2Frame;
  const platform::ImagePtr strip = mouse.Image2;
  EXPECT_EQ(strip, TGem::BonusActivateAnims[11]->image);
  board.TogglePointer(2);
  EXPECT_EQ(mouse.Image, images->Find(u"pointer")->image);
  EXPECT_EQ(mouse.Image2, nullptr);
  EXPECT_EQ(board.PointerGemType, 0);
  board.TogglePointer(1);
  board.TogglePointer(0);
  Tick(50);
  EXPECT_EQ(mouse.Image2, nullptr);
  board.TogglePointer(3);
  EXPECT_EQ(board.PointerGemType, 11);
  EXPECT_EQ(board.PointerAnimCounter, counter);
  EXPECT_EQ(mouse.Image2Frame, frame);
  EXPECT_EQ(mouse.Image2, strip);
  // A fresh click on the star puts it back.
  ClickCell(2, 2);
  EXPECT_EQ(board.Mode, 0);
  EXPECT_EQ(mouse.Image, images->Find(u"pointer")->image);
  // Nothing stored: closing the menu brings nothing back.
  board.TogglePointer(2);
  board.TogglePointer(3);
  EXPECT_EQ(board.PointerGemType, 0);
}

}  // namespace
}  // namespace boardtest
