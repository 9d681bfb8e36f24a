#pragma once
// Drives the board as the play screen does, without a window: the world set up (a fresh
// Game on the silent audio driver and a fake clock, the particle lists, the stub assets, a
// FakePlayScreen installed as the board's host), a mouse script, the tick driver with the
// invariant check after every tick, and the play screen's fill for loaded levels.
#include <memory>
#include <string>
#include <vector>

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "support/board/FakePlayScreen.h"

namespace testrig {

// Sets the world up in folder (an empty writable folder; pictures and levels go below it).
// Game->LevelsPath = folder + "/levels/". Returns the installed host.
FakePlayScreen& SetUpBoardWorld(const std::string& folder, int seed = 1);
void TearDownBoardWorld();
FakePlayScreen& Host();

// The mouse, as the event pump leaves it; a press counts as a click of the next tick.
void PointAt(int screenX, int screenY);
void PointAtCell(int x, int y, int px = 25, int py = 25);
void Press();
void Release();

// Ticks of the play screen's order: the player record, the board, the host's own part, the
// effect lists. "" or the first broken invariant with its tick and the board picture.
std::string Tick(int n = 1);
// Whether Tick checks the invariants after every tick (on by default; a benchmark times the
// ticks alone).
void SetTickChecks(bool on);
// Press for one tick, release the next.
std::string ClickCell(int x, int y);
// Press on the current cell, move to (x, y) while held, release.
std::string DragToCell(int x, int y);
long TickNumber();

// A full 15 by 10 board with bricks, armour, bonus pieces, locked gems and Tumblets.
std::string FullBoardPicture();
// A full 15 by 10 board of four colours in 2 by 2 tiles, on which no swap, straight or
// diagonal, makes a run; with a lion in the last cell, that piece is its only move, the last
// the move search reaches. One brick keeps the level from ending.
std::string NoMoveBoardPicture(bool lionLast);

// Fills the active empty cells of the current board as the play screen fills a new level:
// rows top-down, presets as they are, colours redrawn (at most 1000 times a cell) while they
// would complete a run, locked gems where marked, 15 % Tumblets. GemList is made when missing
// and sorted.
void FillRunFree(int seed);

// Puts a T (a board class that overrides some steps) in place of the current board, with
// every field copied, so the cells and gems stay as they are.
template <class T>
std::shared_ptr<T> ReplaceBoard() {
  auto board = std::make_shared<T>();
  static_cast<TGameGrid&>(*board) = *GameGrid;
  GameGrid = board;
  return board;
}

// A board that stays in play: its move search always finds a move (without a cell to show)
// and it never ends its level, so a small crafted board without a move or a brick neither
// starts the no-more-moves sequence nor the outro.
class MovesLeftGrid : public TGameGrid {
 public:
  int NoMoreMoves(int) override {
    DebugX = -1;
    DebugY = -1;
    return 0;
  }
  int LevelEndTest() override { return 0; }
};

// The play screen's level start: fills of FillRunFree (seeds seed, seed + 1, ...) until the
// move search finds a move, at most 1000. "" or the failure, naming the level.
std::string FillUntilMove(int seed);
// What the play screen's restart does: effect lists and sweepers emptied, the board and gem
// list replaced by level n loaded and filled with FillUntilMove, the player's level counters
// reset, no intro sweep. The host remembers n, so its RestartLevel rebuilds the same level.
// "" or the failure.
std::string LoadLevelBoard(int n, int seed);

// One move of the board, as the move search counts them: a bonus piece (to -1, -1), or a
// swap of (x, y) with (toX, toY) making a run through one of the two cells; a swap making a
// row and a column is listed twice.
struct BoardMove {
  int x, y, toX, toY;
  bool operator==(const BoardMove&) const = default;
};
// Every move of the current board in the move search's order, found by trying each swap on
// a copy of the board's types and scanning whole rows and columns.
std::vector<BoardMove> BruteForceMoves();

}  // namespace testrig
