#pragma once
// Screenshots of one X window, read straight from the X server (kept apart so that the X
// headers' macros stay out of the tests).
#include <string>

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

 private:
  void* display_ = nullptr;
};

}  // namespace e2e
