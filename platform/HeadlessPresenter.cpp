#include "platform/HeadlessPresenter.h"

namespace platform {

void HeadlessPresenter::Present(SDL_Window* /*window*/, bool /*shown*/, int /*sync*/,
                                int /*realWidth*/, int /*realHeight*/) {
  // Nobody sees a headless window: its surface would only be another copy of the frame.
  SDL_RenderFlush(Sdl());
}

}  // namespace platform
