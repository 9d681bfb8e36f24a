#include "SceneKit.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "PanelKit.h"
#include "Rng.h"
#include "TextPainter.h"

namespace assetgen {

namespace {
const Color kWarm = Color::hex(0xffc35a);
const Color kWindow = Color::hex(0xffd27a);

void litWindow(Canvas& c, double x, double y, double w, double h, bool lit) {
    if (lit) c.glowSpot(x + w / 2, y + h / 2, std::max(w, h) * 2.2, kWarm.withAlpha(0.45));
    c.roundRect(x, y, w, h, std::min(w, h) * 0.3);
    c.fillPath(lit ? kWindow : Color::hex(0x2a2440), true);
    c.strokePath(Color::hex(0x2a160c), 1);
    cairo_move_to(c.cr(), x + w / 2, y);
    cairo_line_to(c.cr(), x + w / 2, y + h);
    cairo_move_to(c.cr(), x, y + h / 2);
    cairo_line_to(c.cr(), x + w, y + h / 2);
    c.strokePath(Color::hex(0x5a3418, 0.8), 0.8);
}
}  // namespace

void SceneKit::sky(Canvas& c, const Color& top, const Color& mid, const Color& horizon, double horizonY) {
    c.rect(0, 0, c.width(), c.height());
    c.fillLinear(0, 0, 0, horizonY, {{0, top}, {0.55, mid}, {1, horizon}});
}

void SceneKit::stars(Canvas& c, Rng& rng, int count, double maxY) {
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(0, c.width()), y = rng.range(0, maxY) * rng.range(0.3, 1.0);
        const double b = rng.range(0.3, 1.0) * (1 - y / maxY * 0.7);
        if (rng.chance(0.08)) {
            PanelKit::sparkle(c, x, y, rng.range(2.5, 4.5), Color::hex(0xfff6dc, b));
        } else {
            c.circle(x, y, rng.range(0.5, 1.3));
            c.fillPath(Color::hex(0xfff6e8, b));
        }
    }
}

void SceneKit::moon(Canvas& c, double x, double y, double r, const Color& glow) {
    c.glowSpot(x, y, r * 5, glow.withAlpha(0.35));
    c.circle(x, y, r);
    c.fillRadial2(x - r * 0.3, y - r * 0.3, 0, x, y, r, {{0, Color::hex(0xfffbea)}, {1, Color::hex(0xf4dca8)}});
    Rng rng(static_cast<uint64_t>(x * 7 + y));
    for (int k = 0; k < 4; ++k) {
        c.circle(x + rng.range(-0.5, 0.5) * r, y + rng.range(-0.5, 0.5) * r, r * rng.range(0.1, 0.22));
        c.fillPath(Color::hex(0xd8c090, 0.35));
    }
}

std::vector<Pt> SceneKit::hills(Canvas& c, uint64_t seed, double baseY, double amplitude, double wavelength,
                                const Color& top, const Color& bottom, const Color& rim) {
    Noise n(seed);
    std::vector<Pt> ridge;
    const double w = c.width();
    for (double x = -20; x <= w + 20; x += 8) ridge.push_back({x, baseY + n.fbm1(x / wavelength, 3) * amplitude});
    std::vector<Pt> poly = ridge;
    poly.push_back({w + 20, static_cast<double>(c.height()) + 5});
    poly.push_back({-20, static_cast<double>(c.height()) + 5});
    c.smoothClosed(poly, 0.25);
    c.fillLinear(0, baseY - amplitude, 0, std::min<double>(c.height(), baseY + 260), {{0, top}, {1, bottom}});
    c.smoothOpen(ridge, 0.25);
    c.strokePath(rim, 2.2);
    return ridge;
}

double SceneKit::ridgeY(const std::vector<Pt>& ridge, double x) {
    for (size_t i = 1; i < ridge.size(); ++i)
        if (ridge[i].x >= x) {
            const double t = (x - ridge[i - 1].x) / (ridge[i].x - ridge[i - 1].x);
            return ridge[i - 1].y + (ridge[i].y - ridge[i - 1].y) * t;
        }
    return ridge.empty() ? 0 : ridge.back().y;
}

void SceneKit::roundTree(Canvas& c, double x, double groundY, double h, const Color& col, const Color& rim, uint64_t seed) {
    Rng rng(seed);
    c.roundRect(x - h * 0.05, groundY - h * 0.45, h * 0.1, h * 0.47, h * 0.03);
    c.fillPath(col.darker(0.35));
    const double r = h * 0.3;
    const Pt puffs[] = {{0, -h * 0.62}, {-r * 0.7, -h * 0.5}, {r * 0.7, -h * 0.5}, {0, -h * 0.78}, {-r * 0.35, -h * 0.4}, {r * 0.4, -h * 0.42}};
    for (const Pt& p : puffs) c.circle(x + p.x + rng.range(-2, 2), groundY + p.y, r * rng.range(0.75, 0.95));
    c.fillPath(col, true);
    c.save();
    cairo_clip(c.cr());
    c.glowSpot(x - r * 0.6, groundY - h * 0.85, r * 1.4, rim.withAlpha(0.45));
    // Leaf clumps catch the light on their upper sides.
    for (const Pt& p : puffs) {
        const double cr = r * 0.45;
        c.circle(x + p.x - cr * 0.4, groundY + p.y - cr * 0.5, cr);
        c.fillRadial(x + p.x - cr * 0.4, groundY + p.y - cr * 0.5, 0, cr, {{0, col.lighter(0.18).withAlpha(0.55)}, {1, col.withAlpha(0)}});
    }
    c.restore();
}

void SceneKit::pine(Canvas& c, double x, double groundY, double h, const Color& col, const Color& rim) {
    c.rect(x - h * 0.04, groundY - h * 0.2, h * 0.08, h * 0.22);
    c.fillPath(col.darker(0.4));
    for (int k = 0; k < 3; ++k) {
        const double top = groundY - h * (1.0 - k * 0.22), base = groundY - h * (0.42 - k * 0.16);
        const double half = h * (0.2 + k * 0.08);
        cairo_move_to(c.cr(), x, top);
        cairo_curve_to(c.cr(), x + half * 0.3, top + (base - top) * 0.4, x + half, base - 2, x + half, base);
        cairo_line_to(c.cr(), x - half, base);
        cairo_curve_to(c.cr(), x - half, base - 2, x - half * 0.3, top + (base - top) * 0.4, x, top);
        cairo_close_path(c.cr());
        c.fillPath(col.mix(rim, 0.05 * (2 - k)), true);
        c.strokePath(rim.withAlpha(0.25), 1);
    }
}

void SceneKit::treesAlong(Canvas& c, const std::vector<Pt>& ridge, uint64_t seed, double x0, double x1, double spacing,
                          double h, const Color& col, const Color& rim, bool pines) {
    Rng rng(seed);
    for (double x = x0; x < x1; x += spacing * rng.range(0.6, 1.4)) {
        const double hh = h * rng.range(0.7, 1.25);
        const double gy = ridgeY(ridge, x) + hh * 0.08;
        if (pines) pine(c, x, gy, hh, col, rim);
        else roundTree(c, x, gy, hh, col, rim, rng.next());
    }
}

void SceneKit::cottage(Canvas& c, double x, double groundY, double s, const Color& wall, const Color& roof, bool lit) {
    const double w = 60 * s, h = 38 * s;
    // Chimney with a curl of smoke.
    c.rect(x + w * 0.22, groundY - h - 30 * s, 8 * s, 22 * s);
    c.fillPath(Color::hex(0x5a3a30), true);
    c.strokePath(Color::hex(0x1e120c), 1);
    c.roundRect(x - w / 2, groundY - h, w, h, 3 * s);
    c.fillLinear(0, groundY - h, 0, groundY, {{0, wall.lighter(0.1)}, {1, wall.darker(0.25)}}, true);
    c.strokePath(Color::hex(0x1e120c), 1.2);
    cairo_move_to(c.cr(), x - w * 0.62, groundY - h + 2 * s);
    cairo_curve_to(c.cr(), x - w * 0.3, groundY - h - 20 * s, x - w * 0.1, groundY - h - 32 * s, x, groundY - h - 34 * s);
    cairo_curve_to(c.cr(), x + w * 0.1, groundY - h - 32 * s, x + w * 0.3, groundY - h - 20 * s, x + w * 0.62, groundY - h + 2 * s);
    cairo_close_path(c.cr());
    c.fillLinear(0, groundY - h - 34 * s, 0, groundY - h, {{0, roof.lighter(0.15)}, {1, roof.darker(0.2)}}, true);
    c.strokePath(Color::hex(0x1e120c), 1.2);
    litWindow(c, x - w * 0.36, groundY - h * 0.68, 11 * s, 11 * s, lit);
    litWindow(c, x + w * 0.16, groundY - h * 0.68, 11 * s, 11 * s, lit);
    c.roundRect(x - 5 * s, groundY - 20 * s, 10 * s, 20 * s, 5 * s);
    c.fillPath(Color::hex(0x5a3018), true);
    c.strokePath(Color::hex(0x1e120c), 1);
    if (lit) {
        for (int k = 0; k < 3; ++k) {
            c.circle(x + w * 0.22 + 4 * s + k * 5 * s, groundY - h - 36 * s - k * 8 * s, (3 + k * 1.5) * s);
            c.fillPath(Color::hex(0xd8d0e8, 0.25 - k * 0.06));
        }
    }
}

void SceneKit::lanternPost(Canvas& c, double x, double groundY, double h, bool lit) {
    c.rect(x - h * 0.025, groundY - h, h * 0.05, h);
    c.fillPath(Color::hex(0x2a1e24));
    cairo_move_to(c.cr(), x, groundY - h);
    cairo_curve_to(c.cr(), x + h * 0.05, groundY - h * 1.08, x + h * 0.18, groundY - h * 1.08, x + h * 0.2, groundY - h * 0.98);
    c.strokePath(Color::hex(0x2a1e24), h * 0.03);
    const double lx = x + h * 0.2, ly = groundY - h * 0.86, s = h * 0.12;
    if (lit) {
        c.glowSpot(lx, ly, s * 7, kWarm.withAlpha(0.55));
        c.glowSpot(lx, ly, s * 2.5, Color::hex(0xfff0c0, 0.8));
    }
    c.roundRect(lx - s * 0.5, ly - s * 0.7, s, s * 1.4, s * 0.3);
    c.fillPath(lit ? Color::hex(0xffe08a) : Color::hex(0x3a3450), true);
    c.strokePath(Color::hex(0x1e1418), 1.1);
    c.polygon({{lx - s * 0.7, ly - s * 0.7}, {lx + s * 0.7, ly - s * 0.7}, {lx, ly - s * 1.2}});
    c.fillPath(Color::hex(0x2a1e24));
}

void SceneKit::paperLantern(Canvas& c, double x, double y, double s, const Color& col) {
    c.glowSpot(x, y, s * 5, col.withAlpha(0.5));
    c.ellipse(x, y, s, s * 1.2);
    c.fillRadial2(x - s * 0.3, y - s * 0.3, 0, x, y, s * 1.2, {{0, Color::hex(0xfffbe0)}, {0.5, col.lighter(0.3)}, {1, col}}, true);
    c.strokePath(col.darker(0.5).withAlpha(0.8), std::max(0.6, s * 0.1));
    c.rect(x - s * 0.45, y - s * 1.3, s * 0.9, s * 0.2);
    c.rect(x - s * 0.45, y + s * 1.1, s * 0.9, s * 0.2);
    c.fillPath(Color::hex(0x3a2020, 0.8));
}

void SceneKit::windmill(Canvas& c, double x, double groundY, double s, double blades, bool lit) {
    c.polygon({{x - 22 * s, groundY}, {x + 22 * s, groundY}, {x + 13 * s, groundY - 90 * s}, {x - 13 * s, groundY - 90 * s}});
    c.fillLinear(x - 22 * s, 0, x + 22 * s, 0, {{0, Color::hex(0xe8d8c0)}, {0.6, Color::hex(0xc0a888)}, {1, Color::hex(0x7a6450)}}, true);
    c.strokePath(Color::hex(0x2a1e18), 1.3);
    cairo_move_to(c.cr(), x - 18 * s, groundY - 98 * s);
    cairo_curve_to(c.cr(), x - 12 * s, groundY - 122 * s, x + 12 * s, groundY - 122 * s, x + 18 * s, groundY - 98 * s);
    cairo_close_path(c.cr());
    c.fillPath(Color::hex(0x8a3a2a), true);
    c.strokePath(Color::hex(0x2a1e18), 1.3);
    c.rect(x - 18 * s, groundY - 100 * s, 36 * s, 6 * s);
    c.fillPath(Color::hex(0x5a2a1a));
    litWindow(c, x - 5 * s, groundY - 60 * s, 10 * s, 12 * s, lit);
    c.roundRect(x - 6 * s, groundY - 20 * s, 12 * s, 20 * s, 6 * s);
    c.fillPath(Color::hex(0x5a3018));
    const Pt hub{x, groundY - 100 * s};
    for (int k = 0; k < 4; ++k) {
        c.save();
        cairo_translate(c.cr(), hub.x, hub.y);
        cairo_rotate(c.cr(), blades + k * kPi / 2);
        c.rect(-1.5 * s, 0, 3 * s, 70 * s);
        c.fillPath(Color::hex(0x4a3020));
        c.rect(1.5 * s, 14 * s, 14 * s, 54 * s);
        c.fillPath(Color::hex(0xf4ead8, 0.85), true);
        c.strokePath(Color::hex(0x4a3020), 1);
        for (int j = 1; j < 5; ++j) {
            cairo_move_to(c.cr(), 1.5 * s, 14 * s + j * 10.8 * s);
            cairo_line_to(c.cr(), 15.5 * s, 14 * s + j * 10.8 * s);
        }
        c.strokePath(Color::hex(0x4a3020, 0.7), 0.8);
        c.restore();
    }
    c.circle(hub.x, hub.y, 5 * s);
    c.fillPath(Color::hex(0x3a2218));
}

void SceneKit::bridge(Canvas& c, double x, double y, double w, double h, const Color& stone) {
    cairo_set_fill_rule(c.cr(), CAIRO_FILL_RULE_EVEN_ODD);
    c.rect(x, y, w, h);
    cairo_move_to(c.cr(), x + w * 0.15, y + h + 1);
    cairo_curve_to(c.cr(), x + w * 0.2, y + h * 0.2, x + w * 0.8, y + h * 0.2, x + w * 0.85, y + h + 1);
    cairo_close_path(c.cr());
    c.fillLinear(0, y, 0, y + h, {{0, stone.lighter(0.15)}, {1, stone.darker(0.35)}}, true);
    cairo_set_fill_rule(c.cr(), CAIRO_FILL_RULE_WINDING);
    c.strokePath(Color::hex(0x1e1a22), 1.3);
    // Stone courses.
    Rng rng(static_cast<uint64_t>(x + y));
    for (double yy = y + 8; yy < y + h; yy += 9) {
        for (double xx = x + rng.range(0, 14); xx < x + w; xx += rng.range(14, 22)) {
            c.rect(xx, yy - 8, 0.9, 8);
        }
        c.rect(x, yy, w, 0.8);
    }
    c.fillPath(Color::hex(0x1e1a22, 0.3));
    c.rect(x - 4, y - 6, w + 8, 7);
    c.fillPath(stone.lighter(0.25), true);
    c.strokePath(Color::hex(0x1e1a22), 1);
}

void SceneKit::tower(Canvas& c, double x, double groundY, double s) {
    const double w = 34 * s, h = 170 * s;
    c.roundRect(x - w / 2, groundY - h, w, h, 3 * s);
    c.fillLinear(x - w / 2, 0, x + w / 2, 0, {{0, Color::hex(0xb0a4b8)}, {0.5, Color::hex(0x8a7e98)}, {1, Color::hex(0x4a4258)}}, true);
    c.strokePath(Color::hex(0x1c1824), 1.3);
    for (double yy = groundY - h + 10 * s; yy < groundY; yy += 10 * s) {
        c.rect(x - w / 2, yy, w, 0.8);
    }
    c.fillPath(Color::hex(0x1c1824, 0.3));
    c.polygon({{x - w * 0.7, groundY - h}, {x + w * 0.7, groundY - h}, {x, groundY - h - 60 * s}});
    c.fillLinear(x - w, 0, x + w, 0, {{0, Color::hex(0x4a5aa8)}, {1, Color::hex(0x262a5a)}}, true);
    c.strokePath(Color::hex(0x1c1824), 1.3);
    cairo_move_to(c.cr(), x, groundY - h - 60 * s);
    cairo_line_to(c.cr(), x, groundY - h - 80 * s);
    c.strokePath(Color::hex(0x1c1824), 1.5);
    c.polygon({{x, groundY - h - 80 * s}, {x + 16 * s, groundY - h - 75 * s}, {x, groundY - h - 70 * s}});
    c.fillPath(Color::hex(0xe84a4a));
    litWindow(c, x - 6 * s, groundY - h + 22 * s, 12 * s, 16 * s, true);
    litWindow(c, x - 5 * s, groundY - h * 0.5, 10 * s, 13 * s, true);
    c.roundRect(x - 7 * s, groundY - 22 * s, 14 * s, 22 * s, 7 * s);
    c.fillPath(Color::hex(0x4a2a18));
}

void SceneKit::castle(Canvas& c, double x, double groundY, double s) {
    const Color wall = Color::hex(0xc4b0b8), shade = Color::hex(0x6a5870);
    auto turret = [&](double tx, double w, double h, const Color& roof) {
        c.rect(tx - w / 2, groundY - h, w, h);
        c.fillLinear(tx - w / 2, 0, tx + w / 2, 0, {{0, wall}, {1, shade}}, true);
        c.strokePath(Color::hex(0x1c1824), 1.2);
        c.polygon({{tx - w * 0.65, groundY - h}, {tx + w * 0.65, groundY - h}, {tx, groundY - h - w * 1.4}});
        c.fillLinear(tx - w, 0, tx + w, 0, {{0, roof.lighter(0.2)}, {1, roof.darker(0.3)}}, true);
        c.strokePath(Color::hex(0x1c1824), 1.2);
        litWindow(c, tx - w * 0.15, groundY - h * 0.75, w * 0.3, w * 0.4, true);
    };
    c.rect(x - 80 * s, groundY - 60 * s, 160 * s, 60 * s);
    c.fillLinear(0, groundY - 60 * s, 0, groundY, {{0, wall}, {1, shade}}, true);
    c.strokePath(Color::hex(0x1c1824), 1.2);
    for (double bx = x - 80 * s; bx < x + 80 * s; bx += 14 * s) {
        c.rect(bx, groundY - 68 * s, 8 * s, 8 * s);
    }
    c.fillPath(wall.darker(0.1));
    turret(x - 80 * s, 30 * s, 110 * s, Color::hex(0x3a4aa0));
    turret(x + 80 * s, 30 * s, 110 * s, Color::hex(0x3a4aa0));
    turret(x - 40 * s, 24 * s, 90 * s, Color::hex(0x8a2a4a));
    turret(x + 40 * s, 24 * s, 90 * s, Color::hex(0x8a2a4a));
    turret(x, 44 * s, 150 * s, Color::hex(0x3a4aa0));
    // The great lantern on the keep.
    const double ly = groundY - 150 * s - 44 * s * 1.4 - 18 * s;
    c.glowSpot(x, ly, 110 * s, kWarm.withAlpha(0.6));
    c.glowSpot(x, ly, 30 * s, Color::hex(0xfff4d0, 0.9));
    c.roundRect(x - 9 * s, ly - 12 * s, 18 * s, 24 * s, 5 * s);
    c.fillPath(Color::hex(0xfff0b0), true);
    c.strokePath(Color::hex(0x3a1e0e), 1.3);
    c.roundRect(x - 10 * s, groundY - 34 * s, 20 * s, 34 * s, 10 * s);
    c.fillPath(Color::hex(0x4a2a18));
    litWindow(c, x - 50 * s, groundY - 40 * s, 10 * s, 12 * s, true);
    litWindow(c, x + 40 * s, groundY - 40 * s, 10 * s, 12 * s, true);
}

void SceneKit::crystals(Canvas& c, double x, double groundY, double s, const Color& col, uint64_t seed, double glow) {
    Rng rng(seed);
    glow = std::clamp(glow, 0.0, 1.0);
    // Unlit, a crystal keeps its hue in the dark and only its edges catch a little light.
    const Color body = col.mix(Color::hex(0x141224), 0.7 * (1 - glow));
    if (glow > 0) c.glowSpot(x, groundY - 25 * s, 70 * s, col.withAlpha(0.45 * glow));
    for (int k = 0; k < 7; ++k) {
        const double a = rng.range(-0.6, 0.6), h = rng.range(25, 60) * s, w = rng.range(6, 12) * s;
        const double bx = x + rng.range(-30, 30) * s;
        c.save();
        cairo_translate(c.cr(), bx, groundY);
        cairo_rotate(c.cr(), a);
        c.polygon({{-w / 2, 0}, {-w / 2, -h * 0.75}, {0, -h}, {w / 2, -h * 0.75}, {w / 2, 0}});
        c.fillLinear(-w / 2, 0, w / 2, 0, {{0, body.lighter(0.2 + 0.35 * glow)}, {0.5, body}, {1, body.darker(0.4)}}, true);
        c.strokePath(body.darker(0.6), 1);
        cairo_move_to(c.cr(), 0, -h);
        cairo_line_to(c.cr(), 0, 0);
        c.strokePath(Color::hex(0xFFFFFF, 0.15 + 0.25 * glow), 0.8);
        c.restore();
    }
    if (glow < 1) {
        // The faint sparkle a dim crystal still catches.
        for (int k = 0; k < 5; ++k) {
            const double px = x + rng.range(-28, 28) * s, py = groundY - rng.range(10, 45) * s;
            c.star(px, py, std::max(1.5, 3.5 * s), std::max(0.4, 0.6 * s), 4, 0);
            c.fillPath(col.lighter(0.6).withAlpha(0.75));
        }
    }
}

void SceneKit::mushroom(Canvas& c, double x, double groundY, double s, const Color& cap, double glow, double stalk) {
    glow = std::clamp(glow, 0.0, 1.0);
    const double dark = 1 - glow;
    const Color lit = cap.mix(Color::hex(0x161a28), 0.8 * dark);
    const double stemH = 10 * s * stalk, top = groundY - stemH + 1 * s;
    if (glow > 0) c.glowSpot(x, top + 2 * s, 26 * s, cap.withAlpha(0.45 * glow));
    c.roundRect(x - 3 * s, groundY - stemH, 6 * s, stemH, 2 * s);
    c.fillLinear(x - 3 * s, 0, x + 3 * s, 0,
                 {{0, Color::hex(0xf4e8d8).mix(Color::hex(0x2a2634), 0.75 * dark)},
                  {1, Color::hex(0xc8b8a8).mix(Color::hex(0x1a1824), 0.8 * dark)}});
    cairo_move_to(c.cr(), x - 11 * s, top);
    cairo_curve_to(c.cr(), x - 10 * s, top - 13 * s, x + 10 * s, top - 13 * s, x + 11 * s, top);
    cairo_close_path(c.cr());
    c.fillRadial2(x - 3 * s, top - 8 * s, 0, x, top - 3 * s, 12 * s, {{0, lit.lighter(0.15 + 0.45 * glow)}, {1, lit}}, true);
    c.strokePath(lit.darker(0.5), 1);
    // What light is left clings to the rim of the cap.
    cairo_move_to(c.cr(), x - 10.5 * s, top);
    cairo_curve_to(c.cr(), x - 4 * s, top + 1.5 * s, x + 4 * s, top + 1.5 * s, x + 10.5 * s, top);
    c.strokePath(cap.withAlpha(0.35 + 0.5 * glow), std::max(1.0, 0.9 * s));
    for (const Pt& d : {Pt{-5, -5}, Pt{3, -8}, Pt{6, -3}}) {
        c.circle(x + d.x * s, top + d.y * s, 1.4 * s);
        c.fillPath(Color::hex(0xFFFFFF, 0.2 + 0.65 * glow));
    }
}

void SceneKit::standingStone(Canvas& c, double x, double groundY, double w, double h, const Color& col) {
    cairo_move_to(c.cr(), x - w / 2, groundY);
    cairo_curve_to(c.cr(), x - w * 0.55, groundY - h * 0.7, x - w * 0.35, groundY - h, x, groundY - h);
    cairo_curve_to(c.cr(), x + w * 0.4, groundY - h, x + w * 0.55, groundY - h * 0.6, x + w / 2, groundY);
    cairo_close_path(c.cr());
    c.fillLinear(x - w / 2, 0, x + w / 2, 0, {{0, col.lighter(0.25)}, {1, col.darker(0.35)}}, true);
    c.strokePath(Color::hex(0x1c1a24), 1.2);
}

void SceneKit::owl(Canvas& c, double x, double y, double s) {
    c.ellipse(x, y, 9 * s, 12 * s);
    c.fillLinear(0, y - 12 * s, 0, y + 12 * s, {{0, Color::hex(0x8a6a50)}, {1, Color::hex(0x4a3424)}}, true);
    c.strokePath(Color::hex(0x1c120c), 1);
    for (int k : {-1, 1}) {
        c.polygon({{x + k * 8 * s, y - 12 * s}, {x + k * 3 * s, y - 9 * s}, {x + k * 7 * s, y - 16 * s}});
        c.fillPath(Color::hex(0x5a4030));
        c.circle(x + k * 3.8 * s, y - 4 * s, 3.6 * s);
        c.fillPath(Color::hex(0xf4e0b0));
        c.circle(x + k * 3.8 * s, y - 4 * s, 1.8 * s);
        c.fillPath(Color::hex(0x1c120c));
    }
    c.polygon({{x - 1.3 * s, y - 1.5 * s}, {x + 1.3 * s, y - 1.5 * s}, {x, y + 1.5 * s}});
    c.fillPath(Color::hex(0xe8a030));
}

void SceneKit::heroine(Canvas& c, double x, double groundY, double s, bool lanternLit) {
    // A small girl in a hooded cloak, walking right with a lantern on a stick.
    const Color cloak = Color::hex(0x8a2a3a), dark = Color::hex(0x2a1420);
    c.ellipse(x, groundY, 14 * s, 3 * s);
    c.fillPath(Color::hex(0x000000, 0.3));
    cairo_move_to(c.cr(), x - 2 * s, groundY - 32 * s);
    cairo_curve_to(c.cr(), x - 10 * s, groundY - 20 * s, x - 14 * s, groundY - 6 * s, x - 12 * s, groundY - 2 * s);
    cairo_line_to(c.cr(), x + 10 * s, groundY - 2 * s);
    cairo_curve_to(c.cr(), x + 9 * s, groundY - 14 * s, x + 6 * s, groundY - 26 * s, x + 2 * s, groundY - 32 * s);
    cairo_close_path(c.cr());
    c.fillLinear(0, groundY - 32 * s, 0, groundY, {{0, cloak.lighter(0.15)}, {1, cloak.darker(0.3)}}, true);
    c.strokePath(dark, 1.1);
    for (int k : {-1, 1}) {
        c.roundRect(x + k * 4 * s - 1.5 * s, groundY - 4 * s, 3 * s, 4 * s, 1 * s);
        c.fillPath(dark);
    }
    c.circle(x, groundY - 37 * s, 7 * s);
    c.fillPath(cloak, true);
    c.strokePath(dark, 1.1);
    c.circle(x + 2 * s, groundY - 36 * s, 4.6 * s);
    c.fillPath(Color::hex(0xf8d4b0));
    c.circle(x + 4 * s, groundY - 37 * s, 0.8 * s);
    c.fillPath(dark);
    cairo_move_to(c.cr(), x + 4 * s, groundY - 22 * s);
    cairo_line_to(c.cr(), x + 20 * s, groundY - 38 * s);
    c.strokePath(Color::hex(0x5a3418), 1.6 * s);
    const double lx = x + 21 * s, ly = groundY - 33 * s;
    if (lanternLit) c.glowSpot(lx, ly, 30 * s, kWarm.withAlpha(0.6));
    c.roundRect(lx - 3 * s, ly - 4 * s, 6 * s, 8 * s, 2 * s);
    c.fillPath(lanternLit ? Color::hex(0xffe08a) : Color::hex(0x3a3450), true);
    c.strokePath(dark, 1);
}

void SceneKit::water(Canvas& c, double y0, double y1, const Color& top, const Color& bottom, uint64_t seed) {
    c.rect(0, y0, c.width(), y1 - y0);
    c.fillLinear(0, y0, 0, y1, {{0, top}, {1, bottom}});
    Rng rng(seed);
    for (int k = 0; k < 120; ++k) {
        const double y = rng.range(y0 + 2, y1);
        const double x = rng.range(0, c.width()), len = rng.range(8, 40) * (0.5 + (y - y0) / (y1 - y0));
        cairo_move_to(c.cr(), x, y);
        cairo_line_to(c.cr(), x + len, y);
        c.strokePath(Color::hex(0xFFFFFF, rng.range(0.05, 0.18)), 1);
    }
}

void SceneKit::fireflies(Canvas& c, Rng& rng, int count, double x0, double y0, double x1, double y1) {
    for (int k = 0; k < count; ++k) {
        const double x = rng.range(x0, x1), y = rng.range(y0, y1);
        c.glowSpot(x, y, rng.range(5, 10), Color::hex(0xfff080, 0.7));
        c.circle(x, y, 1.1);
        c.fillPath(Color::hex(0xffffd0));
    }
}

void SceneKit::mist(Canvas& c, double y, double h, const Color& col, uint64_t seed) {
    Canvas m(c.width(), c.height());
    Rng rng(seed);
    for (int k = 0; k < 14; ++k) {
        m.ellipse(rng.range(-50, c.width() + 50), y + rng.range(-h * 0.3, h * 0.3), rng.range(80, 200), h * rng.range(0.25, 0.5));
        m.fillPath(col);
    }
    m.blur(h * 0.3);
    c.draw(m, 0, 0, col.a);
}

void SceneKit::shootingStar(Canvas& c, double x, double y, double len, double angle) {
    const Pt tail = Pt{x, y} - Pt::polar(len, angle);
    cairo_move_to(c.cr(), tail.x, tail.y);
    cairo_line_to(c.cr(), x, y);
    cairo_pattern_t* p = cairo_pattern_create_linear(tail.x, tail.y, x, y);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.97, 0.85, 0.9);
    cairo_set_source(c.cr(), p);
    cairo_set_line_width(c.cr(), 2);
    cairo_stroke(c.cr());
    cairo_pattern_destroy(p);
    PanelKit::sparkle(c, x, y, 5, Color::hex(0xFFFFFF));
}

void SceneKit::flowers(Canvas& c, Rng& rng, int count, double x0, double y0, double x1, double y1) {
    const uint32_t cols[] = {0xffd23a, 0xff8ab0, 0xb8a0ff, 0xffffff, 0xff7050};
    for (int k = 0; k < count; ++k) {
        const double x = rng.range(x0, x1), y = rng.range(y0, y1), s = 0.6 + (y - y0) / (y1 - y0) * 1.4;
        cairo_move_to(c.cr(), x, y);
        cairo_line_to(c.cr(), x + rng.range(-1, 1), y + 5 * s);
        c.strokePath(Color::hex(0x2a5a30), 0.8);
        c.circle(x, y, 1.6 * s);
        c.fillPath(Color::hex(cols[rng.irange(0, 4)], 0.9));
    }
}

void SceneKit::vignette(Canvas& c, double strength) {
    const double w = c.width(), h = c.height();
    c.rect(0, 0, w, h);
    c.fillRadial(w / 2, h / 2, std::min(w, h) * 0.45, std::hypot(w, h) * 0.58,
                 {{0, Color::hex(0x0a0818, 0)}, {1, Color::hex(0x0a0818, strength)}});
}

void SceneKit::finish(Canvas& c, uint64_t seed) {
    vignette(c, 0.55);
    c.paperTexture(seed, 0.07, 1.3);
    Rng rng(seed ^ 0x55);
    c.grain(rng, 0.025);
}

void SceneKit::logo(Canvas& c, double cx, double cy, double size) {
    c.glowSpot(cx, cy, size * 3.2, Color::hex(0xffb040, 0.25));
    TextStyle st = TextStyle::gold(size);
    st.glowRadius = size * 0.3;
    st.glow = Color::hex(0xffa030, 0.7);
    st.outlineWidth = size * 0.08;
    TextPainter::draw(c, "Lantern Vale", cx, cy, st);
    // A little lantern hangs from the end of the title.
    const double w = TextPainter::width("Lantern Vale", size);
    const double lx = cx + w / 2 + size * 0.28, ly = cy - size * 0.15;
    cairo_move_to(c.cr(), lx, ly - size * 0.62);
    cairo_line_to(c.cr(), lx, ly - size * 0.32);
    c.strokePath(Color::hex(0x3a1e0e), size * 0.04);
    paperLantern(c, lx, ly, size * 0.2, Color::hex(0xffa030));
    PanelKit::sparkle(c, cx - w / 2 - size * 0.1, cy - size * 0.45, size * 0.12, Color::hex(0xfff6d0));
    PanelKit::sparkle(c, cx + w * 0.1, cy - size * 0.6, size * 0.08, Color::hex(0xfff6d0));
}

void SceneKit::banner(Canvas& c, double cx, double cy, double w, const char* text) {
    const double h = 58;
    // Ribbon tails.
    for (int s : {-1, 1}) {
        const double ex = cx + s * w / 2;
        c.polygon({{ex - s * 20, cy - h * 0.3}, {ex + s * 30, cy - h * 0.3}, {ex + s * 18, cy + h * 0.1}, {ex + s * 30, cy + h * 0.5},
                   {ex - s * 20, cy + h * 0.5}});
        c.fillLinear(0, cy - h * 0.3, 0, cy + h * 0.5, {{0, Color::hex(0xa8304a)}, {1, Color::hex(0x5a1426)}}, true);
        c.strokePath(Color::hex(0x2a0a12), 1.3);
    }
    PanelKit::parchment(c, cx - w / 2, cy - h / 2, w, h, Rng::hash(text), 2);
    TextStyle st = TextStyle::ink(TextPainter::fit(text, w - 40, h - 18, 38));
    TextPainter::draw(c, text, cx, cy, st);
}

}  // namespace assetgen
