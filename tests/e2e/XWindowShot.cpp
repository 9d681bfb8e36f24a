#include "XWindowShot.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>

namespace e2e {

namespace {

// A CARDINAL or WINDOW property's first value; false when the window lacks it.
bool FirstValue(Display* display, Window window, const char* name, Atom type, unsigned long& value) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &format,
                         &count, &after, &data) != Success) {
    return false;
  }
  const bool found = data && actualType == type && format == 32 && count == 1;
  if (found) value = *reinterpret_cast<unsigned long*>(data);
  if (data) XFree(data);
  return found;
}

bool IsShownDialog(Display* display, Window window, const std::string& title) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
    return false;
  }
  unsigned long type = 0;
  if (!FirstValue(display, window, "_NET_WM_WINDOW_TYPE", XA_ATOM, type) ||
      type != XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False)) {
    return false;
  }
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 256,
                         False, XInternAtom(display, "UTF8_STRING", False), &actualType, &format,
                         &count, &after, &data) != Success) {
    return false;
  }
  const bool named = data && format == 8 &&
                     std::string(reinterpret_cast<const char*>(data), count).rfind(title, 0) == 0;
  if (data) XFree(data);
  return named;
}

int CountDialogs(Display* display, Window window, const std::string& title) {
  int found = IsShownDialog(display, window, title) ? 1 : 0;
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count; ++i) found += CountDialogs(display, children[i], title);
    if (children) XFree(children);
  }
  return found;
}

// The test's own requests may name windows that have just gone; a report, never the end.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = __builtin_ctzl(mask);
  const unsigned long value = (pixel & mask) >> shift;
  const unsigned long max = mask >> shift;
  return static_cast<uint32_t>(value * 255 / max);
}

}  // namespace

XConnection::XConnection(const std::string& displayName)
    : display_(XOpenDisplay(displayName.c_str())) {
  if (display_) XSetErrorHandler(IgnoreErrors);
}

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

bool XConnection::Size(unsigned long window, int& width, int& height) const {
  auto* display = static_cast<Display*>(display_);
  XWindowAttributes attributes;
  if (!display || !XGetWindowAttributes(display, window, &attributes)) return false;
  width = attributes.width;
  height = attributes.height;
  return true;
}

int XConnection::DialogsShown(const std::string& title) const {
  auto* display = static_cast<Display*>(display_);
  return CountDialogs(display, DefaultRootWindow(display), title);
}

bool XConnection::WindowManagerRunning() const {
  auto* display = static_cast<Display*>(display_);
  unsigned long check = 0;
  return display &&
         FirstValue(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, check);
}

void XConnection::WatchTopLevels() {
  auto* display = static_cast<Display*>(display_);
  if (!display) return;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
}

std::vector<XConnection::Mapped> XConnection::TopLevelsMapped() {
  auto* display = static_cast<Display*>(display_);
  std::vector<Mapped> mapped;
  if (!display) return mapped;
  const auto size = [&](unsigned long window) -> Mapped& {
    for (Mapped& m : sizes_) {
      if (m.window == window) return m;
    }
    sizes_.push_back({window, 0, 0});
    return sizes_.back();
  };
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && event.xcreatewindow.parent == DefaultRootWindow(display)) {
      size(event.xcreatewindow.window) = {event.xcreatewindow.window, event.xcreatewindow.width,
                                          event.xcreatewindow.height};
    } else if (event.type == ConfigureNotify) {
      size(event.xconfigure.window) = {event.xconfigure.window, event.xconfigure.width,
                                       event.xconfigure.height};
    } else if (event.type == MapNotify && !event.xmap.override_redirect &&
               event.xmap.event == DefaultRootWindow(display)) {
      mapped.push_back(size(event.xmap.window));
    }
  }
  return mapped;
}

}  // namespace e2e
