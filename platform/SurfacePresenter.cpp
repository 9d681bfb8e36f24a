#include "platform/SurfacePresenter.h"

#include <algorithm>
#include <cmath>

namespace platform {

bool SurfacePresenter::DrawBars(SDL_Surface* screen, const SDL_Rect& picture) {
  // Only the picture is written each frame: the bars stay as drawn while the surface lasts.
  if (barredPixels_ == screen->pixels && barredWidth_ == screen->w && barredHeight_ == screen->h &&
      SDL_RectEquals(&barredPicture_, &picture))
    return false;
  const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
  const SDL_Rect bars[4] = {
      {0, 0, screen->w, picture.y},
      {0, picture.y + picture.h, screen->w, screen->h - picture.y - picture.h},
      {0, picture.y, picture.x, picture.h},
      {picture.x + picture.w, picture.y, screen->w - picture.x - picture.w, picture.h}};
  for (const SDL_Rect& bar : bars)
    if (bar.w > 0 && bar.h > 0) SDL_FillRect(screen, &bar, black);
  barredPixels_ = screen->pixels;
  barredWidth_ = screen->w;
  barredHeight_ = screen->h;
  barredPicture_ = picture;
  return true;
}

void SurfacePresenter::Present(SDL_Window* window, bool shown, int /*sync*/, int realWidth,
                               int realHeight) {
  SDL_RenderFlush(Sdl());
  SDL_Surface* frame = Surface();
  if (!shown || !window || !frame) return;
  SDL_Surface* screen = SDL_GetWindowSurface(window);
  if (!screen) return;
  // The surface's top-left part is what the window shows.
  const int boxW = realWidth > 0 ? std::min(screen->w, realWidth) : screen->w;
  const int boxH = realHeight > 0 ? std::min(screen->h, realHeight) : screen->h;
  const float scale = std::min(static_cast<float>(boxW) / static_cast<float>(frame->w),
                               static_cast<float>(boxH) / static_cast<float>(frame->h));
  SDL_Rect dst;
  dst.w = static_cast<int>(std::floor(static_cast<float>(frame->w) * scale + 0.5f));
  dst.h = static_cast<int>(std::floor(static_cast<float>(frame->h) * scale + 0.5f));
  dst.x = (boxW - dst.w) / 2;
  dst.y = (boxH - dst.h) / 2;
  const bool fresh = DrawBars(screen, dst);
  SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
  SDL_SetClipRect(frame, nullptr);
  // Our pixels are laid out as the window's (alpha aside) in the usual 32-bit formats.
  const Uint32 format = screen->format->format;
  const bool sameLayout = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
  if (dst.w == frame->w && dst.h == frame->h) {
    SDL_BlitSurface(frame, nullptr, screen, &dst);
  } else if (sameLayout && dst.x >= 0 && dst.y >= 0 && SDL_LockSurface(screen) == 0) {
    uint32_t* to = static_cast<uint32_t*>(screen->pixels) +
                   static_cast<ptrdiff_t>(dst.y) * (screen->pitch / 4) + dst.x;
    stretch_.Run(static_cast<const uint32_t*>(frame->pixels), frame->pitch / 4, frame->w, frame->h,
                 to, screen->pitch / 4, dst.w, dst.h, fresh);
    SDL_UnlockSurface(screen);
  } else {
    SDL_BlitScaled(frame, nullptr, screen, &dst);
  }
  SDL_UpdateWindowSurface(window);
}

}  // namespace platform
