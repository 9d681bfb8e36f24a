#pragma once
// Frames drawn by SDL's GL renderer into a target texture of the logical size, which each
// present copies into the window (filtered when the sizes differ). Pictures are textures; a
// frame let go of its pixels once it is one. Internal to platform/.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Presenter.h"

namespace platform {

class GlPresenter : public Presenter {
 public:
  // Over the window's GL renderer; null when there is none. `anyRasteriser`: keep a GL drawn
  // by the processor too (else null for it: the game's own raster costs less).
  static std::unique_ptr<GlPresenter> Make(SDL_Window* window, bool anyRasteriser);
  ~GlPresenter() override;

  bool MakeTarget(int width, int height) override;
  SDL_Renderer* Sdl() const override { return renderer_; }
  void Clip(const SDL_Rect& viewport) override;
  bool OwnRaster() const override { return false; }
  void Present(SDL_Window* window, bool shown, int sync, int realWidth, int realHeight) override;
  bool SwapIntervalSet() const override { return intervalSet_; }
  bool KeepFrame() override;
  bool RestoreFrame() override;
  bool ReadPixels(const SDL_Rect& part, uint32_t* out, int pitch) override;
  void DrawPicture(const DrawState& state, Image& image, int frame,
                   const PicturePlace& place) override;
  bool FillRects(const DrawState&, const SDL_Rect*, int) override { return false; }
  void Upload(Image& image) override;
  bool RestorePixels(Image& image, int frame) override;
  void DestroyTexture(SDL_Texture* texture) override;

 private:
  explicit GlPresenter(SDL_Renderer* renderer) : renderer_(renderer) {}
  SDL_Texture* FrameTexture(Image& image, int frame);
  SDL_Texture* MaskTexture(Image& image, int frame, int threshold);
  SDL_Texture* MakeTexture(const Pixmap& pixmap, bool filtered);
  // A frame that is now a texture lets its pixels go, unless the image keeps them.
  static void ReleasePixels(Image& image, int frame);

  SDL_Renderer* renderer_;
  SDL_Texture* target_ = nullptr;
  SDL_Texture* kept_ = nullptr;  // KeepFrame's copy
  bool haveKept_ = false;
  int width_ = 0, height_ = 0;
  SDL_Rect clip_{0, 0, 0, 0};
  int vsync_ = -1;
  bool intervalSet_ = false;  // the renderer accepted the swap interval last asked for
  bool nearestPresent_ = false;  // the target is presented without filtering (one to one)
  std::vector<uint32_t> maskPixels_;  // scratch, reused
};

}  // namespace platform
