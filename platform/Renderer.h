#pragma once
// The one window and SDL renderer of the run, the logical target every frame is drawn into, and
// the drawing state. Internal to platform/: the public face is Graphics.h.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/FramePacer.h"
#include "platform/Image.h"
#include "platform/SoftwareRaster.h"

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
  // Before the display goes away: a frame drawn straight into the window goes to the target.
  void SettleFrame() {
    if (direct_) LeaveDirect();
  }
  bool IsOpen() const { return open_; }
  // Drawing reaches pixels (a renderer and target exist), whether or not the window shows.
  bool Ready() const { return target_ != nullptr || surface_ != nullptr; }
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
  // Test seam: keep SDL's GL renderer even where the processor rasterises its GL; set before
  // the first Open.
  void SetKeepSoftwareGL(bool on) { keepSoftwareGL_ = on; }
  void SetVirtualSize(int width, int height);
  int VirtualWidth() const { return virtualWidth_; }
  int VirtualHeight() const { return virtualHeight_; }
  SDL_Window* Window() const { return window_; }
  bool Software() const { return software_; }
  // Window pixels <-> pixels of the requested display mode (they differ only in letterboxed
  // full screen). False when no window exists.
  bool WindowToMode(float wx, float wy, float& mx, float& my) const;
  bool ModeToWindow(float mx, float my, float& wx, float& wy) const;

  // --- State ---
  void SetClsColor(int r, int g, int b);
  void SetColor(int r, int g, int b);
  void GetColor(int& r, int& g, int& b) const;
  void SetAlpha(float alpha);
  float Alpha() const { return alpha_; }
  void SetBlend(int mode);
  int Blend() const { return blend_; }
  void SetScale(float sx, float sy);
  void GetScale(float& sx, float& sy) const;
  void SetRotation(float degrees);
  float Rotation() const { return rotation_; }
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

  // --- Read-back of the target (logical pixels; outside the target reads 0) ---
  void ReadPixels(int x, int y, int w, int h, uint32_t* out, int outPitchPixels);

  // --- Textures ---
  // Ensures every frame of the image has an up-to-date texture (no-op without a renderer).
  void Upload(Image& image);
  // The image keeps its pixels from now on; a frame let go is read back from its texture.
  // False when the frame has no pixels and they cannot be had.
  bool RestorePixels(Image& image, int frame);
  void DestroyTexture(SDL_Texture* texture);

 private:
  // Scale and offsets of the requested display mode letterboxed in the window; false when
  // window pixels are mode pixels (a window, or nothing open).
  bool ModeLetterbox(float& scale, float& offX, float& offY) const;
  Renderer() = default;
  bool CreateRenderer();
  bool CreateTarget();
  // Maps the window, once: at the first present, so it never shows empty.
  void ShowWindow();
  void ApplyClip();
  void UpdateTransform();
  // Colour, alpha and blend for untextured drawing; false when nothing would be drawn.
  bool PrepareDrawColor();
  SDL_Texture* FrameTexture(Image& image, int frame);
  SDL_Texture* MaskTexture(Image& image, int frame, int threshold);
  SDL_Texture* MakeTexture(const Pixmap& pixmap, bool filtered);
  // A frame that is now a texture lets its pixels go, unless the image keeps them or the
  // software renderer draws from them.
  void ReleasePixels(Image& image, int frame);
  // Software mode: the frame's pixels seen as a surface for SDL's blitter (no copy).
  SDL_Surface* FrameView(Image& image, int frame);
  void DrawFrameSoftware(Image& image, int frame, SDL_Rect src, float ox, float oy, float w,
                         float h, float px, float py, const SDL_Rect& dst, int flip);
  void PresentSoftware();
  // The frame filtered into a window of another size; false where the window's format differs.
  bool StretchSmoothly(SDL_Surface* screen, const SDL_Rect& dst);
  // Called before anything reaches the pixels of a frame: picks where the frame is drawn.
  // `covers`: what comes first overwrites the whole screen, so nothing of the last frame
  // shows through and the frame may go straight into the window (DirectServes).
  void BeginFrame(bool covers);
  // The window shows the target one to one and its back buffer keeps its pixels over a
  // present, so a frame drawn straight into it needs no copy and loses nothing.
  bool DirectServes() const;
  // Draws into the target texture again, first giving it the frame last presented straight
  // into the window (read back from the window's back buffer).
  void LeaveDirect();
  // Software mode: the target surface's pixels, clipped to the viewport.
  SoftwareRaster::Target SoftwareTarget() const;
  // Software mode: blended boxes written straight into the target; false when SDL's own fill
  // is to draw them (no software target, or a blend that is a plain store).
  bool FillSoftware(const SDL_Rect* rects, int count);
  // After a present: sleeps as long as the pacer says, when vsync is asked for and not had.
  void Pace(int sync);
  // The refresh rate of the window's display; 0 when unknown.
  int RefreshRate() const;
  // Local offset (u, v) from the pivot -> target position.
  void Transform(float px, float py, float u, float v, float& x, float& y) const;
  void LetterboxRect(SDL_Rect& rect) const;
  void FillGeometry(const SDL_FPoint* points, int count);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* target_ = nullptr;
  // Software mode draws into this surface of the logical size (the renderer is made over it),
  // so rotated pictures can be rasterised straight into its pixels; target_ stays null.
  SDL_Surface* surface_ = nullptr;
  SDL_Surface* stretchView_ = nullptr;  // surface_'s pixels, read as the window's format
  // KeepFrame's copy: a texture beside target_, or a surface beside surface_.
  SDL_Texture* keptTexture_ = nullptr;
  SDL_Surface* keptSurface_ = nullptr;
  bool kept_ = false;
  bool software_ = false;
  bool open_ = false;
  bool shown_ = false;
  int vsync_ = -1;
  bool intervalSet_ = false;  // the renderer accepted the swap interval last asked for
  bool paceHeadless_ = false;
  bool keepSoftwareGL_ = false;
  int refreshHz_ = 0;
  FramePacer pacer_;
  // The renderer rasterises in software (Mesa's llvmpipe, softpipe, swrast): every pixel
  // written costs, and its presents copy the back buffer, which so keeps its content.
  bool softwareGL_ = false;
  bool frameOpen_ = false;  // something was drawn or read since the last present
  bool direct_ = false;     // the frame is being drawn straight into the window
  bool targetBehind_ = false;  // the target lacks the frame last presented from the window
  bool nearestPresent_ = false;  // the target is presented without filtering (one to one)
  int modeWidth_ = 0;
  int modeHeight_ = 0;
  int modeDepth_ = 0;
  int virtualWidth_ = 800;
  int virtualHeight_ = 600;

  uint8_t clsR_ = 0, clsG_ = 0, clsB_ = 0;
  uint8_t r_ = 255, g_ = 255, b_ = 255;
  float alpha_ = 1.0f;
  uint8_t alpha8_ = 255;
  int blend_ = 3;
  float scaleX_ = 1.0f, scaleY_ = 1.0f;
  float rotation_ = 0.0f;
  bool axisAligned_ = true;  // no rotation: edges stay on the pixel grid
  float m00_ = 1, m01_ = 0, m10_ = 0, m11_ = 1;
  float originX_ = 0, originY_ = 0;
  float handleX_ = 0, handleY_ = 0;
  SDL_Rect viewport_{0, 0, 800, 600};

  // Scratch buffers reused by every call, so drawing allocates nothing once they have grown.
  std::vector<SDL_Point> points_;
  std::vector<SDL_Rect> rects_;
  std::vector<SDL_Vertex> vertices_;
  std::vector<uint32_t> maskPixels_;
  std::vector<uint32_t> catchUp_;
};

}  // namespace platform
