#pragma once
#include <cstdint>
#include <vector>

#include "Canvas.h"

namespace assetgen {

class Rng;

// Storybook landscape pieces: skies, hills, trees, cottages, lanterns and the
// landmarks of the Vale's chapters, plus the game's logo.
class SceneKit {
public:
    static void sky(Canvas& c, const Color& top, const Color& mid, const Color& horizon, double horizonY);
    static void stars(Canvas& c, Rng& rng, int count, double maxY);
    static void moon(Canvas& c, double x, double y, double r, const Color& glow);
    // Filled hill band whose ridge wanders around baseY; returns the ridge.
    static std::vector<Pt> hills(Canvas& c, uint64_t seed, double baseY, double amplitude, double wavelength,
                                 const Color& top, const Color& bottom, const Color& rim);
    static double ridgeY(const std::vector<Pt>& ridge, double x);
    static void roundTree(Canvas& c, double x, double groundY, double h, const Color& col, const Color& rim, uint64_t seed);
    static void pine(Canvas& c, double x, double groundY, double h, const Color& col, const Color& rim);
    static void treesAlong(Canvas& c, const std::vector<Pt>& ridge, uint64_t seed, double x0, double x1, double spacing,
                           double h, const Color& col, const Color& rim, bool pines);
    static void cottage(Canvas& c, double x, double groundY, double s, const Color& wall, const Color& roof, bool lit);
    static void lanternPost(Canvas& c, double x, double groundY, double h, bool lit);
    static void paperLantern(Canvas& c, double x, double y, double s, const Color& col);
    static void windmill(Canvas& c, double x, double groundY, double s, double blades, bool lit = true);
    static void bridge(Canvas& c, double x, double y, double w, double h, const Color& stone);
    static void tower(Canvas& c, double x, double groundY, double s);
    static void castle(Canvas& c, double x, double groundY, double s);
    // `glow` 0 to 1: how much light the crystals (or a mushroom's cap) give; at 0 only a faint
    // sparkle is left.
    static void crystals(Canvas& c, double x, double groundY, double s, const Color& col, uint64_t seed,
                         double glow = 1.0);
    // `stalk` lengthens the stem (1: a toadstool's).
    static void mushroom(Canvas& c, double x, double groundY, double s, const Color& cap, double glow = 1.0,
                         double stalk = 1.0);
    static void standingStone(Canvas& c, double x, double groundY, double w, double h, const Color& col);
    static void owl(Canvas& c, double x, double y, double s);
    static void heroine(Canvas& c, double x, double groundY, double s, bool lanternLit);
    static void water(Canvas& c, double y0, double y1, const Color& top, const Color& bottom, uint64_t seed);
    static void fireflies(Canvas& c, Rng& rng, int count, double x0, double y0, double x1, double y1);
    static void mist(Canvas& c, double y, double h, const Color& col, uint64_t seed);
    static void shootingStar(Canvas& c, double x, double y, double len, double angle);
    static void flowers(Canvas& c, Rng& rng, int count, double x0, double y0, double x1, double y1);
    static void vignette(Canvas& c, double strength);
    static void finish(Canvas& c, uint64_t seed);
    static void logo(Canvas& c, double cx, double cy, double size);
    static void banner(Canvas& c, double cx, double cy, double w, const char* text);
};

}  // namespace assetgen
