// Dialog panels, the parchment scroll and its hint pages, headings, the
// instructions overlay and the map clouds.

#include <cmath>
#include <functional>
#include <string>

#include "GemPainter.h"
#include "Generators.h"
#include "Noise.h"
#include "Palette.h"
#include "PanelKit.h"
#include "BonusPainter.h"
#include "Registry.h"
#include "Rng.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

const std::string G = "Data/graphics/";

void framedPanel(Canvas& c, const std::string& heading, uint64_t seed) {
    const double w = c.width(), h = c.height();
    PanelKit::woodPlate(c, 4, 4, w - 8, h - 10, 26, false, seed);
    PanelKit::parchment(c, 22, 22, w - 44, h - 46, seed + 1, 2.0);
    PanelKit::goldFrame(c, 30, 30, w - 60, h - 62, 10, 1.4);
    for (const Pt& p : {Pt{40, 40}, Pt{w - 40, 40}, Pt{40, h - 42}, Pt{w - 40, h - 42}}) {
        const double a = std::atan2(h / 2 - p.y, w / 2 - p.x) - kPi / 4;
        PanelKit::flourish(c, p.x, p.y, 16, a, Color::hex(0x8a5a20, 0.8));
    }
    TextStyle st = TextStyle::gold(TextPainter::fit(heading, w - 120, 60, 48));
    TextPainter::draw(c, heading, w / 2, 70, st);
}

void scrollBody(Canvas& c) {
    // Edges left and right wave a little; top and bottom vanish under the rollers.
    Noise n(88);
    std::vector<Pt> edge;
    for (double y = 0; y <= 360; y += 12) edge.push_back({6 + n.value1(y * 0.04) * 3, y});
    for (double y = 360; y >= 0; y -= 12) edge.push_back({494 + n.value1(50 + y * 0.04) * 3, y});
    c.smoothClosed(edge, 0.3);
    c.fillRadial(250, 180, 0, 320, {{0, Color::hex(0xfaeccb)}, {0.65, Color::hex(0xf0dbab)}, {1, Color::hex(0xc8985a)}});
    c.save();
    c.smoothClosed(edge, 0.3);
    cairo_clip(c.cr());
    Rng rng(89);
    for (int k = 0; k < 7; ++k) c.glowSpot(rng.range(20, 480), rng.range(20, 340), rng.range(15, 45), Color::hex(0xb07a3a, 0.1));
    c.rect(0, 0, 500, 360);
    c.fillLinear(0, 0, 500, 0, {{0, Color::hex(0x6a4018, 0.35)}, {0.06, Color::hex(0x6a4018, 0)}, {0.94, Color::hex(0x6a4018, 0)},
                                {1, Color::hex(0x6a4018, 0.35)}});
    c.restore();
    c.smoothClosed(edge, 0.3);
    c.strokePath(Color::hex(0x7a4a1e, 0.55), 1.2);
    c.paperTexture(90, 0.08);
}

// Small board cell painted at the given centre and size.
void miniGem(Canvas& c, int type, double x, double y, double s) {
    if (type >= 8) {
        Canvas t(50, 50);
        BonusPainter::still(t, type, 25, 25);
        c.drawScaled(t, x - s / 2, y - s / 2, s, s);
    } else {
        GemPainter::draw(c, type, x, y, s * 0.41, 0, true, s > 30 ? 1.0 : 0.6);
    }
}

void miniCell(Canvas& c, double x, double y, double s, int floor) {
    c.roundRect(x - s / 2, y - s / 2, s - 1, s - 1, 3);
    if (floor == 1) c.fillLinear(0, y - s / 2, 0, y + s / 2, {{0, Color::hex(0xc87a48)}, {1, Color::hex(0x8a4a24)}}, true);
    else if (floor == 2) c.fillLinear(0, y - s / 2, 0, y + s / 2, {{0, Color::hex(0xb4c0d6)}, {1, Color::hex(0x5a6884)}}, true);
    else c.fillPath(Color::hex(0x2a2c66, 0.8), true);
    c.strokePath(Color::hex(0x3a1e0e, 0.6), 0.8);
}

void hintPage(Canvas& c, const std::string& title, const std::string& text,
              const std::function<void(Canvas&)>& picture) {
    scrollBody(c);
    // Open, the upper roller hides the page's top 43 rows and the OK button its bottom 53: the
    // heading starts a good margin below the roller and the picture ends above the button.
    TextStyle head = TextStyle::ink(30);
    TextPainter::draw(c, title, 250, 72, head);
    c.rect(120, 94, 260, 1.5);
    c.fillPath(Color::hex(0x7a4a1e, 0.5));
    // Picture on the left in a soft frame, advice on the right.
    Canvas pic(170, 170);
    picture(pic);
    c.roundRect(30, 106, 178, 178, 12);
    c.fillPath(Color::hex(0x2a2050, 0.9), true);
    c.strokePath(Color::hex(0x8a5a20), 2);
    c.save();
    c.roundRect(30, 106, 178, 178, 12);
    cairo_clip(c.cr());
    c.draw(pic, 34, 110);
    c.restore();
    TextStyle body = TextStyle::ink(21);
    const auto lines = TextPainter::wrap(text, body.size, 250);
    double y = 195 - (static_cast<double>(lines.size()) - 1) * 27 / 2.0;
    for (const auto& line : lines) {
        TextPainter::draw(c, line, 345, y, body);
        y += 27;
    }
}

void grid3(Canvas& c, const int types[9], double cx, double cy, double s, int floor) {
    for (int i = 0; i < 9; ++i) {
        const double x = cx + (i % 3 - 1) * s, y = cy + (i / 3 - 1) * s;
        miniCell(c, x, y, s, floor);
        if (types[i]) miniGem(c, types[i], x, y, s);
    }
}

void header(Canvas& c, const std::string& text, double maxSize) {
    TextStyle st = TextStyle::gold(TextPainter::fit(text, c.width() - 30, c.height() - 24, maxSize));
    TextPainter::draw(c, text, c.width() / 2.0, c.height() / 2.0, st);
}

void cloud(Canvas& c, uint64_t seed) {
    // A flat-bottomed heap of puffs, each lit warm from above and shaded lavender below.
    Rng rng(seed);
    const double w = c.width(), h = c.height();
    const int puffs = rng.irange(4, 7);
    struct Puff { double x, y, r; };
    std::vector<Puff> list;
    const double base = h * 0.72;
    for (int i = 0; i < puffs; ++i) {
        const double t = (i + 0.5) / puffs;
        const double arch = std::sin(t * kPi);
        const double r = h * (0.16 + 0.2 * arch * rng.range(0.7, 1.2));
        list.push_back({w * (0.14 + 0.72 * t) + rng.range(-6, 6), base - r * rng.range(0.45, 0.8), r});
    }
    Canvas shape(c.width(), c.height());
    for (const Puff& p : list) shape.circle(p.x, p.y, p.r);
    shape.roundRect(w * 0.1, base - h * 0.14, w * 0.8, h * 0.14, h * 0.07);
    shape.fillPath(Color::hex(0xFFFFFF));
    Canvas body(c.width(), c.height());
    body.draw(shape, 0, 0);
    body.save();
    cairo_set_operator(body.cr(), CAIRO_OPERATOR_ATOP);
    body.rect(0, 0, w, h);
    body.fillLinear(0, h * 0.1, 0, base, {{0, Color::hex(0xfffaf0)}, {0.6, Color::hex(0xf2eefa)}, {1, Color::hex(0xb4acd8)}});
    for (const Puff& p : list) {
        body.circle(p.x - p.r * 0.25, p.y - p.r * 0.3, p.r * 0.7);
        body.fillRadial(p.x - p.r * 0.25, p.y - p.r * 0.3, 0, p.r * 0.7, {{0, Color::hex(0xffffff, 0.7)}, {1, Color::hex(0xffffff, 0)}});
        body.circle(p.x + p.r * 0.1, p.y + p.r * 0.55, p.r * 0.6);
        body.fillRadial(p.x + p.r * 0.1, p.y + p.r * 0.55, 0, p.r * 0.6, {{0, Color::hex(0xa098c8, 0.35)}, {1, Color::hex(0xa098c8, 0)}});
    }
    body.restore();
    body.blur(1.5);
    // Thin enough that a chapter's name drifting under one stays readable.
    Canvas halo = shape.copy();
    halo.blur(h * 0.06);
    c.draw(halo, 0, 0, 0.25);
    c.draw(body, 0, 0, 0.5);
}

}  // namespace

void registerPanelAssets(Registry& r) {
    r.image(G + "chooseplayer.png", [](Canvas& c, const Asset&) {
        framedPanel(c, "Choose Player", 301);
        // Inset for the list of names, dark like the night outside: the names are light under a
        // translucent grey box and the chosen one under a faint blue band, which only a dark
        // ground keeps readable. The list box, six rows of the UI font, stands 150 pixels in
        // from either side, centred between the heading and the buttons (120 to 456 here).
        c.roundRect(130, 110, 340, 356, 12);
        c.fillLinear(0, 110, 0, 466, {{0, Color::hex(0x1c1a44)}, {1, Color::hex(0x0e0e26)}}, true);
        c.strokePath(Color::hex(0xe8b860, 0.8), 2);
        c.roundRect(134, 114, 332, 20, 8);
        c.fillPath(Color::hex(0x000000, 0.25));
    });
    r.image(G + "whatisyourname.png", [](Canvas& c, const Asset&) {
        framedPanel(c, "What is your name?", 302);
        PanelKit::sparkle(c, 60, 150, 5, Color::hex(0xffd060, 0.8));
        PanelKit::sparkle(c, 390, 150, 5, Color::hex(0xffd060, 0.8));
        // A night-dark well where the typed name stands (its strip 50 pixels in from either
        // side, from 201 to 248): white letters on parchment would hardly show.
        c.roundRect(44, 195, 362, 60, 12);
        c.fillLinear(0, 195, 0, 255, {{0, Color::hex(0x1c1a44)}, {1, Color::hex(0x0e0e26)}}, true);
        c.strokePath(Color::hex(0xe8b860, 0.8), 2);
    });
    r.image(G + "scrollbody.png", [](Canvas& c, const Asset&) { scrollBody(c); });
    r.image(G + "selectlevel.png", [](Canvas& c, const Asset&) { header(c, "Select Level", 52); });
    r.image(G + "levelcomplete.png", [](Canvas& c, const Asset&) { header(c, "Level Complete!", 52); });
    r.image(G + "go.png", [](Canvas& c, const Asset&) {
        c.glowSpot(100, 50, 70, Color::hex(0xffb040, 0.5));
        for (int k = 0; k < 12; ++k) {
            const double a = k * kPi / 6;
            cairo_move_to(c.cr(), 100 + std::cos(a) * 30, 50 + std::sin(a) * 22);
            cairo_line_to(c.cr(), 100 + std::cos(a) * 92, 50 + std::sin(a) * 46);
            c.strokePath(Color::hex(0xfff0b0, 0.45), 3);
        }
        TextStyle st = TextStyle::gold(72);
        TextPainter::draw(c, "Go!", 100, 50, st);
    });
    r.image(G + "welldone.png", [](Canvas& c, const Asset&) { header(c, "Well done!", 56); });
    r.image(G + "clickhere.png", [](Canvas& c, const Asset&) {
        PanelKit::woodPlate(c, 4, 3, 232, 42, 14, false, 401);
        TextPainter::draw(c, "Click here to continue", 120, 23, TextStyle::plate(TextPainter::fit("Click here to continue", 205, 24, 21)));
    });
    r.image(G + "clickhereMO.png", [](Canvas& c, const Asset&) {
        PanelKit::woodPlate(c, 4, 3, 232, 42, 14, true, 401);
        TextStyle st = TextStyle::plate(TextPainter::fit("Click here to continue", 205, 24, 21));
        st.top = Color::hex(0xFFFFFF);
        st.glow = Color::hex(0xffd060, 0.7);
        st.glowRadius = 4;
        TextPainter::draw(c, "Click here to continue", 120, 23, st);
    });
    for (int i = 1; i <= 6; ++i)
        r.image(G + "clouds" + std::to_string(i) + ".png", [i](Canvas& c, const Asset&) { cloud(c, 600 + i); });

    r.image(G + "instructions.png", [](Canvas& c, const Asset&) {
        TextStyle head = TextStyle::gold(50);
        TextPainter::draw(c, "How to Play", 400, 62, head);
        const struct { double x, y; const char* text; } boxes[] = {
            {158, 140, "Swap two neighbouring gems to line up three or more of a kind."},
            {518, 140, "Every match wears away the brick beneath. Clear all the bricks to finish the level."},
            {158, 330, "Burst the gems that hide a Tumblet to set it free and fill the gauge."},
            {518, 330, "When the gauge is full you may make one diagonal swap."},
        };
        TextStyle body = TextStyle::ink(18);
        for (const auto& b : boxes) {
            // A thin frame just outside each example board.
            c.roundRect(b.x - 6, b.y - 6, 162, 112, 8);
            c.strokePath(Color::hex(0x7a4a1e, 0.7), 2);
            const auto lines = TextPainter::wrap(b.text, body.size, 345);
            double y = b.y + 122;
            for (const auto& line : lines) {
                TextPainter::draw(c, line, b.x + 75, y, body);
                y += 22;
            }
        }
    });

    // Non-breaking spaces keep "3 x 3" on one line.
    r.image(G + "hint_lion.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Lion", "Use the lion to clear the 3\u00A0x\u00A03 block of gems around it with one mighty roar.", [](Canvas& p) {
            const int t[9] = {1, 3, 2, 4, 8, 5, 6, 2, 7};
            grid3(p, t, 85, 85, 44, 0);
            p.roundRect(17, 17, 136, 136, 12);
            p.strokePath(Color::hex(0xffd060, 0.9), 3);
        });
    });
    r.image(G + "hint_key.png", [](Canvas& c, const Asset&) {
        hintPage(c, "Locked Gems", "Chained gems cannot be moved. Match them to break the lock, or open one with the key.", [](Canvas& p) {
            miniCell(p, 60, 95, 60, 0);
            GemPainter::draw(p, 5, 60, 95, 24);
            for (int d = 0; d < 2; ++d)
                for (int i = 0; i < 5; ++i) {
                    const double t = (i + 0.5) / 5;
                    PanelKit::chainLink(p, 34 + t * 52, d ? 121 - t * 52 : 69 + t * 52, 12, d ? -kPi / 4 : kPi / 4, i % 2,
                                        Color::hex(0xc4ccd8));
                }
            miniGem(p, 14, 130, 50, 56);
            cairo_move_to(p.cr(), 118, 78);
            cairo_curve_to(p.cr(), 112, 92, 104, 100, 92, 104);
            p.strokePath(Color::hex(0xffd060), 3);
        });
    });
    r.image(G + "hint_fireball.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Horn", "Blow the horn and two fireballs sweep along its row, bursting every gem they meet.", [](Canvas& p) {
            const int row[4] = {2, 9, 4, 1};
            for (int i = 0; i < 4; ++i) {
                miniCell(p, 22 + i * 42, 85, 42, 0);
                miniGem(p, row[i], 22 + i * 42, 85, 42);
            }
            p.save();
            cairo_translate(p.cr(), 130, 40);
            BonusPainter::fireball(p, 0.3, 0.9);
            p.restore();
            p.save();
            cairo_translate(p.cr(), 40, 135);
            cairo_scale(p.cr(), -1, 1);
            BonusPainter::fireball(p, 0.6, 0.9);
            p.restore();
        });
    });
    r.image(G + "hint_axe.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Axe", "Pick up the axe and click any cell to break the brick beneath it.", [](Canvas& p) {
            miniCell(p, 85, 110, 70, 1);
            GemPainter::draw(p, 2, 85, 110, 27);
            miniGem(p, 13, 110, 45, 60);
            for (int k = 0; k < 5; ++k) {
                const double a = -kPi / 2 + (k - 2) * 0.5;
                cairo_move_to(p.cr(), 85 + std::cos(a) * 42, 110 + std::sin(a) * 42 + 30);
                cairo_line_to(p.cr(), 85 + std::cos(a) * 52, 110 + std::sin(a) * 52 + 30);
                p.strokePath(Color::hex(0xffe080), 2);
            }
        });
    });
    r.image(G + "hint_tornado.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Tornado", "The tornado whirls down its column and sweeps every gem away.", [](Canvas& p) {
            const int col[4] = {3, 10, 6, 1};
            for (int i = 0; i < 4; ++i) {
                miniCell(p, 85, 22 + i * 42, 42, 0);
                miniGem(p, col[i], 85, 22 + i * 42, 42);
            }
            p.save();
            cairo_translate(p.cr(), 140, 110);
            BonusPainter::tornado(p, 0.4, 1.0);
            p.restore();
        });
    });
    r.image(G + "hint_doubleaxe.png", [](Canvas& c, const Asset&) {
        hintPage(c, "Armour", "Armoured bricks are tough: they need two hits before they are gone.", [](Canvas& p) {
            miniCell(p, 50, 95, 64, 2);
            for (double x : {27.0, 73.0})
                for (double y : {72.0, 118.0}) PanelKit::rivet(p, x, y, 3);
            TextPainter::draw(p, "x2", 50, 95, TextStyle::gold(30));
            miniCell(p, 125, 95, 52, 1);
            cairo_move_to(p.cr(), 88, 95);
            cairo_line_to(p.cr(), 100, 95);
            p.strokePath(Color::hex(0xffd060), 3);
        });
    });
    r.image(G + "hint_star.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Star", "Carry the star to any gem you like and it will vanish in a shower of sparkles.", [](Canvas& p) {
            const int t[9] = {4, 1, 6, 2, 0, 3, 5, 7, 2};
            grid3(p, t, 85, 95, 44, 0);
            for (int k = 0; k < 8; ++k) PanelKit::sparkle(p, 85 + std::cos(k * 0.8) * 16, 95 + std::sin(k * 0.8) * 16, 4, Color::hex(0xfff4c0));
            miniGem(p, 11, 130, 35, 50);
        });
    });
    r.image(G + "hint_vines.png", [](Canvas& c, const Asset&) {
        hintPage(c, "The Paint Pot", "Tip the paint pot to wash away the bricks of the 3\u00A0x\u00A03 block around it.", [](Canvas& p) {
            const int t[9] = {0, 0, 0, 0, 12, 0, 0, 0, 0};
            grid3(p, t, 85, 85, 44, 1);
            for (int k = 0; k < 6; ++k) {
                p.circle(40 + k * 19, 140 + (k % 2) * 6, 5);
                p.fillPath(k % 3 == 0 ? Color::hex(0xe83848) : (k % 3 == 1 ? Color::hex(0xffd23a) : Color::hex(0x3aa0ff)));
            }
        });
    });
    r.image(G + "hint_gaugefull.png", [](Canvas& c, const Asset&) {
        hintPage(c, "Diagonal Move", "The gauge is full! You may now make one diagonal swap.", [](Canvas& p) {
            GemPainter::draw(p, 1, 55, 55, 22);
            GemPainter::draw(p, 4, 115, 115, 22);
            cairo_move_to(p.cr(), 72, 72);
            cairo_line_to(p.cr(), 98, 98);
            p.strokePath(Color::hex(0xffe080), 4);
            for (Pt a : {Pt{72, 72}, Pt{98, 98}}) {
                const double dir = a.x < 85 ? -1 : 1;
                p.polygon({a + Pt{dir * 8, dir * 8}, a + Pt{-dir * 2, dir * 10}, a + Pt{dir * 10, -dir * 2}});
                p.fillPath(Color::hex(0xffe080));
            }
            PanelKit::sparkle(p, 135, 40, 7, Color::hex(0xFFFFFF));
            PanelKit::sparkle(p, 35, 135, 6, Color::hex(0xFFFFFF));
        });
    });
    r.image(G + "hint_removebricks.png", [](Canvas& c, const Asset&) {
        hintPage(c, "Nearly There", "Only a few bricks are left. Clear them all to win the level!", [](Canvas& p) {
            const int floors[9] = {0, 0, 1, 0, 0, 0, 1, 0, 0};
            const int t[9] = {2, 5, 3, 6, 1, 4, 7, 2, 5};
            for (int i = 0; i < 9; ++i) {
                const double x = 85 + (i % 3 - 1) * 46, y = 85 + (i / 3 - 1) * 46;
                miniCell(p, x, y, 46, floors[i]);
                miniGem(p, t[i], x, y, 46);
                if (floors[i]) {
                    p.roundRect(x - 23, y - 23, 45, 45, 4);
                    p.strokePath(Color::hex(0xffd060), 2.5);
                }
            }
        });
    });
    r.image(G + "hint_hint.png", [](Canvas& c, const Asset&) {
        hintPage(c, "Stuck?", "Press the Hint button and a gem you can move will wobble.", [](Canvas& p) {
            const int t[9] = {3, 1, 3, 5, 3, 2, 4, 6, 7};
            grid3(p, t, 85, 80, 44, 0);
            p.roundRect(41 + 44 - 22, 36 + 44 - 22 - 44, 44, 88, 10);
            p.strokePath(Color::hex(0xffe080), 3);
            PanelKit::woodPlate(p, 55, 130, 60, 32, 9, true, 7);
            TextPainter::draw(p, "Hint", 85, 145, TextStyle::plate(17));
        });
    });
}

}  // namespace assetgen
