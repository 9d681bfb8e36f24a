#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "Noise.h"
#include "Rng.h"

namespace assetgen {

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo surface");
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& o) noexcept
    : width_(o.width_), height_(o.height_), surface_(std::exchange(o.surface_, nullptr)),
      cr_(std::exchange(o.cr_, nullptr)) {}

Canvas& Canvas::operator=(Canvas&& o) noexcept {
    if (this != &o) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = o.width_;
        height_ = o.height_;
        surface_ = std::exchange(o.surface_, nullptr);
        cr_ = std::exchange(o.cr_, nullptr);
    }
    return *this;
}

uint32_t* Canvas::row(int y) {
    cairo_surface_flush(surface_);
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                       static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_));
}

const uint32_t* Canvas::row(int y) const {
    cairo_surface_flush(surface_);
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_) +
                                             static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_));
}

Canvas Canvas::copy() const {
    Canvas c(width_, height_);
    c.draw(*this, 0, 0, 1.0, CAIRO_OPERATOR_SOURCE);
    return c;
}

void Canvas::clear() {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::fill(const Color& c) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    source(c);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::source(const Color& c) { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }

void Canvas::rect(double x, double y, double w, double h) { cairo_rectangle(cr_, x, y, w, h); }

void Canvas::roundRect(double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr_, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr_, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr_);
}

void Canvas::circle(double cx, double cy, double r) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, r, 0, 2 * kPi);
    cairo_close_path(cr_);
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, double angle) {
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_rotate(cr_, angle);
    cairo_scale(cr_, rx, ry);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * kPi);
    cairo_close_path(cr_);
    cairo_restore(cr_);
}

void Canvas::polygon(const std::vector<Pt>& pts) {
    if (pts.empty()) return;
    cairo_move_to(cr_, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr_, pts[i].x, pts[i].y);
    cairo_close_path(cr_);
}

// Catmull-Rom through the points, as cubic Beziers.
static void spline(cairo_t* cr, const std::vector<Pt>& p, double tension, bool closed) {
    const size_t n = p.size();
    if (n < 2) return;
    auto at = [&](long i) -> Pt {
        if (closed) return p[static_cast<size_t>((i % static_cast<long>(n) + n) % n)];
        return p[static_cast<size_t>(std::clamp<long>(i, 0, static_cast<long>(n) - 1))];
    };
    cairo_move_to(cr, p[0].x, p[0].y);
    const long segments = closed ? static_cast<long>(n) : static_cast<long>(n) - 1;
    const double k = tension / 3.0;
    for (long i = 0; i < segments; ++i) {
        const Pt p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        const Pt c1 = p1 + (p2 - p0) * k, c2 = p2 - (p3 - p1) * k;
        cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, p2.x, p2.y);
    }
    if (closed) cairo_close_path(cr);
}

void Canvas::smoothClosed(const std::vector<Pt>& pts, double tension) { spline(cr_, pts, tension * 2, true); }
void Canvas::smoothOpen(const std::vector<Pt>& pts, double tension) { spline(cr_, pts, tension * 2, false); }

void Canvas::star(double cx, double cy, double outer, double inner, int points, double rotation) {
    std::vector<Pt> pts;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        pts.push_back(Pt{cx, cy} + Pt::polar(r, rotation + i * kPi / points));
    }
    polygon(pts);
}

void Canvas::roundStar(double cx, double cy, double outer, double inner, int points, double rotation) {
    // Tips stay pointed enough to read as a star while the whole outline softens.
    std::vector<Pt> pts;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        pts.push_back(Pt{cx, cy} + Pt::polar(r, rotation + i * kPi / points));
    }
    cairo_move_to(cr_, (pts[0].x + pts[1].x) / 2, (pts[0].y + pts[1].y) / 2);
    for (size_t i = 1; i <= pts.size(); ++i) {
        const Pt c = pts[i % pts.size()], nx = pts[(i + 1) % pts.size()];
        const Pt mid = Pt::lerp(c, nx, 0.5);
        const bool tip = (i % 2 == 0);
        const Pt a = Pt::lerp(c, Pt::lerp(pts[i - 1], c, 0.5), tip ? 0.25 : 0.6);
        const Pt b = Pt::lerp(c, mid, tip ? 0.25 : 0.6);
        cairo_line_to(cr_, a.x, a.y);
        cairo_curve_to(cr_, c.x, c.y, c.x, c.y, b.x, b.y);
        cairo_line_to(cr_, mid.x, mid.y);
    }
    cairo_close_path(cr_);
}

void Canvas::fillPath(const Color& c, bool preserve) {
    source(c);
    preserve ? cairo_fill_preserve(cr_) : cairo_fill(cr_);
}

void Canvas::strokePath(const Color& c, double width, bool preserve) {
    source(c);
    cairo_set_line_width(cr_, width);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    preserve ? cairo_stroke_preserve(cr_) : cairo_stroke(cr_);
}

static void addStops(cairo_pattern_t* p, std::initializer_list<Stop> stops) {
    for (const Stop& s : stops) cairo_pattern_add_color_stop_rgba(p, s.offset, s.color.r, s.color.g, s.color.b, s.color.a);
}

static void fillWith(cairo_t* cr, cairo_pattern_t* p, bool preserve) {
    cairo_set_source(cr, p);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Canvas::fillLinear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStops(p, stops);
    fillWith(cr_, p, preserve);
}

void Canvas::fillRadial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops, bool preserve) {
    fillRadial2(cx, cy, r0, cx, cy, r1, stops, preserve);
}

void Canvas::fillRadial2(double fx, double fy, double r0, double cx, double cy, double r1,
                         std::initializer_list<Stop> stops, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_radial(fx, fy, r0, cx, cy, r1);
    addStops(p, stops);
    fillWith(cr_, p, preserve);
}

void Canvas::glowSpot(double cx, double cy, double radius, const Color& c, double strength) {
    if (radius <= 0) return;
    circle(cx, cy, radius);
    const double a = c.a * strength;
    fillRadial(cx, cy, 0, radius,
               {{0, c.withAlpha(a)}, {0.25, c.withAlpha(a * 0.6)}, {0.55, c.withAlpha(a * 0.22)},
                {0.8, c.withAlpha(a * 0.06)}, {1, c.withAlpha(0)}});
}

void Canvas::draw(const Canvas& src, double x, double y, double alpha, cairo_operator_t op) {
    cairo_save(cr_);
    cairo_set_operator(cr_, op);
    cairo_set_source_surface(cr_, src.surface_, x, y);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::drawScaled(const Canvas& src, double x, double y, double w, double h, double alpha) {
    if (src.width_ <= 0 || src.height_ <= 0) return;
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, w / src.width_, h / src.height_);
    cairo_set_source_surface(cr_, src.surface_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

void Canvas::drawTransformed(const Canvas& src, double cx, double cy, double scaleX, double scaleY, double radians,
                             double alpha) {
    if (std::abs(scaleX) < 1e-4 || std::abs(scaleY) < 1e-4) return;
    cairo_save(cr_);
    cairo_translate(cr_, cx, cy);
    cairo_rotate(cr_, radians);
    cairo_scale(cr_, scaleX, scaleY);
    cairo_set_source_surface(cr_, src.surface_, -src.width_ / 2.0, -src.height_ / 2.0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

// Three box passes per axis approximate a gaussian; outside the canvas is transparent.
static void boxPass(std::vector<float>& data, int w, int h, int r, bool horizontal) {
    const int len = horizontal ? w : h, lines = horizontal ? h : w;
    std::vector<float> line(static_cast<size_t>(len) * 4), out(static_cast<size_t>(len) * 4);
    const float norm = 1.0f / (2 * r + 1);
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < len; ++i) {
            const size_t idx = horizontal ? (static_cast<size_t>(l) * w + i) : (static_cast<size_t>(i) * w + l);
            for (int c = 0; c < 4; ++c) line[i * 4 + c] = data[idx * 4 + c];
        }
        float acc[4] = {0, 0, 0, 0};
        for (int i = -r; i <= r; ++i)
            if (i >= 0 && i < len)
                for (int c = 0; c < 4; ++c) acc[c] += line[i * 4 + c];
        for (int i = 0; i < len; ++i) {
            for (int c = 0; c < 4; ++c) out[i * 4 + c] = acc[c] * norm;
            const int add = i + r + 1, sub = i - r;
            if (add < len)
                for (int c = 0; c < 4; ++c) acc[c] += line[add * 4 + c];
            if (sub >= 0)
                for (int c = 0; c < 4; ++c) acc[c] -= line[sub * 4 + c];
        }
        for (int i = 0; i < len; ++i) {
            const size_t idx = horizontal ? (static_cast<size_t>(l) * w + i) : (static_cast<size_t>(i) * w + l);
            for (int c = 0; c < 4; ++c) data[idx * 4 + c] = out[i * 4 + c];
        }
    }
}

void Canvas::blur(double radius) {
    if (radius < 0.5) return;
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.58)));
    std::vector<float> data(static_cast<size_t>(width_) * height_ * 4);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x)
            for (int c = 0; c < 4; ++c) data[(static_cast<size_t>(y) * width_ + x) * 4 + c] = (p[x] >> (c * 8)) & 255;
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(data, width_, height_, r, true);
        boxPass(data, width_, height_, r, false);
    }
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            const float* d = &data[(static_cast<size_t>(y) * width_ + x) * 4];
            const uint32_t a = static_cast<uint32_t>(std::clamp(std::lround(d[3]), 0L, 255L));
            uint32_t v = a << 24;
            for (int c = 0; c < 3; ++c)
                v |= static_cast<uint32_t>(std::clamp<long>(std::lround(d[c]), 0L, a)) << (c * 8);
            p[x] = v;
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::tint(const Color& c) {
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            const uint32_t a = static_cast<uint32_t>(std::lround(((p[x] >> 24) & 255) * c.a));
            const auto ch = [&](double v) { return static_cast<uint32_t>(std::lround(v * a)); };
            p[x] = (a << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::multiplyAlpha(double f) {
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            uint32_t v = 0;
            for (int c = 0; c < 4; ++c)
                v |= static_cast<uint32_t>(std::clamp(std::lround(((p[x] >> (c * 8)) & 255) * f), 0L, 255L)) << (c * 8);
            p[x] = v;
        }
    }
    cairo_surface_mark_dirty(surface_);
}

static void modulate(uint32_t& px, double factor) {
    const uint32_t a = (px >> 24) & 255;
    if (a == 0) return;
    uint32_t v = a << 24;
    for (int c = 0; c < 3; ++c) {
        const long ch = std::lround(((px >> (c * 8)) & 255) * factor);
        v |= static_cast<uint32_t>(std::clamp<long>(ch, 0L, a)) << (c * 8);
    }
    px = v;
}

void Canvas::grain(Rng& rng, double amount) {
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) modulate(p[x], 1.0 + amount * (rng.uniform() * 2 - 1));
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::paperTexture(uint64_t seed, double amount, double scale) {
    // The broad mottling is sampled on a coarse grid and interpolated; only the
    // fine fibres are evaluated per pixel.
    Noise n(seed);
    const int step = 4;
    const int gw = width_ / step + 2, gh = height_ / step + 2;
    std::vector<float> coarse(static_cast<size_t>(gw) * gh);
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx)
            coarse[static_cast<size_t>(gy) * gw + gx] =
                static_cast<float>(n.fbm(gx * step * 0.045 / scale, gy * step * 0.045 / scale, 4));
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        const int gy = y / step;
        const double ty = static_cast<double>(y % step) / step;
        for (int x = 0; x < width_; ++x) {
            const int gx = x / step;
            const double tx = static_cast<double>(x % step) / step;
            const float* r0 = &coarse[static_cast<size_t>(gy) * gw + gx];
            const float* r1 = r0 + gw;
            const double mottled = (r0[0] * (1 - tx) + r0[1] * tx) * (1 - ty) + (r1[0] * (1 - tx) + r1[1] * tx) * ty;
            const double fibre = mottled * 0.7 + n.value(x * 0.9 / scale, y * 0.25 / scale) * 0.3;
            modulate(p[x], 1.0 + amount * fibre);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::floorDark(int minimum) {
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = row(y);
        for (int x = 0; x < width_; ++x) {
            int ch[3] = {static_cast<int>((p[x] >> 16) & 255), static_cast<int>((p[x] >> 8) & 255),
                         static_cast<int>(p[x] & 255)};
            const int hi = std::max({ch[0], ch[1], ch[2]});
            if (hi < minimum) {
                const int lift = minimum - hi;
                for (int& c : ch) c = std::min(255, c + lift);
            }
            p[x] = 0xFF000000u | (static_cast<uint32_t>(ch[0]) << 16) | (static_cast<uint32_t>(ch[1]) << 8) |
                   static_cast<uint32_t>(ch[2]);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

Canvas Canvas::shadowOf(const Color& c, double blurRadius) const {
    const int pad = static_cast<int>(std::ceil(blurRadius * 2)) + 2;
    Canvas s(width_ + pad * 2, height_ + pad * 2);
    s.draw(*this, pad, pad);
    s.tint(c);
    s.blur(blurRadius);
    Canvas out(width_, height_);
    out.draw(s, -pad, -pad);
    return out;
}

}  // namespace assetgen
