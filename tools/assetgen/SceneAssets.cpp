// Full-screen pictures: chapter backgrounds and title pictures, the title and
// loading screens, the open book, the map, the instructions backdrop and the
// closing picture.

#include <cmath>
#include <string>

#include "ChapterScene.h"
#include "Generators.h"
#include "MapPainter.h"
#include "Noise.h"
#include "PanelKit.h"
#include "Registry.h"
#include "Rng.h"
#include "SceneKit.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

const std::string G = "Data/graphics/";

// Shared dusk valley used by the title, loading and closing pictures.
void valley(Canvas& c, uint64_t seed, int lanterns, bool castle, double moonX = 690) {
    Rng rng(seed);
    SceneKit::sky(c, Color::hex(0x1a1a4c), Color::hex(0x6a3a7c), Color::hex(0xffa868), 400);
    SceneKit::stars(c, rng, 180, 300);
    SceneKit::moon(c, moonX, 70, 26, Color::hex(0xffd8a0));
    const auto far = SceneKit::hills(c, seed + 1, 340, 45, 260, Color::hex(0x5a3a70), Color::hex(0x3a2656), Color::hex(0xffc090, 0.5));
    SceneKit::treesAlong(c, far, seed + 2, 0, 800, 24, 24, Color::hex(0x44305a), Color::hex(0xffc090), false);
    if (castle) SceneKit::castle(c, 600, SceneKit::ridgeY(far, 600) + 30, 0.55);
    SceneKit::water(c, 395, 470, Color::hex(0xd08a78), Color::hex(0x4a3a6a), seed + 3);
    const auto mid = SceneKit::hills(c, seed + 4, 450, 30, 220, Color::hex(0x2e3a4a), Color::hex(0x1c2634), Color::hex(0xffb080, 0.45));
    SceneKit::treesAlong(c, mid, seed + 5, 0, 800, 70, 44, Color::hex(0x1e2a30), Color::hex(0xffb080), false);
    SceneKit::cottage(c, 120, SceneKit::ridgeY(mid, 120) + 14, 0.7, Color::hex(0xd8b890), Color::hex(0x8a3a2a), true);
    SceneKit::cottage(c, 205, SceneKit::ridgeY(mid, 205) + 16, 0.55, Color::hex(0xc8a888), Color::hex(0x5a4a8a), true);
    SceneKit::lanternPost(c, 260, SceneKit::ridgeY(mid, 260) + 14, 52, true);
    for (int k = 0; k < lanterns; ++k) {
        const double y = rng.range(120, 400);
        SceneKit::paperLantern(c, rng.range(260, 790), y, rng.range(3, 7) * (0.6 + y / 500), k % 4 ? Color::hex(0xffa040) : Color::hex(0xff7050));
    }
    SceneKit::hills(c, seed + 6, 535, 14, 180, Color::hex(0x1e2a22), Color::hex(0x0e1410), Color::hex(0xffb080, 0.3));
    SceneKit::fireflies(c, rng, 24, 0, 420, 800, 580);
}

void book(Canvas& c) {
    Rng rng("book");
    // Desk.
    c.rect(0, 0, 800, 600);
    c.fillLinear(0, 0, 0, 600, {{0, Color::hex(0x3a2418)}, {1, Color::hex(0x24140c)}});
    Noise n(77);
    for (int k = 0; k < 90; ++k) {
        const double y = rng.range(0, 600);
        std::vector<Pt> line;
        for (double x = -10; x <= 810; x += 20) line.push_back({x, y + n.fbm1(x * 0.01 + k, 2) * 6});
        c.smoothOpen(line);
        c.strokePath(Color::hex(0x120804, rng.range(0.15, 0.35)), rng.range(0.6, 1.6));
    }
    c.glowSpot(720, 170, 380, Color::hex(0xffa040, 0.35));
    // Candle on the right of the desk.
    c.glowSpot(735, 150, 90, Color::hex(0xffc060, 0.6));
    c.roundRect(720, 170, 30, 110, 5);
    c.fillLinear(720, 0, 750, 0, {{0, Color::hex(0xfff0d8)}, {1, Color::hex(0xc8b090)}}, true);
    c.strokePath(Color::hex(0x3a2010), 1);
    c.ellipse(735, 284, 40, 10);
    c.fillLinear(0, 274, 0, 294, {{0, Color::hex(0xd8a040)}, {1, Color::hex(0x7a4a10)}}, true);
    c.strokePath(Color::hex(0x3a2010), 1);
    c.ellipse(735, 153, 6, 14);
    c.fillRadial(735, 156, 0, 14, {{0, Color::hex(0xfffff0)}, {0.5, Color::hex(0xffd060)}, {1, Color::hex(0xff8020, 0.2)}});
    // Quill and ink pot.
    c.ellipse(730, 510, 26, 8);
    c.fillPath(Color::hex(0x000000, 0.4));
    c.roundRect(710, 470, 40, 40, 8);
    c.fillLinear(710, 0, 750, 0, {{0, Color::hex(0x3a4a8a)}, {1, Color::hex(0x141c3a)}}, true);
    c.strokePath(Color::hex(0x0a0a14), 1.2);
    cairo_move_to(c.cr(), 730, 472);
    cairo_curve_to(c.cr(), 745, 420, 770, 380, 790, 350);
    c.strokePath(Color::hex(0xe8e0d0), 2);
    cairo_move_to(c.cr(), 738, 440);
    cairo_curve_to(c.cr(), 770, 400, 785, 370, 790, 350);
    cairo_curve_to(c.cr(), 760, 380, 745, 410, 738, 440);
    c.fillPath(Color::hex(0xf4ecdc, 0.9));

    // The book: leather cover, a narrow left page, a wide right page for the text.
    Canvas sh(800, 600);
    sh.roundRect(24, 22, 648, 566, 16);
    sh.fillPath(Color::hex(0x000000, 0.7));
    sh.blur(10);
    c.draw(sh, 6, 8);
    c.roundRect(18, 14, 648, 570, 16);
    c.fillLinear(0, 14, 0, 584, {{0, Color::hex(0x8a2a30)}, {1, Color::hex(0x4a1018)}}, true);
    c.strokePath(Color::hex(0x200608), 2);
    PanelKit::goldFrame(c, 26, 22, 632, 554, 12, 1.5);
    // Page stacks.
    for (int k = 4; k >= 0; --k) {
        c.roundRect(36 + k, 30 + k, 608 - k, 540 - k, 6);
        c.fillPath(Color::hex(0xd8c090).darker(k * 0.04), true);
        c.strokePath(Color::hex(0x8a6a3a, 0.5), 0.7);
    }
    // Left page (foreshortened) and right page.
    Canvas pages(800, 600);
    cairo_move_to(pages.cr(), 40, 40);
    cairo_curve_to(pages.cr(), 110, 30, 180, 36, 220, 46);
    cairo_line_to(pages.cr(), 220, 560);
    cairo_curve_to(pages.cr(), 180, 552, 110, 548, 40, 556);
    cairo_close_path(pages.cr());
    pages.fillLinear(40, 0, 220, 0, {{0, Color::hex(0xf0dcb0)}, {0.8, Color::hex(0xe8d0a0)}, {1, Color::hex(0xb89460)}});
    cairo_move_to(pages.cr(), 224, 46);
    cairo_curve_to(pages.cr(), 330, 32, 520, 30, 638, 36);
    cairo_line_to(pages.cr(), 638, 562);
    cairo_curve_to(pages.cr(), 520, 556, 330, 556, 224, 560);
    cairo_close_path(pages.cr());
    pages.fillLinear(224, 0, 638, 0, {{0, Color::hex(0xc8a878)}, {0.04, Color::hex(0xf2e2bc)}, {0.5, Color::hex(0xf8ead0)}, {1, Color::hex(0xeed8ac)}});
    pages.paperTexture(78, 0.07);
    c.draw(pages, 0, 0);
    // Gutter shadow.
    c.rect(206, 40, 34, 525);
    c.fillLinear(206, 0, 240, 0, {{0, Color::hex(0x5a3a18, 0)}, {0.45, Color::hex(0x5a3a18, 0.45)}, {0.55, Color::hex(0x5a3a18, 0.4)}, {1, Color::hex(0x5a3a18, 0)}});
    // Left page: a small lantern vignette and faint lines of text.
    SceneKit::paperLantern(c, 130, 150, 16, Color::hex(0xffa040));
    cairo_move_to(c.cr(), 130, 80);
    cairo_line_to(c.cr(), 130, 130);
    c.strokePath(Color::hex(0x5a3418), 1.5);
    PanelKit::flourish(c, 90, 240, 18, 0.8, Color::hex(0x8a5a2a, 0.7));
    PanelKit::flourish(c, 170, 240, 18, 2.4, Color::hex(0x8a5a2a, 0.7));
    for (int k = 0; k < 11; ++k) {
        const double y = 290 + k * 22, len = rng.range(90, 140);
        c.rect(60, y, len, 2);
        c.fillPath(Color::hex(0x8a6a4a, 0.25));
    }
    // The book's text is written in white: an evening wash over the writing area keeps it
    // readable on the pale page.
    Canvas wash(800, 600);
    wash.roundRect(238, 52, 364, 482, 20);
    wash.fillPath(Color::hex(0x2a1606, 0.66));
    wash.blur(9);
    c.draw(wash, 0, 0);
    // Right page border, kept outside the writing area.
    c.rect(612, 44, 1.5, 512);
    c.rect(232, 42, 376, 1.2);
    c.rect(232, 540, 376, 1.2);
    c.fillPath(Color::hex(0x8a5a2a, 0.45));
    PanelKit::flourish(c, 612, 44, 14, kPi / 2, Color::hex(0x8a5a2a, 0.7));
    PanelKit::flourish(c, 612, 540, 14, kPi, Color::hex(0x8a5a2a, 0.7));
    // Ribbon bookmark.
    c.polygon({{580, 556}, {596, 556}, {596, 596}, {588, 588}, {580, 596}});
    c.fillPath(Color::hex(0xb0303a), true);
    c.strokePath(Color::hex(0x400a10), 1);
    c.paperTexture(79, 0.04);
}

void parchmentBackdrop(Canvas& c) {
    c.rect(0, 0, 800, 600);
    c.fillRadial(400, 300, 0, 520, {{0, Color::hex(0xf8ead0)}, {0.7, Color::hex(0xecd6a8)}, {1, Color::hex(0xb88a50)}});
    Rng rng("backdrop");
    for (int k = 0; k < 10; ++k) c.glowSpot(rng.range(0, 800), rng.range(0, 600), rng.range(30, 90), Color::hex(0xb07a3a, 0.1));
    // A faint wash of the Vale along the bottom.
    Canvas wash(800, 600);
    SceneKit::hills(wash, 5, 540, 25, 220, Color::hex(0x8aa8a0), Color::hex(0x8aa8a0), Color::hex(0x8aa8a0, 0));
    SceneKit::hills(wash, 6, 570, 15, 160, Color::hex(0x6a8a88), Color::hex(0x6a8a88), Color::hex(0x6a8a88, 0));
    c.draw(wash, 0, 0, 0.3);
    PanelKit::goldFrame(c, 14, 14, 772, 572, 14, 2);
    for (const Pt& p : {Pt{30, 30}, Pt{770, 30}, Pt{30, 570}, Pt{770, 570}}) {
        const double a = std::atan2(300 - p.y, 400 - p.x) - kPi / 4;
        PanelKit::flourish(c, p.x, p.y, 22, a, Color::hex(0x8a5a20, 0.8));
    }
    c.paperTexture(80, 0.09);
}

}  // namespace

void registerSceneAssets(Registry& r) {
    for (int ch = 1; ch <= 10; ++ch) {
        r.image(G + "bg" + std::to_string(ch) + ".jpg",
                [ch](Canvas& c, const Asset&) { ChapterScene::paint(c, ch, ChapterScene::Framing::PlayBackground); });
        r.image(G + "chpt " + std::to_string(ch) + ".jpg",
                [ch](Canvas& c, const Asset&) { ChapterScene::paint(c, ch, ChapterScene::Framing::TitlePicture); });
    }
    r.image(G + "chpt 0.jpg", [](Canvas& c, const Asset&) { ChapterScene::introduction(c); });
    r.image(G + "title.jpg", [](Canvas& c, const Asset&) {
        valley(c, 1000, 16, true, 700);
        SceneKit::logo(c, 505, 150, 76);
        SceneKit::finish(c, 1001);
    });
    r.image(G + "loadingscreen.jpg", [](Canvas& c, const Asset&) {
        valley(c, 2000, 12, true);
        SceneKit::logo(c, 400, 210, 96);
        // The strip under the logo stays calm for the loading bar and button.
        c.rect(0, 460, 800, 140);
        c.fillLinear(0, 460, 0, 600, {{0, Color::hex(0x0e1410, 0)}, {0.25, Color::hex(0x0e1410, 0.7)}, {1, Color::hex(0x0a0e0c, 0.85)}});
        SceneKit::finish(c, 2001);
    });
    r.image(G + "outropic.jpg", [](Canvas& c, const Asset&) {
        valley(c, 3000, 40, true);
        TextStyle st = TextStyle::gold(48);
        TextPainter::draw(c, "Every lantern shines again", 400, 80, st);
        c.rect(0, 520, 800, 80);
        c.fillLinear(0, 520, 0, 600, {{0, Color::hex(0x0a0e0c, 0)}, {1, Color::hex(0x0a0e0c, 0.7)}});
        SceneKit::finish(c, 3001);
    });
    r.image(G + "book open.jpg", [](Canvas& c, const Asset&) { book(c); });
    r.image(G + "background.jpg", [](Canvas& c, const Asset&) { parchmentBackdrop(c); });
    r.image(G + "levelselect.jpg", [](Canvas& c, const Asset&) { MapPainter::paint(c); });
}

}  // namespace assetgen
