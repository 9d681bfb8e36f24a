#pragma once
// One cell of the board. The class holds the pictures every cell shares and the mask that
// decides where a diagonal drag counts.
#include "gfx/TGameImage.h"
#include "platform/Image.h"

class TCell {
 public:
  virtual ~TCell() = default;

  static TGameImagePtr BrickImage;
  static TGameImagePtr ArmourImage;
  static TGameImagePtr CellImage;
  static TGameImagePtr CellRightSideImage;
  static TGameImagePtr CellBottomImage;
  static TGameImagePtr CellCornerImage;
  static TGameImagePtr CellPaneImage;
  static platform::PixmapPtr DiagonalMask;

  // The cell pictures from the image bank and the mask from the image folder; a mask that
  // cannot be read is fatal like any picture.
  static int Load();
};
