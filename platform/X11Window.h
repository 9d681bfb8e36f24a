#pragma once
// What the runtime asks of an X11 window beyond SDL: a window that first shows full screen says
// so before it is mapped, so a window manager never frames it at another size first; the
// window is mapped without waiting on the window manager; who, if anyone, can make it full
// screen; and the size it really has. With another video driver, or built without X11, none of
// them does anything.
#include <SDL.h>

namespace platform {

// Call while the window has never been shown.
void MarkFullScreenBeforeShow(SDL_Window* window);

// True once the window is mapped (always, where there is no X11 window: SDL_ShowWindow does not
// wait there). With ask, first requests the map, without waiting for it.
bool MapWithoutWaiting(SDL_Window* window, bool ask);

// Who makes a window full screen on this display.
enum class FullScreenWay {
  kWindowManager,  // the window manager, asked through SDL (also every display but X11)
  kOwnWindow,      // nobody manages windows: the game sizes its own window over the screen
  kNone,           // a window manager that has no full screen: the game stays in a window
};
FullScreenWay HowFullScreen();

// The window's size as the X server has it, which SDL's own idea of it can miss (a full-screen
// request nobody answered). False where it cannot be told.
bool RealWindowSize(SDL_Window* window, int& width, int& height);

}  // namespace platform
