#pragma once
// What the runtime asks of an X11 window beyond SDL: a window that first shows full screen says
// so before it is mapped, so a window manager never frames it at another size first; and the
// window is mapped without waiting on the window manager. With another video driver, or built
// without X11, neither does anything.
#include <SDL.h>

namespace platform {

// Call while the window has never been shown.
void MarkFullScreenBeforeShow(SDL_Window* window);

// True once the window is mapped (always, where there is no X11 window: SDL_ShowWindow does not
// wait there). With ask, first requests the map, without waiting for it.
bool MapWithoutWaiting(SDL_Window* window, bool ask);

}  // namespace platform
