// TGameGrid: the search for a move and the no-more-moves sequence.
#include "board/TGameGrid.h"

// Not built yet: these steps do nothing.
int TGameGrid::ManageNoMoreMoves() { return 0; }
int TGameGrid::StartNoMoreMoves() { return 0; }
// Until the search is built: a move exists somewhere (so a level can start), but no cell
// to show.
int TGameGrid::NoMoreMoves(int) {
  DebugX = -1;
  DebugY = -1;
  return 0;
}
int TGameGrid::TestMove(int, int, int, int, int, int, const std::shared_ptr<TGem>&,
                        const std::shared_ptr<TCell>&, int&, int&, int&, int) {
  return 0;
}
int TGameGrid::DoQuickMatchHoriz(int, int, int) { return 0; }
int TGameGrid::DoQuickMatchVert(int, int, int) { return 0; }
