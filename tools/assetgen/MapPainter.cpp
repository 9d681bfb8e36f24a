#include "MapPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChapterScene.h"
#include "Noise.h"
#include "PanelKit.h"
#include "Rng.h"
#include "SceneKit.h"

namespace assetgen {

const Pt MapPainter::kSite[kSites] = {{879, 137}, {783, 185}, {650, 200}, {529, 234}, {400, 298},
                                      {135, 358}, {373, 160}, {354, 228}, {381, 445}, {675, 565}};

namespace {

const std::vector<Pt> kRiver = {{610, -20}, {585, 60},  {560, 140}, {529, 234}, {470, 300}, {440, 340},
                                {470, 420}, {560, 470}, {690, 650}, {760, 760}, {840, 880}, {900, 1020}};

void mountain(Canvas& c, double x, double y, double s, Rng& rng) {
    const double h = 60 * s * rng.range(0.8, 1.2), w = 55 * s * rng.range(0.9, 1.2);
    c.polygon({{x - w, y}, {x - w * 0.15, y - h}, {x + w * 0.1, y - h * 0.92}, {x + w, y}});
    c.fillLinear(x - w, 0, x + w, 0, {{0, Color::hex(0xb8a8c8)}, {0.45, Color::hex(0x8a7aa0)}, {1, Color::hex(0x5a4a72)}}, true);
    c.strokePath(Color::hex(0x3a2e4a), 1.2);
    c.polygon({{x - w * 0.15, y - h}, {x - w * 0.4, y - h * 0.62}, {x - w * 0.2, y - h * 0.68}, {x, y - h * 0.58}, {x + w * 0.1, y - h * 0.92}});
    c.fillPath(Color::hex(0xf4f0fa, 0.9));
}

void treeDot(Canvas& c, double x, double y, double s, const Color& col) {
    c.ellipse(x + 1.5 * s, y + 2 * s, 6 * s, 3 * s);
    c.fillPath(Color::hex(0x1a2a14, 0.3));
    c.circle(x, y - 3 * s, 6 * s);
    c.fillRadial2(x - 2 * s, y - 5 * s, 0, x, y - 3 * s, 6 * s, {{0, col.lighter(0.3)}, {1, col.darker(0.2)}}, true);
    c.strokePath(Color::hex(0x1a2a14, 0.6), 0.8);
}

double distToSites(double x, double y) {
    double d = 1e9;
    for (const Pt& s : MapPainter::kSite) d = std::min(d, std::hypot(x - s.x, y - s.y));
    return d;
}

double distToRiver(double x, double y) {
    double d = 1e9;
    for (size_t i = 1; i < kRiver.size(); ++i) {
        const Pt a = kRiver[i - 1], b = kRiver[i];
        const Pt ab = b - a, ap = Pt{x, y} - a;
        const double t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0, 1.0);
        d = std::min(d, (Pt{x, y} - Pt::lerp(a, b, t)).length());
    }
    return d;
}

}  // namespace

void MapPainter::paint(Canvas& c) {
    const int W = c.width(), H = c.height();
    Noise n(1234), n2(999);
    // Watercolour ground: meadow greens, heath violets near the moor, sand by the sea.
    for (int y = 0; y < H; ++y) {
        uint32_t* row = c.row(y);
        for (int x = 0; x < W; ++x) {
            const double e = n.fbm(x / 260.0, y / 260.0, 5);
            const double m = n2.fbm(x / 120.0, y / 120.0, 3);
            Color col = Color::hex(0x9ab870).mix(Color::hex(0x6e9a5a), 0.5 + e);
            col = col.mix(Color::hex(0xc8c088), std::clamp(m * 1.2, 0.0, 0.4));
            const double moor = std::exp(-std::pow(std::hypot(x - 150.0, y - 360.0) / 150.0, 2));
            col = col.mix(Color::hex(0x9a8aa8), moor * 0.7);
            const double coast = (x - 1000.0) * 0.8 + (y - 700.0);
            if (coast > 40 + n.value(x / 60.0, y / 60.0) * 40) {
                const double deep = std::clamp((coast - 40) / 220.0, 0.0, 1.0);
                col = Color::hex(0x7ab0c8).mix(Color::hex(0x3a6aa0), deep);
            } else if (coast > n.value(x / 60.0, y / 60.0) * 40) {
                col = Color::hex(0xe8d4a0);
            }
            const double mtn = std::clamp((140 - y) / 140.0, 0.0, 1.0) * std::clamp((640 - x) / 120.0, 0.0, 1.0) +
                               std::clamp((x - 1020) / 200.0, 0.0, 1.0) * std::clamp((460 - y) / 200.0, 0.0, 1.0);
            col = col.mix(Color::hex(0xa898b0), std::clamp(mtn, 0.0, 0.8));
            const auto px = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
            row[x] = 0xFF000000u | (px(col.r) << 16) | (px(col.g) << 8) | px(col.b);
        }
    }
    cairo_surface_mark_dirty(c.surface());
    c.paperTexture(55, 0.12, 1.5);

    Rng rng("map");
    // Sea waves.
    for (int k = 0; k < 60; ++k) {
        const double x = rng.range(1050, 1280), y = rng.range(760, 1000);
        if ((x - 1000) * 0.8 + (y - 700) < 120) continue;
        cairo_move_to(c.cr(), x, y);
        cairo_curve_to(c.cr(), x + 5, y - 4, x + 10, y - 4, x + 15, y);
        c.strokePath(Color::hex(0xe8f4ff, 0.6), 1.2);
    }
    // River and lake.
    c.smoothOpen(kRiver, 0.5);
    c.strokePath(Color::hex(0x2a4a7a), 24);
    c.smoothOpen(kRiver, 0.5);
    c.strokePath(Color::hex(0x5a8ac8), 18);
    c.smoothOpen(kRiver, 0.5);
    c.strokePath(Color::hex(0xa8d0f0, 0.6), 4);
    std::vector<Pt> lake;
    for (int i = 0; i < 18; ++i) {
        const double a = i * 2 * kPi / 18;
        const double r = 1 + 0.15 * n.value1(i * 0.7);
        lake.push_back({445 + std::cos(a) * 70 * r, 350 + std::sin(a) * 42 * r});
    }
    c.smoothClosed(lake, 0.5);
    c.fillRadial(440, 345, 10, 80, {{0, Color::hex(0x8ac0e8)}, {1, Color::hex(0x4a7ab8)}}, true);
    c.strokePath(Color::hex(0x2a4a7a), 3);

    // Mountains in the north and east.
    for (int k = 0; k < 14; ++k) mountain(c, 20 + k * 42 + rng.range(-10, 10), 110 + rng.range(-25, 15), rng.range(0.7, 1.1), rng);
    for (int k = 0; k < 10; ++k) mountain(c, 1060 + rng.range(-20, 220), 80 + k * 38, rng.range(0.7, 1.1), rng);
    // Forests, kept clear of the sites and the water.
    const struct { double x, y, r; int count; } woods[] = {
        {650, 250, 90, 70}, {980, 330, 110, 80}, {230, 560, 130, 90}, {880, 470, 80, 40}, {120, 780, 140, 90},
        {520, 820, 120, 70}, {300, 930, 120, 50}, {1150, 560, 90, 40}, {760, 360, 60, 25}};
    for (const auto& wd : woods) {
        for (int k = 0; k < wd.count; ++k) {
            const double a = rng.range(0, 2 * kPi), rr = wd.r * std::sqrt(rng.uniform());
            const double x = wd.x + std::cos(a) * rr, y = wd.y + std::sin(a) * rr * 0.7;
            if (distToSites(x, y) < 55 || distToRiver(x, y) < 20) continue;
            treeDot(c, x, y, rng.range(0.9, 1.3), Color::hex(0x3a6a3a).mix(Color::hex(0x2a4a3a), rng.uniform()));
        }
    }
    // Meadow flowers around the ninth site.
    for (int k = 0; k < 120; ++k) {
        const double x = 381 + rng.gauss() * 60, y = 470 + rng.gauss() * 35;
        if (distToRiver(x, y) < 18) continue;
        c.circle(x, y, 1.6);
        c.fillPath(k % 3 ? Color::hex(0xffe070) : Color::hex(0xff8ab0));
    }

    // The path from site to site, winding, and up the castle hill at its end.
    const std::vector<Pt> route = {kSite[0], {830, 175}, kSite[1], {720, 205}, kSite[2], {590, 225}, kSite[3], {460, 270},
                                   kSite[4], {300, 345}, {210, 330}, kSite[5], {170, 260}, {270, 175}, kSite[6], kSite[7],
                                   {320, 300}, {350, 390}, kSite[8], {470, 505}, {580, 530}, kSite[9], {700, 520}, {692, 474}};
    c.smoothOpen(route, 0.5);
    c.strokePath(Color::hex(0x6a4422, 0.55), 11);
    c.smoothOpen(route, 0.5);
    c.strokePath(Color::hex(0xf0d8a0), 6);
    c.smoothOpen(route, 0.5);
    const double dashes[] = {7, 7};
    cairo_set_dash(c.cr(), dashes, 2, 0);
    c.strokePath(Color::hex(0x8a5a2a), 2.2);
    cairo_set_dash(c.cr(), nullptr, 0, 0);

    // Dusk wash over the land. No lamp of the Vale burns yet: the map shows it as the book opens.
    c.save();
    cairo_set_operator(c.cr(), CAIRO_OPERATOR_MULTIPLY);
    c.rect(0, 0, W, H);
    c.fillLinear(0, 0, W, H, {{0, Color::hex(0xb0a0d8)}, {0.5, Color::hex(0xc8b8e0)}, {1, Color::hex(0x9a90c8)}});
    c.restore();

    // Each landmark stands above its marker, clear of the chapter's name written there when the
    // pointer finds it, except where the screen's heading and buttons would hide it in the
    // chapter views: the village and the owl tower stand beside their markers, below the heading;
    // the windmill is kept small under it; the castle stands high above the last marker, over the
    // "Play Next Level" arrow. The cave sits close under the tower's marker, beside its own.
    for (int i = 0; i < kSites; ++i) {
        const int chapter = i + 1;
        Pt g = kSite[i] + Pt{0, -56};
        double scale = 0.32;
        if (chapter == 1) g = kSite[i] + Pt{118, 36};
        if (chapter == 2) g = kSite[i] + Pt{-12, -53}, scale = 0.24;
        if (chapter == 3) scale = 0.22;
        if (chapter == 7) g = kSite[i] + Pt{84, 12};
        if (chapter == 9) g = kSite[i] + Pt{0, -66};
        if (chapter == 8) g = kSite[i] + Pt{-82, 2}, scale = 0.28;
        if (chapter == 10) g = kSite[i] + Pt{14, -97};
        c.ellipse(g.x, g.y + 2, 34, 9);
        c.fillPath(Color::hex(0x2a2418, 0.25));
        if (chapter == 9) {
            // The meadow: stars fallen into the grass (the sky's falling ones don't fit a map).
            Rng fall("fallen");
            for (int k = 0; k < 7; ++k) {
                const double fx = g.x + fall.range(-30, 30), fy = g.y + fall.range(-8, 6);
                c.glowSpot(fx, fy, 7, Color::hex(0xe8f0ff, 0.5));
                c.star(fx, fy, 3.2, 1.2, 5);
                c.fillPath(Color::hex(0xfffbe8));
            }
            continue;
        }
        ChapterScene::landmark(c, chapter, g.x, g.y, scale, 0.0);
    }
    // Compass rose and a border.
    const Pt cr{110, 900};
    c.circle(cr.x, cr.y, 46);
    c.strokePath(Color::hex(0x6a4422, 0.7), 2);
    for (int k = 0; k < 8; ++k) {
        const double a = k * kPi / 4 - kPi / 2, len = k % 2 ? 30 : 52;
        const Pt tip = cr + Pt::polar(len, a), l = cr + Pt::polar(8, a - kPi / 2), r = cr + Pt::polar(8, a + kPi / 2);
        c.polygon({tip, l, cr, r});
        c.fillPath(k == 0 ? Color::hex(0xb03a2a) : Color::hex(0x6a4422, 0.85));
    }
    c.rect(6, 6, W - 12, H - 12);
    c.strokePath(Color::hex(0x5a3418, 0.8), 4);
    c.rect(14, 14, W - 28, H - 28);
    c.strokePath(Color::hex(0x5a3418, 0.5), 1.5);
    SceneKit::vignette(c, 0.45);
}

}  // namespace assetgen
