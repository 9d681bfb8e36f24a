#include "platform/Graphics.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/Renderer.h"

namespace platform {

namespace {

Renderer& R() { return Renderer::Get(); }

// Full screen is the desktop scaled, so these always exist; they are what the mode list shows.
constexpr int kModeSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}};
constexpr int kModeDepths[] = {32, 24, 16};
constexpr int kModeCount = 9;

}  // namespace

// --- Display ---

bool SetGraphicsDriver() { return R().DriverAvailable(); }

int CountGraphicsModes() { return kModeCount; }

bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hz) {
  if (index < 0 || index >= kModeCount) return false;
  width = kModeSizes[index / 3][0];
  height = kModeSizes[index / 3][1];
  depth = kModeDepths[index % 3];
  hz = 60;
  return true;
}

bool GraphicsModeExists(int width, int height, int depth, int /*hz*/) {
  if (width <= 0 || height <= 0) return false;
  if (depth != 0 && depth != 16 && depth != 24 && depth != 32) return false;
  for (const auto& size : kModeSizes)
    if (size[0] == width && size[1] == height) return true;
  int dw = 0, dh = 0;
  return DesktopSize(dw, dh) && width <= dw && height <= dh;
}

bool Graphics(int width, int height, int depth, int hz) {
  return R().Open(width, height, depth, hz);
}

void EndGraphics() { R().Close(); }

bool GraphicsOpen() { return R().IsOpen(); }

int GraphicsWidth() { return R().IsOpen() ? R().ModeWidth() : R().VirtualWidth(); }

int GraphicsHeight() { return R().IsOpen() ? R().ModeHeight() : R().VirtualHeight(); }

int GraphicsDepth() { return R().IsOpen() ? R().ModeDepth() : 0; }

void Flip(int sync) { R().Present(sync); }

bool FrameDue() { return R().FrameDue(); }

bool KeepFrame() { return R().KeepFrame(); }

bool RestoreFrame() { return R().RestoreFrame(); }

void PaceHeadlessFlips(bool on) { R().SetPaceHeadless(on); }

void SetVirtualResolution(int width, int height) { R().SetVirtualSize(width, height); }

int VirtualWidth() { return R().VirtualWidth(); }

int VirtualHeight() { return R().VirtualHeight(); }

// --- Drawing state ---

void Cls() { R().Clear(); }
void SetClsColor(int r, int g, int b) { R().SetClsColor(r, g, b); }
void SetColor(int r, int g, int b) { R().SetColor(r, g, b); }
void GetColor(int& r, int& g, int& b) { R().GetColor(r, g, b); }
void SetAlpha(float alpha) { R().SetAlpha(alpha); }
float GetAlpha() { return R().Alpha(); }
void SetBlend(int mode) { R().SetBlend(mode); }
int GetBlend() { return R().Blend(); }
void SetScale(float sx, float sy) { R().SetScale(sx, sy); }
void GetScale(float& sx, float& sy) { R().GetScale(sx, sy); }
void SetRotation(float degrees) { R().SetRotation(degrees); }
float GetRotation() { return R().Rotation(); }
void SetOrigin(float x, float y) { R().SetOrigin(x, y); }
void GetOrigin(float& x, float& y) { R().GetOrigin(x, y); }
void SetHandle(float x, float y) { R().SetHandle(x, y); }
void GetHandle(float& x, float& y) { R().GetHandle(x, y); }
void SetViewport(int x, int y, int w, int h) { R().SetViewport(x, y, w, h); }
void GetViewport(int& x, int& y, int& w, int& h) { R().GetViewport(x, y, w, h); }

// --- Primitives ---

void DrawRect(float x, float y, float w, float h) { R().FillRect(x, y, w, h); }

void DrawLine(float x1, float y1, float x2, float y2, bool lastPixel) {
  R().Line(x1, y1, x2, y2, lastPixel);
}

void Plot(float x, float y) { R().Point(x, y); }

void DrawOval(float x, float y, float w, float h) { R().Oval(x, y, w, h); }

// --- Images ---

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
  if (!image || image->width <= 0 || image->height <= 0) return;
  const SDL_Rect src{0, 0, image->width, image->height};
  R().DrawFrame(*image, frame, src, -image->handleX, -image->handleY,
                static_cast<float>(image->width), static_cast<float>(image->height), x, y);
}

void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame) {
  if (!image || image->width <= 0 || image->height <= 0) return;
  const SDL_Rect src{0, 0, image->width, image->height};
  // The handle stretches with the picture.
  const float kx = w / static_cast<float>(image->width);
  const float ky = h / static_cast<float>(image->height);
  R().DrawFrame(*image, frame, src, -image->handleX * kx, -image->handleY * ky, w, h, x, y);
}

void DrawSubImageRect(const ImagePtr& image, float x, float y, float w, float h, float sx, float sy,
                      float sw, float sh, float hx, float hy, int frame) {
  if (!image || image->width <= 0 || image->height <= 0) return;
  // Whole source pixels, kept inside the frame; the destination box shrinks with the cut.
  const float kx = sw != 0 ? w / sw : 0.0f, ky = sh != 0 ? h / sh : 0.0f;
  const int left = std::max(0, static_cast<int>(std::lround(sx)));
  const int top = std::max(0, static_cast<int>(std::lround(sy)));
  const int right = std::min(image->width, static_cast<int>(std::lround(sx + sw)));
  const int bottom = std::min(image->height, static_cast<int>(std::lround(sy + sh)));
  if (right <= left || bottom <= top) return;
  const SDL_Rect src{left, top, right - left, bottom - top};
  const float ox = -hx + (static_cast<float>(left) - sx) * kx;
  const float oy = -hy + (static_cast<float>(top) - sy) * ky;
  R().DrawFrame(*image, frame, src, ox, oy, static_cast<float>(src.w) * kx,
                static_cast<float>(src.h) * ky, x, y);
}

// --- Read-back ---

PixmapPtr GrabPixmap(int x, int y, int w, int h) {
  auto pixmap = std::make_shared<Pixmap>(std::max(w, 0), std::max(h, 0), 0u);
  pixmap->SetHasAlpha(false);
  if (pixmap->Width() > 0 && pixmap->Height() > 0)
    R().ReadPixels(x, y, pixmap->Width(), pixmap->Height(), pixmap->Pixels(), pixmap->Width());
  return pixmap;
}

void GrabImage(const ImagePtr& image, int x, int y, int frame) {
  if (!image || frame < 0 || frame >= image->FrameCount()) return;
  PixmapPtr& pixmap = image->frames[static_cast<size_t>(frame)];
  if (!pixmap || pixmap->Width() != image->width || pixmap->Height() != image->height)
    pixmap = std::make_shared<Pixmap>(image->width, image->height, 0u);
  std::fill(pixmap->Pixels(), pixmap->Pixels() + static_cast<size_t>(pixmap->Width()) * pixmap->Height(),
            0u);
  R().ReadPixels(x, y, pixmap->Width(), pixmap->Height(), pixmap->Pixels(), pixmap->Width());
  image->Invalidate(frame);
}

// --- Pointer and window ---

void HideMouse() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
}

void ShowMouse() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_ENABLE);
}

void MoveMouse(int x, int y) {
  SDL_Window* window = R().Window();
  if (!window) return;
  float wx, wy;
  R().ModeToWindow(static_cast<float>(x), static_cast<float>(y), wx, wy);
  SDL_WarpMouseInWindow(window, static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy)));
}

void WindowToGraphics(int wx, int wy, int& gx, int& gy) {
  float x, y;
  R().WindowToMode(static_cast<float>(wx), static_cast<float>(wy), x, y);
  gx = static_cast<int>(std::floor(x));
  gy = static_cast<int>(std::floor(y));
}

bool DesktopSize(int& width, int& height) {
  if (!SDL_WasInit(SDL_INIT_VIDEO) && !R().DriverAvailable()) return false;
  SDL_Window* window = R().Window();
  const int display = window ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(display, &mode) != 0) return false;
  width = mode.w;
  height = mode.h;
  return true;
}

bool WindowOrigin(int& x, int& y) {
  SDL_Window* window = R().Window();
  int dw = 0, dh = 0;
  if (!window || !DesktopSize(dw, dh)) return false;
  int wx = 0, wy = 0, ww = 0, wh = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  SDL_GetWindowSize(window, &ww, &wh);
  x = wx;
  y = dh - (wy + wh);
  return true;
}

bool GlobalCursor(int& x, int& y) {
  SDL_Window* window = R().Window();
  int dw = 0, dh = 0;
  if (!window || !DesktopSize(dw, dh)) return false;
  // Window origin plus the window-relative pointer, so the round trip through WindowOrigin
  // is exact even where the desktop position of the pointer is not known.
  int wx = 0, wy = 0, mx = 0, my = 0;
  SDL_GetWindowPosition(window, &wx, &wy);
  SDL_GetMouseState(&mx, &my);
  x = wx + mx;
  y = dh - (wy + my);
  return true;
}

bool WindowHasFocus() {
  SDL_Window* window = R().Window();
  return window && R().IsOpen() && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void MinimizeWindow() {
  if (SDL_Window* window = R().Window()) SDL_MinimizeWindow(window);
}

}  // namespace platform
