// TGameGrid: the end of a level.
#include <tuple>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"

int TGameGrid::LevelEndTest() {
  if (GameGrid && GameGrid->Gold == 0) LevelEndStart();
  return 0;
}

int TGameGrid::LevelEndStart() {
  if (BoardHost::Current().NextLevel() == 0) return 0;
  if (SwapCounter > 0) {
    // The grid is only changed when a swap arrives, so both gems simply go home.
    SwapCounter = 0;
    for (auto [gem, x, y] : {std::tuple{SwapSource, cx, cy}, std::tuple{SwapDest, dx, dy}}) {
      if (!gem) continue;
      gem->CalcCoords(x, y);
      gem->Stop();
      gem->Swapping = 0;
    }
    SwapSource.reset();
    SwapDest.reset();
  }
  RestorePointer();
  CursorClear();
  HintEnd();
  BlockInput = 1;
  // The finish-level key can end a level with gems still locked: they burst with the rest,
  // so their locks go first and the count stays true.
  for (int x = 0; x < levelwidth; ++x) {
    for (int y = 0; y < levelheight; ++y) {
      const TCell* cell = GridAt(x, y);
      if (cell && cell->Gem) cell->Gem->locked = 0;
    }
  }
  Locked = 0;
  if (const std::shared_ptr<TGemList> list = GemList) {
    list->ExplodeTumblets();
    list->ExplodeAll(1);
  }
  return 1;
}
