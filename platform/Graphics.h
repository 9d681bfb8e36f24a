#pragma once
// The display and the drawing state. Everything is drawn into one logical 800 by 600 target
// that Flip presents scaled to the window (letterboxed in full screen); the target keeps its
// content between frames.
#include <cstdint>

#include "platform/Image.h"
#include "platform/String.h"

namespace platform {

enum BlendMode { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

// --- Display ---
// Whether a renderer can be had (false: "No DirectX or OpenGL 3D Drivers Found!" for the caller).
bool SetGraphicsDriver();
int CountGraphicsModes();
// The index-th mode of the list CountGraphicsModes counts; false outside it.
bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hz);
// Full screen runs at the desktop's size and scales, so the usual 4:3 sizes always "exist".
bool GraphicsModeExists(int width, int height, int depth = 0, int hz = 0);
// depth 0: a window of width by height; 32/24/16: full screen. Reuses the one window and
// renderer of the run, so images keep their textures. False on failure.
bool Graphics(int width, int height, int depth = 0, int hz = 60);
void EndGraphics();
bool GraphicsOpen();
int GraphicsWidth();   // window size in pixels (logical size when no display)
int GraphicsHeight();
int GraphicsDepth();
// Presents the frame. sync 1 waits for the vertical blank (paced to the display's refresh
// rate with a sleep where the driver does not wait); 0 (and -1) presents at once, then sleeps
// what is left of the refresh period, so frames never come faster than the display shows.
void Flip(int sync = 1);
// Whether a frame presented now would come a whole refresh period after the last paced one
// (always true headless): a burst of frames may skip those nobody would see.
bool FrameDue();
// A copy of the frame drawn so far, for frames that would draw the very same under a moving
// pointer (the paused screen): KeepFrame takes it, RestoreFrame draws it back over the whole
// frame. Both false when they cannot (no display; a display change drops the copy).
bool KeepFrame();
bool RestoreFrame();
// Test seam: headless, Flip(1) paces as on a display that refused the swap interval.
void PaceHeadlessFlips(bool on);
// The logical drawing size (800 by 600 in this game).
void SetVirtualResolution(int width, int height);
int VirtualWidth();
int VirtualHeight();

// --- Drawing state (persists until changed) ---
void Cls();
void SetClsColor(int r, int g, int b);
void SetColor(int r, int g, int b);  // clamped to 0..255; white at start
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);  // clamped to 0..1
float GetAlpha();
void SetBlend(int mode);  // ALPHABLEND at start
int GetBlend();
void SetScale(float sx, float sy);  // negative mirrors
void GetScale(float& sx, float& sy);
void SetRotation(float degrees);  // clockwise on screen
float GetRotation();
void SetOrigin(float x, float y);  // added to every draw position
void GetOrigin(float& x, float& y);
void SetHandle(float x, float y);  // handle for text and primitives
void GetHandle(float& x, float& y);
void SetViewport(int x, int y, int w, int h);  // clip rectangle, logical pixels
void GetViewport(int& x, int& y, int& w, int& h);

// --- Primitives (transformed like images about (x, y)) ---
void DrawRect(float x, float y, float w, float h);  // filled, [x, x+w) x [y, y+h)
void DrawLine(float x1, float y1, float x2, float y2, bool lastPixel = false);
void Plot(float x, float y);
void DrawOval(float x, float y, float w, float h);

// --- Images ---
// The image's handle lands on (x, y); scale and rotation pivot about it.
void DrawImage(const ImagePtr& image, float x, float y, int frame = 0);
// Drawn stretched to w by h.
void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame = 0);
// The source rectangle (sx, sy, sw, sh) stretched to w by h, with (hx, hy) placed on (x, y).
void DrawSubImageRect(const ImagePtr& image, float x, float y, float w, float h, float sx, float sy,
                      float sw, float sh, float hx = 0, float hy = 0, int frame = 0);

// --- Read-back of the logical target ---
PixmapPtr GrabPixmap(int x, int y, int w, int h);
// Copies the target at (x, y) into the image's frame.
void GrabImage(const ImagePtr& image, int x, int y, int frame = 0);

// --- Pointer and window (the Linux equivalents of the desktop queries) ---
void HideMouse();
void ShowMouse();
// Pixels of the display mode asked for in Graphics(), the same space as WindowToGraphics.
void MoveMouse(int x, int y);
// Window pixels (where the system reports the pointer) -> pixels of the display mode asked for
// in Graphics(). They differ only in full screen, where the desktop shows the mode scaled and
// letterboxed; without a window the point is returned unchanged.
void WindowToGraphics(int wx, int wy, int& gx, int& gy);
bool DesktopSize(int& width, int& height);
// The window's bottom-left corner in desktop coordinates with the origin at the bottom left.
bool WindowOrigin(int& x, int& y);
// The pointer in the same bottom-left coordinates; false when unknown.
bool GlobalCursor(int& x, int& y);
// The window when it has input focus.
bool WindowHasFocus();
void MinimizeWindow();

}  // namespace platform
