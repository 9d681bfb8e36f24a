#pragma once
// One cell of the board: its gem, its place, its brick and armour layers and which pieces of
// the board outline it draws. The class holds the pictures every cell shares and the mask
// that decides where a diagonal drag counts.
#include <memory>

#include "gfx/TGameImage.h"
#include "gfx/TParticle.h"
#include "platform/Image.h"

class TGem;

class TCell {
 public:
  virtual ~TCell() = default;

  std::shared_ptr<TGem> Gem;  // null: empty (gems falling or refilling)
  int x = 0;
  int y = 0;
  float sx = 0;  // screen corner; the level's outro moves sy
  float sy = 0;
  int active = 0;  // 0: a hole
  int gold = 0;    // a brick
  int armour = 0;  // a second layer over the brick
  int match = 0;
  int bonus = 0;  // the piece the level file presets here
  int DrawLeft = 0;
  int DrawTop = 0;
  int DrawRight = 0;
  int DrawBottom = 0;
  int DrawCorner = 0;
  int DrawTL = 0;
  int DrawTR = 0;
  int DrawBR = 0;
  int DrawBL = 0;
  int gemlocked = 0;  // the fill places a locked gem here
  TParticlePtr particle;

  static TGameImagePtr BrickImage;
  static TGameImagePtr ArmourImage;
  static TGameImagePtr CellImage;
  static TGameImagePtr CellRightSideImage;
  static TGameImagePtr CellBottomImage;
  static TGameImagePtr CellCornerImage;
  static TGameImagePtr CellPaneImage;
  static platform::PixmapPtr DiagonalMask;

  // A cell placed by SetCoords (the board's origin must be set).
  static std::shared_ptr<TCell> Create(int x, int y);
  // The cell pictures from the image bank and the mask from the image folder; a mask that
  // cannot be read is fatal like any picture.
  static int Load();
  virtual int SetCoords(int x, int y);
  // The outline pieces and their shadow; leaves the outline colour set.
  virtual int DrawBorder();
  // Floor, frame and side pieces in the current colour and alpha; nothing for a hole.
  virtual int Draw();
};
