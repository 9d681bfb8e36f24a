#pragma once
// Frames drawn by the game's own raster into a surface of the logical size: pictures are
// written straight into its pixels (SoftwareRaster), primitives by SDL's software renderer made
// over it. How the surface is shown is left to the kind: SurfacePresenter or HeadlessPresenter.
// Internal to platform/.
#include <SDL.h>

#include "platform/Presenter.h"
#include "platform/SoftwareRaster.h"

namespace platform {

class RasterPresenter : public Presenter {
 public:
  ~RasterPresenter() override;

  bool MakeTarget(int width, int height) override;
  SDL_Renderer* Sdl() const override { return renderer_; }
  void Clip(const SDL_Rect& viewport) override;
  bool OwnRaster() const override { return true; }
  bool KeepFrame() override;
  bool RestoreFrame() override;
  bool ReadPixels(const SDL_Rect& part, uint32_t* out, int pitch) override;
  void DrawPicture(const DrawState& state, Image& image, int frame,
                   const PicturePlace& place) override;
  bool FillRects(const DrawState& state, const SDL_Rect* rects, int count) override;
  void Upload(Image& image) override;
  bool RestorePixels(Image& image, int frame) override;
  void DestroyTexture(SDL_Texture*) override {}  // pictures never become textures here

 protected:
  SDL_Surface* Surface() const { return surface_; }

 private:
  void Free();
  // The frame's pixels seen as a surface for SDL's blitter (no copy).
  SDL_Surface* FrameView(Image& image, int frame);
  // The surface's pixels, clipped to the viewport.
  SoftwareRaster::Target Target(const SDL_Rect& viewport) const;

  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Surface* kept_ = nullptr;  // KeepFrame's copy
  bool haveKept_ = false;
};

}  // namespace platform
