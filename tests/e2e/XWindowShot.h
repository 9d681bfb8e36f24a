#pragma once
// Screenshots of one X window, read straight from the X server (kept apart so that the X
// headers' macros stay out of the tests).
#include <string>
#include <vector>

#include "platform/Image.h"

namespace e2e {

class XConnection {
 public:
  explicit XConnection(const std::string& displayName);
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  bool Ok() const { return display_ != nullptr; }
  // The window's pixels at its own size (opaque ARGB); null when it cannot be read.
  platform::PixmapPtr Shot(unsigned long window) const;
  // What a window manager sends when the window's close button is pressed.
  bool RequestClose(unsigned long window) const;
  // The class part of the window's WM_CLASS, which desktops match against StartupWMClass;
  // "" when it has none.
  std::string ClassName(unsigned long window) const;
  // The window's size; false when it is gone.
  bool Size(unsigned long window, int& width, int& height) const;
  // Whether a window manager has announced itself on the root window.
  bool WindowManagerRunning() const;
  // Every window of the process (by _NET_WM_PID) that is mapped and viewable, anywhere in the
  // tree; a window manager's frames belong to it, not to the process.
  std::vector<unsigned long> ViewableWindowsOf(long pid) const;

 private:
  void* display_ = nullptr;
};

}  // namespace e2e
