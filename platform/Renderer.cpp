#include "platform/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/ImageTextures.h"
#include "platform/SoftwareRaster.h"
#include "platform/System.h"
#include "platform/X11Window.h"


namespace platform {

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr int kOvalSegments = 48;

// Edges of whole-pixel boxes: [10, 13) covers pixels 10, 11 and 12.
// Positions are held far beyond any screen but inside int, so an absurd place (or a NaN from a
// broken calculation) is clipped like any other off-screen one instead of overflowing.
int ToPixel(float v) {
  constexpr float kFar = 1e6f;
  return std::isnan(v) ? 0 : static_cast<int>(std::clamp(v, -kFar, kFar));
}
int RoundEdge(float v) { return ToPixel(std::floor(v + 0.5f)); }
int PixelOf(float v) { return ToPixel(std::floor(v)); }

uint8_t Clamp255(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

SDL_BlendMode SdlBlend(int mode) {
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

int FindDriver(const char* name) {
  const int count = SDL_GetNumRenderDrivers();
  for (int i = 0; i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name && std::strcmp(info.name, name) == 0)
      return i;
  }
  return -1;
}

// The runtime decides which video drivers may serve (not the invisible ones by default).
bool InitVideo() { return InitRuntime() && SDL_WasInit(SDL_INIT_VIDEO); }

bool Intersects(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

}  // namespace

Renderer& Renderer::Get() {
  static Renderer* instance = new Renderer();
  return *instance;
}

// --- Display ---

bool Renderer::DriverAvailable() { return InitVideo() && SDL_GetNumRenderDrivers() > 0; }

bool Renderer::CreateRenderer() {
  // Batching is off by default when a driver is picked by name; nothing else talks to the
  // graphics API behind SDL's back, so it is safe on.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  software_ = IsHeadless();
  if (!software_) {
    const int index = FindDriver("opengl");
    if (index >= 0)
      renderer_ = SDL_CreateRenderer(window_, index,
                                     SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer_)
      renderer_ = SDL_CreateRenderer(window_, -1,
                                     SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  }
  // Software mode makes its renderer with the target surface (CreateTarget).
  if (!renderer_) {
    software_ = true;
    return true;
  }
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer_, &info) == 0 && info.name && std::strcmp(info.name, "opengl") == 0) {
    // The renderer's context is current: ask it who rasterises.
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    const std::string who = name ? reinterpret_cast<const char*>(name) : "";
    softwareGL_ = who.find("llvmpipe") != std::string::npos ||
                  who.find("softpipe") != std::string::npos || who.find("swrast") != std::string::npos;
  }
  if (softwareGL_ && !keepSoftwareGL_) {
    // No graphics hardware: a GL drawn by the processor costs several times the processor
    // time and memory of our own raster, which then shows through the window's surface.
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    softwareGL_ = false;
    software_ = true;
    // Copied into the window by the windowing system, not by yet another GL renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  return true;
}

bool Renderer::CreateTarget() {
  if (software_) {
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, virtualWidth_, virtualHeight_, 32,
                                              SDL_PIXELFORMAT_ARGB8888);
    if (!surface_) return false;
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    if (!renderer_) {
      SDL_FreeSurface(surface_);
      surface_ = nullptr;
      return false;
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    ApplyClip();
    return true;
  }
  target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                              virtualWidth_, virtualHeight_);
  if (!target_) return false;
  SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
  // Smooth when the window is smaller or larger than the logical screen.
  SDL_SetTextureScaleMode(target_, SDL_ScaleModeLinear);
  if (SDL_SetRenderTarget(renderer_, target_) != 0) {
    SDL_DestroyTexture(target_);
    target_ = nullptr;
    return false;
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  ApplyClip();
  return true;
}

bool Renderer::Open(int width, int height, int depth, int /*hz*/) {
  if (width <= 0 || height <= 0 || !InitVideo()) return false;
  // The window is about to change: the target takes the last frame while it is there.
  if (direct_) LeaveDirect();
  const bool fullScreen = depth != 0;
  if (!window_) {
    // Made hidden and already in the mode asked for, so a window manager frames it once, at
    // its final size; the first present shows it, with a picture in it.
    const std::string title = U8(GetAppTitle());
    // An OpenGL window from the start, so the renderer need not make the window anew.
    Uint32 flags = SDL_WINDOW_HIDDEN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!IsHeadless() && FindDriver("opengl") >= 0) {
      flags |= SDL_WINDOW_OPENGL;
      // A software GL splits each frame among as many rasteriser threads as there are cores;
      // for an 800x600 frame their hand-offs cost more than the work they share, and two
      // threads draw it for two thirds of the processor time. A choice the user made stands.
      setenv("LP_NUM_THREADS", "2", 0);
    }
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, flags);
    if (!window_) return false;
    if (!CreateRenderer()) {
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return false;
    }
  }
  // Switched in place: the one window is never hidden or made anew, since a window manager
  // drops its frame around a hidden window and a request still naming that frame would end
  // the program.
  if (fullScreen) {
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowSize(window_, width, height);
  }
  if (!Ready() && !CreateTarget()) return false;
  open_ = true;
  kept_ = false;
  refreshHz_ = RefreshRate();
  pacer_.Reset();
  modeWidth_ = width;
  modeHeight_ = height;
  modeDepth_ = fullScreen ? depth : 0;
  return true;
}

void Renderer::Close() {
  // The window and renderer stay for the run (textures live on), and the window stays shown;
  // only the display goes away, out of full screen so a notice can be seen over it.
  if (window_) SDL_SetWindowFullscreen(window_, 0);
  open_ = false;
}

void Renderer::ShowWindow() {
  if (shown_ || !window_) return;
  // SDL asks the window manager for full screen only once the window is mapped.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0) MarkFullScreenBeforeShow(window_);
  SDL_ShowWindow(window_);
  shown_ = true;
}

void Renderer::LetterboxRect(SDL_Rect& rect) const {
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  const float scale = std::min(static_cast<float>(ow) / static_cast<float>(virtualWidth_),
                               static_cast<float>(oh) / static_cast<float>(virtualHeight_));
  rect.w = RoundEdge(static_cast<float>(virtualWidth_) * scale);
  rect.h = RoundEdge(static_cast<float>(virtualHeight_) * scale);
  rect.x = (ow - rect.w) / 2;
  rect.y = (oh - rect.h) / 2;
}

bool Renderer::StretchSmoothly(SDL_Surface* screen, const SDL_Rect& dst) {
  // Filtered like a GL present, where the window's pixels are laid out as ours (alpha aside):
  // our pixels are read as the window's format, without a copy.
  const Uint32 format = screen->format->format;
  if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) return false;
  if (!stretchView_ || stretchView_->format->format != format) {
    if (stretchView_) SDL_FreeSurface(stretchView_);
    stretchView_ = SDL_CreateRGBSurfaceWithFormatFrom(surface_->pixels, surface_->w, surface_->h, 32,
                                                      surface_->pitch, format);
    if (!stretchView_) return false;
  }
  SDL_Rect to = dst;
  return SDL_SoftStretchLinear(stretchView_, nullptr, screen, &to) == 0;
}

void Renderer::PresentSoftware() {
  SDL_RenderFlush(renderer_);
  // Nobody sees a headless window: its surface would only be another copy of the frame.
  if (!open_ || IsHeadless()) return;
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (!screen) return;
  SDL_Rect dst;
  const SDL_Rect all{0, 0, screen->w, screen->h};
  const float scale = std::min(static_cast<float>(screen->w) / static_cast<float>(virtualWidth_),
                               static_cast<float>(screen->h) / static_cast<float>(virtualHeight_));
  dst.w = RoundEdge(static_cast<float>(virtualWidth_) * scale);
  dst.h = RoundEdge(static_cast<float>(virtualHeight_) * scale);
  dst.x = (screen->w - dst.w) / 2;
  dst.y = (screen->h - dst.h) / 2;
  if (dst.x > 0 || dst.y > 0 || dst.w < screen->w || dst.h < screen->h)
    SDL_FillRect(screen, &all, SDL_MapRGB(screen->format, 0, 0, 0));
  SDL_SetSurfaceBlendMode(surface_, SDL_BLENDMODE_NONE);
  SDL_SetClipRect(surface_, nullptr);
  if (dst.w == virtualWidth_ && dst.h == virtualHeight_) {
    SDL_BlitSurface(surface_, nullptr, screen, &dst);
  } else if (!StretchSmoothly(screen, dst)) {
    SDL_BlitScaled(surface_, nullptr, screen, &dst);
  }
  SDL_UpdateWindowSurface(window_);
}

void Renderer::Present(int sync) {
  // The first frame is drawn: now the window may show.
  if (open_) ShowWindow();
  if (renderer_ && surface_) {
    PresentSoftware();
  } else if (renderer_ && target_) {
    if (!software_ && sync != vsync_) {
      intervalSet_ = SDL_RenderSetVSync(renderer_, sync == 1 ? 1 : 0) == 0;
      vsync_ = sync;
      pacer_.Reset();
    }
    if (direct_) {
      // Drawn straight into the window: nothing to copy.
      SDL_RenderPresent(renderer_);
      targetBehind_ = true;
    } else if (open_) {
      SDL_SetRenderTarget(renderer_, nullptr);
      SDL_Rect dst;
      LetterboxRect(dst);
      int ow = 0, oh = 0;
      SDL_GetRendererOutputSize(renderer_, &ow, &oh);
      if (dst.x > 0 || dst.y > 0 || dst.w < ow || dst.h < oh) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
      }
      // One to one, filtering only costs (and gives the same pixels).
      const bool nearest = dst.w == virtualWidth_ && dst.h == virtualHeight_;
      if (nearest != nearestPresent_) {
        SDL_SetTextureScaleMode(target_, nearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        nearestPresent_ = nearest;
      }
      SDL_RenderCopy(renderer_, target_, nullptr, &dst);
      SDL_RenderPresent(renderer_);
      // Switching targets drops the clip rectangle; the target itself keeps its pixels.
      SDL_SetRenderTarget(renderer_, target_);
      ApplyClip();
    } else {
      SDL_RenderFlush(renderer_);
    }
  }
  frameOpen_ = false;
  NotifyFramePresented();
  Pace(sync);
}

bool Renderer::DirectServes() const {
  // A window not shown yet (it shows with its first frame) may lose what is drawn into it, and
  // a full screen takes its size from the desktop after the fact: only a shown window.
  if (!softwareGL_ || !open_ || !target_ || software_ || !shown_ || modeDepth_ != 0) return false;
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0) return false;
  // The window's own size: while the target is set, the renderer's output is the target.
  int ow = 0, oh = 0;
  SDL_GL_GetDrawableSize(window_, &ow, &oh);
  return ow == virtualWidth_ && oh == virtualHeight_;
}

void Renderer::BeginFrame(bool covers) {
  if (frameOpen_ || !target_) return;
  frameOpen_ = true;
  const bool direct = covers && DirectServes();
  if (direct == direct_) return;
  if (direct) {
    SDL_SetRenderTarget(renderer_, nullptr);
    ApplyClip();
    direct_ = true;
    return;
  }
  LeaveDirect();
}

void Renderer::LeaveDirect() {
  if (targetBehind_) {
    // The window still shows the frame last presented and its back buffer holds it.
    const size_t count = static_cast<size_t>(virtualWidth_) * static_cast<size_t>(virtualHeight_);
    catchUp_.resize(count);
    const SDL_Rect all{0, 0, virtualWidth_, virtualHeight_};
    if (SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_ARGB8888, catchUp_.data(),
                             virtualWidth_ * 4) == 0)
      SDL_UpdateTexture(target_, nullptr, catchUp_.data(), virtualWidth_ * 4);
    targetBehind_ = false;
  }
  // The window keeps its own clip rectangle while the target is set: one left from drawing
  // straight into it would cut the present's full-screen copy down to the screen's size.
  SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_SetRenderTarget(renderer_, target_);
  ApplyClip();
  direct_ = false;
}

bool Renderer::KeepFrame() {
  kept_ = false;
  if (!Ready()) return false;
  if (surface_) {
    if (!keptSurface_) {
      keptSurface_ = SDL_CreateRGBSurfaceWithFormat(0, virtualWidth_, virtualHeight_, 32,
                                                    SDL_PIXELFORMAT_ARGB8888);
      if (!keptSurface_) return false;
    }
    SDL_RenderFlush(renderer_);
    SDL_SetSurfaceBlendMode(surface_, SDL_BLENDMODE_NONE);
    SDL_SetClipRect(surface_, nullptr);
    kept_ = SDL_BlitSurface(surface_, nullptr, keptSurface_, nullptr) == 0;
    return kept_;
  }
  if (!keptTexture_) {
    keptTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                     virtualWidth_, virtualHeight_);
    if (!keptTexture_) return false;
    SDL_SetTextureBlendMode(keptTexture_, SDL_BLENDMODE_NONE);
  }
  if (direct_) {
    // The frame is in the window, not the target: read back once, while the screen rests.
    catchUp_.resize(static_cast<size_t>(virtualWidth_) * static_cast<size_t>(virtualHeight_));
    const SDL_Rect all{0, 0, virtualWidth_, virtualHeight_};
    kept_ = SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_ARGB8888, catchUp_.data(),
                                 virtualWidth_ * 4) == 0 &&
            SDL_UpdateTexture(keptTexture_, nullptr, catchUp_.data(), virtualWidth_ * 4) == 0;
    return kept_;
  }
  if (SDL_SetRenderTarget(renderer_, keptTexture_) == 0) {
    kept_ = SDL_RenderCopy(renderer_, target_, nullptr, nullptr) == 0;
  }
  SDL_SetRenderTarget(renderer_, target_);
  ApplyClip();
  return kept_;
}

bool Renderer::RestoreFrame() {
  if (!kept_ || !Ready()) return false;
  if (surface_) {
    SDL_RenderFlush(renderer_);
    SDL_SetSurfaceBlendMode(keptSurface_, SDL_BLENDMODE_NONE);
    return SDL_BlitSurface(keptSurface_, nullptr, surface_, nullptr) == 0;
  }
  BeginFrame(true);
  SDL_RenderSetClipRect(renderer_, nullptr);
  const bool done = SDL_RenderCopy(renderer_, keptTexture_, nullptr, nullptr) == 0;
  ApplyClip();
  return done;
}

bool Renderer::FrameDue() const {
  if (!open_ || (IsHeadless() && !paceHeadless_)) return true;
  return pacer_.FrameDue(MilliSecs());
}

void Renderer::Pace(int sync) {
  if (!open_ || (IsHeadless() && !paceHeadless_)) return;
  // The software paths have no swap interval at all.
  const bool intervalSet = target_ != nullptr && !software_ && intervalSet_;
  const int ms = pacer_.AfterPresent(sync, intervalSet, MilliSecs(), refreshHz_);
  if (ms > 0) Delay(ms);
}

int Renderer::RefreshRate() const {
  SDL_DisplayMode mode{};
  if (window_ && SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0)
    return mode.refresh_rate;
  const int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  if (SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0)
    return mode.refresh_rate;
  return 0;
}

void Renderer::SetVirtualSize(int width, int height) {
  if (width <= 0 || height <= 0) return;
  if (width == virtualWidth_ && height == virtualHeight_) return;
  virtualWidth_ = width;
  virtualHeight_ = height;
  kept_ = false;
  if (keptTexture_) SDL_DestroyTexture(keptTexture_);
  keptTexture_ = nullptr;
  if (keptSurface_) SDL_FreeSurface(keptSurface_);
  keptSurface_ = nullptr;
  if (surface_) {
    // No texture belongs to this renderer in software mode, so it is simply made anew.
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    SDL_FreeSurface(surface_);
    surface_ = nullptr;
    if (stretchView_) SDL_FreeSurface(stretchView_);
    stretchView_ = nullptr;
    CreateTarget();
  } else if (target_) {
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_DestroyTexture(target_);
    target_ = nullptr;
    direct_ = targetBehind_ = nearestPresent_ = false;
    CreateTarget();
  }
}

bool Renderer::ModeLetterbox(float& scale, float& offX, float& offY) const {
  if (!window_ || modeDepth_ == 0 || modeWidth_ <= 0 || modeHeight_ <= 0) return false;
  int ww = 0, wh = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  // Not shown yet, a full-screen window still has its windowed size; it will fill its display.
  SDL_DisplayMode desktop{};
  if (!shown_ && SDL_GetDesktopDisplayMode(std::max(SDL_GetWindowDisplayIndex(window_), 0), &desktop) == 0) {
    ww = desktop.w;
    wh = desktop.h;
  }
  scale = std::min(static_cast<float>(ww) / static_cast<float>(modeWidth_),
                   static_cast<float>(wh) / static_cast<float>(modeHeight_));
  if (scale <= 0) return false;
  offX = (static_cast<float>(ww) - static_cast<float>(modeWidth_) * scale) / 2;
  offY = (static_cast<float>(wh) - static_cast<float>(modeHeight_) * scale) / 2;
  return true;
}

bool Renderer::WindowToMode(float wx, float wy, float& mx, float& my) const {
  mx = wx;
  my = wy;
  if (!window_) return false;
  float scale, offX, offY;
  if (ModeLetterbox(scale, offX, offY)) {
    mx = (wx - offX) / scale;
    my = (wy - offY) / scale;
  }
  return true;
}

bool Renderer::ModeToWindow(float mx, float my, float& wx, float& wy) const {
  wx = mx;
  wy = my;
  if (!window_) return false;
  float scale, offX, offY;
  if (ModeLetterbox(scale, offX, offY)) {
    wx = mx * scale + offX;
    wy = my * scale + offY;
  }
  return true;
}

// --- State ---

void Renderer::SetClsColor(int r, int g, int b) {
  clsR_ = Clamp255(r);
  clsG_ = Clamp255(g);
  clsB_ = Clamp255(b);
}

void Renderer::SetColor(int r, int g, int b) {
  r_ = Clamp255(r);
  g_ = Clamp255(g);
  b_ = Clamp255(b);
}

void Renderer::GetColor(int& r, int& g, int& b) const {
  r = r_;
  g = g_;
  b = b_;
}

void Renderer::SetAlpha(float alpha) {
  alpha_ = std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f);
  alpha8_ = static_cast<uint8_t>(std::lround(alpha_ * 255.0f));
}

void Renderer::SetBlend(int mode) {
  if (mode >= MASKBLEND && mode <= SHADEBLEND) blend_ = mode;
}

void Renderer::SetScale(float sx, float sy) {
  scaleX_ = sx;
  scaleY_ = sy;
  UpdateTransform();
}

void Renderer::GetScale(float& sx, float& sy) const {
  sx = scaleX_;
  sy = scaleY_;
}

void Renderer::SetRotation(float degrees) {
  rotation_ = std::isfinite(degrees) ? degrees : 0.0f;
  UpdateTransform();
}

void Renderer::UpdateTransform() {
  axisAligned_ = std::fmod(rotation_, 360.0f) == 0.0f;
  const float rad = rotation_ * kPi / 180.0f;
  const float c = axisAligned_ ? 1.0f : std::cos(rad);
  const float s = axisAligned_ ? 0.0f : std::sin(rad);
  // Clockwise on screen (y grows downwards).
  m00_ = c * scaleX_;
  m01_ = -s * scaleY_;
  m10_ = s * scaleX_;
  m11_ = c * scaleY_;
}

void Renderer::SetOrigin(float x, float y) {
  originX_ = x;
  originY_ = y;
}

void Renderer::GetOrigin(float& x, float& y) const {
  x = originX_;
  y = originY_;
}

void Renderer::SetHandle(float x, float y) {
  handleX_ = x;
  handleY_ = y;
}

void Renderer::GetHandle(float& x, float& y) const {
  x = handleX_;
  y = handleY_;
}

void Renderer::SetViewport(int x, int y, int w, int h) {
  viewport_ = SDL_Rect{x, y, std::max(w, 0), std::max(h, 0)};
  ApplyClip();
}

void Renderer::GetViewport(int& x, int& y, int& w, int& h) const {
  x = viewport_.x;
  y = viewport_.y;
  w = viewport_.w;
  h = viewport_.h;
}

void Renderer::ApplyClip() {
  if (renderer_ && Ready()) SDL_RenderSetClipRect(renderer_, &viewport_);
}

// --- Drawing ---

void Renderer::Transform(float px, float py, float u, float v, float& x, float& y) const {
  x = px + m00_ * u + m01_ * v;
  y = py + m10_ * u + m11_ * v;
}

void Renderer::Clear() {
  if (!Ready()) return;
  BeginFrame(true);  // the clear ignores the clip rectangle
  SDL_SetRenderDrawColor(renderer_, clsR_, clsG_, clsB_, 255);
  SDL_RenderClear(renderer_);
}

SDL_Texture* Renderer::MakeTexture(const Pixmap& pixmap, bool filtered) {
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, pixmap.Width(), pixmap.Height());
  if (texture)
    SDL_SetTextureScaleMode(texture, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return texture;
}

SDL_Texture* Renderer::FrameTexture(Image& image, int frame) {
  if (!renderer_ || frame < 0 || frame >= image.FrameCount()) return nullptr;
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

void Renderer::ReleasePixels(Image& image, int frame) {
  if (software_ || image.keepPixels) return;
  PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
  if (pixels) image.pixelsHadAlpha = pixels->HasAlpha();
  pixels.reset();
}

bool Renderer::RestorePixels(Image& image, int frame) {
  if (frame < 0 || frame >= image.FrameCount()) return false;
  image.keepPixels = true;
  PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
  if (pixels) return true;
  SDL_Texture* texture = image.textures ? image.textures->At(frame).texture : nullptr;
  int w = 0, h = 0;
  if (!texture || !renderer_ || !target_ || SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0)
    return false;
  // Copied one to one, unblended and unfiltered, onto a scratch target and read from there:
  // the texels come back exactly as they went in.
  SDL_Texture* scratch =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!scratch) return false;
  auto out = std::make_shared<Pixmap>(w, h, 0u);
  // Back to wherever drawing went (the target, or the window itself), as it was.
  SDL_Texture* const drawingInto = SDL_GetRenderTarget(renderer_);
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
  SDL_SetRenderTarget(renderer_, drawingInto);
  ApplyClip();
  SDL_DestroyTexture(scratch);
  if (!ok) return false;
  out->SetHasAlpha(image.pixelsHadAlpha);
  pixels = std::move(out);
  return true;
}

SDL_Texture* Renderer::MaskTexture(Image& image, int frame, int threshold) {
  if (!renderer_ || frame < 0 || frame >= image.FrameCount()) return nullptr;
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

void Renderer::Upload(Image& image) {
  if (software_) {
    // Software drawing reads the frames themselves; only SDL's blitter needs them wrapped.
    for (int i = 0; i < image.FrameCount(); ++i) FrameView(image, i);
    return;
  }
  for (int i = 0; i < image.FrameCount(); ++i) FrameTexture(image, i);
}

void Renderer::DestroyTexture(SDL_Texture* texture) {
  // After SDL has shut down (process exit) the renderer and its textures are gone already.
  if (texture && renderer_ && SDL_WasInit(SDL_INIT_VIDEO)) SDL_DestroyTexture(texture);
}

void Renderer::DrawFrame(Image& image, int frame, const SDL_Rect& src, float ox, float oy, float w,
                         float h, float px, float py) {
  if (!Ready() || viewport_.w <= 0 || viewport_.h <= 0 || src.w <= 0 || src.h <= 0) return;

  px += originX_;
  py += originY_;
  float x0 = ox * scaleX_, x1 = (ox + w) * scaleX_;
  float y0 = oy * scaleY_, y1 = (oy + h) * scaleY_;
  int flip = SDL_FLIP_NONE;
  if (x1 < x0) {
    std::swap(x0, x1);
    flip |= SDL_FLIP_HORIZONTAL;
  }
  if (y1 < y0) {
    std::swap(y0, y1);
    flip |= SDL_FLIP_VERTICAL;
  }

  SDL_Rect dst{RoundEdge(px + x0), RoundEdge(py + y0), 0, 0};
  dst.w = RoundEdge(px + x1) - dst.x;
  dst.h = RoundEdge(py + y1) - dst.y;
  if (axisAligned_) {
    if (dst.w <= 0 || dst.h <= 0 || !Intersects(dst, viewport_)) return;
  } else {
    // Cull with the circle the box sweeps around the pivot.
    const float reach = std::sqrt(std::max(x0 * x0, x1 * x1) + std::max(y0 * y0, y1 * y1)) + 1;
    const SDL_Rect bounds{PixelOf(px - reach), PixelOf(py - reach),
                          static_cast<int>(2 * reach) + 2, static_cast<int>(2 * reach) + 2};
    if (x1 - x0 <= 0 || y1 - y0 <= 0 || !Intersects(bounds, viewport_)) return;
  }

  if (surface_) {
    DrawFrameSoftware(image, frame, src, ox, oy, w, h, px, py, dst, flip);
    return;
  }

  SDL_Texture* texture;
  if (blend_ == MASKBLEND) {
    // Drawn where texel alpha x current alpha reaches one half, opaque, else not at all.
    if (alpha_ <= 0.0f) return;
    const int threshold = static_cast<int>(std::ceil(127.5f / alpha_));
    if (threshold > 255) return;
    texture = MaskTexture(image, frame, threshold);
    if (!texture) return;
    BeginFrame(false);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  } else {
    texture = FrameTexture(image, frame);
    if (!texture) return;
    // A solid upright picture over the whole screen (a background) hides the last frame.
    int tw = 0, th = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &tw, &th);
    const bool covers = blend_ == SOLIDBLEND && axisAligned_ && flip == SDL_FLIP_NONE &&
                        src.x >= 0 && src.y >= 0 && src.x + src.w <= tw && src.y + src.h <= th &&
                        dst.x <= 0 && dst.y <= 0 && dst.x + dst.w >= virtualWidth_ &&
                        dst.y + dst.h >= virtualHeight_ && viewport_.x <= 0 && viewport_.y <= 0 &&
                        viewport_.x + viewport_.w >= virtualWidth_ &&
                        viewport_.y + viewport_.h >= virtualHeight_;
    BeginFrame(covers);
    SDL_SetTextureAlphaMod(texture, alpha8_);
    SDL_SetTextureBlendMode(texture, SdlBlend(blend_));
  }
  SDL_SetTextureColorMod(texture, r_, g_, b_);

  if (axisAligned_) {
    if (flip == SDL_FLIP_NONE)
      SDL_RenderCopy(renderer_, texture, &src, &dst);
    else
      SDL_RenderCopyEx(renderer_, texture, &src, &dst, 0.0, nullptr,
                       static_cast<SDL_RendererFlip>(flip));
  } else {
    const SDL_FRect fdst{px + x0, py + y0, x1 - x0, y1 - y0};
    const SDL_FPoint center{-x0, -y0};
    SDL_RenderCopyExF(renderer_, texture, &src, &fdst, rotation_, &center,
                      static_cast<SDL_RendererFlip>(flip));
  }
}

SDL_Surface* Renderer::FrameView(Image& image, int frame) {
  Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
  if (!image.textures) image.textures = std::make_unique<ImageTextures>();
  ImageTextures::Slot& slot = image.textures->At(frame);
  SDL_Surface*& view = slot.view;
  if (view && view->pixels == pixmap->Pixels() && view->w == pixmap->Width() &&
      view->h == pixmap->Height())
    return view;
  SDL_FreeSurface(view);
  view = SDL_CreateRGBSurfaceWithFormatFrom(pixmap->Pixels(), pixmap->Width(), pixmap->Height(), 32,
                                            pixmap->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
  return view;
}

void Renderer::DrawFrameSoftware(Image& image, int frame, SDL_Rect src, float ox, float oy,
                                 float w, float h, float px, float py, const SDL_Rect& dst,
                                 int flip) {
  if (frame < 0 || frame >= image.FrameCount()) return;
  Pixmap* pixmap = image.frames[static_cast<size_t>(frame)].get();
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return;
  const SDL_Rect texels{0, 0, pixmap->Width(), pixmap->Height()};
  SDL_Rect part;
  if (!SDL_IntersectRect(&src, &texels, &part)) return;
  int threshold = 0;
  if (blend_ == MASKBLEND) {
    // Drawn where texel alpha x current alpha reaches one half, opaque, else not at all.
    if (alpha_ <= 0.0f) return;
    threshold = static_cast<int>(std::ceil(127.5f / alpha_));
    if (threshold > 255) return;
  }
  // Queued primitives land first: from here on the pixels are written directly.
  SDL_RenderFlush(renderer_);

  const SoftwareRaster::Target target = SoftwareTarget();
  const bool upright = axisAligned_ && flip == SDL_FLIP_NONE && dst.w == src.w && dst.h == src.h &&
                       SDL_RectEquals(&part, &src);
  // Most of a frame's pixels are pictures copied one to one.
  if (upright && SoftwareRaster::CopyServes(blend_)) {
    SoftwareRaster::Copy(target, pixmap->Pixels() + static_cast<ptrdiff_t>(src.y) * pixmap->Width() + src.x,
                         pixmap->Width(), dst.x, dst.y, src.w, src.h,
                         SoftwareRaster::Paint{r_, g_, b_, alpha8_, blend_, 0});
    return;
  }
  // Solid ones stay with SDL's blitter (a plain copy).
  if (upright && blend_ == SOLIDBLEND) {
    SDL_Surface* view = FrameView(image, frame);
    if (!view) return;
    SDL_SetSurfaceColorMod(view, r_, g_, b_);
    SDL_SetSurfaceAlphaMod(view, alpha8_);
    SDL_SetSurfaceBlendMode(view, SdlBlend(blend_));
    SDL_SetClipRect(surface_, &viewport_);
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
                                      axisAligned_ && (dst.w != src.w || dst.h != src.h) &&
                                          (image.flags & FILTEREDIMAGE) != 0 && blend_ != MASKBLEND};
  const SoftwareRaster::Paint paint{r_, g_, b_, alpha8_, blend_, threshold};
  SoftwareRaster::Map map{};
  if (axisAligned_) {
    // The same pixel box as an upright copy, sampled at pixel centres like SDL's scaler.
    const double kx = static_cast<double>(src.w) / dst.w, ky = static_cast<double>(src.h) / dst.h;
    if (flip & SDL_FLIP_HORIZONTAL) {
      map.sX = -kx;
      map.s0 = src.x + src.w + dst.x * kx;
    } else {
      map.sX = kx;
      map.s0 = src.x - dst.x * kx;
    }
    if (flip & SDL_FLIP_VERTICAL) {
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
  const double m00 = m00_, m01 = m01_, m10 = m10_, m11 = m11_;
  const double det = m00 * m11 - m01 * m10;
  const double kw = static_cast<double>(w) / src.w, kh = static_cast<double>(h) / src.h;
  if (det == 0 || kw == 0 || kh == 0) return;
  map.sX = m11 / (det * kw);
  map.sY = -m01 / (det * kw);
  map.s0 = src.x + ((m01 * py - m11 * px) / det - ox) / kw;
  map.tX = -m10 / (det * kh);
  map.tY = m00 / (det * kh);
  map.t0 = src.y + ((m10 * px - m00 * py) / det - oy) / kh;
  float left = 0, top = 0, right = 0, bottom = 0;
  for (int corner = 0; corner < 4; ++corner) {
    float x, y;
    Transform(px, py, corner & 1 ? ox + w : ox, corner & 2 ? oy + h : oy, x, y);
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

SoftwareRaster::Target Renderer::SoftwareTarget() const {
  return SoftwareRaster::Target{static_cast<uint32_t*>(surface_->pixels), surface_->pitch / 4,
                                std::max(viewport_.x, 0), std::max(viewport_.y, 0),
                                std::min(viewport_.x + viewport_.w, surface_->w),
                                std::min(viewport_.y + viewport_.h, surface_->h)};
}

bool Renderer::FillSoftware(const SDL_Rect* rects, int count) {
  if (!surface_ || !SoftwareRaster::FillServes(blend_)) return false;
  const SoftwareRaster::Paint paint{r_, g_, b_, alpha8_, blend_, 0};
  const SoftwareRaster::Target target = SoftwareTarget();
  // Queued primitives land first: from here on the pixels are written directly.
  SDL_RenderFlush(renderer_);
  for (int i = 0; i < count; ++i)
    SoftwareRaster::Fill(target, paint, rects[i].x, rects[i].y, rects[i].x + rects[i].w,
                         rects[i].y + rects[i].h);
  return true;
}

bool Renderer::PrepareDrawColor() {
  if (!Ready() || viewport_.w <= 0 || viewport_.h <= 0) return false;
  BeginFrame(false);
  if (blend_ == MASKBLEND) {
    if (alpha_ < 0.5f) return false;
    SDL_SetRenderDrawColor(renderer_, r_, g_, b_, 255);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  } else {
    SDL_SetRenderDrawColor(renderer_, r_, g_, b_, alpha8_);
    SDL_SetRenderDrawBlendMode(renderer_, SdlBlend(blend_));
  }
  return true;
}

void Renderer::FillGeometry(const SDL_FPoint* points, int count) {
  const SDL_Color color{r_, g_, b_, blend_ == MASKBLEND ? uint8_t{255} : alpha8_};
  vertices_.clear();
  for (int i = 1; i + 1 < count; ++i) {
    for (const SDL_FPoint& p : {points[0], points[i], points[i + 1]})
      vertices_.push_back(SDL_Vertex{p, color, SDL_FPoint{0, 0}});
  }
  if (!vertices_.empty())
    SDL_RenderGeometry(renderer_, nullptr, vertices_.data(), static_cast<int>(vertices_.size()),
                       nullptr, 0);
}

void Renderer::FillRect(float x, float y, float w, float h) {
  if (!PrepareDrawColor()) return;
  const float px = x + originX_, py = y + originY_;
  const float u0 = -handleX_, v0 = -handleY_;
  if (axisAligned_) {
    float x0 = px + u0 * scaleX_, x1 = px + (u0 + w) * scaleX_;
    float y0 = py + v0 * scaleY_, y1 = py + (v0 + h) * scaleY_;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const SDL_Rect rect{RoundEdge(x0), RoundEdge(y0), RoundEdge(x1) - RoundEdge(x0),
                        RoundEdge(y1) - RoundEdge(y0)};
    if (rect.w > 0 && rect.h > 0 && !FillSoftware(&rect, 1)) SDL_RenderFillRect(renderer_, &rect);
    return;
  }
  SDL_FPoint corners[4];
  Transform(px, py, u0, v0, corners[0].x, corners[0].y);
  Transform(px, py, u0 + w, v0, corners[1].x, corners[1].y);
  Transform(px, py, u0 + w, v0 + h, corners[2].x, corners[2].y);
  Transform(px, py, u0, v0 + h, corners[3].x, corners[3].y);
  FillGeometry(corners, 4);
}

void Renderer::Line(float x1, float y1, float x2, float y2, bool lastPixel) {
  if (!PrepareDrawColor()) return;
  const float px = x1 + originX_, py = y1 + originY_;
  float ax, ay, bx, by;
  Transform(px, py, -handleX_, -handleY_, ax, ay);
  Transform(px, py, x2 - x1 - handleX_, y2 - y1 - handleY_, bx, by);
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  // Bresenham from the start pixel towards the end one.
  int x = PixelOf(ax), y = PixelOf(ay);
  const int ex = PixelOf(bx), ey = PixelOf(by);
  const int dx = std::abs(ex - x), dy = -std::abs(ey - y);
  const int stepX = x < ex ? 1 : -1, stepY = y < ey ? 1 : -1;
  int err = dx + dy;
  points_.clear();
  while (true) {
    const bool atEnd = x == ex && y == ey;
    if (atEnd && !lastPixel) break;
    points_.push_back(SDL_Point{x, y});
    if (atEnd) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
  if (!points_.empty())
    SDL_RenderDrawPoints(renderer_, points_.data(), static_cast<int>(points_.size()));
}

void Renderer::Point(float x, float y) {
  if (!PrepareDrawColor()) return;
  float sx, sy;
  Transform(x + originX_, y + originY_, -handleX_, -handleY_, sx, sy);
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;
  SDL_RenderDrawPoint(renderer_, PixelOf(sx), PixelOf(sy));
}

void Renderer::Oval(float x, float y, float w, float h) {
  if (!PrepareDrawColor()) return;
  const float px = x + originX_, py = y + originY_;
  const float u0 = -handleX_, v0 = -handleY_;
  if (axisAligned_) {
    float x0 = px + u0 * scaleX_, x1 = px + (u0 + w) * scaleX_;
    float y0 = py + v0 * scaleY_, y1 = py + (v0 + h) * scaleY_;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float rx = (x1 - x0) / 2, ry = (y1 - y0) / 2;
    if (!(rx > 0) || !(ry > 0)) return;
    // One span per row, sampled at the row's centre.
    const int top = std::max(RoundEdge(y0), viewport_.y);
    const int bottom = std::min(RoundEdge(y1), viewport_.y + viewport_.h);
    rects_.clear();
    for (int row = top; row < bottom; ++row) {
      const float t = (static_cast<float>(row) + 0.5f - cy) / ry;
      if (t <= -1.0f || t >= 1.0f) continue;
      const float half = rx * std::sqrt(1.0f - t * t);
      const int left = RoundEdge(cx - half), right = RoundEdge(cx + half);
      if (right > left) rects_.push_back(SDL_Rect{left, row, right - left, 1});
    }
    if (!rects_.empty() && !FillSoftware(rects_.data(), static_cast<int>(rects_.size())))
      SDL_RenderFillRects(renderer_, rects_.data(), static_cast<int>(rects_.size()));
    return;
  }
  SDL_FPoint rim[kOvalSegments];
  const float cu = u0 + w / 2, cv = v0 + h / 2;
  for (int i = 0; i < kOvalSegments; ++i) {
    const float a = 2 * kPi * static_cast<float>(i) / kOvalSegments;
    Transform(px, py, cu + w / 2 * std::cos(a), cv + h / 2 * std::sin(a), rim[i].x, rim[i].y);
  }
  FillGeometry(rim, kOvalSegments);
}

void Renderer::ReadPixels(int x, int y, int w, int h, uint32_t* out, int outPitchPixels) {
  if (!Ready() || w <= 0 || h <= 0) return;
  SDL_Rect want{x, y, w, h};
  const SDL_Rect screen{0, 0, virtualWidth_, virtualHeight_};
  SDL_Rect part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return;
  BeginFrame(false);
  uint32_t* first = out + static_cast<ptrdiff_t>(part.y - y) * outPitchPixels + (part.x - x);
  if (surface_) {
    SDL_RenderFlush(renderer_);
    const int pitch = surface_->pitch / 4;
    for (int row = 0; row < part.h; ++row)
      std::memcpy(first + static_cast<ptrdiff_t>(row) * outPitchPixels,
                  static_cast<const uint32_t*>(surface_->pixels) +
                      static_cast<ptrdiff_t>(part.y + row) * pitch + part.x,
                  static_cast<size_t>(part.w) * 4);
  } else if (SDL_RenderReadPixels(renderer_, &part, SDL_PIXELFORMAT_ARGB8888, first,
                                  outPitchPixels * 4) != 0) {
    return;
  }
  // The screen has no alpha channel: what was read is what the player sees.
  for (int row = 0; row < part.h; ++row) {
    uint32_t* p = first + static_cast<ptrdiff_t>(row) * outPitchPixels;
    for (int col = 0; col < part.w; ++col) p[col] |= 0xFF000000u;
  }
}

}  // namespace platform
