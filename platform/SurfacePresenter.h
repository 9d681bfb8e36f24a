#pragma once
// The game's own raster shown through the window's surface, which the windowing system copies
// to the screen: what a machine without graphics hardware (or an X server without GL) gets. A
// window of another size gets the frame filtered to fit, between black bars.
// Internal to platform/.
#include "platform/FrameStretch.h"
#include "platform/RasterPresenter.h"

namespace platform {

class SurfacePresenter : public RasterPresenter {
 public:
  void Present(SDL_Window* window, bool shown, int sync, int realWidth, int realHeight) override;

 private:
  // Clears the parts of the window's surface outside the picture, when that surface (or the
  // picture's place in it) is new; false when it was not.
  bool DrawBars(SDL_Surface* screen, const SDL_Rect& picture);

  FrameStretch stretch_;
  // The surface (and the picture's place in it) whose bars are black already.
  void* barredPixels_ = nullptr;
  SDL_Rect barredPicture_{0, 0, 0, 0};
  int barredWidth_ = 0, barredHeight_ = 0;
};

}  // namespace platform
