#include "platform/X11Window.h"

#include <SDL_syswm.h>

#include <cstdio>

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

}  // namespace
#endif

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
