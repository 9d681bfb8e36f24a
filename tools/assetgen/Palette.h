#pragma once
#include "Color.h"

namespace assetgen {

// The Vale's shared colours: warm lantern light against dusk blues and violets.
struct Palette {
    static Color night() { return Color::hex(0x141833); }
    static Color indigo() { return Color::hex(0x262a5e); }
    static Color violet() { return Color::hex(0x4a3472); }
    static Color dusk() { return Color::hex(0xb45f7a); }
    static Color amber() { return Color::hex(0xf2a93b); }
    static Color gold() { return Color::hex(0xffd36b); }
    static Color cream() { return Color::hex(0xfff2d2); }
    static Color parchment() { return Color::hex(0xf1ddb0); }
    static Color parchmentDark() { return Color::hex(0xd9b77c); }
    static Color ink() { return Color::hex(0x4a2612); }
    static Color wood() { return Color::hex(0x8a5330); }
    static Color woodDark() { return Color::hex(0x4e2b16); }
    static Color lantern() { return Color::hex(0xffb84d); }

    // Gem colours 1..7: red, green, blue, yellow, purple, orange, white.
    static Color gem(int type);
    static Color gemLight(int type);
    static Color gemDark(int type);
};

}  // namespace assetgen
