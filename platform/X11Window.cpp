#include "platform/X11Window.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#ifdef LV_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace platform {

#ifdef LV_HAVE_X11
namespace {

// Xlib's own handler would end the process; a failed request here costs only the hint.
int ReportXError(Display* display, XErrorEvent* error) {
  char text[160] = "";
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "Lantern Vale: X request %d failed (%s); carrying on\n",
               error->request_code, text);
  return 0;
}

// A probe of what may not exist (a window manager's check window gone stale) fails quietly.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The values of a 32-bit property of the given type; none when it is missing or of another kind.
std::vector<unsigned long> PropertyValues(Display* display, Window window, Atom property, Atom type) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actual, &format, &count,
                         &after, &data) == Success &&
      data && actual == type && format == 32) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    values.assign(items, items + count);
  }
  if (data) XFree(data);
  return values;
}

// An EWMH window manager names a check window on the root, which names itself, and lists the
// states it keeps in _NET_SUPPORTED.
bool ManagerListsFullScreen(Display* display, Window root) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const std::vector<unsigned long> manager = PropertyValues(display, root, check, XA_WINDOW);
  if (manager.size() != 1 || PropertyValues(display, manager[0], check, XA_WINDOW) != manager)
    return false;
  const std::vector<unsigned long> states =
      PropertyValues(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM);
  const Atom full = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  return std::find(states.begin(), states.end(), full) != states.end();
}

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && SDL_strcmp(driver, "x11") == 0;
}

}  // namespace
#endif

FullScreenWay HowFullScreen() {
#ifdef LV_HAVE_X11
  if (!OnX11()) return FullScreenWay::kWindowManager;
  // A connection of its own: asked before the window exists, and whatever SDL has pending.
  Display* display = XOpenDisplay(nullptr);
  if (!display) return FullScreenWay::kWindowManager;
  const Window root = DefaultRootWindow(display);
  XSync(display, False);
  int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler(IgnoreXError);
  XWindowAttributes attributes;
  FullScreenWay way = FullScreenWay::kWindowManager;
  // Only a window manager takes the root's substructure redirection; the server tells who has.
  if (XGetWindowAttributes(display, root, &attributes) &&
      (attributes.all_event_masks & SubstructureRedirectMask) == 0) {
    way = FullScreenWay::kOwnWindow;
  } else if (!ManagerListsFullScreen(display, root)) {
    way = FullScreenWay::kNone;
  }
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return way;
#else
  return FullScreenWay::kWindowManager;
#endif
}

bool RealWindowSize(SDL_Window* window, int& width, int& height) {
#ifdef LV_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) return false;
  width = attributes.width;
  height = attributes.height;
  return width > 0 && height > 0;
#else
  (void)window;
  (void)width;
  (void)height;
  return false;
#endif
}

void MarkFullScreenBeforeShow(SDL_Window* window) {
#ifdef LV_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  // The handler stands only over this request: SDL's requests keep SDL's handling.
  XSync(display, False);
  int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler(ReportXError);
  const Atom full = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_STATE", False),
                  XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&full), 1);
  XSync(display, False);
  XSetErrorHandler(previous);
#else
  (void)window;
#endif
}

bool MapWithoutWaiting(SDL_Window* window, bool ask) {
#ifdef LV_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  const Window xwindow = info.info.x11.window;
  if (ask) XMapRaised(display, xwindow);
  XWindowAttributes attributes;
  // Without a window manager the map is done by the time the server answers this.
  if (!XGetWindowAttributes(display, xwindow, &attributes)) return true;
  return attributes.map_state != IsUnmapped;
#else
  (void)window;
  (void)ask;
  return true;
#endif
}

}  // namespace platform
