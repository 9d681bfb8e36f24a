#pragma once
// The one thing the runtime asks of an X11 window beyond SDL: a window that first shows full
// screen says so before it is mapped, so a window manager never frames it at another size
// first. With another video driver, or built without X11, it does nothing.
#include <SDL.h>

namespace platform {

// Call while the window has never been shown.
void MarkFullScreenBeforeShow(SDL_Window* window);

}  // namespace platform
