#pragma once
// Image and pixmap helpers: copying images and rectangles of pixels, composing an image onto a
// pixmap, 32-bit ARGB values, letter-spaced text, and clipped drawing.
#include <cstdint>

#include "platform/Image.h"
#include "platform/String.h"

// The smallest power of two that is at least n (1 for n <= 1); capped at 2^30.
int ccPow2Size(int n);

// A new image of the same size, frames and flags, with the same handle and mask colour and its
// own copy of every frame's pixels.
platform::ImagePtr ccCopyImage(const platform::ImagePtr& image);
// Frame 0 rectangles, copied only when both starts lie inside their images (negative starts
// do not), clipped to both. The first copies raw rows; the second pixel by pixel with
// mirror mode 0 straight, 1 left-right, 2 top-bottom, 3 both (other modes copy nothing).
int ccCopyImageRect(const platform::ImagePtr& src, int sx, int sy, int w, int h,
                    const platform::ImagePtr& dst, int dx, int dy);
int ccCopyImageToImage(const platform::ImagePtr& src, int sx, int sy, int w, int h,
                       const platform::ImagePtr& dst, int dx, int dy, int mode);
// Composes a frame of the image onto the pixmap at (x, y) with alpha; pixels falling outside
// the pixmap are skipped. An empty image is a fatal error.
int ccDrawOnPixmap(const platform::ImagePtr& image, int frame, platform::Pixmap& pixmap, int x,
                   int y, float alphaFactor, float colourFactor);

int ARGB_Alpha(uint32_t argb);
int ARGB_Red(uint32_t argb);
int ARGB_Green(uint32_t argb);
int ARGB_Blue(uint32_t argb);
// a x 2^24 + r x 2^16 + g x 2^8 + b; parts are not masked, so one above 255 spills upwards.
uint32_t ARGB_Color(int a, int r, int g, int b);

// The current image font's glyphs placed as DrawText places them, the i-th moved right by
// i x spacing (the rounded form floors each glyph's x).
int ccDrawTextSpaced(StringView text, float x, float y, int spacing);
int ccDrawTextSpacedRounded(StringView text, float x, float y, int spacing);
// Draws only the part of the image (top-left at x, y) inside the viewport rectangle, moved by
// the offset.
int ccClipImageToViewport(const platform::ImagePtr& image, float x, float y, float vx, float vy,
                          float vw, float vh, int ox, int oy);
// Draws the frame at (x, y) clipped to (x, y, w, h), then the viewport back to the whole screen.
int ccCopyRect(const platform::ImagePtr& image, int x, int y, int w, int h, int frame);
