#pragma once
#include <cairo.h>

#include <string>

namespace assetgen {

// The game's font as a cairo face. FreeType faces are not shared between
// threads, so every worker opens its own.
class FontFace {
public:
    static void setPath(const std::string& path);
    static const std::string& path();
    static cairo_font_face_t* get();     // per-thread, lives until thread exit
    static void apply(cairo_t* cr, double size);

private:
    static std::string path_;
};

}  // namespace assetgen
