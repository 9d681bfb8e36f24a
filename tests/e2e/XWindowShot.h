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
  // Shown windows of the dialog type whose title starts so (system message boxes).
  int DialogsShown(const std::string& title) const;
  // Whether a window manager has announced itself on the root window.
  bool WindowManagerRunning() const;
  // Top-level windows (a window manager's frames, or bare windows without one) are reported
  // from here on as they are mapped, with their size at that moment.
  void WatchTopLevels();
  struct Mapped {
    unsigned long window;
    int width, height;
  };
  // The maps since the last call.
  std::vector<Mapped> TopLevelsMapped();

 private:
  void* display_ = nullptr;
  // Sizes of the top-level windows, followed from their creation.
  std::vector<Mapped> sizes_;
};

}  // namespace e2e
