// Start-up cards: the game's own title card, the co-publisher candle and the
// maker's quill-and-fern logo.

#include <cmath>

#include "Generators.h"
#include "PanelKit.h"
#include "Registry.h"
#include "Rng.h"
#include "SceneKit.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

void candle(Canvas& c, double x, double y, double s) {
    c.glowSpot(x, y - 120 * s, 260 * s, Color::hex(0xffa040, 0.45));
    c.glowSpot(x, y - 120 * s, 70 * s, Color::hex(0xfff0c0, 0.7));
    // Holder.
    c.ellipse(x, y + 6 * s, 80 * s, 18 * s);
    c.fillLinear(0, y - 12 * s, 0, y + 24 * s, {{0, Color::hex(0xf0c060)}, {1, Color::hex(0x7a4a10)}}, true);
    c.strokePath(Color::hex(0x3a2008), 1.5);
    // Wax with drips.
    c.roundRect(x - 26 * s, y - 100 * s, 52 * s, 106 * s, 8 * s);
    c.fillLinear(x - 26 * s, 0, x + 26 * s, 0, {{0, Color::hex(0xfff8ec)}, {0.6, Color::hex(0xf0e0c8)}, {1, Color::hex(0xc8b090)}}, true);
    c.strokePath(Color::hex(0x6a5040), 1.2);
    for (double dx : {-14.0, 6.0, 18.0}) {
        c.roundRect(x + dx * s - 3 * s, y - 100 * s, 6 * s, (20 + std::abs(dx)) * s, 3 * s);
        c.fillPath(Color::hex(0xfffaf0));
    }
    cairo_move_to(c.cr(), x, y - 100 * s);
    cairo_line_to(c.cr(), x + 1 * s, y - 112 * s);
    c.strokePath(Color::hex(0x2a1a10), 2 * s);
    // Flame.
    cairo_move_to(c.cr(), x, y - 160 * s);
    cairo_curve_to(c.cr(), x + 14 * s, y - 130 * s, x + 14 * s, y - 108 * s, x, y - 106 * s);
    cairo_curve_to(c.cr(), x - 14 * s, y - 108 * s, x - 14 * s, y - 130 * s, x, y - 160 * s);
    c.fillRadial(x, y - 118 * s, 0, 40 * s, {{0, Color::hex(0xffffff)}, {0.3, Color::hex(0xfff0a0)}, {0.7, Color::hex(0xffa030)}, {1, Color::hex(0xe05010)}});
}

void fern(Canvas& c, Pt base, double len, double angle, double curl) {
    // A frond: a curving stem with paired leaflets that shrink towards the tip.
    std::vector<Pt> stem;
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0;
        stem.push_back(base + Pt::polar(len * t, angle + curl * t * t));
    }
    c.smoothOpen(stem);
    c.strokePath(Color::hex(0x2a5a2a), 3);
    for (int i = 2; i < 20; ++i) {
        const double t = i / 20.0;
        const Pt p = stem[static_cast<size_t>(i)];
        const double a = angle + curl * t * t;
        const double leaf = len * 0.2 * (1 - t * 0.8);
        for (int s : {-1, 1}) {
            const Pt tip = p + Pt::polar(leaf, a + s * 1.0);
            const Pt mid = Pt::lerp(p, tip, 0.5) + Pt::polar(leaf * 0.18, a);
            cairo_move_to(c.cr(), p.x, p.y);
            cairo_curve_to(c.cr(), mid.x, mid.y, tip.x, tip.y, tip.x, tip.y);
            cairo_curve_to(c.cr(), tip.x, tip.y, Pt::lerp(p, tip, 0.5).x - (mid.x - Pt::lerp(p, tip, 0.5).x),
                           Pt::lerp(p, tip, 0.5).y - (mid.y - Pt::lerp(p, tip, 0.5).y), p.x, p.y);
            c.fillLinear(p.x, p.y, tip.x, tip.y, {{0, Color::hex(0x3a8a3a)}, {1, Color::hex(0x8ad06a)}}, true);
            c.strokePath(Color::hex(0x1e4a22, 0.8), 0.8);
        }
    }
}

void quill(Canvas& c, Pt tip, double len, double angle) {
    c.save();
    cairo_translate(c.cr(), tip.x, tip.y);
    cairo_rotate(c.cr(), angle);
    // Vane.
    cairo_move_to(c.cr(), len * 0.12, 0);
    cairo_curve_to(c.cr(), len * 0.4, -len * 0.2, len * 0.85, -len * 0.16, len, -len * 0.02);
    cairo_curve_to(c.cr(), len * 0.8, len * 0.08, len * 0.4, len * 0.1, len * 0.12, 0);
    c.fillLinear(0, -len * 0.2, 0, len * 0.1, {{0, Color::hex(0xfffaf0)}, {1, Color::hex(0xd8c8e8)}}, true);
    c.strokePath(Color::hex(0x5a4a6a), 1.3);
    for (int i = 1; i < 12; ++i) {
        const double x = len * (0.18 + i * 0.065);
        cairo_move_to(c.cr(), x, 0);
        cairo_line_to(c.cr(), x + len * 0.06, -len * 0.13 * std::sin(i / 12.0 * kPi));
        c.strokePath(Color::hex(0x8a7a9a, 0.6), 0.8);
    }
    // Shaft and nib.
    cairo_move_to(c.cr(), 0, 0);
    cairo_line_to(c.cr(), len * 1.02, -len * 0.02);
    c.strokePath(Color::hex(0x6a5a4a), 2);
    c.polygon({{-len * 0.08, 0}, {len * 0.05, -len * 0.03}, {len * 0.05, len * 0.03}});
    c.fillPath(Color::hex(0x2a2a3a));
    c.restore();
}

}  // namespace

void registerSplashAssets(Registry& r) {
    r.image("Data/branding/splash1.png", [](Canvas& c, const Asset&) {
        Rng rng("splash1");
        c.rect(0, 0, 800, 600);
        c.fillRadial(400, 330, 40, 560, {{0, Color::hex(0x3a2a6a)}, {0.6, Color::hex(0x1a1840)}, {1, Color::hex(0x0a0a1c)}});
        SceneKit::stars(c, rng, 160, 600);
        for (int k = 0; k < 14; ++k) {
            const double y = rng.range(330, 560);
            SceneKit::paperLantern(c, rng.range(60, 740), y, rng.range(4, 8), k % 3 ? Color::hex(0xffa040) : Color::hex(0xff7050));
        }
        SceneKit::logo(c, 385, 270, 100);
        TextStyle st = TextStyle::plate(26);
        st.outlineWidth = 1.5;
        TextPainter::draw(c, "A storybook puzzle", 400, 360, st);
        c.paperTexture(12, 0.05);
    });
    r.image("Data/TallowbySplash.jpg", [](Canvas& c, const Asset&) {
        c.rect(0, 0, 800, 600);
        c.fillRadial(400, 260, 30, 560, {{0, Color::hex(0x4a2a1a)}, {0.7, Color::hex(0x1e120c)}, {1, Color::hex(0x0e0806)}});
        candle(c, 400, 390, 1.1);
        TextStyle st = TextStyle::gold(64);
        TextPainter::draw(c, "Tallowby", 400, 500, st);
        c.paperTexture(13, 0.05);
    });
    r.image("Data/QuillfernGames.png", [](Canvas& c, const Asset&) {
        c.glowSpot(110, 128, 110, Color::hex(0x9ad070, 0.25));
        fern(c, {92, 230}, 180, -1.75, 0.55);
        fern(c, {100, 232}, 130, -1.0, -0.5);
        quill(c, {58, 215}, 190, -1.05);
        TextStyle st = TextStyle::gold(52);
        st.top = Color::hex(0xfffbe8);
        st.bottom = Color::hex(0xd8f0a8);
        st.glow = Color::hex(0xa0e080, 0.35);
        TextPainter::draw(c, "Quillfern", 340, 105, st);
        TextStyle st2 = TextStyle::gold(38);
        TextPainter::draw(c, "Games", 340, 165, st2);
    });
}

}  // namespace assetgen
