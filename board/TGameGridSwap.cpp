// TGameGrid: swaps, their reversal and diagonal moves.
#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "gfx/Geometry.h"

namespace {

void SetVelocity(TGem& gem, int fromX, int fromY, int toX, int toY, float step) {
  gem.dx = static_cast<float>(toX - fromX) * step;
  gem.dy = static_cast<float>(toY - fromY) * step;
  gem.Swapping = 1;
}

// Puts a travelling gem down on its cell, at rest unless the no-more-moves sequence carries
// it on.
void Land(TGem& gem, int x, int y, bool keepMoving) {
  gem.CalcCoords(x, y);
  if (keepMoving) return;
  gem.Stop();
  gem.Swapping = 0;
}

}  // namespace

int TGameGrid::StartSwap() {
  TCell* source = GridAt(cx, cy);
  TCell* dest = GridAt(mx, my);
  if (!source || !source->Gem || !dest) return 0;
  dx = mx;
  dy = my;
  HintEnd();
  const float step = static_cast<float>(CELL_SIZE) / SwapTime;
  SwapDest = dest->Gem;
  if (SwapDest) SetVelocity(*SwapDest, dx, dy, cx, cy, step);
  SwapSource = source->Gem;
  SetVelocity(*SwapSource, cx, cy, dx, dy, step);
  PlaySound(SwapSound);
  SwapCounter = SwapTime;
  return 1;
}

int TGameGrid::SwapManage() {
  if (SwapCounter <= 0) return 0;
  SwapCounter -= Delta;
  if (SwapCounter > 0) {
    if (SwapDest) SwapDest->Move();
    if (SwapSource) SwapSource->Move();
    return 0;
  }
  SwapCounter = 0;
  SwapGems();
  return 0;
}

bool TGameGrid::SwapTargetTaken() const {
  const TCell* dest = GridAt(dx, dy);
  if (!dest || dest->Gem) return true;
  // A refill counted for an entry at this cell will land here.
  if (dx >= 0 && dx < GRID_WIDTH) {
    const auto column = static_cast<size_t>(dx);
    for (int k = 0; k < TopRowCount[column] && k < TOP_ROW_SLOTS; ++k) {
      const auto slot = static_cast<size_t>(k);
      if (TopRowY[column][slot] == dy && TopRow[column][slot] > 0) return true;
    }
  }
  // A gem on its way down already reaches into the cell.
  bool overlapped = false;
  if (GemList) {
    const int cellX = CalcSX(dx);
    const int cellY = CalcSY(dy);
    GemList->ForEach([&](const TGemPtr& gem) {
      if (overlapped || gem->Swapping || gem->dy <= 0.0f) return;
      overlapped = ccRectsOverlap(static_cast<int>(gem->x), static_cast<int>(gem->y), CELL_SIZE,
                                  CELL_SIZE, cellX, cellY, CELL_SIZE, CELL_SIZE) != 0;
    });
  }
  return overlapped;
}

int TGameGrid::SwapGems() {
  if (NoMoreCounter > 0 && NoMore != 0 && JiggleDirection == 0) return 0;
  BoardHost& host = BoardHost::Current();
  const bool sequence = NoMoreCounter != 0;

  if (FailedMove == 1) {
    FailedMove = 0;
    if (SwapSource) Land(*SwapSource, cx, cy, false);
    if (SwapDest) Land(*SwapDest, dx, dy, false);
    SwapSource.reset();
    SwapDest.reset();
    CursorClear();
    // The gems may have been sorted at their mid-trip places; drawing and the fall's collision
    // walk need the list in order again.
    if (GemList) GemList->SortAll();
    host.Player().KillsAdd(DoMatches(0, 0));
    return 0;
  }

  TCell* source = GridAt(cx, cy);
  TCell* dest = GridAt(dx, dy);
  if (!source || !dest || !SwapSource) return 0;

  // Into a cell that was empty: a gem that landed there, is falling into it or is due to
  // refill it would meet the moved gem in the same cell.
  if (!SwapDest && SwapTargetTaken()) {
    SwapReverse();
    return 0;
  }

  if (MoveNeedsMatchFlag) {
    source->Gem = SwapDest;
    dest->Gem = SwapSource;
    const int found = DoMatches(1, 1);
    // A run elsewhere does not save the swap: one of the two cells must be in a run.
    const bool refused = found == 0 || (source->match == 0 && dest->match == 0);
    if (refused) ClearMatches();
    source->Gem = SwapSource;
    dest->Gem = SwapDest;
    if (refused) {
      SwapReverse();
      return 0;
    }
  }

  source->Gem = SwapDest;
  dest->Gem = SwapSource;
  if (cx != dx && cy != dy) {
    DiagonalGauge = 0;
    DiagonalMoves = 0;
    host.SoundGaugeEmpty();
  }
  Land(*SwapSource, dx, dy, sequence);
  SwapSource.reset();
  if (SwapDest) Land(*SwapDest, cx, cy, sequence);
  SwapDest.reset();
  CursorClear();
  if (GemList) GemList->SortAll();
  if (!sequence) host.Player().KillsAdd(DoMatches(0, 0));
  return 0;
}

int TGameGrid::SwapReverse() {
  if (NoMoreCounter == 0) PlaySound(FailedSound);
  if (SwapDest) {
    SwapDest->dx = -SwapDest->dx;
    SwapDest->dy = -SwapDest->dy;
  }
  if (SwapSource) {
    SwapSource->dx = -SwapSource->dx;
    SwapSource->dy = -SwapSource->dy;
  }
  SwapCounter = SwapTime;
  FailedMove = 1;
  return 0;
}

int TGameGrid::DiagonalManage() {
  if (DiagonalTextCounter > 0) {
    DiagonalTextCounter -= Delta;
    if (DiagonalTextCounter < 0) DiagonalTextCounter = 0;
  }
  if (DiagonalMoves == 1 && DiagonalReminderCounter > 0) {
    DiagonalReminderCounter -= Delta;
    if (DiagonalReminderCounter <= 0) {
      DiagonalReminderCounter = DiagonalReminderLength;
      DiagonalTextCounter = static_cast<float>(DiagonalTextLength);
      BoardHost::Current().SoundGaugeFull();
    }
  }
  return 0;
}
