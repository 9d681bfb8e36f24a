#pragma once
#include <vector>

#include "Canvas.h"

namespace assetgen {

// The seven gems: each colour has its own shape (heart, square, teardrop,
// triangle, diamond, hexagon, round) so they stay apart without colour.
class GemPainter {
public:
    static constexpr double kCellRadius = 20.5;  // radius that fills a 50 x 50 cell

    static std::vector<Pt> outline(int type, double cx, double cy, double r, double rotation = 0);
    static void path(Canvas& c, int type, double cx, double cy, double r, double rotation = 0);
    // Faceted gem with highlight; the soft shadow is optional.
    static void draw(Canvas& c, int type, double cx, double cy, double r, double rotation = 0, bool shadow = true,
                     double sparkle = 1.0);
    // Faceted fill of any outline in a gem's colours.
    static void facets(Canvas& c, const std::vector<Pt>& outer, Pt centre, double r, int type, double rotation);
};

}  // namespace assetgen
