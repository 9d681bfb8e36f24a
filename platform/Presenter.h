#pragma once
// The way a frame reaches the screen: where the logical frame is drawn, how a picture lands in
// it, and how it is shown. The renderer picks one when its window is made and keeps it; the
// drawing state and the geometry of what is drawn stay with the renderer. Internal to platform/.
#include <SDL.h>

#include <cstdint>

#include "platform/Image.h"

namespace platform {

// What drawing needs of the renderer's current state.
struct DrawState {
  uint8_t r = 255, g = 255, b = 255;
  float alpha = 1.0f;
  uint8_t alpha8 = 255;
  int blend = 3;  // a BlendMode
  float rotation = 0;  // degrees, clockwise
  bool axisAligned = true;  // no rotation: edges stay on the pixel grid
  float m00 = 1, m01 = 0, m10 = 0, m11 = 1;  // rotation and scale
  SDL_Rect viewport{0, 0, 800, 600};
};

// One picture placed: the frame's source rectangle drawn as a w by h box whose top-left sits at
// (ox, oy) from the pivot (px, py), already past the origin; `dst` is its pixel box when
// upright, `box` its extent around the pivot after scale, `flip` SDL's flip of it.
struct PicturePlace {
  SDL_Rect src;
  float ox, oy, w, h, px, py;
  SDL_Rect dst;
  float x0, y0, x1, y1;
  int flip;
};

class Presenter {
 public:
  virtual ~Presenter() = default;

  // The logical frame, width by height, cleared to black; made anew (and any kept frame
  // dropped) on every call. False when it cannot be had.
  virtual bool MakeTarget(int width, int height) = 0;
  // The renderer of primitives (points, boxes, triangles) and of the clip rectangle.
  virtual SDL_Renderer* Sdl() const = 0;
  // The viewport: what primitives and pictures may touch.
  virtual void Clip(const SDL_Rect& viewport) = 0;
  // Whether its own pixels are drawn by the game's raster (pictures keep their pixels).
  virtual bool OwnRaster() const = 0;
  // Shows the frame in the window, letterboxed when the window's size differs. `shown`: the
  // display is open. `sync`: 1 asks for the vertical blank. realWidth by realHeight, when not 0,
  // is the window's size as the X server has it: where SDL takes the window for larger, only
  // that much of it shows, and the frame is letterboxed into that.
  virtual void Present(SDL_Window* window, bool shown, int sync, int realWidth,
                       int realHeight) = 0;
  // Whether the display holds presents to its refresh (so no pacing is needed).
  virtual bool SwapIntervalSet() const { return false; }
  virtual bool KeepFrame() = 0;
  virtual bool RestoreFrame() = 0;
  // `part` (inside the frame) into out, a row every `pitch` pixels; false when it failed.
  virtual bool ReadPixels(const SDL_Rect& part, uint32_t* out, int pitch) = 0;
  virtual void DrawPicture(const DrawState& state, Image& image, int frame,
                           const PicturePlace& place) = 0;
  // Boxes drawn with the state's colour; false when the primitive renderer is to draw them.
  virtual bool FillRects(const DrawState& state, const SDL_Rect* rects, int count) = 0;
  // Readies every frame of the image for drawing.
  virtual void Upload(Image& image) = 0;
  // The image keeps its pixels from now on; a frame let go is read back. False when the frame
  // has no pixels and they cannot be had.
  virtual bool RestorePixels(Image& image, int frame) = 0;
  virtual void DestroyTexture(SDL_Texture* texture) = 0;
};

}  // namespace platform
