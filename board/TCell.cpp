#include "board/TCell.h"

#include "core/ErrorPath.h"
#include "core/TGame.h"
#include "gfx/TImageBank.h"

TGameImagePtr TCell::BrickImage;
TGameImagePtr TCell::ArmourImage;
TGameImagePtr TCell::CellImage;
TGameImagePtr TCell::CellRightSideImage;
TGameImagePtr TCell::CellBottomImage;
TGameImagePtr TCell::CellCornerImage;
TGameImagePtr TCell::CellPaneImage;
platform::PixmapPtr TCell::DiagonalMask;

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
