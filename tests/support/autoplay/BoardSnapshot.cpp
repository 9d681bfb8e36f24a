#include "support/autoplay/BoardSnapshot.h"

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"

namespace autoplay {

Snapshot SnapshotOfBoard() {
  Snapshot s;
  if (!GameGrid) return s;
  s.width = GameGrid->levelwidth;
  s.height = GameGrid->levelheight;
  s.diagonalMoves = GameGrid->DiagonalMoves;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const TCell* cell = GridAt(x, y);
      const auto i = static_cast<size_t>(Snapshot::Index(x, y));
      if (!cell) continue;
      s.active[i] = cell->active ? 1 : 0;
      s.layers[i] = static_cast<uint8_t>(cell->gold + cell->armour);
      if (cell->Gem) {
        s.type[i] = static_cast<int8_t>(cell->Gem->GemType);
        s.locked[i] = cell->Gem->locked ? 1 : 0;
      }
    }
  }
  return s;
}

}  // namespace autoplay
