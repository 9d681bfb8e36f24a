#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "FontFace.h"

namespace assetgen {

namespace {
// Splits UTF-8 into single-character strings (spacing is applied between them).
std::vector<std::string> glyphs(std::string_view s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0xF0) n = 4; else if (c >= 0xE0) n = 3; else if (c >= 0xC0) n = 2;
        out.emplace_back(s.substr(i, n));
        i += n;
    }
    return out;
}

double capHeight(cairo_t* cr) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, "H", &e);
    return -e.y_bearing;
}
}  // namespace

double TextPainter::width(std::string_view utf8, double size, double letterSpacing) {
    Canvas tmp(4, 4);
    FontFace::apply(tmp.cr(), size);
    const std::string s(utf8);
    cairo_text_extents_t e;
    cairo_text_extents(tmp.cr(), s.c_str(), &e);
    const auto g = glyphs(utf8);
    return e.x_advance + letterSpacing * (g.empty() ? 0 : static_cast<double>(g.size()) - 1);
}

double TextPainter::fit(std::string_view utf8, double maxWidth, double maxHeight, double maxSize) {
    double size = maxSize;
    while (size > 6) {
        Canvas tmp(4, 4);
        FontFace::apply(tmp.cr(), size);
        const std::string s(utf8);
        cairo_text_extents_t e;
        cairo_text_extents(tmp.cr(), s.c_str(), &e);
        if (e.width <= maxWidth && e.height <= maxHeight) return size;
        size -= 0.5;
    }
    return size;
}

std::vector<std::string> TextPainter::wrap(std::string_view utf8, double size, double maxWidth) {
    std::vector<std::string> lines;
    std::string current;
    size_t i = 0;
    while (i <= utf8.size()) {
        const size_t end = std::min(utf8.find_first_of(" \n", i), utf8.size());
        const std::string word(utf8.substr(i, end - i));
        const std::string trial = current.empty() ? word : current + " " + word;
        if (!current.empty() && width(trial, size) > maxWidth) {
            lines.push_back(current);
            current = word;
        } else {
            current = trial;
        }
        if (end < utf8.size() && utf8[end] == '\n') {
            lines.push_back(current);
            current.clear();
        }
        i = end + 1;
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

double TextPainter::paragraph(Canvas& c, std::string_view utf8, double x, double y, double maxWidth, double lineHeight,
                              const TextStyle& style, Align align) {
    for (const std::string& line : wrap(utf8, style.size, maxWidth)) {
        draw(c, line, x, y, style, align);
        y += lineHeight;
    }
    return y;
}

void TextPainter::path(Canvas& c, std::string_view utf8, double x, double y, double size, Align align,
                       double letterSpacing) {
    cairo_t* cr = c.cr();
    FontFace::apply(cr, size);
    const double w = width(utf8, size, letterSpacing);
    double left = x;
    if (align == Align::Centre) left = x - w / 2;
    if (align == Align::Right) left = x - w;
    const double baseline = y + capHeight(cr) / 2;
    if (letterSpacing == 0) {
        const std::string s(utf8);
        cairo_move_to(cr, left, baseline);
        cairo_text_path(cr, s.c_str());
        return;
    }
    double pen = left;
    for (const std::string& g : glyphs(utf8)) {
        cairo_move_to(cr, pen, baseline);
        cairo_text_path(cr, g.c_str());
        cairo_text_extents_t e;
        cairo_text_extents(cr, g.c_str(), &e);
        pen += e.x_advance + letterSpacing;
    }
}

void TextPainter::draw(Canvas& c, std::string_view utf8, double x, double y, const TextStyle& st, Align align) {
    // Glow and shadow come from the final outline, built on a layer that only
    // covers the text so large canvases stay cheap.
    double x1, y1, x2, y2;
    {
        Canvas probe(4, 4);
        path(probe, utf8, x, y, st.size, align, st.letterSpacing);
        cairo_path_extents(probe.cr(), &x1, &y1, &x2, &y2);
    }
    const double pad = st.outlineWidth + std::max(st.glowRadius, st.shadowBlur) * 2.5 +
                       std::max(std::abs(st.shadowDx), std::abs(st.shadowDy)) + 4;
    const int ox = static_cast<int>(std::floor(x1 - pad)), oy = static_cast<int>(std::floor(y1 - pad));
    const int lw = static_cast<int>(std::ceil(x2 + pad)) - ox, lh = static_cast<int>(std::ceil(y2 + pad)) - oy;
    Canvas shape(std::max(1, lw), std::max(1, lh));
    path(shape, utf8, x - ox, y - oy, st.size, align, st.letterSpacing);
    shape.save();
    if (st.outlineWidth > 0) shape.strokePath(Color::hex(0xFFFFFF), st.outlineWidth * 2, true);
    shape.fillPath(Color::hex(0xFFFFFF));
    shape.restore();

    if (st.glowRadius > 0 && st.glow.a > 0) {
        Canvas glow = shape.copy();
        glow.tint(st.glow);
        glow.blur(st.glowRadius);
        c.draw(glow, ox, oy);
    }
    if (st.shadow.a > 0) {
        Canvas sh = shape.copy();
        sh.tint(st.shadow);
        sh.blur(st.shadowBlur);
        c.draw(sh, ox + st.shadowDx, oy + st.shadowDy);
    }
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    path(c, utf8, x, y, st.size, align, st.letterSpacing);
    if (st.outlineWidth > 0 && st.outline.a > 0) c.strokePath(st.outline, st.outlineWidth * 2, true);
    const double half = st.size * 0.4;
    c.fillLinear(0, y - half, 0, y + half, {{0, st.top}, {1, st.bottom}}, true);
    // A thin bright rim along the upper edge gives the letters some body.
    c.save();
    cairo_clip(cr);
    cairo_new_path(cr);
    path(c, utf8, x, y + std::max(1.0, st.size * 0.05), st.size, align, st.letterSpacing);
    cairo_rectangle(cr, 0, 0, c.width(), c.height());
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    c.fillPath(Color::hex(0xFFFFFF, 0.28));
    c.restore();
    cairo_new_path(cr);
}

}  // namespace assetgen
