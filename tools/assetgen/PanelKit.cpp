#include "PanelKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"
#include "Rng.h"

namespace assetgen {

void PanelKit::woodPlate(Canvas& target, double px, double py, double w, double h, double radius, bool lit, uint64_t seed) {
    // Painted on a local layer the size of the plate plus its glow.
    const double pad = lit ? std::min(40.0, std::min(w, h) * 0.4 + 12) : 14.0;
    Canvas c(static_cast<int>(std::ceil(w + pad * 2)), static_cast<int>(std::ceil(h + pad * 2)));
    const double x = pad, y = pad;
    Canvas layer(c.width(), c.height());
    // Drop shadow.
    layer.roundRect(x + 1, y + 3, w, h, radius);
    layer.fillPath(Color::hex(0x000000, 0.5));
    layer.blur(3);
    if (lit) {
        Canvas glow(c.width(), c.height());
        glow.roundRect(x - 1, y - 1, w + 2, h + 2, radius + 1);
        glow.fillPath(Color::hex(0xffc94a, 1.0));
        glow.blur(std::min(16.0, std::min(w, h) * 0.18 + 2));
        layer.draw(glow, 0, 0);
        layer.draw(glow, 0, 0);
    }
    c.draw(layer, 0, 0);

    const Color top = lit ? Color::hex(0xc98a4e) : Color::hex(0xa46a3a);
    const Color bottom = lit ? Color::hex(0x8a5228) : Color::hex(0x6a3c1c);
    Canvas wood(c.width(), c.height());
    wood.roundRect(x, y, w, h, radius);
    wood.fillLinear(0, y, 0, y + h, {{0, top}, {1, bottom}});
    // Grain: long wavy streaks.
    Noise n(seed);
    Rng rng(seed);
    wood.save();
    wood.roundRect(x, y, w, h, radius);
    cairo_clip(wood.cr());
    for (int k = 0; k < static_cast<int>(h / 2.2); ++k) {
        const double gy = y + rng.range(0, h);
        std::vector<Pt> line;
        for (double gx = x - 4; gx <= x + w + 4; gx += 6) line.push_back({gx, gy + n.fbm1(gx * 0.02 + k * 3.1, 2) * 3});
        wood.smoothOpen(line);
        const bool darkLine = rng.chance(0.6);
        wood.strokePath(darkLine ? Color::hex(0x3a1e0c, rng.range(0.12, 0.3)) : Color::hex(0xffd9a0, rng.range(0.08, 0.18)),
                        rng.range(0.5, 1.4));
    }
    // A knot here and there.
    if (w > 90) {
        const double kx = x + rng.range(w * 0.15, w * 0.85), ky = y + rng.range(h * 0.3, h * 0.7);
        wood.ellipse(kx, ky, 3.5, 2);
        wood.strokePath(Color::hex(0x3a1e0c, 0.35), 1);
    }
    wood.restore();
    // Bevel: light top edge, dark bottom edge.
    wood.roundRect(x + 1.5, y + 1.5, w - 3, h - 3, std::max(1.0, radius - 1.5));
    wood.strokePath(Color::hex(0xffe2b0, lit ? 0.55 : 0.35), 1.5);
    wood.roundRect(x + 4, y + 4, w - 8, h - 8, std::max(1.0, radius - 4));
    wood.strokePath(lit ? Color::hex(0xffe08a, 0.95) : Color::hex(0xe8b860, 0.7), 1.2);
    wood.roundRect(x, y, w, h, radius);
    wood.strokePath(Color::hex(0x2e1606), 1.6);
    wood.paperTexture(seed + 1, 0.08);
    c.draw(wood, 0, 0);
    if (lit) {
        c.save();
        c.roundRect(x, y, w, h, radius);
        cairo_clip(c.cr());
        c.glowSpot(x + w / 2, y + h * 0.3, w * 0.6, Color::hex(0xffe6a0, 0.35));
        c.restore();
    }
    target.draw(c, px - pad, py - pad);
}

void PanelKit::parchment(Canvas& target, double px, double py, double w, double h, uint64_t seed, double wobble) {
    const double pad = wobble + 16;
    Canvas c(static_cast<int>(std::ceil(w + pad * 2)), static_cast<int>(std::ceil(h + pad * 2)));
    const double x = pad, y = pad;
    Noise n(seed);
    std::vector<Pt> edge;
    const double step = 10;
    for (double t = 0; t < w; t += step) edge.push_back({x + t, y + n.value1(t * 0.05) * wobble});
    for (double t = 0; t < h; t += step) edge.push_back({x + w + n.value1(100 + t * 0.05) * wobble, y + t});
    for (double t = w; t > 0; t -= step) edge.push_back({x + t, y + h + n.value1(200 + t * 0.05) * wobble});
    for (double t = h; t > 0; t -= step) edge.push_back({x + n.value1(300 + t * 0.05) * wobble, y + t});

    Canvas sheet(c.width(), c.height());
    sheet.smoothClosed(edge, 0.4);
    sheet.fillPath(Color::hex(0x000000, 0.45));
    sheet.blur(4);
    c.draw(sheet, 2, 4);

    Canvas p(c.width(), c.height());
    p.smoothClosed(edge, 0.4);
    p.fillRadial(x + w / 2, y + h / 2, 0, std::hypot(w, h) * 0.6,
                 {{0, Color::hex(0xf8ebc8)}, {0.6, Color::hex(0xf0dcae)}, {1, Color::hex(0xc99c5c)}});
    // Foxing spots and darker rim.
    Rng rng(seed);
    p.save();
    p.smoothClosed(edge, 0.4);
    cairo_clip(p.cr());
    for (int k = 0; k < 6; ++k)
        p.glowSpot(x + rng.range(0, w), y + rng.range(0, h), rng.range(10, 40), Color::hex(0xb07a3a, 0.12));
    p.smoothClosed(edge, 0.4);
    p.strokePath(Color::hex(0x8a5a26, 0.45), 6);
    p.restore();
    p.smoothClosed(edge, 0.4);
    p.strokePath(Color::hex(0x6a4018, 0.7), 1.2);
    p.paperTexture(seed + 7, 0.09);
    c.draw(p, 0, 0);
    target.draw(c, px - pad, py - pad);
}

void PanelKit::goldFrame(Canvas& c, double x, double y, double w, double h, double radius, double width) {
    c.roundRect(x, y, w, h, radius);
    c.strokePath(Color::hex(0x5a3208), width + 2);
    c.roundRect(x, y, w, h, radius);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.93, 0.6);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.9, 0.66, 0.2);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.75, 0.48, 0.12);
    cairo_set_source(c.cr(), p);
    cairo_set_line_width(c.cr(), width);
    cairo_stroke(c.cr());
    cairo_pattern_destroy(p);
}

void PanelKit::chainLink(Canvas& c, double cx, double cy, double length, double angle, double turn, const Color& metal) {
    c.save();
    cairo_translate(c.cr(), cx, cy);
    cairo_rotate(c.cr(), angle);
    const double width = length * 0.55 * std::max(0.18, std::abs(std::cos(turn * kPi / 2)));
    const double thick = length * 0.17;
    c.roundRect(-length / 2, -width / 2, length, width, width / 2);
    c.strokePath(Color::hex(0x1e1a24), thick + 2);
    c.roundRect(-length / 2, -width / 2, length, width, width / 2);
    c.strokePath(metal, thick);
    c.roundRect(-length / 2 + thick * 0.3, -width / 2 + thick * 0.2, length - thick * 0.6, width * 0.5, width / 3);
    c.strokePath(Color::hex(0xFFFFFF, 0.5), thick * 0.35);
    c.restore();
}

void PanelKit::rivet(Canvas& c, double x, double y, double r) {
    c.circle(x, y, r);
    c.fillRadial2(x - r * 0.4, y - r * 0.4, 0, x, y, r, {{0, Color::hex(0xf4f8ff)}, {0.6, Color::hex(0x98a4b8)}, {1, Color::hex(0x46505e)}},
                  true);
    c.strokePath(Color::hex(0x20242c, 0.8), 0.6);
}

void PanelKit::flourish(Canvas& c, double x, double y, double size, double angle, const Color& col) {
    c.save();
    cairo_translate(c.cr(), x, y);
    cairo_rotate(c.cr(), angle);
    cairo_scale(c.cr(), size / 20.0, size / 20.0);
    cairo_move_to(c.cr(), 0, 0);
    cairo_curve_to(c.cr(), 8, -2, 14, 2, 12, 8);
    cairo_curve_to(c.cr(), 10, 12, 5, 10, 6, 7);
    cairo_move_to(c.cr(), 0, 0);
    cairo_curve_to(c.cr(), -2, 8, 2, 14, 8, 12);
    cairo_curve_to(c.cr(), 12, 10, 10, 5, 7, 6);
    c.strokePath(col, 1.6);
    c.circle(0, 0, 1.8);
    c.fillPath(col);
    c.restore();
}

void PanelKit::sparkle(Canvas& c, double x, double y, double size, const Color& col) {
    c.glowSpot(x, y, size * 1.4, col.withAlpha(col.a * 0.6));
    c.star(x, y, size, size * 0.18, 4, 0);
    c.fillPath(col);
}

}  // namespace assetgen
