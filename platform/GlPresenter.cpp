#include "platform/GlPresenter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/Graphics.h"
#include "platform/ImageTextures.h"
#include "platform/SdlBlend.h"

namespace platform {

namespace {

int FindDriver(const char* name) {
  const int count = SDL_GetNumRenderDrivers();
  for (int i = 0; i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name && std::strcmp(info.name, name) == 0)
      return i;
  }
  return -1;
}

// Mesa's rasterisers that run on the processor.
bool DrawnByProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || std::strcmp(info.name, "opengl") != 0)
    return false;
  // The renderer's context is current: ask it who rasterises.
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  const std::string who = name ? reinterpret_cast<const char*>(name) : "";
  return who.find("llvmpipe") != std::string::npos || who.find("softpipe") != std::string::npos ||
         who.find("swrast") != std::string::npos;
}

}  // namespace

std::unique_ptr<GlPresenter> GlPresenter::Make(SDL_Window* window, bool anyRasteriser) {
  // Batching is off by default when a driver is picked by name; nothing else talks to the
  // graphics API behind SDL's back, so it is safe on.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  constexpr Uint32 kFlags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;
  SDL_Renderer* renderer = nullptr;
  const int index = FindDriver("opengl");
  if (index >= 0) renderer = SDL_CreateRenderer(window, index, kFlags);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, kFlags);
  if (!renderer) return nullptr;
  if (!anyRasteriser && DrawnByProcessor(renderer)) {
    SDL_DestroyRenderer(renderer);
    return nullptr;
  }
  return std::unique_ptr<GlPresenter>(new GlPresenter(renderer));
}

GlPresenter::~GlPresenter() {
  // Its textures go with it.
  SDL_DestroyRenderer(renderer_);
}

bool GlPresenter::MakeTarget(int width, int height) {
  haveKept_ = false;
  if (kept_) SDL_DestroyTexture(kept_);
  kept_ = nullptr;
  if (target_) {
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_DestroyTexture(target_);
    target_ = nullptr;
  }
  nearestPresent_ = false;
  target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width,
                              height);
  if (!target_) return false;
  SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
  // Smooth when the window is smaller or larger than the logical screen.
  SDL_SetTextureScaleMode(target_, SDL_ScaleModeLinear);
  if (SDL_SetRenderTarget(renderer_, target_) != 0) {
    SDL_DestroyTexture(target_);
    target_ = nullptr;
    return false;
  }
  width_ = width;
  height_ = height;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  return true;
}

void GlPresenter::Clip(const SDL_Rect& viewport) {
  clip_ = viewport;
  if (target_) SDL_RenderSetClipRect(renderer_, &clip_);
}

void GlPresenter::Present(SDL_Window* /*window*/, bool shown, int sync, int realWidth,
                          int realHeight) {
  if (!target_) return;
  if (sync != vsync_) {
    intervalSet_ = SDL_RenderSetVSync(renderer_, sync == 1 ? 1 : 0) == 0;
    vsync_ = sync;
  }
  if (!shown) {
    SDL_RenderFlush(renderer_);
    return;
  }
  SDL_SetRenderTarget(renderer_, nullptr);
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  // GL counts rows from the bottom: of an output taller than the real window, the bottom part
  // shows, its top at the difference of the heights.
  const int boxW = realWidth > 0 ? std::min(ow, realWidth) : ow;
  const int boxH = realHeight > 0 ? std::min(oh, realHeight) : oh;
  const float scale = std::min(static_cast<float>(boxW) / static_cast<float>(width_),
                               static_cast<float>(boxH) / static_cast<float>(height_));
  SDL_Rect dst;
  dst.w = static_cast<int>(std::floor(static_cast<float>(width_) * scale + 0.5f));
  dst.h = static_cast<int>(std::floor(static_cast<float>(height_) * scale + 0.5f));
  dst.x = (boxW - dst.w) / 2;
  dst.y = (oh - boxH) + (boxH - dst.h) / 2;
  if (dst.x > 0 || dst.y > 0 || dst.w < ow || dst.h < oh) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  // One to one, filtering only costs (and gives the same pixels).
  const bool nearest = dst.w == width_ && dst.h == height_;
  if (nearest != nearestPresent_) {
    SDL_SetTextureScaleMode(target_, nearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    nearestPresent_ = nearest;
  }
  SDL_RenderCopy(renderer_, target_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
  // Switching targets drops the clip rectangle; the target itself keeps its pixels.
  SDL_SetRenderTarget(renderer_, target_);
  SDL_RenderSetClipRect(renderer_, &clip_);
}

bool GlPresenter::KeepFrame() {
  haveKept_ = false;
  if (!target_) return false;
  if (!kept_) {
    kept_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width_,
                              height_);
    if (!kept_) return false;
    SDL_SetTextureBlendMode(kept_, SDL_BLENDMODE_NONE);
  }
  if (SDL_SetRenderTarget(renderer_, kept_) == 0)
    haveKept_ = SDL_RenderCopy(renderer_, target_, nullptr, nullptr) == 0;
  SDL_SetRenderTarget(renderer_, target_);
  SDL_RenderSetClipRect(renderer_, &clip_);
  return haveKept_;
}

bool GlPresenter::RestoreFrame() {
  if (!haveKept_ || !target_) return false;
  SDL_RenderSetClipRect(renderer_, nullptr);
  const bool done = SDL_RenderCopy(renderer_, kept_, nullptr, nullptr) == 0;
  SDL_RenderSetClipRect(renderer_, &clip_);
  return done;
}

bool GlPresenter::ReadPixels(const SDL_Rect& part, uint32_t* out, int pitch) {
  return target_ && SDL_RenderReadPixels(renderer_, &part, SDL_PIXELFORMAT_ARGB8888, out, pitch * 4) == 0;
}

SDL_Texture* GlPresenter::MakeTexture(const Pixmap& pixmap, bool filtered) {
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, pixmap.Width(), pixmap.Height());
  if (texture)
    SDL_SetTextureScaleMode(texture, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

SDL_Texture* GlPresenter::FrameTexture(Image& image, int frame) {
  if (frame < 0 || frame >= image.FrameCount()) return nullptr;
  const Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!image.textures) image.textures = std::make_unique<ImageTextures>();
  ImageTextures::Slot& slot = image.textures->At(frame);
  // Without pixels the texture is the picture (they were let go after it was made).
  if (slot.texture && (!slot.dirty || !pixmap)) {
    slot.dirty = false;
    return slot.texture;
  }
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
  if (slot.texture) {
    int w = 0, h = 0;
    SDL_QueryTexture(slot.texture, nullptr, nullptr, &w, &h);
    if (w != pixmap->Width() || h != pixmap->Height()) {
      SDL_DestroyTexture(slot.texture);
      slot.texture = nullptr;
    }
  }
  if (!slot.texture) slot.texture = MakeTexture(*pixmap, (image.flags & FILTEREDIMAGE) != 0);
  if (!slot.texture) return nullptr;
  if (SDL_UpdateTexture(slot.texture, nullptr, pixmap->Pixels(), pixmap->Width() * 4) != 0) {
    SDL_DestroyTexture(slot.texture);
    slot.texture = nullptr;
    return nullptr;
  }
  slot.dirty = false;
  ReleasePixels(image, frame);
  return slot.texture;
}

void GlPresenter::ReleasePixels(Image& image, int frame) {
  if (image.keepPixels) return;
  PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
  if (pixels) image.pixelsHadAlpha = pixels->HasAlpha();
  pixels.reset();
}

bool GlPresenter::RestorePixels(Image& image, int frame) {
  if (frame < 0 || frame >= image.FrameCount()) return false;
  image.keepPixels = true;
  PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
  if (pixels) return true;
  SDL_Texture* texture = image.textures ? image.textures->At(frame).texture : nullptr;
  int w = 0, h = 0;
  if (!texture || !target_ || SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0) return false;
  // Copied one to one, unblended and unfiltered, onto a scratch target and read from there:
  // the texels come back exactly as they went in.
  SDL_Texture* scratch =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!scratch) return false;
  auto out = std::make_shared<Pixmap>(w, h, 0u);
  bool ok = false;
  SDL_ScaleMode scaleMode = SDL_ScaleModeNearest;
  SDL_GetTextureScaleMode(texture, &scaleMode);
  if (SDL_SetRenderTarget(renderer_, scratch) == 0) {
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    ok = SDL_RenderCopy(renderer_, texture, nullptr, nullptr) == 0 &&
         SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, out->Pixels(), w * 4) == 0;
    SDL_SetTextureScaleMode(texture, scaleMode);
  }
  SDL_SetRenderTarget(renderer_, target_);
  SDL_RenderSetClipRect(renderer_, &clip_);
  SDL_DestroyTexture(scratch);
  if (!ok) return false;
  out->SetHasAlpha(image.pixelsHadAlpha);
  pixels = std::move(out);
  return true;
}

SDL_Texture* GlPresenter::MaskTexture(Image& image, int frame, int threshold) {
  if (frame < 0 || frame >= image.FrameCount()) return nullptr;
  // The thresholded copy is made from the pixels, so a picture drawn this way keeps them.
  if (!RestorePixels(image, frame)) return nullptr;
  const Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
  if (!image.textures) image.textures = std::make_unique<ImageTextures>();
  ImageTextures::Slot& slot = image.textures->At(frame);
  if (slot.mask && slot.maskThreshold == threshold) return slot.mask;
  if (slot.mask) {
    int w = 0, h = 0;
    SDL_QueryTexture(slot.mask, nullptr, nullptr, &w, &h);
    if (w != pixmap->Width() || h != pixmap->Height()) {
      SDL_DestroyTexture(slot.mask);
      slot.mask = nullptr;
    }
  }
  // Hard-edged on purpose: filtering would soften the threshold again.
  if (!slot.mask) slot.mask = MakeTexture(*pixmap, false);
  if (!slot.mask) return nullptr;
  const size_t count = static_cast<size_t>(pixmap->Width()) * static_cast<size_t>(pixmap->Height());
  maskPixels_.resize(count);
  const uint32_t* in = pixmap->Pixels();
  const uint32_t limit = static_cast<uint32_t>(threshold);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = in[i];
    maskPixels_[i] = (p >> 24) >= limit ? (p | 0xFF000000u) : (p & 0x00FFFFFFu);
  }
  SDL_UpdateTexture(slot.mask, nullptr, maskPixels_.data(), pixmap->Width() * 4);
  slot.maskThreshold = threshold;
  return slot.mask;
}

void GlPresenter::Upload(Image& image) {
  for (int i = 0; i < image.FrameCount(); ++i) FrameTexture(image, i);
}

void GlPresenter::DestroyTexture(SDL_Texture* texture) {
  // After SDL has shut down (process exit) the renderer and its textures are gone already.
  if (texture && SDL_WasInit(SDL_INIT_VIDEO)) SDL_DestroyTexture(texture);
}

void GlPresenter::DrawPicture(const DrawState& state, Image& image, int frame,
                              const PicturePlace& place) {
  if (!target_) return;
  SDL_Texture* texture;
  if (state.blend == MASKBLEND) {
    // Drawn where texel alpha x current alpha reaches one half, opaque, else not at all.
    if (state.alpha <= 0.0f) return;
    const int threshold = static_cast<int>(std::ceil(127.5f / state.alpha));
    if (threshold > 255) return;
    texture = MaskTexture(image, frame, threshold);
    if (!texture) return;
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  } else {
    texture = FrameTexture(image, frame);
    if (!texture) return;
    SDL_SetTextureAlphaMod(texture, state.alpha8);
    SDL_SetTextureBlendMode(texture, SdlBlend(state.blend));
  }
  SDL_SetTextureColorMod(texture, state.r, state.g, state.b);

  if (state.axisAligned) {
    if (place.flip == SDL_FLIP_NONE)
      SDL_RenderCopy(renderer_, texture, &place.src, &place.dst);
    else
      SDL_RenderCopyEx(renderer_, texture, &place.src, &place.dst, 0.0, nullptr,
                       static_cast<SDL_RendererFlip>(place.flip));
    return;
  }
  const SDL_FRect fdst{place.px + place.x0, place.py + place.y0, place.x1 - place.x0,
                       place.y1 - place.y0};
  const SDL_FPoint center{-place.x0, -place.y0};
  SDL_RenderCopyExF(renderer_, texture, &place.src, &fdst, state.rotation, &center,
                    static_cast<SDL_RendererFlip>(place.flip));
}

}  // namespace platform
