#include "platform/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Clock.h"
#include "platform/GlPresenter.h"
#include "platform/Graphics.h"
#include "platform/HeadlessPresenter.h"
#include "platform/SdlBlend.h"
#include "platform/SurfacePresenter.h"
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

// The runtime decides which video drivers may serve (not the invisible ones by default).
bool InitVideo() { return InitRuntime() && SDL_WasInit(SDL_INIT_VIDEO); }

bool Intersects(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool HaveGlDriver() {
  const int count = SDL_GetNumRenderDrivers();
  for (int i = 0; i < count; ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name && std::strcmp(info.name, "opengl") == 0)
      return true;
  }
  return false;
}

// A device a graphics driver could draw with. Without one, a GL would be drawn by the
// processor, at several times the time and memory of the game's own raster, and only loading
// its driver to learn that costs tens of megabytes.
bool HaveGraphicsDevice() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("card", 0) == 0 || name.rfind("renderD", 0) == 0) return true;
  }
  return std::filesystem::exists("/dev/nvidiactl", error);
}

enum class Way { kRaster, kTryGl, kGl };

// LV_DRAW=gl draws with GL whoever rasterises it, LV_DRAW=raster with the game's own raster;
// otherwise GL is tried where there is a graphics device, and kept where the device draws it.
Way ChooseWay() {
  const char* asked = std::getenv("LV_DRAW");
  if (asked && std::strcmp(asked, "gl") == 0) return Way::kGl;
  if (asked && std::strcmp(asked, "raster") == 0) return Way::kRaster;
  return HaveGraphicsDevice() ? Way::kTryGl : Way::kRaster;
}

}  // namespace

Renderer& Renderer::Get() {
  static Renderer* instance = new Renderer();
  return *instance;
}

// --- Display ---

bool Renderer::DriverAvailable() { return InitVideo() && SDL_GetNumRenderDrivers() > 0; }

bool Renderer::MakeWindow(int x, int y, int width, int height, bool fullScreen) {
  // Made hidden and already in the mode asked for, so a window manager frames it once, at its
  // final size; the first present shows it, with a picture in it.
  const std::string title = U8(GetAppTitle());
  const Uint32 flags = SDL_WINDOW_HIDDEN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  const bool headless = IsHeadless();
  const Way way = headless ? Way::kRaster : ChooseWay();
  bool gl = way != Way::kRaster && HaveGlDriver();
  if (!gl) {
    // The window's surface is copied into it by the windowing system, not by a GL renderer.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  // A GL window from the start, so the renderer need not make the window anew.
  window_ = SDL_CreateWindow(title.c_str(), x, y, width,
                             height, flags | (gl ? SDL_WINDOW_OPENGL : 0));
  if (!window_ && gl) {
    // An X server without GLX (remote X, some VNC servers) still takes a plain window.
    gl = false;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    window_ = SDL_CreateWindow(title.c_str(), x, y, width,
                               height, flags);
  }
  if (!window_) return false;
  if (headless) {
    presenter_ = std::make_unique<HeadlessPresenter>();
  } else {
    if (gl) presenter_ = GlPresenter::Make(window_, way == Way::kGl);
    if (!presenter_) {
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
      presenter_ = std::make_unique<SurfacePresenter>();
    }
  }
  if (!presenter_->MakeTarget(virtualWidth_, virtualHeight_)) {
    presenter_.reset();
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return false;
  }
  ApplyClip();
  return true;
}

bool Renderer::Open(int width, int height, int depth, int /*hz*/) {
  if (width <= 0 || height <= 0 || !InitVideo()) return false;
  const bool fullScreen = depth != 0;
  const FullScreenWay way = fullScreen ? HowFullScreen() : FullScreenWay::kWindowManager;
  // A window manager without full screen would leave the window at its own size while SDL
  // draws for the screen's: the caller stays in a window instead.
  if (way == FullScreenWay::kNone) return false;
  const bool own = way == FullScreenWay::kOwnWindow;
  SDL_Rect screen{0, 0, width, height};
  if (own && !DesktopRect(screen)) return false;
  if (!window_) {
    const bool made = own ? MakeWindow(screen.x, screen.y, screen.w, screen.h, false)
                          : MakeWindow(SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                       height, fullScreen);
    if (!made) return false;
  }
  // Switched in place: the one window is never hidden or made anew, since a window manager
  // drops its frame around a hidden window and a request still naming that frame would end
  // the program.
  if (own) {
    // Nobody manages windows, so nobody answers a full-screen request; a window placed and
    // sized over the screen is full screen there. Its place as a window is kept for the way back.
    if (!ownFullScreen_ && shown_) {
      SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
      windowedPlace_ = true;
    }
    ownFullScreen_ = true;
    SDL_SetWindowPosition(window_, screen.x, screen.y);
    SDL_SetWindowSize(window_, screen.w, screen.h);
  } else if (fullScreen) {
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return false;
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowSize(window_, width, height);
    if (ownFullScreen_) {
      ownFullScreen_ = false;
      SDL_SetWindowPosition(window_, windowedPlace_ ? windowedX_ : SDL_WINDOWPOS_CENTERED,
                            windowedPlace_ ? windowedY_ : SDL_WINDOWPOS_CENTERED);
    }
  }
  open_ = true;
  kept_ = false;
  refreshHz_ = RefreshRate();
  pacer_.Reset();
  modeWidth_ = width;
  modeHeight_ = height;
  modeDepth_ = fullScreen ? depth : 0;
  MeasureWindow();
  return true;
}

bool Renderer::DesktopRect(SDL_Rect& rect) const {
  const int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
  return SDL_GetDisplayBounds(display, &rect) == 0 && rect.w > 0 && rect.h > 0;
}

void Renderer::MeasureWindow() {
  if (!window_ || !RealWindowSize(window_, realWidth_, realHeight_)) realWidth_ = realHeight_ = 0;
  measuredAt_ = SDL_GetTicks64();
}

void Renderer::WindowChanged() {
  if (window_ && shown_) MeasureWindow();
}

void Renderer::VisibleSize(int& width, int& height) const {
  SDL_GetWindowSize(window_, &width, &height);
  if (realWidth_ > 0 && realHeight_ > 0) {
    width = std::min(width, realWidth_);
    height = std::min(height, realHeight_);
  }
}

void Renderer::Close() {
  // The window and its frame stay for the run (textures live on), and the window stays shown;
  // only the display goes away, out of full screen so a notice can be seen over it.
  if (window_) SDL_SetWindowFullscreen(window_, 0);
  open_ = false;
}

void Renderer::ShowWindow() {
  if (shown_ || !window_) return;
  constexpr uint64_t kAskAgainMs = 1000;
  const uint64_t now = std::max<uint64_t>(SDL_GetTicks64(), 1);
  const bool ask = mapAskedAt_ == 0 || now - mapAskedAt_ >= kAskAgainMs;
  if (ask) {
    // SDL asks the window manager for full screen only once the window is mapped.
    if (mapAskedAt_ == 0 && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0) {
      MarkFullScreenBeforeShow(window_);
    }
    mapAskedAt_ = now;
  }
  // SDL's own request waits for the window manager's answer without end, and one still
  // starting up may drop the request: the window is asked for here and shown by SDL once mapped.
  if (!MapWithoutWaiting(window_, ask)) return;
  SDL_ShowWindow(window_);
  shown_ = true;
  MeasureWindow();
}

void Renderer::Present(int sync) {
  // The first frame is drawn: now the window may show.
  if (open_) ShowWindow();
  // While the window is not the size SDL takes it for, a window manager may still be
  // answering: it is looked at again now and then, besides at every window event.
  constexpr uint64_t kMeasureAgainMs = 500;
  if (shown_ && realWidth_ > 0 && SDL_GetTicks64() - measuredAt_ >= kMeasureAgainMs) {
    int sdlWidth = 0, sdlHeight = 0;
    SDL_GetWindowSize(window_, &sdlWidth, &sdlHeight);
    if (realWidth_ != sdlWidth || realHeight_ != sdlHeight) MeasureWindow();
  }
  if (presenter_) presenter_->Present(window_, open_, sync, realWidth_, realHeight_);
  NotifyFramePresented();
  Pace(sync);
}

bool Renderer::KeepFrame() {
  kept_ = presenter_ && presenter_->KeepFrame();
  return kept_;
}

bool Renderer::RestoreFrame() { return kept_ && presenter_ && presenter_->RestoreFrame(); }

bool Renderer::FrameDue() const {
  if (!open_ || (IsHeadless() && !paceHeadless_)) return true;
  return pacer_.FrameDue(MilliSecs());
}

void Renderer::Pace(int sync) {
  if (!open_ || (IsHeadless() && !paceHeadless_)) return;
  const bool intervalSet = presenter_ && presenter_->SwapIntervalSet();
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
  if (presenter_) {
    if (!presenter_->MakeTarget(width, height)) {
      presenter_.reset();
      return;
    }
    ApplyClip();
  }
}
bool Renderer::ModeLetterbox(float& scale, float& offX, float& offY) const {
  if (!window_ || modeWidth_ <= 0 || modeHeight_ <= 0) return false;
  int ww = 0, wh = 0;
  VisibleSize(ww, wh);
  // Not shown yet, a full-screen window still has its windowed size; it will fill its display.
  SDL_DisplayMode desktop{};
  if (!shown_ && modeDepth_ != 0 &&
      SDL_GetDesktopDisplayMode(std::max(SDL_GetWindowDisplayIndex(window_), 0), &desktop) == 0) {
    ww = desktop.w;
    wh = desktop.h;
  }
  if (ww == modeWidth_ && wh == modeHeight_) return false;
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
  state_.r = Clamp255(r);
  state_.g = Clamp255(g);
  state_.b = Clamp255(b);
}

void Renderer::GetColor(int& r, int& g, int& b) const {
  r = state_.r;
  g = state_.g;
  b = state_.b;
}

void Renderer::SetAlpha(float alpha) {
  state_.alpha = std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f);
  state_.alpha8 = static_cast<uint8_t>(std::lround(state_.alpha * 255.0f));
}

void Renderer::SetBlend(int mode) {
  if (mode >= MASKBLEND && mode <= SHADEBLEND) state_.blend = mode;
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
  state_.rotation = std::isfinite(degrees) ? degrees : 0.0f;
  UpdateTransform();
}

void Renderer::UpdateTransform() {
  state_.axisAligned = std::fmod(state_.rotation, 360.0f) == 0.0f;
  const float rad = state_.rotation * kPi / 180.0f;
  const float c = state_.axisAligned ? 1.0f : std::cos(rad);
  const float s = state_.axisAligned ? 0.0f : std::sin(rad);
  // Clockwise on screen (y grows downwards).
  state_.m00 = c * scaleX_;
  state_.m01 = -s * scaleY_;
  state_.m10 = s * scaleX_;
  state_.m11 = c * scaleY_;
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
  state_.viewport = SDL_Rect{x, y, std::max(w, 0), std::max(h, 0)};
  ApplyClip();
}

void Renderer::GetViewport(int& x, int& y, int& w, int& h) const {
  x = state_.viewport.x;
  y = state_.viewport.y;
  w = state_.viewport.w;
  h = state_.viewport.h;
}

void Renderer::ApplyClip() {
  if (presenter_) presenter_->Clip(state_.viewport);
}

// --- Drawing ---

void Renderer::Transform(float px, float py, float u, float v, float& x, float& y) const {
  x = px + state_.m00 * u + state_.m01 * v;
  y = py + state_.m10 * u + state_.m11 * v;
}


void Renderer::Clear() {
  if (!presenter_) return;
  // The clear ignores the clip rectangle.
  SDL_Renderer* sdl = presenter_->Sdl();
  SDL_SetRenderDrawColor(sdl, clsR_, clsG_, clsB_, 255);
  SDL_RenderClear(sdl);
}

void Renderer::Upload(Image& image) {
  if (presenter_) presenter_->Upload(image);
}

bool Renderer::RestorePixels(Image& image, int frame) {
  if (presenter_) return presenter_->RestorePixels(image, frame);
  if (frame < 0 || frame >= image.FrameCount()) return false;
  image.keepPixels = true;
  return image.frames[static_cast<size_t>(frame)] != nullptr;
}

void Renderer::DestroyTexture(SDL_Texture* texture) {
  if (presenter_) presenter_->DestroyTexture(texture);
}

void Renderer::DrawFrame(Image& image, int frame, const SDL_Rect& src, float ox, float oy, float w,
                         float h, float px, float py) {
  const SDL_Rect& viewport = state_.viewport;
  if (!presenter_ || viewport.w <= 0 || viewport.h <= 0 || src.w <= 0 || src.h <= 0) return;

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
  if (state_.axisAligned) {
    if (dst.w <= 0 || dst.h <= 0 || !Intersects(dst, viewport)) return;
  } else {
    // Cull with the circle the box sweeps around the pivot.
    const float reach = std::sqrt(std::max(x0 * x0, x1 * x1) + std::max(y0 * y0, y1 * y1)) + 1;
    const SDL_Rect bounds{PixelOf(px - reach), PixelOf(py - reach),
                          static_cast<int>(2 * reach) + 2, static_cast<int>(2 * reach) + 2};
    if (x1 - x0 <= 0 || y1 - y0 <= 0 || !Intersects(bounds, viewport)) return;
  }
  const PicturePlace place{src, ox, oy, w, h, px, py, dst, x0, y0, x1, y1, flip};
  presenter_->DrawPicture(state_, image, frame, place);
}

bool Renderer::PrepareDrawColor() {
  if (!presenter_ || state_.viewport.w <= 0 || state_.viewport.h <= 0) return false;
  SDL_Renderer* sdl = presenter_->Sdl();
  if (state_.blend == MASKBLEND) {
    if (state_.alpha < 0.5f) return false;
    SDL_SetRenderDrawColor(sdl, state_.r, state_.g, state_.b, 255);
    SDL_SetRenderDrawBlendMode(sdl, SDL_BLENDMODE_NONE);
  } else {
    SDL_SetRenderDrawColor(sdl, state_.r, state_.g, state_.b, state_.alpha8);
    SDL_SetRenderDrawBlendMode(sdl, SdlBlend(state_.blend));
  }
  return true;
}

void Renderer::FillRects(const SDL_Rect* rects, int count) {
  if (count > 0 && !presenter_->FillRects(state_, rects, count))
    SDL_RenderFillRects(presenter_->Sdl(), rects, count);
}

void Renderer::FillGeometry(const SDL_FPoint* points, int count) {
  const SDL_Color color{state_.r, state_.g, state_.b,
                        state_.blend == MASKBLEND ? uint8_t{255} : state_.alpha8};
  vertices_.clear();
  for (int i = 1; i + 1 < count; ++i) {
    for (const SDL_FPoint& p : {points[0], points[i], points[i + 1]})
      vertices_.push_back(SDL_Vertex{p, color, SDL_FPoint{0, 0}});
  }
  if (!vertices_.empty())
    SDL_RenderGeometry(presenter_->Sdl(), nullptr, vertices_.data(),
                       static_cast<int>(vertices_.size()), nullptr, 0);
}

void Renderer::FillRect(float x, float y, float w, float h) {
  if (!PrepareDrawColor()) return;
  const float px = x + originX_, py = y + originY_;
  const float u0 = -handleX_, v0 = -handleY_;
  if (state_.axisAligned) {
    float x0 = px + u0 * scaleX_, x1 = px + (u0 + w) * scaleX_;
    float y0 = py + v0 * scaleY_, y1 = py + (v0 + h) * scaleY_;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const SDL_Rect rect{RoundEdge(x0), RoundEdge(y0), RoundEdge(x1) - RoundEdge(x0),
                        RoundEdge(y1) - RoundEdge(y0)};
    if (rect.w > 0 && rect.h > 0) FillRects(&rect, 1);
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
    SDL_RenderDrawPoints(presenter_->Sdl(), points_.data(), static_cast<int>(points_.size()));
}

void Renderer::Point(float x, float y) {
  if (!PrepareDrawColor()) return;
  float sx, sy;
  Transform(x + originX_, y + originY_, -handleX_, -handleY_, sx, sy);
  if (!std::isfinite(sx) || !std::isfinite(sy)) return;
  SDL_RenderDrawPoint(presenter_->Sdl(), PixelOf(sx), PixelOf(sy));
}

void Renderer::Oval(float x, float y, float w, float h) {
  if (!PrepareDrawColor()) return;
  const float px = x + originX_, py = y + originY_;
  const float u0 = -handleX_, v0 = -handleY_;
  if (state_.axisAligned) {
    float x0 = px + u0 * scaleX_, x1 = px + (u0 + w) * scaleX_;
    float y0 = py + v0 * scaleY_, y1 = py + (v0 + h) * scaleY_;
    if (x1 < x0) std::swap(x0, x1);
    if (y1 < y0) std::swap(y0, y1);
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float rx = (x1 - x0) / 2, ry = (y1 - y0) / 2;
    if (!(rx > 0) || !(ry > 0)) return;
    // One span per row, sampled at the row's centre.
    const int top = std::max(RoundEdge(y0), state_.viewport.y);
    const int bottom = std::min(RoundEdge(y1), state_.viewport.y + state_.viewport.h);
    rects_.clear();
    for (int row = top; row < bottom; ++row) {
      const float t = (static_cast<float>(row) + 0.5f - cy) / ry;
      if (t <= -1.0f || t >= 1.0f) continue;
      const float half = rx * std::sqrt(1.0f - t * t);
      const int left = RoundEdge(cx - half), right = RoundEdge(cx + half);
      if (right > left) rects_.push_back(SDL_Rect{left, row, right - left, 1});
    }
    FillRects(rects_.data(), static_cast<int>(rects_.size()));
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
  if (!presenter_ || w <= 0 || h <= 0) return;
  SDL_Rect want{x, y, w, h};
  const SDL_Rect screen{0, 0, virtualWidth_, virtualHeight_};
  SDL_Rect part;
  if (!SDL_IntersectRect(&want, &screen, &part)) return;
  uint32_t* first = out + static_cast<ptrdiff_t>(part.y - y) * outPitchPixels + (part.x - x);
  if (!presenter_->ReadPixels(part, first, outPitchPixels)) return;
  // The screen has no alpha channel: what was read is what the player sees.
  for (int row = 0; row < part.h; ++row) {
    uint32_t* p = first + static_cast<ptrdiff_t>(row) * outPitchPixels;
    for (int col = 0; col < part.w; ++col) p[col] |= 0xFF000000u;
  }
}

}  // namespace platform
