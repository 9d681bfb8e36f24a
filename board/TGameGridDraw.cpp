// TGameGrid: the outline and the drawing.
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGemList.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TSineCounter.h"
#include "platform/Graphics.h"

namespace {

// A hole: an inactive cell inside the level (outside it is the board's edge).
bool IsHole(int x, int y) {
  const TCell* cell = GridAt(x, y);
  return cell && !cell->active;
}

}  // namespace

int TGameGrid::FindEdges() {
  const int w = levelwidth;
  const int h = levelheight;
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) {
      TCell* cell = GridAt(x, y);
      if (!cell || !cell->active) continue;
      if (x == 0 || IsHole(x - 1, y)) cell->DrawLeft = 1;
      if (x == w - 1 || IsHole(x + 1, y)) cell->DrawRight = 1;
      if (y == 0 || IsHole(x, y - 1)) cell->DrawTop = 1;
      if (y == h - 1 || IsHole(x, y + 1)) cell->DrawBottom = 1;
      if (cell->DrawRight && cell->DrawBottom) cell->DrawCorner = 1;
      if (cell->DrawTop && cell->DrawLeft && (x == 0 || y == 0 || IsHole(x - 1, y - 1))) cell->DrawTL = 1;
      if (cell->DrawTop && cell->DrawRight && (x == w - 1 || y == 0 || IsHole(x + 1, y - 1))) cell->DrawTR = 1;
      if (cell->DrawBottom && cell->DrawRight && (x == w - 1 || y == h - 1 || IsHole(x + 1, y + 1))) cell->DrawBR = 1;
      if (cell->DrawBottom && cell->DrawLeft && (x == 0 || y == h - 1 || IsHole(x - 1, y + 1))) cell->DrawBL = 1;
    }
  }
  return 0;
}

int TGameGrid::Draw() {
  DrawFloor();
  return DrawPieces();
}

int TGameGrid::DrawFloor() {
  // The whole outline and its shadow lie under every cell.
  platform::SetColor(220, 220, 220);
  for (int x = 0; x < levelwidth; ++x) {
    for (int y = 0; y < levelheight; ++y) {
      TCell* cell = GridAt(x, y);
      if (cell && cell->active) cell->DrawBorder();
    }
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(alpha);
  for (int x = 0; x < levelwidth; ++x) {
    for (int y = 0; y < levelheight; ++y) {
      TCell* cell = GridAt(x, y);
      if (cell) cell->Draw();
    }
  }
  return 0;
}

int TGameGrid::DrawPieces() {
  platform::SetAlpha(1.0f);
  if (GemList) GemList->Draw();
  if (Mode == 1 && CursorImage) {
    const auto x = static_cast<float>(CalcSX(cx));
    const auto y = static_cast<float>(CalcSY(cy));
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(1.0f);
    platform::DrawImage(CursorImage->image, x, y, 0);
    const float level = 0.2f + 0.4f * (1.0f - glow->ratio);
    ccDrawImageLight(CursorImage->image, x, y, level, 1.0f, 1.0f, 1.0f, 0);
  }
  platform::SetAlpha(1.0f);
  return 0;
}
