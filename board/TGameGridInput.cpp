// TGameGrid: the mouse: selection, the bonus pointer and its animation.
#include <cstdlib>

#include "board/BoardHost.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TImageBank.h"

namespace {

bool IsCarriedType(int type) { return type == 11 || type == 13 || type == 14; }

// Lion, horn, tornado and paint pot go off where they stand when clicked.
bool IsInstantType(int type) { return type == 8 || type == 9 || type == 10 || type == 12; }

}  // namespace

int TGameGrid::CheckMouse() {
  if (SwapCounter > 0 || BoardHost::Current().OutroActive() || NoMoreCounter > 0) return 0;
  TMousePointer& mouse = *Game->Mouse;
  const int offsetX = mouse.x - sx;
  const int offsetY = mouse.y - sy;
  if (offsetX < 0 || offsetY < 0) {
    mx = -1;
    my = -1;
    return 0;
  }
  mx = offsetX / CELL_SIZE;
  my = offsetY / CELL_SIZE;
  // Past the right or bottom edge mx, my stay out of range (15 or 10 at most), so they are
  // tested before they index anything.
  if (mx >= levelwidth || my >= levelheight) return 0;
  TCell* hovered = GridAt(mx, my);
  if (!hovered || !hovered->active) return 0;
  if (mouse.GetMb() == 0) return 0;

  if (Mode == 0) {
    // Only a fresh press selects: a press held in from elsewhere selects nothing.
    if (MouseUpFlag == 0) return 0;
    MouseUpFlag = 0;
    const TGem* gem = hovered->Gem.get();
    if (!gem || gem->GemType == -1) {
      PlaySound(InvalidSound);
      return 0;
    }
    if (gem->locked) {
      PlaySound(LockedSound);
      return 0;
    }
    const int type = gem->GemType;
    if (IsInstantType(type)) {
      UseBonusPiece();
      return 0;
    }
    CursorSet(mx, my);
    PlaySound(ClickSound);
    if (IsCarriedType(type)) SetBonusPointer(type, 0);
    return 0;
  }

  // A sweeper may have burst the selected gem, or its burst already emptied the cell: there is
  // nothing left to swap or use.
  const TCell* selectedCell = GridAt(cx, cy);
  const TGem* selected = selectedCell ? selectedCell->Gem.get() : nullptr;
  if (!selected || selected->GemType == -1) {
    PlaySound(ClickReverseSound);
    CursorClear();
    RestorePointer();
    return 0;
  }

  if (mx == cx && my == cy) {
    if (MouseUpFlag == 0) return 0;
    PlaySound(ClickReverseSound);
    CursorClear();
    RestorePointer();
    return 0;
  }

  if (selected->GemType > TGem::kLastColour) {
    // Carried pieces go off on a fresh click only, on any active cell.
    if (MouseUpFlag == 0) return 0;
    UseCarriedPiece();
    return 0;
  }

  const TGem* target = hovered->Gem.get();
  if (target && target->locked) {
    PlaySound(LockedSound);
    CursorClear();
    return 0;
  }
  // While a diagonal move is held a drag counts only over the mask's inner part, so a drag
  // that cuts a corner towards a diagonal does not swap with the straight cell on its way.
  if (DiagonalMoves != 0 && MouseUpFlag == 0 && TCell::DiagonalMask) {
    const int px = mouse.x - sx - mx * CELL_SIZE;
    const int py = mouse.y - sy - my * CELL_SIZE;
    if (TCell::DiagonalMask->ReadPixel(px, py) == 0) return 0;
  }
  const int stepX = std::abs(mx - cx);
  const int stepY = std::abs(my - cy);
  const bool straight = stepX + stepY == 1;
  const bool diagonal = DiagonalMoves != 0 && stepX == 1 && stepY == 1;
  if (!straight && !diagonal) {
    PlaySound(ClickReverseSound);
    CursorClear();
    return 0;
  }
  if (target && target->GemType == -1) return 0;
  StartSwap();
  return 0;
}

int TGameGrid::InitPointerAnim() {
  if (PointerGemType < TGem::kFirstBonus || PointerGemType > TGem::kLastBonus) return 0;
  PointerAnimCounter =
      Game->CalcAnimLength(TGem::BonusActivateLengths[static_cast<size_t>(PointerGemType)]);
  PointerAnimLength = static_cast<int>(PointerAnimCounter);
  return 0;
}

int TGameGrid::SetBonusPointer(int type, int restore) {
  TMousePointer& mouse = *Game->Mouse;
  mouse.Image = images->Find(u"pointersmall")->image;
  mouse.CalcSize();
  mouse.Image2 = images->Find(u"gems")->image;
  mouse.Image2Frame = type - 1;
  PointerAnimated = 0;
  PointerAnimCounter = 0;
  PointerGemType = type;
  if (type == 11) {
    PointerAnimated = 1;
    InitPointerAnim();
  }
  if (restore != 0) {
    PointerAnimCounter = PointerAnimCounterStored;
    if (PointerAnimCounter > 0) SetPointerFrame();
  }
  return 0;
}

int TGameGrid::TogglePointer(int menuState) {
  if (menuState == 2) {
    PointerGemTypeStored = PointerGemType;
    PointerAnimCounterStored = PointerAnimCounter;
    RestorePointer();
  } else if (menuState == 3) {
    if (PointerGemTypeStored > 0) SetBonusPointer(PointerGemTypeStored, 1);
  }
  return 0;
}
