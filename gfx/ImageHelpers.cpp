#include "gfx/ImageHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "gfx/DrawHelpers.h"
#include "platform/Font.h"
#include "platform/Graphics.h"

int ccPow2Size(int n) {
  int size = 1;
  while (size < n && size < (1 << 30)) size *= 2;
  return size;
}

platform::ImagePtr ccCopyImage(const platform::ImagePtr& image) {
  if (!image) return nullptr;
  auto copy = platform::CreateImage(image->width, image->height, image->FrameCount(), image->flags);
  copy->handleX = image->handleX;
  copy->handleY = image->handleY;
  copy->maskColor = image->maskColor;
  for (int f = 0; f < image->FrameCount(); ++f) {
    auto pixels = platform::LockImage(image, f);
    if (pixels) copy->frames[static_cast<size_t>(f)] = pixels->Copy();
    platform::UnlockImage(image, f);
    copy->Invalidate(f);
  }
  return copy;
}

namespace {

// Locks frame 0 of both images and clips the rectangle; false (both unlocked) when either
// start lies outside its image.
struct RectCopy {
  platform::PixmapPtr from, to;
  int w = 0, h = 0;
};

bool BeginRectCopy(const platform::ImagePtr& src, int sx, int sy, int& w, int& h,
                   const platform::ImagePtr& dst, int dx, int dy, RectCopy& out) {
  if (!src || !dst) return false;
  out.from = platform::LockImage(src, 0);
  out.to = platform::LockImage(dst, 0);
  const bool inside = out.from && out.to && sx >= 0 && sy >= 0 && dx >= 0 && dy >= 0 &&
                      sx < out.from->Width() && sy < out.from->Height() &&
                      dx < out.to->Width() && dy < out.to->Height();
  if (!inside) {
    platform::UnlockImage(src, 0);
    platform::UnlockImage(dst, 0);
    return false;
  }
  w = std::min(w, out.from->Width() - sx);
  h = std::min(h, out.from->Height() - sy);
  w = std::min(w, out.to->Width() - dx);
  h = std::min(h, out.to->Height() - dy);
  out.w = w;
  out.h = h;
  return true;
}

}  // namespace

int ccCopyImageRect(const platform::ImagePtr& src, int sx, int sy, int w, int h,
                    const platform::ImagePtr& dst, int dx, int dy) {
  RectCopy c;
  if (!BeginRectCopy(src, sx, sy, w, h, dst, dx, dy, c)) return 0;
  for (int j = 0; j < c.h && c.w > 0; ++j) {
    std::memmove(c.to->Pixels() + static_cast<size_t>(dy + j) * c.to->Width() + dx,
                 c.from->Pixels() + static_cast<size_t>(sy + j) * c.from->Width() + sx,
                 static_cast<size_t>(c.w) * 4);
  }
  platform::UnlockImage(src, 0);
  platform::UnlockImage(dst, 0);
  return 0;
}

int ccCopyImageToImage(const platform::ImagePtr& src, int sx, int sy, int w, int h,
                       const platform::ImagePtr& dst, int dx, int dy, int mode) {
  RectCopy c;
  if (!BeginRectCopy(src, sx, sy, w, h, dst, dx, dy, c)) return 0;
  if (mode >= 0 && mode <= 3) {
    const bool mirrorX = mode == 1 || mode == 3;
    const bool mirrorY = mode == 2 || mode == 3;
    for (int j = 0; j < c.h; ++j) {
      for (int i = 0; i < c.w; ++i) {
        const int fx = mirrorX ? sx + c.w - 1 - i : sx + i;
        const int fy = mirrorY ? sy + c.h - 1 - j : sy + j;
        c.to->WritePixel(dx + i, dy + j, c.from->ReadPixel(fx, fy));
      }
    }
  }
  platform::UnlockImage(src, 0);
  platform::UnlockImage(dst, 0);
  return 0;
}

int ccDrawOnPixmap(const platform::ImagePtr& image, int frame, platform::Pixmap& pixmap, int x,
                   int y, float alphaFactor, float colourFactor) {
  if (!image) {
    ccRunTimeError(u"image doesnt exist", 1);
    return 0;
  }
  if (frame < 0 || frame >= image->FrameCount()) return 0;
  auto source = platform::LockImage(image, frame);
  if (source) {
    for (int i = 0; i < source->Width(); ++i) {
      for (int j = 0; j < source->Height(); ++j) {
        const int px = x + i, py = y + j;
        if (px < 0 || py < 0 || px >= pixmap.Width() || py >= pixmap.Height()) continue;
        const uint32_t s = source->ReadPixel(i, j);
        const uint32_t d = pixmap.ReadPixel(px, py);
        const float a = static_cast<float>(ARGB_Alpha(s)) * alphaFactor;
        const float b = a == 255.0f ? 0.0f : static_cast<float>(ARGB_Alpha(d));
        const int total = static_cast<int>(a + b);
        if (a == 0.0f || total <= 0) continue;
        const float t = static_cast<float>(total);
        // The destination's share is weighted once (dC x b / T); T is truncated, so a / T can
        // pass 1 and each channel is held to 0..255 before it is packed.
        auto channel = [&](int sc, int dc) {
          const float v = static_cast<float>(sc) * colourFactor * a / t + static_cast<float>(dc) * b / t;
          return std::clamp(static_cast<int>(v), 0, 255);
        };
        pixmap.WritePixel(px, py,
                          ARGB_Color(std::min(total, 255), channel(ARGB_Red(s), ARGB_Red(d)),
                                     channel(ARGB_Green(s), ARGB_Green(d)),
                                     channel(ARGB_Blue(s), ARGB_Blue(d))));
      }
    }
  }
  platform::UnlockImage(image, frame);
  return 0;
}

int ARGB_Alpha(uint32_t argb) { return static_cast<int>((argb >> 24) & 0xFF); }
int ARGB_Red(uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
int ARGB_Green(uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }
int ARGB_Blue(uint32_t argb) { return static_cast<int>(argb & 0xFF); }

uint32_t ARGB_Color(int a, int r, int g, int b) {
  return static_cast<uint32_t>(a) * 16777216u + static_cast<uint32_t>(r) * 65536u +
         static_cast<uint32_t>(g) * 256u + static_cast<uint32_t>(b);
}

namespace {

int DrawTextSpaced(StringView text, float x, float y, int spacing, bool rounded) {
  platform::ImageFontPtr font = platform::GetImageFont();
  if (!font) font = platform::BuiltinFont();
  if (!font) return 0;
  float sx = 1, sy = 1, ox = 0, oy = 0, hx = 0, hy = 0;
  platform::GetScale(sx, sy);
  platform::GetOrigin(ox, oy);
  platform::GetHandle(hx, hy);
  const float radians = platform::GetRotation() * 3.14159265358979f / 180.0f;
  const float c = std::cos(radians), s = std::sin(radians);
  // The matrix taking a drawn offset (u, v) to the screen: (ix u + iy v, jx u + jy v).
  const float ix = c * sx, iy = -s * sy, jx = s * sx, jy = c * sy;
  // The runtime's handle is the point put on the position, so it counts against the pen.
  float penX = x + ox - (hx * ix + hy * iy);
  float penY = y + oy - (hx * jx + hy * jy);
  // Each glyph is drawn at its own place with the origin and handle already counted in.
  platform::SetOrigin(0, 0);
  platform::SetHandle(0, 0);
  int index = 0;
  for (const char16_t ch : text) {
    const int i = index++;
    const platform::Glyph* glyph = font->GetGlyph(ch);
    if (!glyph) continue;
    if (glyph->image) {
      const float gx = static_cast<float>(glyph->gx), gy = static_cast<float>(glyph->gy);
      float screenX = penX + gx * ix + gy * iy + static_cast<float>(i * spacing);
      const float screenY = penY + gx * jx + gy * jy;
      if (rounded) screenX = std::floor(screenX);
      ccDrawImageArea(glyph->image, screenX, screenY, 0, 0,
                      static_cast<float>(glyph->image->width),
                      static_cast<float>(glyph->image->height), glyph->frame);
    }
    penX += static_cast<float>(glyph->advance) * ix;
    penY += static_cast<float>(glyph->advance) * jx;
  }
  platform::SetOrigin(ox, oy);
  platform::SetHandle(hx, hy);
  return 0;
}

}  // namespace

int ccDrawTextSpaced(StringView text, float x, float y, int spacing) {
  return DrawTextSpaced(text, x, y, spacing, false);
}

int ccDrawTextSpacedRounded(StringView text, float x, float y, int spacing) {
  return DrawTextSpaced(text, x, y, spacing, true);
}

int ccClipImageToViewport(const platform::ImagePtr& image, float x, float y, float vx, float vy,
                          float vw, float vh, int ox, int oy) {
  if (!image) return 0;
  const float w = static_cast<float>(image->width), h = static_cast<float>(image->height);
  if (!(x < vx + vw && vx < x + w && y < vy + vh && vy < y + h)) return 0;
  const float left = std::max(0.0f, vx - x);
  const float top = std::max(0.0f, vy - y);
  const float right = std::max(0.0f, (x + w) - (vx + vw));
  const float bottom = std::max(0.0f, (y + h) - (vy + vh));
  ccDrawImageArea(image, static_cast<float>(ox) + x + left, static_cast<float>(oy) + y + top, left,
                  top, w - left - right, h - top - bottom, 0);
  return 0;
}

int ccCopyRect(const platform::ImagePtr& image, int x, int y, int w, int h, int frame) {
  platform::SetViewport(x, y, w, h);
  if (image) platform::DrawImage(image, static_cast<float>(x), static_cast<float>(y), frame);
  platform::SetViewport(0, 0, ScreenWidth, ScreenHeight);
  return 0;
}
