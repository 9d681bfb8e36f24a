// Board pieces: cell frames and panes, brick and armour floors, chains and
// lock, glows, particles, score pop-ups and the small shared pictures.

#include <cmath>
#include <string>

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

void brickCourse(Canvas& c, uint64_t seed) {
    Rng rng(seed);
    Noise n(seed);
    c.roundRect(0, 0, 50, 50, 3);
    c.fillPath(Color::hex(0x4a2614));
    const double rowH = 50.0 / 3;
    for (int row = 0; row < 3; ++row) {
        const double y = row * rowH;
        const double offset = (row % 2) ? -12.5 : 0;
        for (double x = offset; x < 50; x += 25) {
            const double bx = x + 1.2, by = y + 1.2, bw = 25 - 2.4, bh = rowH - 2.4;
            const double tone = rng.range(-0.08, 0.08);
            const Color base = Color::hex(0xb8683a).mix(tone > 0 ? Color::hex(0xd88a50) : Color::hex(0x8a4422), std::abs(tone) * 5);
            c.save();
            c.rect(0, 0, 50, 50);
            cairo_clip(c.cr());
            c.roundRect(bx, by, bw, bh, 3);
            c.fillLinear(0, by, 0, by + bh, {{0, base.lighter(0.18)}, {0.5, base}, {1, base.darker(0.22)}}, true);
            c.strokePath(Color::hex(0x3a1a0a, 0.6), 0.8);
            c.roundRect(bx + 1.5, by + 1.2, bw - 3, 1.6, 0.8);
            c.fillPath(Color::hex(0xffd7a8, 0.35));
            c.restore();
        }
    }
    // Weathering speckles.
    for (int k = 0; k < 40; ++k) {
        c.circle(rng.range(1, 49), rng.range(1, 49), rng.range(0.3, 0.9));
        c.fillPath(rng.chance(0.5) ? Color::hex(0x3a1a0a, 0.35) : Color::hex(0xffe0b0, 0.25));
    }
    c.paperTexture(seed + 3, 0.12, 0.6);
}

void armourPlate(Canvas& c, uint64_t seed) {
    Rng rng(seed);
    c.roundRect(0.5, 0.5, 49, 49, 4);
    c.fillLinear(0, 0, 50, 50, {{0, Color::hex(0xb4c0d6)}, {0.5, Color::hex(0x7a88a4)}, {1, Color::hex(0x4c5874)}}, true);
    c.strokePath(Color::hex(0x22283a), 1.2);
    // Brushed streaks.
    c.save();
    c.roundRect(0.5, 0.5, 49, 49, 4);
    cairo_clip(c.cr());
    for (int k = 0; k < 26; ++k) {
        const double o = rng.range(-50, 50);
        cairo_move_to(c.cr(), o, 0);
        cairo_line_to(c.cr(), o + 50, 50);
        c.strokePath(rng.chance(0.5) ? Color::hex(0xFFFFFF, 0.08) : Color::hex(0x1a2030, 0.1), rng.range(0.4, 1.2));
    }
    c.restore();
    // Raised inner panel with a cross band.
    c.roundRect(6, 6, 38, 38, 3);
    c.strokePath(Color::hex(0xe6eefc, 0.5), 1.2);
    c.roundRect(7, 7, 38, 38, 3);
    c.strokePath(Color::hex(0x1a2030, 0.45), 1.0);
    c.rect(22, 6, 6, 38);
    c.rect(6, 22, 38, 6);
    c.fillPath(Color::hex(0x5a6888, 0.55));
    c.rect(22, 6, 1, 38);
    c.rect(6, 22, 38, 1);
    c.fillPath(Color::hex(0xFFFFFF, 0.3));
    for (double x : {5.5, 44.5})
        for (double y : {5.5, 44.5}) PanelKit::rivet(c, x, y, 2.6);
    PanelKit::rivet(c, 25, 25, 3.2);
    c.roundRect(1.5, 1.5, 47, 47, 3.5);
    c.strokePath(Color::hex(0xFFFFFF, 0.35), 1);
}

void chip(Canvas& c, double cx, double cy, double r, const Color& col, uint64_t seed, bool metal) {
    Rng rng(seed);
    std::vector<Pt> pts;
    const int n = 6;
    for (int i = 0; i < n; ++i) pts.push_back(Pt{cx, cy} + Pt::polar(r * rng.range(0.65, 1.0), i * 2 * kPi / n + rng.range(-0.3, 0.3)));
    c.polygon(pts);
    c.fillLinear(cx - r, cy - r, cx + r, cy + r, {{0, col.lighter(metal ? 0.45 : 0.25)}, {1, col.darker(0.3)}}, true);
    c.strokePath(metal ? Color::hex(0x20242c) : Color::hex(0x3a1a0a), 0.9);
    c.polygon({pts[0], pts[1], Pt{cx, cy}});
    c.fillPath(Color::hex(0xFFFFFF, metal ? 0.35 : 0.18));
}

void chainOver(Canvas& c, const Color& metal) {
    // Two slender chains crossing from corner to corner: the gem's colour shows through their
    // links and between them.
    for (int d = 0; d < 2; ++d) {
        const Pt a = d == 0 ? Pt{4, 4} : Pt{46, 4};
        const Pt b = d == 0 ? Pt{46, 46} : Pt{4, 46};
        const double angle = std::atan2(b.y - a.y, b.x - a.x);
        const int links = 6;
        for (int i = 0; i < links; ++i) {
            const Pt p = Pt::lerp(a, b, (i + 0.5) / links);
            if (d == 1 && (i == 2 || i == 3)) continue;  // the first chain crosses over the second here
            PanelKit::chainLink(c, p.x, p.y, 9.0, angle, i % 2 ? 1.0 : 0.0, metal);
        }
    }
}

void starShape(Canvas& c, bool active) {
    if (active) c.glowSpot(32, 33, 32, Color::hex(0xffc040, 0.75));
    Canvas s(64, 64);
    s.roundStar(32, 34, 27, 13.5, 5);
    s.fillPath(Color::hex(0x000000, 0.5));
    s.blur(2.5);
    c.draw(s, 1, 2);
    c.roundStar(32, 34, 27, 13.5, 5);
    if (active) {
        c.fillRadial2(26, 24, 0, 32, 34, 28, {{0, Color::hex(0xfffbe6)}, {0.35, Color::hex(0xffe27a)}, {1, Color::hex(0xf09418)}}, true);
        c.strokePath(Color::hex(0x7a3a08), 2);
    } else {
        c.fillRadial2(26, 24, 0, 32, 34, 28, {{0, Color::hex(0xd6d8e2)}, {0.5, Color::hex(0x9a9eb0)}, {1, Color::hex(0x5c6072)}}, true);
        c.strokePath(Color::hex(0x2a2c3a), 2);
    }
    // The centre stays plain and light so a dark digit reads on it.
    c.circle(32, 35, 10.5);
    c.fillPath(active ? Color::hex(0xfff6cc, 0.8) : Color::hex(0xe4e6ee, 0.55));
    c.roundStar(30, 30, 19, 9, 5);
    c.strokePath(Color::hex(0xFFFFFF, active ? 0.5 : 0.3), 1.2);
}

void pointerShape(Canvas& c, double s) {
    std::vector<Pt> pts = {{1, 1}, {1, 23}, {6.5, 17.8}, {10.5, 26.5}, {14.5, 24.8}, {10.6, 16.4}, {18, 16.4}};
    for (Pt& p : pts) p = Pt{1, 1} + (p - Pt{1, 1}) * s;
    Canvas sh(c.width(), c.height());
    sh.polygon(pts);
    sh.fillPath(Color::hex(0x000000, 0.55));
    sh.blur(1.5);
    c.draw(sh, 1.5, 1.5);
    c.polygon(pts);
    c.fillLinear(0, 0, 10 * s, 26 * s, {{0, Color::hex(0xfff6d0)}, {0.45, Color::hex(0xffd050)}, {1, Color::hex(0xd88a18)}}, true);
    c.strokePath(Color::hex(0x3a1e0e), 1.2);
    c.polygon({pts[0], Pt{1 + 2.5 * s, 1 + 8 * s}, Pt{1 + 6 * s, 1 + 10 * s}});
    c.fillPath(Color::hex(0xFFFFFF, 0.55));
}

}  // namespace

void registerBoardAssets(Registry& r) {
    r.image(G + "pointer.png", [](Canvas& c, const Asset&) {
        pointerShape(c, 1.05);
        PanelKit::sparkle(c, 24, 7, 4.5, Color::hex(0xfff4c0, 0.95));
    });
    r.image(G + "pointersmall.png", [](Canvas& c, const Asset&) { pointerShape(c, 0.95); });
    r.image(G + "paused.png", [](Canvas& c, const Asset&) {
        PanelKit::woodPlate(c, 20, 20, 360, 105, 22, false, 41);
        TextPainter::draw(c, "Paused", 200, 72, TextStyle::gold(64));
    });
    r.strip(G + "chainstrip.png", [](Canvas& c, int f, const Asset&) {
        chainOver(c, Color::hex(0xc4ccd8).mix(Palette::gem(f + 1), 0.45));
    });
    r.image(G + "lock.png", [](Canvas& c, const Asset&) {
        // A small padlock where the chains cross: the gem's colour reads all round it.
        c.save();
        cairo_translate(c.cr(), 25, 25);
        cairo_scale(c.cr(), 0.7, 0.7);
        cairo_translate(c.cr(), -25, -27);
        Canvas s(50, 50);
        s.roundRect(14, 26, 22, 18, 4);
        s.fillPath(Color::hex(0x000000, 0.6));
        s.blur(2);
        c.draw(s, 1, 2);
        // Shackle.
        cairo_arc(c.cr(), 25, 25, 7, kPi, 0);
        c.strokePath(Color::hex(0x20242c), 5.5);
        cairo_arc(c.cr(), 25, 25, 7, kPi, 0);
        c.strokePath(Color::hex(0xc8d0dc), 3.5);
        cairo_arc(c.cr(), 25, 25, 7, kPi * 1.1, kPi * 1.5);
        c.strokePath(Color::hex(0xFFFFFF, 0.7), 1.2);
        // Body.
        c.roundRect(14, 25, 22, 18, 4);
        c.fillLinear(0, 25, 0, 43, {{0, Color::hex(0xffe48a)}, {0.5, Color::hex(0xe0a030)}, {1, Color::hex(0x9a5e10)}}, true);
        c.strokePath(Color::hex(0x3a1e0e), 1.4);
        c.roundRect(16, 27, 18, 3, 1.5);
        c.fillPath(Color::hex(0xFFFFFF, 0.4));
        c.circle(25, 32.5, 2.4);
        c.fillPath(Color::hex(0x2a1606));
        c.polygon({{24, 33}, {26, 33}, {26.8, 39}, {23.2, 39}});
        c.fillPath(Color::hex(0x2a1606));
        c.restore();
    });
    r.image(G + "cell.png", [](Canvas& c, const Asset&) {
        // Top and left edges; the neighbour (or the edge pieces) close the box.
        c.rect(0, 0, 52, 1.5);
        c.rect(0, 1.5, 1.5, 50.5);
        c.fillPath(Color::hex(0xffe6b0, 0.55));
        c.rect(1.5, 1.5, 50.5, 1);
        c.rect(1.5, 2.5, 1, 49.5);
        c.fillPath(Color::hex(0x000000, 0.25));
        for (double x : {1.0}) {
            c.circle(x, 1, 1.6);
            c.fillPath(Color::hex(0xfff2d0, 0.8));
        }
    });
    r.image(G + "cellrightside.png", [](Canvas& c, const Asset&) {
        c.rect(2, 0, 1.5, 52);
        c.fillPath(Color::hex(0xffe6b0, 0.55));
        c.rect(3.5, 0, 2.5, 52);
        c.fillLinear(3.5, 0, 6, 0, {{0, Color::hex(0x000000, 0.45)}, {1, Color::hex(0x000000, 0)}});
    });
    r.image(G + "cellbottom.png", [](Canvas& c, const Asset&) {
        c.rect(0, 2, 52, 1.5);
        c.fillPath(Color::hex(0xffe6b0, 0.55));
        c.rect(0, 3.5, 52, 2.5);
        c.fillLinear(0, 3.5, 0, 6, {{0, Color::hex(0x000000, 0.45)}, {1, Color::hex(0x000000, 0)}});
    });
    r.image(G + "cellcorner.png", [](Canvas& c, const Asset&) {
        c.rect(2, 0, 1.5, 3.5);
        c.rect(0, 2, 2, 1.5);
        c.fillPath(Color::hex(0xffe6b0, 0.55));
        c.circle(2.75, 2.75, 1.6);
        c.fillPath(Color::hex(0xfff2d0, 0.8));
        c.rect(3.5, 3.5, 2.5, 2.5);
        c.fillPath(Color::hex(0x000000, 0.3));
    });
    r.image(G + "cellpane.png", [](Canvas& c, const Asset&) {
        c.rect(0, 0, 52, 52);
        c.fillLinear(0, 0, 52, 52, {{0, Color::hex(0x2a2c66, 0.62)}, {1, Color::hex(0x121232, 0.72)}});
        c.polygon({{1, 1}, {30, 1}, {1, 30}});
        c.fillLinear(1, 1, 16, 16, {{0, Color::hex(0xFFFFFF, 0.12)}, {1, Color::hex(0xFFFFFF, 0)}});
        c.rect(2, 2, 48, 48);
        c.strokePath(Color::hex(0x9aa8ff, 0.12), 1);
    });
    r.image(G + "brick.png", [](Canvas& c, const Asset&) { brickCourse(c, 101); });
    r.image(G + "brickparticle.png", [](Canvas& c, const Asset&) { chip(c, 7, 7, 6.2, Color::hex(0xb8683a), 5, false); });
    r.image(G + "armour.png", [](Canvas& c, const Asset&) { armourPlate(c, 202); });
    r.image(G + "armourparticle.png", [](Canvas& c, const Asset&) {
        chip(c, 10, 10, 9, Color::hex(0x8a98b4), 9, true);
        PanelKit::rivet(c, 10, 10, 2.2);
    });
    r.image(G + "armourparticle2.png", [](Canvas& c, const Asset&) { chip(c, 6, 6, 5.3, Color::hex(0x8a98b4), 13, true); });
    r.image(G + "cursor.png", [](Canvas& c, const Asset&) {
        Canvas glow(50, 50);
        glow.roundRect(3, 3, 44, 44, 11);
        glow.strokePath(Color::hex(0xffc040, 1.0), 5);
        glow.blur(3);
        c.draw(glow, 0, 0);
        c.roundRect(3, 3, 44, 44, 11);
        c.strokePath(Color::hex(0x6a3a08), 4);
        c.roundRect(3, 3, 44, 44, 11);
        c.strokePath(Color::hex(0xffe27a), 2.4);
        c.roundRect(3, 3, 44, 44, 11);
        c.strokePath(Color::hex(0xFFFFFF, 0.6), 0.8);
        for (Pt p : {Pt{6, 6}, Pt{44, 6}, Pt{6, 44}, Pt{44, 44}}) PanelKit::sparkle(c, p.x, p.y, 4.2, Color::hex(0xFFFFFF, 0.95));
    });
    r.image(G + "bonushighlight.png", [](Canvas& c, const Asset&) {
        c.circle(25, 25, 25);
        c.fillRadial(25, 25, 0, 25, {{0, Color::hex(0xfff0b0, 0.0)}, {0.55, Color::hex(0xffd060, 0.55)}, {0.8, Color::hex(0xff9a30, 0.35)}, {1, Color::hex(0xff8020, 0)}});
    });
    r.image(G + "bonushighlightmid.png", [](Canvas& c, const Asset&) {
        c.circle(22, 22, 22);
        c.fillRadial(22, 22, 0, 22, {{0, Color::hex(0xfffbe0, 0.85)}, {0.5, Color::hex(0xffe080, 0.5)}, {1, Color::hex(0xffb040, 0)}});
    });
    r.image(G + "diagonalmask.png", [](Canvas& c, const Asset&) {
        // A mask read pixel by pixel: hard edge, pure white inside, 0x00000000 outside.
        cairo_set_antialias(c.cr(), CAIRO_ANTIALIAS_NONE);
        c.circle(25, 25, 18);
        c.fillPath(Color::hex(0xFFFFFF));
    });
    r.image(G + "particlering.png", [](Canvas& c, const Asset&) {
        Canvas g(60, 60);
        g.circle(30, 30, 24);
        g.strokePath(Color::hex(0xFFFFFF), 5);
        g.blur(3);
        c.draw(g, 0, 0);
        c.circle(30, 30, 24);
        c.strokePath(Color::hex(0xFFFFFF, 0.9), 2);
    });
    r.image(G + "particle6.png", [](Canvas& c, const Asset&) {
        c.glowSpot(8, 8, 8, Color::hex(0xFFFFFF, 0.7));
        c.star(8, 8, 7.5, 1.2, 4, 0);
        c.fillPath(Color::hex(0xFFFFFF));
        c.star(8, 8, 4, 0.8, 4, kPi / 4);
        c.fillPath(Color::hex(0xe8e8e8, 0.8));
    });
    r.image(G + "particle7.png", [](Canvas& c, const Asset&) {
        c.circle(16, 16, 16);
        c.fillRadial(16, 16, 0, 16, {{0, Color::hex(0xFFFFFF, 1.0)}, {0.25, Color::hex(0xfff4dc, 0.7)}, {0.6, Color::hex(0xffe8c0, 0.2)}, {1, Color::hex(0xffe0b0, 0)}});
    });
    r.image(G + "particle8.png", [](Canvas& c, const Asset&) {
        c.save();
        cairo_translate(c.cr(), 8, 8);
        cairo_scale(c.cr(), 1.0, 0.35);
        c.circle(0, 0, 8);
        c.fillRadial(0, 0, 0, 8, {{0, Color::hex(0xFFFFFF, 1.0)}, {0.4, Color::hex(0xfff0c0, 0.6)}, {1, Color::hex(0xffe0a0, 0)}});
        c.restore();
        c.circle(11, 8, 2);
        c.fillPath(Color::hex(0xFFFFFF));
    });
    for (int s : {10, 20, 30, 40, 50, 60, 70, 80, 100}) {
        r.image(G + "score" + std::to_string(s) + ".png", [s](Canvas& c, const Asset& a) {
            const std::string t = std::to_string(s);
            TextStyle st = TextStyle::bright(TextPainter::fit(t, a.width - 6, a.height - 6, 22));
            st.outlineWidth = 1.3;
            st.glowRadius = 2;
            TextPainter::draw(c, t, a.width / 2.0, a.height / 2.0, st);
        });
    }
    r.strip(G + "particlechainlink.png", [](Canvas& c, int f, const Asset& a) {
        const double t = static_cast<double>(f) / a.frames;
        PanelKit::chainLink(c, 25, 25, 20, t * kPi * 0.9 + 0.3, std::fmod(t * 2, 1.0) * 2, Color::hex(0xc4ccd8));
    });
    r.image(G + "starinactive.png", [](Canvas& c, const Asset&) { starShape(c, false); });
    r.image(G + "staractive.png", [](Canvas& c, const Asset&) { starShape(c, true); });
    r.image(G + "click.png", [](Canvas& c, const Asset&) {
        TextStyle st = TextStyle::gold(28);
        st.glowRadius = 4;
        TextPainter::draw(c, "Click to continue", 150, 20, st);
    });
}

}  // namespace assetgen
