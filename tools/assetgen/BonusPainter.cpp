#include "BonusPainter.h"

#include <algorithm>
#include <cmath>

#include "Palette.h"
#include "Rng.h"

namespace assetgen {

namespace {

const Color kGoldHi = Color::hex(0xfff3b0), kGold = Color::hex(0xf5c242), kGoldLo = Color::hex(0xa86a12);
const Color kOutline = Color::hex(0x3a1e0e);

void goldFill(Canvas& c, double y0, double y1, bool preserve = true) {
    c.fillLinear(0, y0, 0, y1, {{0, kGoldHi}, {0.45, kGold}, {1, kGoldLo}}, preserve);
}

void medallionBack(Canvas& c, double cx, double cy, double r, double glow) {
    Canvas s(c.width(), c.height());
    s.circle(cx, cy, r);
    s.fillPath(Color::hex(0x000000, 0.55));
    s.blur(r * 0.15);
    c.draw(s, r * 0.06, r * 0.12);
    if (glow > 0) c.glowSpot(cx, cy, r * 1.35, Palette::gold().withAlpha(0.7 * glow));
    c.circle(cx, cy, r);
    c.fillLinear(0, cy - r, 0, cy + r, {{0, kGoldHi}, {0.5, kGold}, {1, kGoldLo}}, true);
    c.strokePath(kOutline, std::max(1.0, r * 0.06));
    c.circle(cx, cy, r * 0.8);
    c.fillRadial2(cx - r * 0.2, cy - r * 0.25, 0, cx, cy, r * 0.8,
                  {{0, Color::hex(0x4d44a0)}, {0.7, Color::hex(0x2a2566)}, {1, Color::hex(0x181640)}}, true);
    c.strokePath(kGoldLo.darker(0.3), std::max(0.8, r * 0.04));
    // Little rivets around the rim give it a hand-made, coin-like feel.
    for (int i = 0; i < 8; ++i) {
        const Pt p = Pt{cx, cy} + Pt::polar(r * 0.9, i * kPi / 4 + kPi / 8);
        c.circle(p.x, p.y, r * 0.045);
        c.fillPath(kGoldHi.withAlpha(0.85));
    }
}

void glintSweep(Canvas& c, double cx, double cy, double r, double pos) {
    if (pos < 0 || pos > 1) return;
    c.save();
    c.circle(cx, cy, r);
    cairo_clip(c.cr());
    const double x = cx - r * 1.6 + pos * r * 3.2;
    cairo_save(c.cr());
    cairo_translate(c.cr(), x, cy);
    cairo_rotate(c.cr(), 0.5);
    c.rect(-r * 0.14, -r * 2, r * 0.28, r * 4);
    c.fillLinear(-r * 0.14, 0, r * 0.14, 0,
                 {{0, Color::hex(0xFFFFFF, 0)}, {0.5, Color::hex(0xFFFFFF, 0.55)}, {1, Color::hex(0xFFFFFF, 0)}});
    cairo_restore(c.cr());
    c.restore();
}

}  // namespace

void BonusPainter::lion(Canvas& c, double open, double blink, double mane) {
    const Color maneCol = Color::hex(0xd9782a), maneDark = Color::hex(0x8a3a10);
    // A shaggy mane of pointed tufts all round the face, darker at its tips: a lion's, not a
    // bear's round head.
    const auto tufts = [&](double outer, double inner, int count, double turn) {
        std::vector<Pt> p;
        for (int i = 0; i < count * 2; ++i) {
            const double r = (i % 2 ? inner : outer) * mane;
            p.push_back(Pt::polar(r, i * kPi / count + turn) + Pt{0, 1.5});
        }
        c.smoothClosed(p, 0.35);
    };
    tufts(18.5, 12.5, 13, 0.12);
    c.fillRadial(0, 1.5, 8, 18.5 * mane, {{0, Color::hex(0xc0601c)}, {1, maneDark}}, true);
    c.strokePath(Color::hex(0x5a2408), 1.0);
    tufts(15, 10.5, 11, 0.4);
    c.fillRadial(0, 1.5, 6, 15 * mane, {{0, Color::hex(0xf2a048)}, {1, maneCol}});
    // Small round ears half hidden in the mane.
    for (int s : {-1, 1}) {
        c.circle(s * 6.8, -6.8, 2.6);
        c.fillPath(Color::hex(0xf0c070), true);
        c.strokePath(maneDark, 0.8);
        c.circle(s * 6.8, -6.8, 1.2);
        c.fillPath(Color::hex(0xb86a4a));
    }
    // The face: narrower at the top, a long broad muzzle below.
    c.smoothClosed({{0, -7.5}, {6.5, -5.5}, {8.2, 1.5}, {5.5, 8.5}, {0, 10.5}, {-5.5, 8.5}, {-8.2, 1.5}, {-6.5, -5.5}}, 0.4);
    c.fillRadial2(-2.5, -2, 0, 0, 1.5, 10, {{0, Color::hex(0xfde0a6)}, {1, Color::hex(0xeeb564)}}, true);
    c.strokePath(maneDark, 0.9);
    // Eyes.
    for (int s : {-1, 1}) {
        if (blink > 0.5) {
            cairo_move_to(c.cr(), s * 3.6 - 1.8, -1.2);
            cairo_curve_to(c.cr(), s * 3.6 - 1, -0.2, s * 3.6 + 1, -0.2, s * 3.6 + 1.8, -1.2);
            c.strokePath(Color::hex(0x3a1c0c), 1.1);
        } else {
            c.ellipse(s * 3.6, -1.4, 1.6, 2.0 * (1 - blink));
            c.fillPath(Color::hex(0x2a140a));
            c.circle(s * 3.6 - 0.5, -2.1, 0.6);
            c.fillPath(Color::hex(0xFFFFFF));
        }
    }
    // Muzzle, nose, mouth.
    for (int s : {-1, 1}) c.circle(s * 2.5, 4.8, 3.2);
    c.fillPath(Color::hex(0xfff1d6));
    for (int s : {-1, 1})
        for (const Pt& d : {Pt{1.6, 4.2}, Pt{2.8, 5.2}, Pt{1.9, 6.0}}) c.circle(s * d.x, d.y, 0.38);
    c.fillPath(Color::hex(0x5a2a14, 0.8));
    if (open > 0.05) {
        c.ellipse(0, 7.6 + open, 2.6 + open, 1.2 + 2.6 * open);
        c.fillPath(Color::hex(0x6a1410), true);
        c.strokePath(Color::hex(0x3a0c06), 0.7);
        c.ellipse(0, 8.6 + 2 * open, 1.6 + open * 0.6, 0.9 + open);
        c.fillPath(Color::hex(0xe86a7a));
    } else {
        cairo_move_to(c.cr(), -2.2, 7.4);
        cairo_curve_to(c.cr(), -1.2, 8.6, -0.2, 8.2, 0, 7.2);
        cairo_curve_to(c.cr(), 0.2, 8.2, 1.2, 8.6, 2.2, 7.4);
        c.strokePath(Color::hex(0x5a2a14), 0.8);
    }
    cairo_move_to(c.cr(), -2.8, 2.2);
    cairo_line_to(c.cr(), 2.8, 2.2);
    cairo_line_to(c.cr(), 0, 5.0);
    cairo_close_path(c.cr());
    c.fillPath(Color::hex(0x5a2a14));
}

void BonusPainter::horn(Canvas& c) {
    // A curled hunting horn: the tube widens along a curve into the bell.
    auto bez = [](double t) {
        const Pt p0{-12, 10}, p1{-2, 15}, p2{12, 8}, p3{10, -7};
        const double u = 1 - t;
        return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
    };
    std::vector<Pt> left, right;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const Pt p = bez(t), q = bez(std::min(1.0, t + 0.01)), pr = bez(std::max(0.0, t - 0.01));
        Pt d = q - pr;
        d = d * (1.0 / std::max(1e-6, d.length()));
        const Pt n{-d.y, d.x};
        const double w = 1.6 + 4.0 * t * t * t + 0.6 * t;
        left.push_back(p + n * w);
        right.push_back(p - n * w);
    }
    std::vector<Pt> body = left;
    for (auto it = right.rbegin(); it != right.rend(); ++it) body.push_back(*it);
    c.polygon(body);
    goldFill(c, -12, 16);
    c.strokePath(kOutline, 1.2);
    // Bell opening.
    const Pt end = bez(1.0);
    c.ellipse(end.x, end.y - 0.5, 6.6, 2.8, -0.18);
    c.fillPath(kGold, true);
    c.strokePath(kOutline, 1.1);
    c.ellipse(end.x, end.y - 0.3, 4.6, 1.7, -0.18);
    c.fillPath(Color::hex(0x5a2e0a));
    // Red cord bands.
    for (double t : {0.35, 0.62}) {
        const Pt p = bez(t), q = bez(t + 0.02);
        Pt d = q - p;
        d = d * (1.0 / std::max(1e-6, d.length()));
        const Pt n{-d.y, d.x};
        const double w = 1.6 + 4.0 * t * t * t + 0.6 * t + 0.8;
        cairo_move_to(c.cr(), (p + n * w).x, (p + n * w).y);
        cairo_line_to(c.cr(), (p - n * w).x, (p - n * w).y);
        c.strokePath(Color::hex(0xc8283a), 2.2);
    }
    // Mouthpiece.
    c.circle(-12.5, 10, 2.2);
    c.fillPath(Color::hex(0xdfe6f0), true);
    c.strokePath(kOutline, 0.9);
    // Shine along the tube.
    std::vector<Pt> shine;
    for (int i = 3; i <= 20; ++i) {
        const double t = static_cast<double>(i) / steps;
        const Pt p = bez(t), q = bez(t + 0.01);
        Pt d = q - p;
        d = d * (1.0 / std::max(1e-6, d.length()));
        shine.push_back(p + Pt{-d.y, d.x} * (0.8 + 2.0 * t * t * t));
    }
    c.smoothOpen(shine);
    c.strokePath(Color::hex(0xFFFFFF, 0.7), 0.9);
}

void BonusPainter::tornado(Canvas& c, double phase, double sway) {
    auto xoff = [&](double y) {
        const double low = std::clamp((y + 12) / 26, 0.0, 1.0);
        return std::sin(phase * 2 * kPi + y * 0.18) * 1.8 * low * sway + low * low * 2;
    };
    auto rad = [](double y) { return 2.2 + 11.5 * std::pow(std::clamp((14 - y) / 27.0, 0.0, 1.0), 1.4); };
    std::vector<Pt> l, rr;
    for (double y = -13; y <= 14.01; y += 1.0) {
        l.push_back({xoff(y) - rad(y), y});
        rr.push_back({xoff(y) + rad(y), y});
    }
    std::vector<Pt> body = l;
    for (auto it = rr.rbegin(); it != rr.rend(); ++it) body.push_back(*it);
    c.smoothClosed(body, 0.3);
    c.fillLinear(-12, 0, 12, 0,
                 {{0, Color::hex(0x8c9cc8)}, {0.35, Color::hex(0xe6eeff)}, {0.7, Color::hex(0xb4c2e6)}, {1, Color::hex(0x6c7cae)}},
                 true);
    c.strokePath(Color::hex(0x2c2f60), 1.2);
    // Swirl bands slide upwards as the phase turns.
    c.save();
    c.smoothClosed(body, 0.3);
    cairo_clip(c.cr());
    for (int k = 0; k < 7; ++k) {
        const double y = -13 + std::fmod(k * 4.0 + (1 - phase) * 4.0, 28.0);
        const double r = rad(y), x = xoff(y);
        cairo_move_to(c.cr(), x - r, y - 0.5);
        cairo_curve_to(c.cr(), x - r * 0.3, y + 2.2, x + r * 0.3, y + 2.2, x + r, y - 1.5);
        c.strokePath(Color::hex(0x4a5690, 0.75), 1.1);
        cairo_move_to(c.cr(), x - r * 0.6, y + 0.8);
        cairo_curve_to(c.cr(), x - r * 0.2, y + 1.6, x + r * 0.2, y + 1.6, x + r * 0.5, y + 0.6);
        c.strokePath(Color::hex(0xFFFFFF, 0.6), 0.8);
    }
    c.restore();
    // Flying bits around the funnel.
    for (int k = 0; k < 3; ++k) {
        const double a = (phase + k / 3.0) * 2 * kPi;
        const double y = -6 + k * 6;
        const Pt p{xoff(y) + std::cos(a) * (rad(y) + 3), y + std::sin(a) * 1.5};
        c.circle(p.x, p.y, 1.1);
        c.fillPath(k == 1 ? Color::hex(0x7fd06a) : Color::hex(0xd9b070));
    }
}

void BonusPainter::star(Canvas& c, double rotation) {
    c.roundStar(0, 0.5, 15.5, 7.2, 5, -kPi / 2 + rotation);
    c.fillRadial2(-3, -4, 0, 0, 0, 16, {{0, Color::hex(0xfffbe0)}, {0.4, Color::hex(0xffe066)}, {1, Color::hex(0xf29a1a)}}, true);
    c.strokePath(Color::hex(0x7a3a08), 1.3);
    c.roundStar(-0.5, -0.5, 8.5, 4.0, 5, -kPi / 2 + rotation);
    c.fillPath(Color::hex(0xFFFFFF, 0.35));
    // A friendly face keeps it from looking like a plain icon.
    for (int s : {-1, 1}) {
        c.ellipse(s * 2.6, -0.2, 1.0, 1.5);
        c.fillPath(Color::hex(0x5a2a08));
    }
    cairo_move_to(c.cr(), -2.2, 3.0);
    cairo_curve_to(c.cr(), -1, 4.6, 1, 4.6, 2.2, 3.0);
    c.strokePath(Color::hex(0x5a2a08), 0.9);
}

void BonusPainter::paintPot(Canvas& c, double drip) {
    // Handle.
    cairo_move_to(c.cr(), -9.5, -2);
    cairo_curve_to(c.cr(), -9, -15, 9, -15, 9.5, -2);
    c.strokePath(kOutline, 2.6);
    cairo_move_to(c.cr(), -9.5, -2);
    cairo_curve_to(c.cr(), -9, -15, 9, -15, 9.5, -2);
    c.strokePath(Color::hex(0xc9d2e0), 1.2);
    // Pot.
    c.polygon({{-10, -2}, {10, -2}, {8, 13}, {-8, 13}});
    c.fillLinear(-10, 0, 10, 0,
                 {{0, Color::hex(0x3c6ab8)}, {0.35, Color::hex(0x8ab8ff)}, {0.7, Color::hex(0x4a7cd0)}, {1, Color::hex(0x274a8c)}},
                 true);
    c.strokePath(kOutline, 1.2);
    // Paint on top, spilling over the rim in three colours.
    c.ellipse(0, -2, 10.2, 3.2);
    c.fillPath(Color::hex(0xe83848), true);
    c.strokePath(kOutline, 1.1);
    c.ellipse(-3, -2.4, 4.2, 1.5);
    c.fillPath(Color::hex(0xffd23a));
    c.ellipse(4, -1.8, 3.4, 1.2);
    c.fillPath(Color::hex(0x3aa0ff));
    const struct { double x; Color col; double len; } drips[] = {
        {-6.5, Color::hex(0xe83848), 5}, {-1.5, Color::hex(0xffd23a), 7.5}, {5.5, Color::hex(0x3aa0ff), 4}};
    for (const auto& d : drips) {
        c.roundRect(d.x - 1.4, -1.5, 2.8, d.len, 1.4);
        c.fillPath(d.col, true);
        c.strokePath(kOutline.withAlpha(0.6), 0.6);
    }
    // A falling drop.
    const double dy = 6 + drip * 12;
    const double a = drip < 0.85 ? 1.0 : (1 - drip) / 0.15;
    c.circle(-1.5, dy, 1.5);
    c.fillPath(Color::hex(0xffd23a, a), true);
    c.strokePath(kOutline.withAlpha(0.6 * a), 0.5);
    // Shine.
    c.roundRect(-6.5, 1, 1.6, 9, 0.8);
    c.fillPath(Color::hex(0xFFFFFF, 0.45));
}

void BonusPainter::axe(Canvas& c) {
    c.save();
    cairo_rotate(c.cr(), 0.5);
    c.roundRect(-1.8, -14, 3.6, 30, 1.8);
    c.fillLinear(-2, 0, 2, 0, {{0, Color::hex(0xb8763a)}, {0.5, Color::hex(0xe0a868)}, {1, Color::hex(0x7a4418)}}, true);
    c.strokePath(kOutline, 1.1);
    // Grip wraps.
    for (double y : {9.0, 11.5, 14.0}) {
        c.rect(-2, y - 0.6, 4, 1.2);
        c.fillPath(Color::hex(0x5a2a14));
    }
    // Blade.
    cairo_move_to(c.cr(), 1.2, -13);
    cairo_curve_to(c.cr(), 6, -15.5, 11, -17, 13, -17.5);
    cairo_curve_to(c.cr(), 15.5, -12, 15.5, -5, 13, 0.5);
    cairo_curve_to(c.cr(), 10, -1.5, 6, -3, 1.2, -4);
    cairo_close_path(c.cr());
    c.fillLinear(2, -14, 14, -2, {{0, Color::hex(0xf4f8ff)}, {0.5, Color::hex(0xb8c4d8)}, {1, Color::hex(0x6a7894)}}, true);
    c.strokePath(kOutline, 1.2);
    cairo_move_to(c.cr(), 12.6, -16);
    cairo_curve_to(c.cr(), 14.4, -11, 14.4, -6, 12.4, -1);
    c.strokePath(Color::hex(0xFFFFFF, 0.85), 1.0);
    // Back of the head.
    c.roundRect(-4.2, -14.5, 6, 8.5, 1.5);
    c.fillLinear(0, -14, 0, -6, {{0, Color::hex(0xc8d0e0)}, {1, Color::hex(0x6a7894)}}, true);
    c.strokePath(kOutline, 1.0);
    c.restore();
}

void BonusPainter::key(Canvas& c) {
    c.save();
    cairo_rotate(c.cr(), kPi / 4);
    // Bow: a four-leaf clover with a hole.
    cairo_set_fill_rule(c.cr(), CAIRO_FILL_RULE_EVEN_ODD);
    for (int i = 0; i < 4; ++i) {
        const Pt p = Pt{0, -9} + Pt::polar(3.6, i * kPi / 2);
        c.circle(p.x, p.y, 3.6);
    }
    c.circle(0, -9, 5.2);
    cairo_set_fill_rule(c.cr(), CAIRO_FILL_RULE_WINDING);
    goldFill(c, -17, -1);
    c.strokePath(kOutline, 1.1);
    c.circle(0, -9, 2.2);
    c.fillPath(Color::hex(0x221d52), true);
    c.strokePath(kOutline, 0.9);
    // Shaft and teeth.
    c.roundRect(-1.6, -3.5, 3.2, 20, 1.2);
    goldFill(c, -4, 16);
    c.strokePath(kOutline, 1.1);
    c.polygon({{1.4, 9}, {6, 9}, {6, 11.5}, {4.2, 11.5}, {4.2, 13}, {6, 13}, {6, 15.5}, {1.4, 15.5}});
    goldFill(c, 9, 16);
    c.strokePath(kOutline, 1.0);
    c.roundRect(-2.6, -1.5, 5.2, 2.2, 1);
    goldFill(c, -2, 1);
    c.strokePath(kOutline, 0.8);
    c.rect(-0.9, 0, 0.9, 14);
    c.fillPath(Color::hex(0xFFFFFF, 0.55));
    c.restore();
}

void BonusPainter::fireball(Canvas& c, double phase, double size) {
    // Ball of fire flying right: a bright core and flame tongues trailing left.
    Rng rng(static_cast<uint64_t>(phase * 1000) + 7);
    c.glowSpot(0, 0, 20 * size, Color::hex(0xff8a20, 0.8));
    for (int k = 0; k < 5; ++k) {
        const double off = std::sin(phase * 2 * kPi + k * 1.3) * 2.5 * size;
        const double len = (12 + 4 * std::sin(phase * 4 * kPi + k)) * size;
        const double y = (k - 2) * 3.0 * size + off * 0.4;
        cairo_move_to(c.cr(), 2 * size, y - 3 * size);
        cairo_curve_to(c.cr(), -len * 0.4, y - 3.5 * size + off, -len * 0.8, y + off, -len, y + off * 0.6);
        cairo_curve_to(c.cr(), -len * 0.7, y + 2 * size + off, -len * 0.3, y + 3 * size, 2 * size, y + 3 * size);
        cairo_close_path(c.cr());
        c.fillPath(Color::hex(k % 2 ? 0xff5a1a : 0xff9a2a, 0.85));
    }
    c.circle(2 * size, 0, 8 * size);
    c.fillRadial(3 * size, -1 * size, 0, 8 * size,
                 {{0, Color::hex(0xfffff0)}, {0.35, Color::hex(0xffe060)}, {0.75, Color::hex(0xff8a20)}, {1, Color::hex(0xe8401a, 0.9)}});
    for (int k = 0; k < 4; ++k) {
        const double a = rng.range(0, 2 * kPi);
        const Pt p = Pt{-4 * size, 0} + Pt::polar(rng.range(6, 13) * size, a);
        c.circle(p.x, p.y, rng.range(0.6, 1.4) * size);
        c.fillPath(Color::hex(0xffe080, 0.9));
    }
}

void BonusPainter::piece(Canvas& c, int type, double cx, double cy, double r, const Pose& pose, bool medallion) {
    if (medallion) medallionBack(c, cx, cy, r, pose.glow);
    c.save();
    cairo_translate(c.cr(), cx, cy + pose.bob);
    cairo_rotate(c.cr(), pose.angle);
    const double s = r / 20.0 * pose.scale * 0.95;
    cairo_scale(c.cr(), s, s);
    switch (type) {
        case 8: lion(c, pose.open, pose.blink, 1.0 + 0.04 * std::sin(pose.phase * 2 * kPi)); break;
        case 9: horn(c); break;
        case 10: tornado(c, pose.phase, 1.0); break;
        case 11: star(c, 0); break;
        case 12: paintPot(c, pose.phase); break;
        case 13: axe(c); break;
        default: key(c); break;
    }
    c.restore();
    if (medallion) glintSweep(c, cx, cy, r * 0.97, pose.glint);
}

void BonusPainter::still(Canvas& c, int type, double cx, double cy) {
    Pose p;
    p.phase = 0.3;
    piece(c, type, cx, cy, 21, p);
}

void BonusPainter::idleFrame(Canvas& c, int type, int frame, int frames) {
    const double t = static_cast<double>(frame) / frames;
    Pose p;
    p.phase = t;
    const double wave = std::sin(t * 2 * kPi);
    switch (type) {
        case 8:
            p.bob = wave * 0.8;
            p.blink = (frame == frames - 4 || frame == frames - 3) ? 1.0 : 0.0;
            p.glint = (t - 0.15) / 0.35;
            break;
        case 9:
            p.angle = wave * 0.08;
            p.glint = (t - 0.1) / 0.5;
            break;
        case 10:
            p.bob = wave * 0.6;
            break;
        case 11:
            p.scale = 1.0 + 0.05 * wave;
            p.glow = 0.35 + 0.3 * (0.5 + 0.5 * wave);
            p.glint = (t - 0.3) / 0.4;
            break;
        case 12:
            p.bob = std::abs(std::sin(t * 2 * kPi)) * -1.0;
            break;
        case 13:
            p.angle = wave * 0.14;
            p.glint = (t - 0.2) / 0.5;
            break;
        default:
            p.angle = wave * 0.16;
            p.glint = (t - 0.4) / 0.4;
            break;
    }
    piece(c, type, 25, 25, 21, p);
    if (type == 11) {
        // Twinkles orbit the star.
        for (int k = 0; k < 3; ++k) {
            const Pt q = Pt{25, 25} + Pt::polar(19, (t + k / 3.0) * 2 * kPi);
            const double tw = 0.5 + 0.5 * std::sin((t * 3 + k) * 2 * kPi);
            c.star(q.x, q.y, 2.5 + 1.5 * tw, 0.6, 4, 0);
            c.fillPath(Color::hex(0xFFFFFF, 0.5 + 0.5 * tw));
        }
    }
}

void BonusPainter::activateFrame(Canvas& c, int type, int frame, int frames) {
    const double t = frames > 1 ? static_cast<double>(frame) / (frames - 1) : 1.0;
    Pose p;
    p.phase = t;
    switch (type) {
        case 8: {  // lion roars with a blast ring
            const double ring = 10 + t * 14;
            c.circle(25, 25, ring);
            c.strokePath(Color::hex(0xffd070, 0.9 * (1 - t * 0.7)), 4 * (1 - t) + 1.5);
            c.glowSpot(25, 25, 24, Color::hex(0xffb040, 0.6 + 0.3 * t));
            p.open = std::min(1.0, 0.5 + t);
            p.scale = 1.0 + 0.18 * t;
            p.blink = 0.6;
            piece(c, 8, 25, 25, 21, p, t < 0.5);
            break;
        }
        case 9: {  // fireball, flying right
            c.save();
            cairo_translate(c.cr(), 27, 25);
            fireball(c, t, 0.9 + 0.2 * std::sin(t * kPi));
            c.restore();
            break;
        }
        case 10: {  // tornado funnel spinning at full height
            c.glowSpot(25, 30, 22, Color::hex(0xb0c4ff, 0.35));
            c.save();
            cairo_translate(c.cr(), 25, 24);
            cairo_scale(c.cr(), 1.45, 1.6);
            tornado(c, t * 2, 1.6);
            c.restore();
            break;
        }
        case 11: {  // star sparkle burst, loops
            c.glowSpot(25, 25, 24, Color::hex(0xfff0a0, 0.8));
            c.save();
            cairo_translate(c.cr(), 25, 25);
            for (int k = 0; k < 8; ++k) {
                const double a = k * kPi / 4 + t * kPi / 2;
                const double len = (k % 2 ? 14 : 22) * (0.8 + 0.2 * std::sin(t * 2 * kPi * 2 + k));
                cairo_move_to(c.cr(), 0, 0);
                cairo_line_to(c.cr(), std::cos(a) * len, std::sin(a) * len);
                c.strokePath(Color::hex(0xfff6c0, 0.8), 1.6);
            }
            const double s = 0.75 + 0.08 * std::sin(t * 2 * kPi);
            cairo_scale(c.cr(), s, s);
            star(c, t * 2 * kPi / 5);
            c.restore();
            for (int k = 0; k < 5; ++k) {
                const Pt q = Pt{25, 25} + Pt::polar(16 + 5 * std::sin((t + k * 0.2) * 2 * kPi), (k / 5.0 - t) * 2 * kPi);
                c.star(q.x, q.y, 3, 0.7, 4, 0);
                c.fillPath(Color::hex(0xFFFFFF, 0.9));
            }
            break;
        }
        case 12: {  // paint splash
            Rng rng("paintsplash");
            const Color cols[] = {Color::hex(0xe83848), Color::hex(0xffd23a), Color::hex(0x3aa0ff), Color::hex(0x44cc66)};
            const double grow = 0.35 + 0.65 * t;
            const double fade = t < 0.7 ? 1.0 : 1 - (t - 0.7) / 0.3 * 0.8;
            for (int k = 0; k < 4; ++k) {
                std::vector<Pt> blob;
                const Pt centre = Pt{25, 25} + Pt::polar(5 * grow, k * kPi / 2 + 0.4);
                for (int i = 0; i < 12; ++i) {
                    const double rr = (9 + rng.range(-2, 4)) * grow * (i % 2 ? 0.8 : 1.15);
                    blob.push_back(centre + Pt::polar(rr, i * kPi / 6 + k));
                }
                c.smoothClosed(blob);
                c.fillPath(cols[k].withAlpha(0.9 * fade), true);
                c.strokePath(kOutline.withAlpha(0.4 * fade), 0.8);
            }
            for (int k = 0; k < 10; ++k) {
                const Pt q = Pt{25, 25} + Pt::polar((10 + rng.range(0, 8)) * (0.5 + t), rng.range(0, 2 * kPi));
                c.circle(q.x, q.y, rng.range(1, 2.5) * (1 - 0.3 * t));
                c.fillPath(cols[k % 4].withAlpha(fade));
            }
            break;
        }
        case 13: {  // axe swing
            const double a = -1.2 + t * 1.9;
            for (int k = 1; k <= 3; ++k) {
                const double aa = a - k * 0.2;
                c.save();
                cairo_translate(c.cr(), 25, 38);
                cairo_rotate(c.cr(), aa);
                cairo_translate(c.cr(), 0, -13);
                cairo_scale(c.cr(), 1.1, 1.1);
                cairo_push_group(c.cr());
                axe(c);
                cairo_pop_group_to_source(c.cr());
                cairo_paint_with_alpha(c.cr(), 0.18 * (4 - k) / 3 * (t > 0 ? 1 : 0));
                c.restore();
            }
            c.save();
            cairo_translate(c.cr(), 25, 38);
            cairo_rotate(c.cr(), a);
            cairo_translate(c.cr(), 0, -13);
            cairo_scale(c.cr(), 1.1, 1.1);
            axe(c);
            c.restore();
            break;
        }
        default: {  // key turning
            c.glowSpot(25, 25, 22, Color::hex(0xffe080, 0.3 + 0.4 * t));
            c.save();
            cairo_translate(c.cr(), 25, 25);
            cairo_rotate(c.cr(), t * kPi / 2);
            cairo_scale(c.cr(), std::max(0.15, std::cos(t * kPi * 0.45)) * 1.1, 1.1);
            key(c);
            c.restore();
            break;
        }
    }
}

}  // namespace assetgen
