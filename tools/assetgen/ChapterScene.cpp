#include "ChapterScene.h"

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

}  // namespace

void ChapterScene::landmark(Canvas& c, int chapter, double x, double gy, double s) {
    Rng rng("landmark", static_cast<uint64_t>(chapter));
    switch (chapter) {
        case 1:
            SceneKit::cottage(c, x - 70 * s, gy - 6 * s, 0.9 * s, C(0xd8b890), C(0x8a3a2a), true);
            SceneKit::cottage(c, x + 60 * s, gy - 10 * s, 0.8 * s, C(0xc8a888), C(0x5a4a8a), true);
            SceneKit::cottage(c, x, gy, 1.2 * s, C(0xe8c8a0), C(0xa8402a), true);
            SceneKit::lanternPost(c, x - 120 * s, gy + 6 * s, 70 * s, true);
            SceneKit::lanternPost(c, x + 110 * s, gy + 4 * s, 64 * s, true);
            break;
        case 2:
            SceneKit::windmill(c, x, gy, 1.1 * s, 0.35);
            SceneKit::cottage(c, x + 80 * s, gy + 6 * s, 0.7 * s, C(0xd8c0a0), C(0x7a3a2a), true);
            SceneKit::lanternPost(c, x - 60 * s, gy + 8 * s, 60 * s, true);
            break;
        case 3:
            SceneKit::roundTree(c, x, gy + 10 * s, 230 * s, C(0x14362c), C(0x8ae0c0), 33);
            for (int k = 0; k < 7; ++k)
                SceneKit::mushroom(c, x + (k - 3) * 26 * s + rng.range(-6, 6), gy + 12 * s + rng.range(-4, 6), rng.range(0.8, 1.5) * s,
                                   k % 2 ? C(0x60e0ff) : C(0xff70c0));
            break;
        case 4:
            SceneKit::bridge(c, x - 130 * s, gy - 40 * s, 260 * s, 56 * s, C(0x9a8ca8));
            SceneKit::lanternPost(c, x - 110 * s, gy - 46 * s, 50 * s, true);
            SceneKit::lanternPost(c, x + 100 * s, gy - 46 * s, 50 * s, true);
            break;
        case 5:
            for (int k = 0; k < 9; ++k)
                SceneKit::paperLantern(c, x + rng.range(-150, 150) * s, gy + rng.range(-150, -20) * s, rng.range(5, 9) * s,
                                       k % 3 ? C(0xffa040) : C(0xff7050));
            break;
        case 6:
            for (int k = 0; k < 5; ++k) {
                const double a = kPi + k * kPi / 4;
                SceneKit::standingStone(c, x + std::cos(a) * 110 * s, gy + std::sin(a) * -10 * s - 6 * s, 30 * s,
                                        rng.range(60, 90) * s, C(0x8a8aa0));
            }
            SceneKit::lanternPost(c, x, gy + 6 * s, 60 * s, true);
            break;
        case 7:
            SceneKit::tower(c, x, gy, 1.1 * s);
            SceneKit::owl(c, x + 40 * s, gy - 150 * s, 1.4 * s);
            cairo_move_to(c.cr(), x + 20 * s, gy - 135 * s);
            cairo_line_to(c.cr(), x + 70 * s, gy - 140 * s);
            c.strokePath(C(0x2a1a10), 3 * s);
            break;
        case 8: {
            // Cliff with a cave mouth full of crystals.
            cairo_move_to(c.cr(), x - 160 * s, gy + 10 * s);
            cairo_curve_to(c.cr(), x - 140 * s, gy - 150 * s, x + 120 * s, gy - 190 * s, x + 170 * s, gy + 10 * s);
            cairo_close_path(c.cr());
            c.fillLinear(0, gy - 180 * s, 0, gy, {{0, C(0x4a3a6a)}, {1, C(0x1e1830)}}, true);
            c.strokePath(C(0x80f0e0).withAlpha(0.4), 2);
            cairo_move_to(c.cr(), x - 55 * s, gy + 5 * s);
            cairo_curve_to(c.cr(), x - 55 * s, gy - 95 * s, x + 55 * s, gy - 95 * s, x + 55 * s, gy + 5 * s);
            cairo_close_path(c.cr());
            c.fillPath(C(0x0c0a18));
            SceneKit::crystals(c, x, gy, 1.0 * s, C(0x60e8e0), 8);
            SceneKit::crystals(c, x - 110 * s, gy + 6 * s, 0.7 * s, C(0xc070ff), 9);
            SceneKit::crystals(c, x + 115 * s, gy + 8 * s, 0.6 * s, C(0xff80c0), 10);
            break;
        }
        case 9:
            SceneKit::shootingStar(c, x + 60 * s, gy - 260 * s, 120 * s, 0.5);
            SceneKit::shootingStar(c, x - 90 * s, gy - 200 * s, 80 * s, 0.6);
            SceneKit::lanternPost(c, x, gy + 6 * s, 64 * s, true);
            break;
        default:
            SceneKit::castle(c, x, gy, 1.0 * s);
            break;
    }
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
    const bool wet = chapter == 4 || chapter == 5;
    if (wet) SceneKit::water(c, 400, 600, C(L.horizon).mix(C(L.mid), 0.5).darker(0.2), C(L.far).darker(0.4), 40 + chapter);
    if (chapter == 5) {
        // Reflections of the lanterns on the lake.
        for (int k = 0; k < 14; ++k) {
            const double x = rng.range(0, w), y = rng.range(420, 560);
            c.glowSpot(x, y, rng.range(14, 26), C(0xffa040).withAlpha(0.45));
            SceneKit::paperLantern(c, x, y - 6, rng.range(3, 6), C(0xffa040));
        }
    }
    std::vector<Pt> mid;
    if (!wet) {
        mid = SceneKit::hills(c, Rng::hash("mid", chapter), 430, 35, 200, C(L.mid1), C(L.mid1Low), C(L.rim).withAlpha(0.45));
        SceneKit::treesAlong(c, mid, Rng::hash("midtrees", chapter), 0, w, 60, 46, C(L.mid1).darker(0.25), C(L.rim), L.pines);
    }
    if (chapter == 6) SceneKit::mist(c, 400, 120, Color::hex(0xe8e0f0, 0.55), 61);
    const double gy = title ? 470 : (wet ? 430 : SceneKit::ridgeY(mid, lx) + 10);
    landmark(c, chapter, lx, gy, ls);
    // Foreground bank.
    const auto near = SceneKit::hills(c, Rng::hash("near", chapter), title ? 530 : 540, 22, 170, C(L.near), C(L.nearLow),
                                      C(L.rim).withAlpha(0.35));
    if (chapter == 3) {
        for (int k = 0; k < 9; ++k)
            SceneKit::mushroom(c, rng.range(20, 780), SceneKit::ridgeY(near, rng.range(20, 780)) + 14, rng.range(0.6, 1.1),
                               k % 2 ? C(0x60e0ff) : C(0xff70c0));
    }
    if (chapter == 9 || chapter == 2) SceneKit::flowers(c, rng, 160, 0, 520, w, 600);
    if (!title) {
        SceneKit::lanternPost(c, (chapter % 2) ? 740 : 50, SceneKit::ridgeY(near, (chapter % 2) ? 740 : 50) + 20, 80, true);
    }
    SceneKit::fireflies(c, rng, chapter == 3 ? 40 : 18, 0, 300, w, 560);
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
