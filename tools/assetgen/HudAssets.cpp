// Heads-up bar, gauge emblems, loading bar, sliders, scroll rollers, road.

#include <cmath>
#include <string>
#include <vector>

#include "Generators.h"
#include "Noise.h"
#include "Palette.h"
#include "PanelKit.h"
#include "Registry.h"
#include "Rng.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

const std::string G = "Data/graphics/";

void slot(Canvas& c, double x, double y, double w, double h) {
    c.roundRect(x, y, w, h, h / 2);
    c.fillLinear(0, y, 0, y + h, {{0, Color::hex(0x0c0c24, 0.85)}, {1, Color::hex(0x1e1e48, 0.85)}}, true);
    c.strokePath(Color::hex(0xe8b860, 0.55), 1.2);
    c.roundRect(x + 2, y + 2, w - 4, h / 2, h / 4);
    c.fillPath(Color::hex(0x000000, 0.25));
}

// The score's seat hangs from the top edge, deep enough for the score font's tall digits
// (set at the bar's top) and wide enough for six of its widest ones.
void scorePlaque(Canvas& c) {
    const double x = 84, w = 216, h = 50, r = 14;
    cairo_new_path(c.cr());
    cairo_move_to(c.cr(), x, -2);
    cairo_line_to(c.cr(), x + w, -2);
    cairo_line_to(c.cr(), x + w, h - r);
    cairo_arc(c.cr(), x + w - r, h - r, r, 0, kPi / 2);
    cairo_arc(c.cr(), x + r, h - r, r, kPi / 2, kPi);
    cairo_close_path(c.cr());
    c.fillLinear(0, 0, 0, h, {{0, Color::hex(0x0c0c24, 0.92)}, {1, Color::hex(0x1e1e48, 0.92)}}, true);
    c.strokePath(Color::hex(0xe8b860, 0.7), 1.4);
    c.roundRect(x + 3, 1, w - 6, h * 0.4, r * 0.6);
    c.fillPath(Color::hex(0x000000, 0.25));
}

void crossArrows(Canvas& c, double cx, double cy, double r, const Color& fill, const Color& line) {
    for (int d = 0; d < 2; ++d) {
        c.save();
        cairo_translate(c.cr(), cx, cy);
        cairo_rotate(c.cr(), d ? -kPi / 4 : kPi / 4);
        const double L = r, w = r * 0.13, head = r * 0.3;
        c.polygon({{-L + head, -w}, {L - head, -w}, {L - head, -w - head * 0.6}, {L, 0}, {L - head, w + head * 0.6}, {L - head, w},
                   {-L + head, w}, {-L + head, w + head * 0.6}, {-L, 0}, {-L + head, -w - head * 0.6}});
        c.fillPath(fill, true);
        c.strokePath(line, 1.1);
        c.restore();
    }
}

void gaugeEmblem(Canvas& c, int mode) {
    const double cx = 22.5, cy = 22.5;
    if (mode == 2) c.glowSpot(cx, cy, 22.5, Color::hex(0x80e0ff, 0.9));
    c.circle(cx, cy, 19.5);
    if (mode == 0) {
        c.fillRadial2(cx - 5, cy - 6, 0, cx, cy, 20, {{0, Color::hex(0x8a8ea4)}, {1, Color::hex(0x3e4256)}}, true);
        c.strokePath(Color::hex(0x22242e), 1.6);
        crossArrows(c, cx, cy, 14, Color::hex(0x6a6e82), Color::hex(0x2c2e3a));
    } else {
        c.fillRadial2(cx - 5, cy - 6, 0, cx, cy, 20, {{0, Color::hex(0x5a6ae0)}, {1, Color::hex(0x1c1e66)}}, true);
        c.strokePath(Color::hex(0xffd36b), 1.8);
        crossArrows(c, cx, cy, 14, mode == 2 ? Color::hex(0xfff8d0) : Color::hex(0xffd050), Color::hex(0x6a3a08));
        c.circle(cx - 6, cy - 8, 4);
        c.fillPath(Color::hex(0xFFFFFF, 0.3));
        if (mode == 2) {
            PanelKit::sparkle(c, 9, 10, 4.5, Color::hex(0xFFFFFF));
            PanelKit::sparkle(c, 36, 34, 3.5, Color::hex(0xFFFFFF));
        }
    }
}

void loadingBar(Canvas& c, int mode) {
    const double x = 2, y = 2, w = 496, h = 20;
    if (mode == 0) {
        c.roundRect(x, y, w, h, h / 2);
        c.fillLinear(0, y, 0, y + h, {{0, Color::hex(0x0a0a20, 0.9)}, {1, Color::hex(0x26264e, 0.9)}}, true);
        c.strokePath(Color::hex(0xe8b860), 1.6);
        c.roundRect(x + 3, y + 3, w - 6, 5, 2.5);
        c.fillPath(Color::hex(0x000000, 0.35));
        return;
    }
    // The finished bar makes room for the "Click here" plate, which stands over its middle
    // (130 to 370 here): two full halves, each rounded off, flank the plate instead of one
    // bar cut in two by it.
    struct Span { double x0, x1; };
    const std::vector<Span> spans = mode == 2 ? std::vector<Span>{{x, 124}, {376, x + w}}
                                              : std::vector<Span>{{x, x + w}};
    for (const Span& s : spans) {
        c.roundRect(s.x0, y, s.x1 - s.x0, h, h / 2);
        c.fillLinear(0, y, 0, y + h,
                     {{0, Color::hex(0xfff2b0)}, {0.45, mode == 2 ? Color::hex(0xffe070) : Color::hex(0xffc040)}, {1, Color::hex(0xd07a10)}},
                     true);
        c.strokePath(Color::hex(0x7a4208), 1.6);
        c.roundRect(s.x0 + 6, y + 3, s.x1 - s.x0 - 12, 5, 2.5);
        c.fillPath(Color::hex(0xFFFFFF, 0.55));
    }
    Rng rng(mode == 2 ? 77 : 78);
    for (int k = 0; k < 14; ++k) {
        const double sx = rng.range(12, 488), sy = rng.range(8, 16), r = rng.range(1.5, 3.2);
        if (mode == 2 && sx > 118 && sx < 382) continue;
        PanelKit::sparkle(c, sx, sy, r, Color::hex(0xFFFFFF, 0.85));
    }
}

void roller(Canvas& c, bool top) {
    const double cy = 22.5;
    // Parchment wrapped round the roller and running into the scroll body.
    c.rect(20, top ? cy : 0, 500, 22.5);
    c.fillLinear(0, 0, 0, 45, {{0, Color::hex(0xe6cc96)}, {1, Color::hex(0xf4e2b8)}});
    c.roundRect(14, cy - 12, 512, 24, 12);
    c.fillLinear(0, cy - 12, 0, cy + 12,
                 {{0, Color::hex(0x6a3a18)}, {0.25, Color::hex(0xc08050)}, {0.5, Color::hex(0x9a5a2c)}, {1, Color::hex(0x3e200c)}}, true);
    c.strokePath(Color::hex(0x2a1406), 1.4);
    Rng rng(top ? 5 : 6);
    for (int k = 0; k < 10; ++k) {
        const double y = cy + rng.range(-9, 9);
        cairo_move_to(c.cr(), 20, y);
        cairo_curve_to(c.cr(), 180, y + rng.range(-2, 2), 360, y + rng.range(-2, 2), 520, y);
        c.strokePath(Color::hex(0x2a1406, 0.2), 0.7);
    }
    for (double x : {14.0, 526.0}) {
        c.ellipse(x, cy, 8, 15);
        c.fillLinear(0, cy - 15, 0, cy + 15, {{0, Color::hex(0xfff0a0)}, {0.5, Color::hex(0xe0a030)}, {1, Color::hex(0x8a5210)}}, true);
        c.strokePath(Color::hex(0x3a1e0e), 1.3);
        const double kx = x < 100 ? x - 7 : x + 7;
        c.circle(kx, cy, 5.5);
        c.fillRadial2(kx - 1.5, cy - 2, 0, kx, cy, 6, {{0, Color::hex(0xfff8d0)}, {1, Color::hex(0xc88a20)}}, true);
        c.strokePath(Color::hex(0x3a1e0e), 1.1);
    }
}

}  // namespace

void registerHudAssets(Registry& r) {
    r.image(G + "UI.png", [](Canvas& c, const Asset&) {
        // Translucent night-blue bar with a gold rim; lower edge thin so the board shows below.
        c.rect(0, 0, 800, 44);
        c.fillLinear(0, 0, 0, 44, {{0, Color::hex(0x2c2a6a, 0.95)}, {1, Color::hex(0x16163a, 0.88)}});
        c.rect(0, 44, 800, 9);
        c.fillLinear(0, 44, 0, 53, {{0, Color::hex(0x000000, 0.35)}, {1, Color::hex(0x000000, 0)}});
        Rng rng(31);
        for (int k = 0; k < 60; ++k) {
            c.circle(rng.range(0, 800), rng.range(2, 40), rng.range(0.3, 0.9));
            c.fillPath(Color::hex(0xfff4d0, rng.range(0.15, 0.5)));
        }
        c.rect(0, 42, 800, 2.5);
        c.fillLinear(0, 0, 800, 0, {{0, Color::hex(0xc88a30)}, {0.5, Color::hex(0xffe08a)}, {1, Color::hex(0xc88a30)}});
        c.rect(0, 1, 800, 1);
        c.fillPath(Color::hex(0xffe08a, 0.35));
        slot(c, 3, 4, 75, 44);      // Hint button seat
        slot(c, 722, 4, 75, 44);    // Menu button seat
        scorePlaque(c);
        // The level's text starts at 465 and runs to 570 for the widest, "10 - 5"; the time's
        // hourglass stands at 570 to 610, its text from 630.
        slot(c, 386, 8, 188, 32);   // level
        slot(c, 578, 8, 136, 32);   // time
        // Gauge socket.
        c.circle(330, 27, 26);
        c.fillRadial(330, 27, 18, 26, {{0, Color::hex(0x0c0c24)}, {1, Color::hex(0x2a2a5a)}}, true);
        c.strokePath(Color::hex(0xffd36b), 2.2);
        c.circle(330, 27, 23.5);
        c.strokePath(Color::hex(0x6a3a08, 0.8), 1.2);
        for (int i = 0; i < 5; ++i) {
            const Pt p = Pt{330, 27} + Pt::polar(26, kPi / 2 + (i - 2) * 0.35);
            c.circle(p.x, p.y, 1.8);
            c.fillPath(Color::hex(0xffe08a));
        }
        PanelKit::flourish(c, 304, 12, 10, kPi, Color::hex(0xffd36b, 0.6));
        PanelKit::flourish(c, 356, 12, 10, -kPi / 2, Color::hex(0xffd36b, 0.6));
    });
    r.image(G + "time.png", [](Canvas& c, const Asset&) {
        c.glowSpot(20, 20, 20, Color::hex(0xffb040, 0.35));
        c.polygon({{11, 8}, {29, 8}, {22, 20}, {29, 32}, {11, 32}, {18, 20}});
        c.fillPath(Color::hex(0xd8eaff, 0.45), true);
        c.strokePath(Color::hex(0x2a2040), 1.3);
        c.polygon({{13.5, 11}, {26.5, 11}, {21, 18.5}, {19, 18.5}});
        c.fillPath(Color::hex(0xffc850));
        c.polygon({{20, 22}, {27, 31}, {13, 31}});
        c.fillPath(Color::hex(0xffb030));
        c.rect(19.4, 18, 1.2, 9);
        c.fillPath(Color::hex(0xffd060));
        for (double y : {5.0, 32.0}) {
            c.roundRect(8, y, 24, 4, 2);
            c.fillLinear(0, y, 0, y + 4, {{0, Color::hex(0xfff0a0)}, {1, Color::hex(0xb87a18)}}, true);
            c.strokePath(Color::hex(0x3a1e0e), 1.1);
        }
        c.rect(13, 11, 1.5, 6);
        c.fillPath(Color::hex(0xFFFFFF, 0.6));
    });
    r.image(G + "level.png", [](Canvas& c, const Asset&) {
        TextStyle st = TextStyle::gold(TextPainter::fit("Level", 54, 28, 24));
        st.glowRadius = 2;
        TextPainter::draw(c, "Level", 30, 18, st);
    });
    r.image(G + "xinactive.png", [](Canvas& c, const Asset&) { gaugeEmblem(c, 0); });
    r.image(G + "xactive1.png", [](Canvas& c, const Asset&) { gaugeEmblem(c, 1); });
    r.image(G + "xactive2.png", [](Canvas& c, const Asset&) { gaugeEmblem(c, 2); });
    r.image(G + "brickroad.png", [](Canvas& c, const Asset&) {
        Rng rng(404);
        c.rect(0, 4, 800, 36);
        c.fillLinear(0, 4, 0, 40, {{0, Color::hex(0x5a3a2a)}, {1, Color::hex(0x2a1a14)}});
        for (int row = 0; row < 3; ++row) {
            const double y = 8 + row * 11.0, h = 9 + row * 1.0;
            double x = -rng.range(0, 20);
            while (x < 800) {
                const double w = rng.range(18, 30) + row * 3;
                const Color base = Color::hex(0xa8744e).mix(Color::hex(0x7a5a4a), rng.uniform()).darker(row * 0.08);
                c.roundRect(x + 1, y, w - 2, h, 4);
                c.fillLinear(0, y, 0, y + h, {{0, base.lighter(0.2)}, {1, base.darker(0.25)}}, true);
                c.strokePath(Color::hex(0x24140c, 0.7), 0.8);
                c.roundRect(x + 3, y + 1, w - 7, 2, 1);
                c.fillPath(Color::hex(0xffe0b8, 0.25));
                x += w;
            }
        }
        // Kerb with grass and little flowers.
        c.rect(0, 2, 800, 5);
        c.fillLinear(0, 2, 0, 7, {{0, Color::hex(0xd8b080)}, {1, Color::hex(0x8a6040)}});
        for (int k = 0; k < 180; ++k) {
            const double x = rng.range(0, 800), h = rng.range(3, 8);
            cairo_move_to(c.cr(), x, 5);
            cairo_curve_to(c.cr(), x + 1, 5 - h * 0.5, x + rng.range(-2, 2), 5 - h, x + rng.range(-3, 3), 5 - h);
            c.strokePath(Color::hex(0x3e7a3a).mix(Color::hex(0x8ac060), rng.uniform()), 1.1);
        }
        for (int k = 0; k < 18; ++k) {
            const double x = rng.range(5, 795);
            c.circle(x, rng.range(0.5, 2.5), 1.4);
            c.fillPath(rng.chance(0.5) ? Color::hex(0xffe070) : Color::hex(0xff9ab0));
        }
        c.paperTexture(9, 0.1, 0.7);
    });
    r.image(G + "LoadingBar.png", [](Canvas& c, const Asset&) { loadingBar(c, 1); });
    r.image(G + "LoadingBarempty.png", [](Canvas& c, const Asset&) { loadingBar(c, 0); });
    r.image(G + "LoadingBarfinal.png", [](Canvas& c, const Asset&) { loadingBar(c, 2); });
    r.image(G + "loading.png", [](Canvas& c, const Asset&) {
        TextPainter::draw(c, "Loading...", 110, 25, TextStyle::gold(36));
    });
    r.image(G + "slider.png", [](Canvas& c, const Asset&) {
        // The options screen puts its sliders' left ends at a fixed place and its captions'
        // left edges 140 px further right; this length centres the captions over the sliders.
        const double w = c.width(), end = w - 4;
        c.roundRect(2, 6, w - 4, 9, 4.5);
        c.fillLinear(0, 6, 0, 15, {{0, Color::hex(0x3a2010)}, {1, Color::hex(0x7a5030)}}, true);
        c.strokePath(Color::hex(0x2a1406), 1.2);
        c.roundRect(4, 7, w - 8, 3, 1.5);
        c.fillPath(Color::hex(0x000000, 0.3));
        for (int i = 0; i <= 10; ++i) {
            const double x = 20 + i * (w - 40) / 10;
            c.rect(x - 0.5, 16, 1, i % 5 == 0 ? 4 : 2.5);
            c.fillPath(Color::hex(0x5a3418, 0.8));
        }
        for (double x : {4.0, end}) {
            c.circle(x, 10.5, 3.5);
            c.fillPath(Color::hex(0xe0a030), true);
            c.strokePath(Color::hex(0x3a1e0e), 1);
        }
    });
    r.image(G + "Dot.png", [](Canvas& c, const Asset&) {
        c.circle(10.5, 11, 8.5);
        c.fillPath(Color::hex(0x000000, 0.4));
        c.circle(10, 10, 8.5);
        c.fillRadial2(7, 6.5, 0, 10, 10, 9, {{0, Color::hex(0xfff8d8)}, {0.4, Color::hex(0xffd050)}, {1, Color::hex(0xb06a10)}}, true);
        c.strokePath(Color::hex(0x3a1e0e), 1.3);
    });
    r.image(G + "scrolltop.png", [](Canvas& c, const Asset&) { roller(c, true); });
    r.image(G + "scrollbottom.png", [](Canvas& c, const Asset&) { roller(c, false); });
}

}  // namespace assetgen
