#include "board/TCell.h"

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "core/ErrorPath.h"
#include "core/TGame.h"
#include "gfx/TImageBank.h"
#include "platform/Graphics.h"

TGameImagePtr TCell::BrickImage;
TGameImagePtr TCell::ArmourImage;
TGameImagePtr TCell::CellImage;
TGameImagePtr TCell::CellRightSideImage;
TGameImagePtr TCell::CellBottomImage;
TGameImagePtr TCell::CellCornerImage;
TGameImagePtr TCell::CellPaneImage;
platform::PixmapPtr TCell::DiagonalMask;

std::shared_ptr<TCell> TCell::Create(int x, int y) {
  auto cell = std::make_shared<TCell>();
  cell->SetCoords(x, y);
  return cell;
}

int TCell::Load() {
  BrickImage = images->Find(u"Brick");
  ArmourImage = images->Find(u"armour");
  CellImage = images->Find(u"Cell");
  CellRightSideImage = images->Find(u"CellRightSide");
  CellBottomImage = images->Find(u"CellBottom");
  CellCornerImage = images->Find(u"CellCorner");
  CellPaneImage = images->Find(u"CellPane");
  const String maskPath = Game->ImagePath + u"diagonalmask.png";
  DiagonalMask = platform::LoadPixmap(maskPath);
  // The diagonal-move input reads this mask unchecked; without it there is nothing to read.
  if (!DiagonalMask) ccRunTimeError(u"Error loading bitmap " + maskPath, 1);
  return 0;
}

int TCell::SetCoords(int gx, int gy) {
  x = gx;
  y = gy;
  sx = static_cast<float>(CalcSX(gx));
  sy = static_cast<float>(CalcSY(gy));
  return 0;
}

int TCell::DrawBorder() {
  const float alpha = GameGrid ? GameGrid->alpha : 1.0f;
  const int h = GameGrid ? GameGrid->levelheight : 0;
  platform::SetColor(50, 50, 50);
  platform::SetAlpha(0.5f * alpha);
  if (DrawBottom) {
    // Beside a shadow coming down the right side of the cell down-left, start past it.
    const TCell* downLeft = (x > 0 && y < h - 1) ? GridAt(x - 1, y + 1) : nullptr;
    if (downLeft && downLeft->DrawRight) {
      platform::DrawRect(sx + 8, sy + 54, 42, 4);
    } else {
      platform::DrawRect(sx, sy + 54, 50, 4);
    }
  }
  if (DrawRight) platform::DrawRect(sx + 54, sy, 4, 50);
  if (DrawBR) platform::DrawRect(sx + 50, sy + 50, 8, 8);

  platform::SetColor(220, 220, 220);
  platform::SetAlpha(alpha);
  if (DrawLeft) platform::DrawRect(sx - 4, sy, 4, 50);
  if (DrawBottom) platform::DrawRect(sx, sy + 49, 50, 5);
  if (DrawTop) platform::DrawRect(sx, sy - 4, 50, 4);
  if (DrawRight) platform::DrawRect(sx + 49, sy, 5, 50);
  if (DrawTL) platform::DrawRect(sx - 4, sy - 4, 4, 4);
  if (DrawTR) platform::DrawRect(sx + 49, sy - 4, 5, 4);
  if (DrawBR) platform::DrawRect(sx + 49, sy + 49, 5, 5);
  if (DrawBL) platform::DrawRect(sx - 4, sy + 49, 4, 5);
  return 0;
}

int TCell::Draw() {
  if (!active) return 0;
  if (armour) {
    platform::DrawImage(ArmourImage->image, sx, sy, 0);
  } else if (gold) {
    platform::DrawImage(BrickImage->image, sx, sy, 0);
  } else {
    platform::DrawImage(CellPaneImage->image, sx - 1, sy - 1, 0);
  }
  platform::DrawImage(CellImage->image, sx - 1, sy - 1, 0);
  const float w = static_cast<float>(CellImage->w);
  const float h = static_cast<float>(CellImage->h);
  if (DrawRight) platform::DrawImage(CellRightSideImage->image, sx - 1 + w - 2, sy - 1, 0);
  if (DrawBottom) platform::DrawImage(CellBottomImage->image, sx - 1, sy - 1 + h - 2, 0);
  if (DrawCorner) platform::DrawImage(CellCornerImage->image, sx - 1 + w - 2, sy - 1 + h - 2, 0);
  return 0;
}
