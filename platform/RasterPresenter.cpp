#include "platform/RasterPresenter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/Graphics.h"
#include "platform/ImageTextures.h"
#include "platform/SdlBlend.h"

namespace platform {

RasterPresenter::~RasterPresenter() { Free(); }

void RasterPresenter::Free() {
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
  if (surface_) SDL_FreeSurface(surface_);
  surface_ = nullptr;
  if (kept_) SDL_FreeSurface(kept_);
  kept_ = nullptr;
  haveKept_ = false;
}

bool RasterPresenter::MakeTarget(int width, int height) {
  // No texture belongs to this renderer, so it is simply made anew with its surface.
  Free();
  surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface_) return false;
  renderer_ = SDL_CreateSoftwareRenderer(surface_);
  if (!renderer_) {
    Free();
    return false;
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  return true;
}

void RasterPresenter::Clip(const SDL_Rect& viewport) {
  if (renderer_) SDL_RenderSetClipRect(renderer_, &viewport);
}

bool RasterPresenter::KeepFrame() {
  haveKept_ = false;
  if (!surface_) return false;
  if (!kept_) {
    kept_ = SDL_CreateRGBSurfaceWithFormat(0, surface_->w, surface_->h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!kept_) return false;
  }
  SDL_RenderFlush(renderer_);
  SDL_SetSurfaceBlendMode(surface_, SDL_BLENDMODE_NONE);
  SDL_SetClipRect(surface_, nullptr);
  haveKept_ = SDL_BlitSurface(surface_, nullptr, kept_, nullptr) == 0;
  return haveKept_;
}

bool RasterPresenter::RestoreFrame() {
  if (!haveKept_ || !surface_) return false;
  SDL_RenderFlush(renderer_);
  SDL_SetSurfaceBlendMode(kept_, SDL_BLENDMODE_NONE);
  SDL_SetClipRect(surface_, nullptr);
  return SDL_BlitSurface(kept_, nullptr, surface_, nullptr) == 0;
}

bool RasterPresenter::ReadPixels(const SDL_Rect& part, uint32_t* out, int pitch) {
  if (!surface_) return false;
  SDL_RenderFlush(renderer_);
  const int from = surface_->pitch / 4;
  for (int row = 0; row < part.h; ++row)
    std::memcpy(out + static_cast<ptrdiff_t>(row) * pitch,
                static_cast<const uint32_t*>(surface_->pixels) +
                    static_cast<ptrdiff_t>(part.y + row) * from + part.x,
                static_cast<size_t>(part.w) * 4);
  return true;
}

SoftwareRaster::Target RasterPresenter::Target(const SDL_Rect& viewport) const {
  return SoftwareRaster::Target{static_cast<uint32_t*>(surface_->pixels), surface_->pitch / 4,
                                std::max(viewport.x, 0), std::max(viewport.y, 0),
                                std::min(viewport.x + viewport.w, surface_->w),
                                std::min(viewport.y + viewport.h, surface_->h)};
}

bool RasterPresenter::FillRects(const DrawState& state, const SDL_Rect* rects, int count) {
  if (!surface_ || !SoftwareRaster::FillServes(state.blend)) return false;
  const SoftwareRaster::Paint paint{state.r, state.g, state.b, state.alpha8, state.blend, 0};
  const SoftwareRaster::Target target = Target(state.viewport);
  // Queued primitives land first: from here on the pixels are written directly.
  SDL_RenderFlush(renderer_);
  for (int i = 0; i < count; ++i)
    SoftwareRaster::Fill(target, paint, rects[i].x, rects[i].y, rects[i].x + rects[i].w,
                         rects[i].y + rects[i].h);
  return true;
}

SDL_Surface* RasterPresenter::FrameView(Image& image, int frame) {
  Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
  if (!image.textures) image.textures = std::make_unique<ImageTextures>();
  SDL_Surface*& view = image.textures->At(frame).view;
  if (view && view->pixels == pixmap->Pixels() && view->w == pixmap->Width() &&
      view->h == pixmap->Height())
    return view;
  SDL_FreeSurface(view);
  view = SDL_CreateRGBSurfaceWithFormatFrom(pixmap->Pixels(), pixmap->Width(), pixmap->Height(), 32,
                                            pixmap->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
  return view;
}

void RasterPresenter::Upload(Image& image) {
  // Drawing reads the frames themselves; only SDL's blitter needs them wrapped.
  for (int i = 0; i < image.FrameCount(); ++i) FrameView(image, i);
}

bool RasterPresenter::RestorePixels(Image& image, int frame) {
  if (frame < 0 || frame >= image.FrameCount()) return false;
  image.keepPixels = true;
  return image.frames[static_cast<size_t>(frame)] != nullptr;
}

void RasterPresenter::DrawPicture(const DrawState& state, Image& image, int frame,
                                  const PicturePlace& place) {
  if (!surface_ || frame < 0 || frame >= image.FrameCount()) return;
  Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return;
  const SDL_Rect& src = place.src;
  const SDL_Rect& dst = place.dst;
  const SDL_Rect texels{0, 0, pixmap->Width(), pixmap->Height()};
  SDL_Rect part;
  if (!SDL_IntersectRect(&src, &texels, &part)) return;
  int threshold = 0;
  if (state.blend == MASKBLEND) {
    // Drawn where texel alpha x current alpha reaches one half, opaque, else not at all.
    if (state.alpha <= 0.0f) return;
    threshold = static_cast<int>(std::ceil(127.5f / state.alpha));
    if (threshold > 255) return;
  }
  // Queued primitives land first: from here on the pixels are written directly.
  SDL_RenderFlush(renderer_);

  const SoftwareRaster::Target target = Target(state.viewport);
  const bool upright = state.axisAligned && place.flip == SDL_FLIP_NONE && dst.w == src.w &&
                       dst.h == src.h && SDL_RectEquals(&part, &src);
  // Most of a frame's pixels are pictures copied one to one.
  if (upright && SoftwareRaster::CopyServes(state.blend)) {
    SoftwareRaster::Copy(target, pixmap->Pixels() + static_cast<ptrdiff_t>(src.y) * pixmap->Width() + src.x,
                         pixmap->Width(), dst.x, dst.y, src.w, src.h,
                         SoftwareRaster::Paint{state.r, state.g, state.b, state.alpha8, state.blend, 0});
    return;
  }
  // Solid ones stay with SDL's blitter (a plain copy).
  if (upright && state.blend == SOLIDBLEND) {
    SDL_Surface* view = FrameView(image, frame);
    if (!view) return;
    SDL_SetSurfaceColorMod(view, state.r, state.g, state.b);
    SDL_SetSurfaceAlphaMod(view, state.alpha8);
    SDL_SetSurfaceBlendMode(view, SdlBlend(state.blend));
    SDL_SetClipRect(surface_, &state.viewport);
    SDL_Rect to = dst;
    SDL_BlitSurface(view, &src, surface_, &to);
    return;
  }

  const SoftwareRaster::Source source{pixmap->Pixels(), pixmap->Width(), part.x, part.y,
                                      part.x + part.w, part.y + part.h,
                                      // Only stretched upright pictures are filtered: one to
                                      // one every pixel centre is a texel centre, and turned
                                      // ones keep the nearest texel as SDL's software
                                      // triangles drew them.
                                      state.axisAligned && (dst.w != src.w || dst.h != src.h) &&
                                          (image.flags & FILTEREDIMAGE) != 0 &&
                                          state.blend != MASKBLEND};
  const SoftwareRaster::Paint paint{state.r, state.g, state.b, state.alpha8, state.blend, threshold};
  SoftwareRaster::Map map{};
  if (state.axisAligned) {
    // The same pixel box as an upright copy, sampled at pixel centres like SDL's scaler.
    const double kx = static_cast<double>(src.w) / dst.w, ky = static_cast<double>(src.h) / dst.h;
    if (place.flip & SDL_FLIP_HORIZONTAL) {
      map.sX = -kx;
      map.s0 = src.x + src.w + dst.x * kx;
    } else {
      map.sX = kx;
      map.s0 = src.x - dst.x * kx;
    }
    if (place.flip & SDL_FLIP_VERTICAL) {
      map.tY = -ky;
      map.t0 = src.y + src.h + dst.y * ky;
    } else {
      map.tY = ky;
      map.t0 = src.y - dst.y * ky;
    }
    SoftwareRaster::Draw(target, source, paint, map, dst.x, dst.y, dst.x + dst.w, dst.y + dst.h,
                         true);
    return;
  }

  // Inverse of  target = pivot + M (u, v),  with (u, v) running over the box (ox, oy, w, h)
  // as the texels run over the source rectangle.
  const double m00 = state.m00, m01 = state.m01, m10 = state.m10, m11 = state.m11;
  const double det = m00 * m11 - m01 * m10;
  const double kw = static_cast<double>(place.w) / src.w, kh = static_cast<double>(place.h) / src.h;
  if (det == 0 || kw == 0 || kh == 0) return;
  const double px = place.px, py = place.py;
  map.sX = m11 / (det * kw);
  map.sY = -m01 / (det * kw);
  map.s0 = src.x + ((m01 * py - m11 * px) / det - place.ox) / kw;
  map.tX = -m10 / (det * kh);
  map.tY = m00 / (det * kh);
  map.t0 = src.y + ((m10 * px - m00 * py) / det - place.oy) / kh;
  float left = 0, top = 0, right = 0, bottom = 0;
  for (int corner = 0; corner < 4; ++corner) {
    const float u = corner & 1 ? place.ox + place.w : place.ox;
    const float v = corner & 2 ? place.oy + place.h : place.oy;
    const float x = place.px + state.m00 * u + state.m01 * v;
    const float y = place.py + state.m10 * u + state.m11 * v;
    left = corner ? std::min(left, x) : x;
    right = corner ? std::max(right, x) : x;
    top = corner ? std::min(top, y) : y;
    bottom = corner ? std::max(bottom, y) : y;
  }
  if (!std::isfinite(left + right + top + bottom)) return;
  const auto edge = [](float v) { return static_cast<int>(std::clamp(v, -1e6f, 1e6f)); };
  SoftwareRaster::Draw(target, source, paint, map, edge(std::floor(left)), edge(std::floor(top)),
                       edge(std::ceil(right)) + 1, edge(std::ceil(bottom)) + 1, false);
}

}  // namespace platform
