#include "ScreenShots.h"

#include <filesystem>

#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/String.h"

namespace testrig {

const std::string& GalleryDir() {
  static const std::string dir = [] {
    const std::string d = std::string(LV_BINARY_DIR) + "/gallery/";
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

bool SaveScreen(const std::string& name) {
  const platform::PixmapPtr shot = platform::GrabPixmap(0, 0, 800, 600);
  // Light compression: the gallery holds many full screens and is rewritten on every run.
  return shot && platform::SavePixmapPNG(*shot, S(GalleryDir() + name + ".png"), 3);
}

}  // namespace testrig
