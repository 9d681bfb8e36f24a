#pragma once
// Pictures of what the game drew, kept for people to look at: the whole 800 by 600 screen as a
// PNG in the build tree's "gallery" folder.
#include <string>

namespace testrig {

// LV_BINARY_DIR + "/gallery/", made when missing.
const std::string& GalleryDir();
// The drawn screen as GalleryDir() + name + ".png"; false when it could not be read or written.
bool SaveScreen(const std::string& name);

}  // namespace testrig
