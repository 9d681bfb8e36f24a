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

bool XConnection::RequestClose(unsigned long window) const {
  auto* display = static_cast<Display*>(display_);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
  XFlush(display);
  return sent;
}

std::string XConnection::ClassName(unsigned long window) const {
  auto* display = static_cast<Display*>(display_);
  if (!display) return std::string();
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return std::string();
  std::string name = hint.res_class ? hint.res_class : "";
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return name;
}

}  // namespace e2e
