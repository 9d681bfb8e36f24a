#include "play/TBoardLayer.h"

#include <bit>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "platform/Graphics.h"

namespace {

uint64_t Bits(float v) { return std::bit_cast<uint32_t>(v); }
uint64_t Bits(const void* p) { return reinterpret_cast<uintptr_t>(p); }
uint64_t Pack(int a, int b) { return static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32 | static_cast<uint32_t>(b); }

const platform::Image* Picture(const TGameImagePtr& image) { return image ? image->image.get() : nullptr; }

}  // namespace

bool TBoardLayer::Describe(const platform::ImagePtr& background, TGameGrid* grid,
                           std::vector<uint64_t>& key) const {
  key.clear();
  const int width = platform::VirtualWidth(), height = platform::VirtualHeight();
  // Only a background that covers the screen makes the floor independent of earlier frames.
  if (!grid || !background || background->FrameCount() < 1 || background->handleX != 0 ||
      background->handleY != 0 || background->width < width || background->height < height)
    return false;
  int r, g, b, vx, vy, vw, vh;
  float sx, sy, ox, oy;
  platform::GetColor(r, g, b);
  platform::GetScale(sx, sy);
  platform::GetOrigin(ox, oy);
  platform::GetViewport(vx, vy, vw, vh);
  key.insert(key.end(), {Pack(width, height), Bits(background.get()), Pack(r << 16 | g << 8 | b, 0),
                         Bits(platform::GetAlpha()), Bits(sx), Bits(sy), Bits(ox), Bits(oy),
                         Bits(platform::GetRotation()), Pack(vx, vy), Pack(vw, vh), Bits(grid->alpha),
                         Pack(grid->levelwidth, grid->levelheight), Bits(Picture(TCell::BrickImage)),
                         Bits(Picture(TCell::ArmourImage)), Bits(Picture(TCell::CellImage)),
                         Bits(Picture(TCell::CellRightSideImage)), Bits(Picture(TCell::CellBottomImage)),
                         Bits(Picture(TCell::CellCornerImage)), Bits(Picture(TCell::CellPaneImage))});
  for (int x = 0; x < grid->levelwidth; ++x) {
    for (int y = 0; y < grid->levelheight; ++y) {
      const TCell* cell = GridAt(x, y);
      if (!cell || !cell->active) {
        key.push_back(0);
        continue;
      }
      const int outline = cell->DrawLeft | cell->DrawTop << 1 | cell->DrawRight << 2 |
                          cell->DrawBottom << 3 | cell->DrawCorner << 4 | cell->DrawTL << 5 |
                          cell->DrawTR << 6 | cell->DrawBR << 7 | cell->DrawBL << 8;
      key.insert(key.end(), {Pack(1 | outline << 1, cell->gold), Pack(cell->armour, 0),
                             Bits(cell->sx) << 32 | Bits(cell->sy)});
    }
  }
  return true;
}

void TBoardLayer::Draw(const platform::ImagePtr& background, TGameGrid* grid) {
  const bool usable = Describe(background, grid, now_);
  copied_ = usable && picture_ && now_ == kept_;
  if (copied_) {
    platform::SetColor(255, 255, 255);
    platform::SetBlend(platform::SOLIDBLEND);
    platform::DrawImage(picture_, 0.0f, 0.0f);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(grid->alpha);  // as the floor's own drawing leaves it
  } else {
    platform::SetBlend(platform::SOLIDBLEND);
    if (background) platform::DrawImage(background, 0.0f, 0.0f);
    platform::SetBlend(platform::ALPHABLEND);
    if (grid) grid->DrawFloor();
    // Taken once the floor has stood still for a frame, so a board in motion (the outro, the
    // shake, a fade) does not pay for a read-back every frame.
    if (usable && now_ == last_) {
      const int w = platform::VirtualWidth(), h = platform::VirtualHeight();
      if (!picture_ || picture_->width != w || picture_->height != h) {
        picture_ = platform::CreateImage(w, h, 1, 0);
        platform::SetImageHandle(picture_, 0, 0);  // whatever the automatic handle says
      }
      platform::GrabImage(picture_, 0, 0);
      kept_ = now_;
    }
  }
  last_.swap(now_);
}
