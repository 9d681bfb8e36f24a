#include "XWindowShot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

namespace {

uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = __builtin_ctzl(mask);
  const unsigned long value = (pixel & mask) >> shift;
  const unsigned long max = mask >> shift;
  return static_cast<uint32_t>(value * 255 / max);
}

}  // namespace

XConnection::XConnection(const std::string& displayName)
    : display_(XOpenDisplay(displayName.c_str())) {}

XConnection::~XConnection() {
  if (display_) XCloseDisplay(static_cast<Display*>(display_));
}

platform::PixmapPtr XConnection::Shot(unsigned long window) const {
  auto* display = static_cast<Display*>(display_);
  if (!display) return nullptr;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return nullptr;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return nullptr;
  auto shot = std::make_shared<platform::Pixmap>(attributes.width, attributes.height);
  for (int y = 0; y < attributes.height; ++y) {
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      shot->WritePixel(x, y,
                       0xFF000000u | (Channel(p, image->red_mask) << 16) |
                           (Channel(p, image->green_mask) << 8) | Channel(p, image->blue_mask));
    }
  }
  XDestroyImage(image);
  return shot;
}

}  // namespace e2e
