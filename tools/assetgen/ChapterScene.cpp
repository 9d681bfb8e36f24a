#include "ChapterScene.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Noise.h"
#include "Rng.h"
#include "SceneKit.h"

namespace assetgen {

namespace {

struct Look {
    uint32_t top, mid, horizon;  // sky
    uint32_t far, farLow;        // distant hills
    uint32_t mid1, mid1Low;      // middle hills
    uint32_t near, nearLow;      // foreground
    uint32_t rim;                // light along the ridges
    bool pines;
    double moonX, moonY;
};

const Look kLooks[11] = {
    {0x1c1c4a, 0x5a3a7a, 0xd07a6a, 0x3a3468, 0x2a2650, 0x2a3a4a, 0x1c2638, 0x1a2a2a, 0x0e1618, 0x8a7aa8, false, 620, 90},  // intro
    {0x22245e, 0x8a4a7a, 0xffb070, 0x5a3a6a, 0x3a2a56, 0x3a4a3a, 0x24302a, 0x2a3a24, 0x141c14, 0xffc080, false, 640, 110},
    {0x2a2466, 0x9a4a78, 0xff9a8a, 0x6a4a7a, 0x44305a, 0x5a6a3a, 0x34402a, 0x3a4a26, 0x1a2414, 0xffb0a0, false, 160, 100},
    {0x0e2236, 0x1e4a5a, 0x6ab09a, 0x1e4a4a, 0x163636, 0x16383a, 0x0e2628, 0x0e2a22, 0x061612, 0x8ae0c0, true, 600, 80},
    {0x1a2050, 0x3a4a90, 0x8ab0e0, 0x3a4a80, 0x2a3460, 0x2a4a5a, 0x1a3040, 0x1e3a30, 0x0e1c18, 0xb0d0ff, false, 180, 90},
    {0x2a1a50, 0x6a3a80, 0xffb060, 0x5a3a70, 0x3a2650, 0x3a3a5a, 0x262640, 0x2a3030, 0x141818, 0xffc890, false, 620, 140},
    {0x34345a, 0x6a6a8c, 0xc8b0c0, 0x5a5a78, 0x44445e, 0x4a5a58, 0x343e40, 0x3a4434, 0x1e2420, 0xe8d8f0, false, 140, 120},
    {0x0e1440, 0x2a3a80, 0x6a80c0, 0x2a3470, 0x1c2450, 0x223a48, 0x142430, 0x182a24, 0x0a1410, 0xa0b8ff, true, 600, 120},
    {0x1a1030, 0x3a2060, 0x40a0a0, 0x3a2a5a, 0x281c42, 0x2a2a48, 0x1a1a30, 0x202028, 0x0e0e14, 0x80f0e0, true, 160, 80},
    {0x080a30, 0x1a2a6a, 0x4a5aa0, 0x22306a, 0x18204a, 0x20404a, 0x142a30, 0x1a3a26, 0x0c1a10, 0xc0d0ff, false, 640, 90},
    {0x2a1040, 0xa03a5a, 0xffb050, 0x6a2a5a, 0x40183a, 0x4a2a40, 0x2e1a2a, 0x2a2020, 0x140e0e, 0xffc070, false, 150, 110},
};

Color C(uint32_t v) { return Color::hex(v); }

// A paper lantern gone out: dull paper, a few creases, tilted where it drifted.
void deadLantern(Canvas& c, double x, double y, double s, double tilt) {
    c.save();
    cairo_translate(c.cr(), x, y);
    cairo_rotate(c.cr(), tilt);
    // Crumpled: a lopsided outline rather than a round one.
    c.smoothClosed({{-s, -0.2 * s}, {-0.6 * s, -s}, {0.3 * s, -1.1 * s}, {0.9 * s, -0.5 * s}, {0.7 * s, 0.3 * s},
                    {s, 0.8 * s}, {0.1 * s, 1.1 * s}, {-0.8 * s, 0.8 * s}});
    c.fillLinear(-s, 0, s, 0, {{0, C(0xb08060)}, {1, C(0x5a3a34)}}, true);
    c.strokePath(C(0x2a201c), std::max(0.6, s * 0.1));
    for (double k : {-0.4, 0.1, 0.5}) {
        cairo_move_to(c.cr(), k * s, -s);
        cairo_line_to(c.cr(), k * s + 0.25 * s, -0.1 * s);
        cairo_line_to(c.cr(), k * s - 0.1 * s, s);
    }
    c.strokePath(C(0x2a201c).withAlpha(0.6), std::max(0.5, s * 0.07));
    c.rect(-s * 0.5, -s * 1.25, s * 1.0, s * 0.3);
    c.rect(-s * 0.4, s * 1.0, s * 0.8, s * 0.25);
    c.fillPath(C(0x2a2020).withAlpha(0.9));
    cairo_arc(c.cr(), 0, -s * 1.25, s * 0.4, kPi, 2 * kPi);
    c.strokePath(C(0x2a2020), std::max(0.5, s * 0.08));
    c.restore();
}

void reeds(Canvas& c, Rng& rng, double x0, double x1, double y, double h, const Color& col) {
    for (double x = x0; x < x1; x += rng.range(3, 7)) {
        const double top = y - h * rng.range(0.5, 1.0), lean = rng.range(-8, 8);
        cairo_move_to(c.cr(), x, y);
        cairo_curve_to(c.cr(), x, y - h * 0.3, x + lean * 0.5, top + 10, x + lean, top);
        c.strokePath(col, rng.range(1, 2.2));
    }
}

// The mill stream: water running from the foot of the mill out towards the viewer, widening.
void stream(Canvas& c, double fromX, double fromY, double toX, double toY, double width, const Look& L) {
    auto centre = [&](double t) {
        return Pt{fromX + (toX - fromX) * t + std::sin(t * kPi * 1.6) * 60, fromY + (toY - fromY) * t};
    };
    auto half = [&](double t) { return width * (0.15 + 0.85 * t * t) / 2 + 3; };
    std::vector<Pt> left, right;
    for (double t = 0; t <= 1.0001; t += 0.05) {
        const Pt p = centre(t), q = centre(std::min(1.0, t + 0.01)), p0 = centre(std::max(0.0, t - 0.01));
        const double dx = q.x - p0.x, dy = q.y - p0.y, len = std::hypot(dx, dy);
        const Pt n{-dy / len, dx / len};
        left.push_back({p.x + n.x * half(t), p.y + n.y * half(t)});
        right.push_back({p.x - n.x * half(t), p.y - n.y * half(t)});
    }
    std::vector<Pt> outline = left;
    outline.insert(outline.end(), right.rbegin(), right.rend());
    c.polygon(outline);
    c.strokePath(C(L.near).darker(0.35), 5, true);
    c.fillLinear(0, fromY, 0, toY, {{0, C(0x3a5a8a)}, {0.5, C(0x4a78b0)}, {1, C(0x6a9ad0)}});
    Rng rng("stream");
    for (int k = 0; k < 26; ++k) {
        const double t = rng.range(0.05, 0.98);
        const Pt p = centre(t);
        const double len = half(t) * rng.range(0.3, 0.8), off = half(t) * rng.range(-0.5, 0.5);
        cairo_move_to(c.cr(), p.x - len / 2, p.y + off * 0.3);
        cairo_line_to(c.cr(), p.x + len / 2, p.y + off * 0.3);
        c.strokePath(C(0xffffff).withAlpha(rng.range(0.2, 0.45)), 1.2);
    }
}

// A windy gorge: two rock cliffs falling to a thread of river far below, with gusts across it.
void gorge(Canvas& c, double x, double top, double gap, const Look& L) {
    const double w = c.width(), h = c.height();
    const Color rock = C(0x7a6e7e), rockDark = C(0x2a2232);
    // The depths, and the far walls of the gorge narrowing down to the river.
    c.rect(x - gap / 2 - 40, top, gap + 80, h - top);
    c.fillLinear(0, top, 0, h, {{0, C(L.far).darker(0.3)}, {1, C(0x05060a)}});
    for (int side : {-1, 1}) {
        c.polygon({{x + side * gap / 2, top}, {x + side * 14, h - 40}, {x + side * 10, h}, {x + side * gap / 2, h}});
        c.fillLinear(0, top, 0, h, {{0, rock.darker(0.45)}, {1, rockDark.darker(0.6)}});
    }
    cairo_move_to(c.cr(), x - 6, h);
    cairo_curve_to(c.cr(), x - 14, h - 30, x + 10, h - 50, x, h - 40);
    c.strokePath(C(L.rim).withAlpha(0.55), 3);
    for (int side : {-1, 1}) {
        const double edge = x + side * gap / 2;
        Rng rng("cliff", static_cast<uint64_t>(side + 2));
        std::vector<Pt> cliff = {{side < 0 ? -10.0 : w + 10, top - 4}, {edge + side * 4, top - 4}};
        for (double y = top + 24; y < h + 30; y += 24) cliff.push_back({edge + side * rng.range(-8, 12) - side * (y - top) * 0.25, y});
        cliff.push_back({side < 0 ? -10.0 : w + 10, h + 10});
        c.polygon(cliff);
        c.fillLinear(0, top, 0, h, {{0, rock}, {1, rockDark}}, true);
        c.strokePath(C(0x1a141e), 1.5);
        // Strata and cracks in the rock face.
        for (int k = 0; k < 14; ++k) {
            const double yy = top + rng.range(14, h - top), xx = edge - side * (yy - top) * 0.25 + side * rng.range(12, 120);
            cairo_move_to(c.cr(), xx, yy);
            cairo_line_to(c.cr(), xx + side * rng.range(30, 90), yy + rng.range(-3, 3));
            c.strokePath(C(0x1a141e).withAlpha(0.35), 1.2);
        }
        // Heather along the cliff top, lit by the moon at the rim.
        c.rect(side < 0 ? 0 : edge, top - 8, side < 0 ? edge : w - edge, 10);
        c.fillPath(C(L.near).lighter(0.1));
        cairo_move_to(c.cr(), side < 0 ? 0 : edge, top - 8);
        cairo_line_to(c.cr(), side < 0 ? edge : w, top - 8);
        c.strokePath(C(L.rim).withAlpha(0.5), 1.5);
    }
    // Gusts tearing across the gorge.
    Rng gust("gust");
    for (int k = 0; k < 11; ++k) {
        const double gx = gust.range(20, w - 220), gy = gust.range(top - 230, top + 140), len = gust.range(100, 200);
        cairo_move_to(c.cr(), gx, gy);
        cairo_curve_to(c.cr(), gx + len * 0.4, gy - 14, gx + len * 0.7, gy + 10, gx + len, gy - 6);
        cairo_curve_to(c.cr(), gx + len + 14, gy - 10, gx + len + 8, gy - 22, gx + len - 4, gy - 16);
        c.strokePath(C(0xe8f0ff).withAlpha(0.45), 1.8);
    }
}

// The old bridge over the gorge, its parapet carved with little lanterns.
// `litPart` of the carved lanterns, from the left end, are awake.
void carvedBridge(Canvas& c, double x, double y, double w, double s, double litPart) {
    SceneKit::bridge(c, x, y, w, 56 * s, C(0x9a8ca8));
    for (double lx = x + 14 * s; lx < x + w - 8 * s; lx += 26 * s) {
        const bool lit = lx < x + w * litPart;
        if (lit) c.glowSpot(lx, y - 10 * s, 14 * s, C(0xffc35a).withAlpha(0.5));
        c.roundRect(lx - 4 * s, y - 16 * s, 8 * s, 11 * s, 2.5 * s);
        c.fillPath(lit ? C(0xffe08a) : C(0x3a3450), true);
        c.strokePath(C(0x1e1a22), 1);
        c.polygon({{lx - 5 * s, y - 16 * s}, {lx + 5 * s, y - 16 * s}, {lx, y - 21 * s}});
        c.fillPath(C(0x6a6078));
    }
}

// The standing stones as a ring on the moor, seen from the side: the far stones small and
// high, the near ones large and low.
// `lit` of the stones, going round the ring, have woken with a pale light.
void stoneRing(Canvas& c, double x, double gy, double s, int lit) {
    Rng rng("ring");
    const int n = 9;
    std::vector<std::pair<double, int>> order;
    for (int k = 0; k < n; ++k) order.push_back({std::sin(kPi * 2 * k / n + 0.3), k});
    std::sort(order.begin(), order.end());
    c.ellipse(x, gy - 4 * s, 150 * s, 34 * s);
    c.fillPath(C(0x000000).withAlpha(0.18));
    for (const auto& [depth, k] : order) {
        const double a = kPi * 2 * k / n + 0.3;
        const double near = (depth + 1) / 2;  // 0 far, 1 near
        const double sx = x + std::cos(a) * 150 * s, sy = gy - 4 * s + depth * 34 * s;
        const double size = (0.7 + 0.45 * near) * s, h = rng.range(58, 84) * size;
        const bool awake = k < lit;
        if (awake) c.glowSpot(sx, sy - h * 0.5, h * 0.8, C(0xd8e8ff).withAlpha(0.35));
        SceneKit::standingStone(c, sx, sy, 26 * size, h, awake ? C(0xb8c4e0) : C(0x8a8aa0).darker(0.25 * (1 - near)));
    }
}

// The owl's tower: old, leaning, wrapped in ivy, with a wide round window near the top.
void crookedTower(Canvas& c, double x, double gy, double s) {
    const double w = 44 * s, h = 190 * s, lean = 22 * s;
    auto at = [&](double t, double side) {  // t 0 at the foot, 1 at the top; side -1 left, +1 right
        const double bend = lean * t * t;
        const double half = w / 2 * (1 - 0.12 * t);
        return Pt{x + bend + side * half, gy - h * t};
    };
    std::vector<Pt> body;
    for (double t = 0; t <= 1.001; t += 0.1) body.push_back(at(t, -1));
    for (double t = 1; t >= -0.001; t -= 0.1) body.push_back(at(t, 1));
    c.polygon(body);
    c.fillLinear(x - w / 2, 0, x + w / 2 + lean, 0, {{0, C(0xa89cae)}, {0.55, C(0x7a6e88)}, {1, C(0x3e3850)}}, true);
    c.strokePath(C(0x1c1824), 1.3);
    for (double t = 0.05; t < 1; t += 0.055) {
        const Pt l = at(t, -1), r = at(t, 1);
        cairo_move_to(c.cr(), l.x, l.y);
        cairo_line_to(c.cr(), r.x, r.y);
    }
    c.strokePath(C(0x1c1824).withAlpha(0.3), 0.8);
    // A pointed roof set askew on the leaning top.
    const Pt tl = at(1, -1), tr = at(1, 1);
    c.polygon({{tl.x - 8 * s, tl.y + 2 * s}, {tr.x + 8 * s, tr.y + 2 * s}, {(tl.x + tr.x) / 2 + 14 * s, tl.y - 58 * s}});
    c.fillLinear(tl.x, 0, tr.x, 0, {{0, C(0x4a5aa8)}, {1, C(0x262a5a)}}, true);
    c.strokePath(C(0x1c1824), 1.3);
    // The round window: moonlight glinting on the glass like an eye.
    const Pt wc = {(at(0.82, -1).x + at(0.82, 1).x) / 2, at(0.82, 0).y};
    const double wr = 16 * s;
    c.circle(wc.x, wc.y, wr);
    c.fillRadial(wc.x, wc.y, 0, wr, {{0, C(0x3a3860)}, {1, C(0x1e1a34)}}, true);
    c.strokePath(C(0x1c1824), 2.4 * s);
    c.circle(wc.x, wc.y, wr);
    cairo_move_to(c.cr(), wc.x - wr, wc.y);
    cairo_line_to(c.cr(), wc.x + wr, wc.y);
    cairo_move_to(c.cr(), wc.x, wc.y - wr);
    cairo_line_to(c.cr(), wc.x, wc.y + wr);
    c.strokePath(C(0x5a4a38), 1.2 * s);
    c.ellipse(wc.x - 5 * s, wc.y - 6 * s, 6 * s, 3.5 * s, -0.6);
    c.fillPath(C(0xe8f0ff).withAlpha(0.8));
    // Ivy climbing from the foot, thickest below.
    Rng rng("ivy");
    for (int k = 0; k < 150; ++k) {
        const double t = std::pow(rng.range(0, 1), 1.6) * 0.9, side = rng.range(-1.05, 1.05);
        const Pt p = at(t, side);
        if (std::hypot(p.x - wc.x, p.y - wc.y) < wr + 3 * s) continue;
        c.ellipse(p.x, p.y, rng.range(2.5, 4.5) * s, rng.range(1.8, 3) * s, rng.range(0, kPi));
        c.fillPath(Color::hsv(rng.range(95, 140), 0.55, rng.range(0.3, 0.55)));
    }
    // The door, with the keeper waiting on his step.
    c.roundRect(x - 8 * s, gy - 26 * s, 16 * s, 26 * s, 8 * s);
    c.fillPath(C(0x4a2a18));
}

// The castle at the road's end, cold: no window lit, the great lantern grey, the gates open.
void coldCastle(Canvas& c, double x, double gy, double s) {
    const Color wall = C(0x8a7e90), shade = C(0x3e3448), glass = C(0x262238);
    auto turret = [&](double tx, double w, double h, const Color& roof) {
        c.rect(tx - w / 2, gy - h, w, h);
        c.fillLinear(tx - w / 2, 0, tx + w / 2, 0, {{0, wall}, {1, shade}}, true);
        c.strokePath(C(0x1c1824), 1.2);
        c.polygon({{tx - w * 0.65, gy - h}, {tx + w * 0.65, gy - h}, {tx, gy - h - w * 1.4}});
        c.fillLinear(tx - w, 0, tx + w, 0, {{0, roof.lighter(0.1)}, {1, roof.darker(0.4)}}, true);
        c.strokePath(C(0x1c1824), 1.2);
        c.roundRect(tx - w * 0.15, gy - h * 0.75, w * 0.3, w * 0.4, w * 0.08);
        c.fillPath(glass);
    };
    c.rect(x - 80 * s, gy - 60 * s, 160 * s, 60 * s);
    c.fillLinear(0, gy - 60 * s, 0, gy, {{0, wall}, {1, shade}}, true);
    c.strokePath(C(0x1c1824), 1.2);
    for (double bx = x - 80 * s; bx < x + 80 * s; bx += 14 * s) c.rect(bx, gy - 68 * s, 8 * s, 8 * s);
    c.fillPath(wall.darker(0.1));
    turret(x - 80 * s, 30 * s, 110 * s, C(0x2a3470));
    turret(x + 80 * s, 30 * s, 110 * s, C(0x2a3470));
    turret(x - 40 * s, 24 * s, 90 * s, C(0x5a2236));
    turret(x + 40 * s, 24 * s, 90 * s, C(0x5a2236));
    turret(x, 44 * s, 150 * s, C(0x2a3470));
    // The great lantern, cold and grey on the keep.
    const double tip = gy - 150 * s - 44 * s * 1.4, ly = tip - 24 * s;
    c.rect(x - 1.5 * s, tip - 8 * s, 3 * s, 10 * s);
    c.fillPath(C(0x1a1418));
    c.roundRect(x - 13 * s, ly - 16 * s, 26 * s, 32 * s, 4 * s);
    c.fillLinear(x - 13 * s, 0, x + 13 * s, 0, {{0, C(0x6a6878)}, {1, C(0x2a2634)}}, true);
    c.strokePath(C(0x1a1418), 1.6);
    for (double bx : {-6.5, 0.0, 6.5}) {
        cairo_move_to(c.cr(), x + bx * s, ly - 16 * s);
        cairo_line_to(c.cr(), x + bx * s, ly + 16 * s);
    }
    c.strokePath(C(0x1a1418), 1.4 * s);
    c.polygon({{x - 16 * s, ly - 16 * s}, {x + 16 * s, ly - 16 * s}, {x, ly - 30 * s}});
    c.fillPath(C(0x2a2634), true);
    c.strokePath(C(0x1a1418), 1.2);
    c.circle(x, ly - 33 * s, 3 * s);
    c.strokePath(C(0x1a1418), 1.4 * s);
    // The gates stand open on a dark hall.
    c.roundRect(x - 12 * s, gy - 36 * s, 24 * s, 36 * s, 12 * s);
    c.fillPath(C(0x08060c));
    for (int side : {-1, 1}) {
        c.polygon({{x + side * 12 * s, gy}, {x + side * 12 * s, gy - 28 * s}, {x + side * 24 * s, gy - 24 * s}, {x + side * 24 * s, gy + 4 * s}});
        c.fillPath(C(0x4a2a18), true);
        c.strokePath(C(0x1c120c), 1);
    }
}

// The chapter's landmark, `light` 0 as the chapter's first page finds it, before Marigold has
// brought any light back, to 1 once its last page has relit it.
void place(Canvas& c, int chapter, double x, double gy, double s, double light, bool heroine) {
    Rng rng("landmark", static_cast<uint64_t>(chapter));
    const bool relit = light >= 1;
    switch (chapter) {
        case 1:
            // The lamps along the lane went dark; at the end the village hangs one for her.
            SceneKit::cottage(c, x - 70 * s, gy - 6 * s, 0.9 * s, C(0xd8b890), C(0x8a3a2a), relit);
            SceneKit::cottage(c, x + 60 * s, gy - 10 * s, 0.8 * s, C(0xc8a888), C(0x5a4a8a), relit);
            SceneKit::cottage(c, x, gy, 1.2 * s, C(0xe8c8a0), C(0xa8402a), relit);
            SceneKit::lanternPost(c, x - 120 * s, gy + 6 * s, 70 * s, light >= 0.5);
            SceneKit::lanternPost(c, x + 110 * s, gy + 4 * s, 64 * s, relit);
            // The apprentice in the square, with her pole and no flame to give.
            if (heroine) SceneKit::heroine(c, x - 175 * s, gy + 40 * s, 1.3 * s, false);
            break;
        case 2:
            SceneKit::windmill(c, x, gy, 1.1 * s, 0.35, relit);
            SceneKit::cottage(c, x + 80 * s, gy + 6 * s, 0.7 * s, C(0xd8c0a0), C(0x7a3a2a), relit);
            SceneKit::lanternPost(c, x - 60 * s, gy + 8 * s, 60 * s, relit);
            break;
        case 3:
            // Mushrooms as tall as houses among the trees, only a faint light on their caps; the
            // ones the Tumblets have passed brighten.
            SceneKit::roundTree(c, x + 40 * s, gy + 10 * s, 230 * s, C(0x14362c), C(0x8ae0c0), 33);
            for (int k = 0; k < 4; ++k) {
                const double mx = x + (k - 1.5) * 70 * s + rng.range(-10, 10) * s;
                const double glow = 0.12 + 0.8 * std::clamp(light * 2 - k * 0.5, 0.0, 1.0);
                SceneKit::mushroom(c, mx, gy + 12 * s + rng.range(-4, 6) * s, rng.range(3.5, 5) * s,
                                   k % 2 ? C(0x60e0ff) : C(0xd070ff), glow, 2.6);
            }
            break;
        case 4:
            carvedBridge(c, x - 130 * s, gy - 40 * s, 260 * s, s, light);
            break;
        case 5:
            for (int k = 0; k < 9; ++k) {
                const double lx = x + rng.range(-150, 150) * s, ls = rng.range(5, 9) * s;
                const double drift = rng.range(-10, 30) * s, tilt = rng.range(-0.6, 0.6);
                // Relit ones float on the water among the dark ones, as the lake's lanterns do.
                if (k < 9 * light) SceneKit::paperLantern(c, lx, gy + drift - ls, ls, k % 3 ? C(0xffa040) : C(0xff7050));
                else deadLantern(c, lx, gy + drift, ls * 1.3, tilt);
            }
            break;
        case 6:
            stoneRing(c, x, gy, s, static_cast<int>(9 * light));
            break;
        case 7:
            crookedTower(c, x, gy, s);
            // The keeper at the door, in his tidy waistcoat.
            SceneKit::owl(c, x + 26 * s, gy - 24 * s, 2.0 * s);
            c.polygon({{x + 12 * s, gy - 18 * s}, {x + 20 * s, gy - 8 * s}, {x + 26 * s, gy - 16 * s}, {x + 32 * s, gy - 8 * s},
                       {x + 40 * s, gy - 18 * s}, {x + 38 * s, gy - 2 * s}, {x + 14 * s, gy - 2 * s}});
            c.fillPath(C(0x3a6a4a), true);
            c.strokePath(C(0x1c120c), 1);
            break;
        case 8: {
            // Cliff with a cave mouth; inside, crystals that catch every speck of light with a
            // faint sparkle.
            cairo_move_to(c.cr(), x - 160 * s, gy + 10 * s);
            cairo_curve_to(c.cr(), x - 140 * s, gy - 150 * s, x + 120 * s, gy - 190 * s, x + 170 * s, gy + 10 * s);
            cairo_close_path(c.cr());
            c.fillLinear(0, gy - 180 * s, 0, gy, {{0, C(0x4a3a6a)}, {1, C(0x1e1830)}}, true);
            c.strokePath(C(0x80f0e0).withAlpha(0.2), 2);
            cairo_move_to(c.cr(), x - 55 * s, gy + 5 * s);
            cairo_curve_to(c.cr(), x - 55 * s, gy - 95 * s, x + 55 * s, gy - 95 * s, x + 55 * s, gy + 5 * s);
            cairo_close_path(c.cr());
            c.fillPath(C(0x0c0a18));
            const double dim = 0.15 + 0.2 * light;
            SceneKit::crystals(c, x, gy, 1.0 * s, C(0x60e8e0), 8, relit ? 1.0 : dim);
            SceneKit::crystals(c, x - 110 * s, gy + 6 * s, 0.7 * s, C(0xc070ff), 9, dim * 0.6);
            SceneKit::crystals(c, x + 115 * s, gy + 8 * s, 0.6 * s, C(0xff80c0), 10, dim * 0.6);
            break;
        }
        case 9:
            // Stars falling softly into the meadow's grass.
            SceneKit::shootingStar(c, x + 60 * s, gy - 260 * s, 120 * s, 0.5);
            SceneKit::shootingStar(c, x - 90 * s, gy - 200 * s, 80 * s, 0.6);
            for (int k = 0; k < 9; ++k) {
                const double fx = x + rng.range(-120, 120) * s, fy = gy + rng.range(-4, 18) * s;
                c.glowSpot(fx, fy, 12 * s, C(0xe8f0ff).withAlpha(0.55));
                c.star(fx, fy, 4.5 * s, 1.6 * s, 5);
                c.fillPath(C(0xfffbe8));
            }
            break;
        default:
            if (relit) SceneKit::castle(c, x, gy, 1.0 * s);
            else coldCastle(c, x, gy, 1.0 * s);
            break;
    }
}

// While a chapter's levels are played its landmark stands as the pages find it in their middle:
// half relit.
constexpr double kPlayLight = 0.5;

}  // namespace

void ChapterScene::landmark(Canvas& c, int chapter, double x, double gy, double s, double light) {
    place(c, chapter, x, gy, s, light, false);
}

void ChapterScene::paint(Canvas& c, int chapter, Framing framing) {
    const Look& L = kLooks[chapter];
    const bool title = framing == Framing::TitlePicture;
    Rng rng("chapter", static_cast<uint64_t>(chapter * 2 + (title ? 1 : 0)));
    const double w = c.width();
    SceneKit::sky(c, C(L.top), C(L.mid), C(L.horizon), 380);
    SceneKit::stars(c, rng, chapter == 9 ? 260 : 140, 300);
    SceneKit::moon(c, L.moonX, L.moonY, chapter == 7 ? 44 : 28, C(L.rim));
    if (chapter == 9) {
        SceneKit::shootingStar(c, 300, 80, 90, 0.45);
        SceneKit::shootingStar(c, 520, 150, 60, 0.5);
    }
    const auto far = SceneKit::hills(c, Rng::hash("far", chapter), 330, 40, 260, C(L.far), C(L.farLow), C(L.rim).withAlpha(0.5));
    SceneKit::treesAlong(c, far, Rng::hash("fartrees", chapter), 0, w, 26, 26, C(L.far).darker(0.2), C(L.rim), L.pines);
    const double lx = title ? 520 : ((chapter % 2) ? 120 : 680);
    const double ls = title ? 1.2 : 0.8;
    // The picture before a chapter's first page shows the place as that page finds it: dark.
    const bool cold = title;
    const double light = title ? 0.0 : kPlayLight;
    const bool wet = chapter == 4 || chapter == 5;
    if (chapter == 5) {
        SceneKit::water(c, 400, 600, C(L.horizon).mix(C(L.mid), 0.5).darker(0.2), C(L.far).darker(0.4), 40 + chapter);
        for (int k = 0; k < 14; ++k) {
            const double x = rng.range(0, w), y = rng.range(420, 560);
            // A little fleet of relit lanterns among the dark ones.
            if (k >= 14 * light * 0.6) {
                deadLantern(c, x, y - 4, rng.range(4, 8) * (0.6 + (y - 400) / 200), rng.range(-0.7, 0.7));
            } else {
                // Reflections of the lanterns on the lake.
                c.glowSpot(x, y, rng.range(14, 26), C(0xffa040).withAlpha(0.45));
                SceneKit::paperLantern(c, x, y - 6, rng.range(3, 6), C(0xffa040));
            }
        }
    }
    if (chapter == 4) gorge(c, title ? 520 : 680, title ? 430 : 390, title ? 250 : 200, L);
    std::vector<Pt> mid;
    if (!wet) {
        mid = SceneKit::hills(c, Rng::hash("mid", chapter), 430, 35, 200, C(L.mid1), C(L.mid1Low), C(L.rim).withAlpha(0.45));
        SceneKit::treesAlong(c, mid, Rng::hash("midtrees", chapter), 0, w, 60, 46, C(L.mid1).darker(0.25), C(L.rim), L.pines);
    }
    if (chapter == 6) SceneKit::mist(c, 400, 120, Color::hex(0xe8e0f0, 0.55), 61);
    const double gy = chapter == 4 ? (title ? 470 : 430) : title ? 470 : (wet ? 430 : SceneKit::ridgeY(mid, lx) + 10);
    place(c, chapter, lx, gy, ls, light, title);
    // Foreground bank (the gorge has none: it falls away to the river).
    std::vector<Pt> near = {{0, 600}, {w, 600}};
    if (chapter != 4)
        near = SceneKit::hills(c, Rng::hash("near", chapter), title ? 530 : 540, 22, 170, C(L.near), C(L.nearLow),
                               C(L.rim).withAlpha(0.35));
    if (chapter == 5 && cold) {
        // Lanterns washed into the reeds along the near shore.
        reeds(c, rng, 0, 260, 600, 110, C(0x3a4a30));
        deadLantern(c, 90, 560, 12, 0.5);
        deadLantern(c, 180, 548, 10, -0.4);
        reeds(c, rng, 10, 250, 610, 70, C(0x2a3a24));
    }
    if (chapter == 3) {
        // House-tall mushrooms on the near bank, their caps barely glowing.
        for (int k = 0; k < 3; ++k) {
            const double mx = (lx < 400 ? 430 : 90) + k * 130 + rng.range(-20, 20);
            SceneKit::mushroom(c, mx, SceneKit::ridgeY(near, mx) + 40, rng.range(5.5, 7),
                               k % 2 ? C(0x60e0ff) : C(0xd070ff), title ? 0.08 : 0.15, 2.4);
        }
    }
    if (chapter == 9 || chapter == 2) SceneKit::flowers(c, rng, 160, 0, 520, w, 600);
    if (chapter == 9) {
        // The meadow sprinkled with little fallen stars.
        for (int k = 0; k < (title ? 8 : 22); ++k) {
            const double fx = rng.range(10, w - 10), fy = SceneKit::ridgeY(near, fx) + rng.range(12, 60);
            const double size = rng.range(3.5, 6);
            c.glowSpot(fx, fy, size * 3, C(0xe8f0ff).withAlpha(0.5));
            c.star(fx, fy, size, size * 0.4, 5, rng.range(0, 1.2));
            c.fillPath(C(0xfffbe8));
        }
    }
    if (chapter == 2) stream(c, lx - 10 * ls, gy + 4, lx < 400 ? w - 140 : 140, 612, title ? 120 : 90, L);
    // A lamp of the old road in the foreground, dark like every light of the Vale until the
    // great lantern wakes (the meadow has none).
    if (!title && chapter != 9) {
        SceneKit::lanternPost(c, (chapter % 2) ? 740 : 50, SceneKit::ridgeY(near, (chapter % 2) ? 740 : 50) + 20, 80, false);
    }
    SceneKit::fireflies(c, rng, chapter == 3 && !title ? 40 : 18, 0, 300, w, 560);
    if (chapter == 6 || chapter == 4) SceneKit::mist(c, 540, 70, Color::hex(0xe8e0f0, 0.35), 62 + chapter);
    if (title) SceneKit::banner(c, 400, 66, 300, ("Chapter " + std::to_string(chapter)).c_str());
    SceneKit::finish(c, Rng::hash("finish", chapter * 2 + (title ? 1 : 0)));
}

void ChapterScene::introduction(Canvas& c) {
    const Look& L = kLooks[0];
    Rng rng("introduction");
    SceneKit::sky(c, C(L.top), C(L.mid), C(L.horizon), 380);
    SceneKit::stars(c, rng, 120, 260);
    SceneKit::moon(c, L.moonX, L.moonY, 26, C(L.rim));
    const auto far = SceneKit::hills(c, 700, 330, 40, 260, C(L.far), C(L.farLow), C(L.rim).withAlpha(0.5));
    SceneKit::treesAlong(c, far, 701, 0, 800, 26, 26, C(L.far).darker(0.2), C(L.rim), false);
    // Distant castle with its great lantern dark.
    const auto mid = SceneKit::hills(c, 702, 420, 35, 200, C(L.mid1), C(L.mid1Low), C(L.rim).withAlpha(0.45));
    // The village: every window and lantern dark.
    SceneKit::cottage(c, 180, SceneKit::ridgeY(mid, 180) + 12, 0.9, C(0x6a5e78), C(0x4a2e3e), false);
    SceneKit::cottage(c, 290, SceneKit::ridgeY(mid, 290) + 14, 1.1, C(0x766a84), C(0x5a2e32), false);
    SceneKit::cottage(c, 90, SceneKit::ridgeY(mid, 90) + 12, 0.75, C(0x625874), C(0x3a2e5a), false);
    SceneKit::lanternPost(c, 370, SceneKit::ridgeY(mid, 370) + 16, 70, false);
    SceneKit::lanternPost(c, 30, SceneKit::ridgeY(mid, 30) + 16, 64, false);
    SceneKit::hills(c, 703, 520, 18, 170, C(L.near), C(L.nearLow), C(L.rim).withAlpha(0.35));
    // A winding path leads away to the right; the heroine sets off with the last light.
    std::vector<Pt> path = {{340, 600}, {420, 560}, {520, 540}, {620, 500}, {700, 470}, {820, 455}};
    c.smoothOpen(path);
    c.strokePath(C(0x6a5a58), 26);
    c.smoothOpen(path);
    c.strokePath(C(0x8a7a70), 16);
    SceneKit::heroine(c, 560, 528, 1.6, true);
    SceneKit::lanternPost(c, 660, 500, 70, false);
    SceneKit::finish(c, 704);
}

}  // namespace assetgen
