#pragma once
#include "Color.h"

namespace assetgen {

// How a piece of drawn text looks: a vertical gradient fill, an outline, and
// optional drop shadow and glow.
struct TextStyle {
    double size = 32;
    Color top = Color::hex(0xFFF1C0);
    Color bottom = Color::hex(0xF2A93B);
    Color outline = Color::hex(0x3A1E0E);
    double outlineWidth = 3;
    Color shadow = Color::hex(0x000000, 0.55);
    double shadowDx = 2, shadowDy = 3, shadowBlur = 3;
    Color glow = Color::hex(0xFFC860, 0.0);
    double glowRadius = 0;
    double letterSpacing = 0;

    static TextStyle gold(double size);
    static TextStyle ink(double size);       // dark brown on parchment
    static TextStyle plate(double size);     // cream label on wood
    static TextStyle bright(double size);    // pale, for additive pop-ups
};

}  // namespace assetgen
