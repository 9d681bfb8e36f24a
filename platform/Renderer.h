#pragma once
// The one window of the run, the drawing state, and the geometry of what is drawn. Where the
// logical frame lives and how it reaches the screen is its Presenter's, chosen once when the
// window is made. Internal to platform/: the public face is Graphics.h.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/FramePacer.h"
#include "platform/Image.h"
#include "platform/Presenter.h"

namespace platform {

class Renderer {
 public:
  // Lives for the whole process and is never destroyed, so images released during exit can
  // still ask it whether their textures may be freed.
  static Renderer& Get();

  // --- Display ---
  bool DriverAvailable();
  bool Open(int width, int height, int depth, int hz);
  void Close();
  bool IsOpen() const { return open_; }
  // Drawing reaches pixels (a logical frame exists), whether or not the window shows.
  bool Ready() const { return presenter_ != nullptr; }
  int ModeWidth() const { return modeWidth_; }
  int ModeHeight() const { return modeHeight_; }
  int ModeDepth() const { return modeDepth_; }
  void Present(int sync);
  // Whether a present now would not be early for the display (FramePacer::FrameDue).
  bool FrameDue() const;
  // A copy of the frame so far, and the frame put back from it (platform::KeepFrame).
  bool KeepFrame();
  bool RestoreFrame();
  // Test seam: headless presents are paced as on a display that refused the swap interval.
  void SetPaceHeadless(bool on) { paceHeadless_ = on; }
  void SetVirtualSize(int width, int height);
  int VirtualWidth() const { return virtualWidth_; }
  int VirtualHeight() const { return virtualHeight_; }
  SDL_Window* Window() const { return window_; }
  // Frames are drawn by the game's own raster (pictures keep their pixels).
  bool Software() const { return presenter_ && presenter_->OwnRaster(); }
  // Window pixels <-> pixels of the requested display mode (they differ only in letterboxed
  // full screen). False when no window exists.
  bool WindowToMode(float wx, float wy, float& mx, float& my) const;
  bool ModeToWindow(float mx, float my, float& wx, float& wy) const;
  // The window was moved, resized, shown or exposed: its real size is looked at again.
  void WindowChanged();

  // --- State ---
  void SetClsColor(int r, int g, int b);
  void SetColor(int r, int g, int b);
  void GetColor(int& r, int& g, int& b) const;
  void SetAlpha(float alpha);
  float Alpha() const { return state_.alpha; }
  void SetBlend(int mode);
  int Blend() const { return state_.blend; }
  void SetScale(float sx, float sy);
  void GetScale(float& sx, float& sy) const;
  void SetRotation(float degrees);
  float Rotation() const { return state_.rotation; }
  void SetOrigin(float x, float y);
  void GetOrigin(float& x, float& y) const;
  void SetHandle(float x, float y);
  void GetHandle(float& x, float& y) const;
  void SetViewport(int x, int y, int w, int h);
  void GetViewport(int& x, int& y, int& w, int& h) const;

  // --- Drawing ---
  void Clear();
  // The frame's source rectangle drawn as a w by h box whose top-left sits at (ox, oy) from the
  // pivot before scale and rotation; the pivot lands on (px, py) + origin.
  void DrawFrame(Image& image, int frame, const SDL_Rect& src, float ox, float oy, float w,
                 float h, float px, float py);
  void FillRect(float x, float y, float w, float h);
  void Line(float x1, float y1, float x2, float y2, bool lastPixel);
  void Point(float x, float y);
  void Oval(float x, float y, float w, float h);

  // --- Read-back of the frame (logical pixels; outside the frame reads 0) ---
  void ReadPixels(int x, int y, int w, int h, uint32_t* out, int outPitchPixels);

  // --- Pictures ---
  // Readies every frame of the image for drawing (no-op without a display).
  void Upload(Image& image);
  // The image keeps its pixels from now on; a frame let go is read back from its texture.
  // False when the frame has no pixels and they cannot be had.
  bool RestorePixels(Image& image, int frame);
  void DestroyTexture(SDL_Texture* texture);

 private:
  Renderer() = default;
  // The window, made for GL when GL is to be tried, and the way its frames reach the screen.
  bool MakeWindow(int x, int y, int width, int height, bool fullScreen);
  // The bounds of the window's display (of the first, before there is a window).
  bool DesktopRect(SDL_Rect& rect) const;
  // The window's size as the X server has it, into realWidth_/realHeight_ (0 when unknown).
  void MeasureWindow();
  // What of the window can show a picture: SDL's size of it, within its real size.
  void VisibleSize(int& width, int& height) const;
  // Scale and offsets of the requested display mode letterboxed in what the window shows;
  // false when window pixels are mode pixels.
  bool ModeLetterbox(float& scale, float& offX, float& offY) const;
  // Maps the window, once: at the first present, so it never shows empty. Asks again every
  // second until the window manager has mapped it; the frames go on meanwhile.
  void ShowWindow();
  void ApplyClip();
  void UpdateTransform();
  // Colour, alpha and blend for primitives; false when nothing would be drawn.
  bool PrepareDrawColor();
  // After a present: sleeps as long as the pacer says, when vsync is asked for and not had.
  void Pace(int sync);
  // The refresh rate of the window's display; 0 when unknown.
  int RefreshRate() const;
  // Local offset (u, v) from the pivot -> frame position.
  void Transform(float px, float py, float u, float v, float& x, float& y) const;
  void FillGeometry(const SDL_FPoint* points, int count);
  void FillRects(const SDL_Rect* rects, int count);

  SDL_Window* window_ = nullptr;
  std::unique_ptr<Presenter> presenter_;
  bool open_ = false;
  bool shown_ = false;
  uint64_t mapAskedAt_ = 0;  // SDL ticks of the last request to map the window; 0 none yet
  // Full screen made by sizing the window over the screen (no window manager), and the place
  // the window had before, to go back to.
  bool ownFullScreen_ = false;
  bool windowedPlace_ = false;
  int windowedX_ = 0, windowedY_ = 0;
  int realWidth_ = 0, realHeight_ = 0;
  uint64_t measuredAt_ = 0;
  bool kept_ = false;  // a frame kept since the display last changed
  bool paceHeadless_ = false;
  int refreshHz_ = 0;
  FramePacer pacer_;
  int modeWidth_ = 0;
  int modeHeight_ = 0;
  int modeDepth_ = 0;
  int virtualWidth_ = 800;
  int virtualHeight_ = 600;

  DrawState state_;
  uint8_t clsR_ = 0, clsG_ = 0, clsB_ = 0;
  float scaleX_ = 1.0f, scaleY_ = 1.0f;
  float originX_ = 0, originY_ = 0;
  float handleX_ = 0, handleY_ = 0;

  // Scratch buffers reused by every call, so drawing allocates nothing once they have grown.
  std::vector<SDL_Point> points_;
  std::vector<SDL_Rect> rects_;
  std::vector<SDL_Vertex> vertices_;
};

}  // namespace platform
