#pragma once
// The game's own raster with nothing to show it: tests, benches and the invisible video
// drivers. A present only lets queued primitives land. Internal to platform/.
#include "platform/RasterPresenter.h"

namespace platform {

class HeadlessPresenter : public RasterPresenter {
 public:
  void Present(SDL_Window* window, bool shown, int sync, int realWidth, int realHeight) override;
};

}  // namespace platform
