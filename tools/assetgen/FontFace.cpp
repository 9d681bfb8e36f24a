#include "FontFace.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace assetgen {

std::string FontFace::path_;

void FontFace::setPath(const std::string& path) { path_ = path; }
const std::string& FontFace::path() { return path_; }

namespace {
struct ThreadFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    cairo_font_face_t* cairoFace = nullptr;

    ThreadFace() {
        if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType init failed");
        if (FT_New_Face(library, FontFace::path().c_str(), 0, &face) != 0)
            throw std::runtime_error("cannot open font " + FontFace::path());
        cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    // Deliberately never released: cairo's global font caches may still refer
    // to the face after this thread ends, and the process exits soon after.
};
}  // namespace

cairo_font_face_t* FontFace::get() {
    thread_local ThreadFace tf;
    return tf.cairoFace;
}

void FontFace::apply(cairo_t* cr, double size) {
    cairo_set_font_face(cr, get());
    cairo_set_font_size(cr, size);
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, opt);
    cairo_font_options_destroy(opt);
}

}  // namespace assetgen
