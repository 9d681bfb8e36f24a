#pragma once
#include <cstdint>

#include "Canvas.h"

namespace assetgen {

// Wood, parchment, metal and glow pieces shared by buttons, panels and props.
class PanelKit {
public:
    // Wooden plate with grain, bevel and a thin gold inlay; lit = mouse-over look.
    static void woodPlate(Canvas& c, double x, double y, double w, double h, double radius, bool lit, uint64_t seed);
    // Parchment sheet with slightly irregular edges, fibres and foxing.
    static void parchment(Canvas& c, double x, double y, double w, double h, uint64_t seed, double wobble = 3.0);
    // Engraved gold frame line around a rectangle.
    static void goldFrame(Canvas& c, double x, double y, double w, double h, double radius, double width);
    // Chain link seen at an angle: turn 0 = face on, 1 = edge on.
    static void chainLink(Canvas& c, double cx, double cy, double length, double angle, double turn, const Color& metal);
    static void rivet(Canvas& c, double x, double y, double r);
    // Small decorative corner flourish.
    static void flourish(Canvas& c, double x, double y, double size, double angle, const Color& col);
    static void sparkle(Canvas& c, double x, double y, double size, const Color& col);
};

}  // namespace assetgen
