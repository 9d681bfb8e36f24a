#pragma once
// SDL's blend mode for each of the drawing blends; one table for every way a frame is drawn.
// Internal to platform/.
#include <SDL.h>

#include "platform/Graphics.h"

namespace platform {

inline SDL_BlendMode SdlBlend(int mode) {
  switch (mode) {
    case SOLIDBLEND:
      return SDL_BLENDMODE_NONE;
    case LIGHTBLEND:
      return SDL_BLENDMODE_ADD;  // dst + src * srcAlpha: light fades out with alpha
    case SHADEBLEND:
      return SDL_BLENDMODE_MOD;
    default:
      return SDL_BLENDMODE_BLEND;
  }
}

}  // namespace platform
