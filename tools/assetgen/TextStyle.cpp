#include "TextStyle.h"

namespace assetgen {

TextStyle TextStyle::gold(double size) {
    TextStyle s;
    s.size = size;
    s.outlineWidth = size * 0.09;
    s.shadowDx = size * 0.04;
    s.shadowDy = size * 0.06;
    s.shadowBlur = size * 0.06;
    s.glow = Color::hex(0xFFB347, 0.55);
    s.glowRadius = size * 0.22;
    return s;
}

TextStyle TextStyle::ink(double size) {
    TextStyle s;
    s.size = size;
    s.top = Color::hex(0x5A2E16);
    s.bottom = Color::hex(0x3B1C0C);
    s.outline = Color::hex(0x000000, 0);
    s.outlineWidth = 0;
    s.shadow = Color::hex(0xFFF4D8, 0.5);
    s.shadowDx = 0;
    s.shadowDy = 1;
    s.shadowBlur = 0.8;
    return s;
}

TextStyle TextStyle::plate(double size) {
    TextStyle s;
    s.size = size;
    s.top = Color::hex(0xFFF6DC);
    s.bottom = Color::hex(0xF6D79A);
    s.outline = Color::hex(0x3A1E0E);
    s.outlineWidth = size * 0.12;
    s.shadow = Color::hex(0x1A0C04, 0.6);
    s.shadowDx = 1;
    s.shadowDy = size * 0.06;
    s.shadowBlur = 1.5;
    return s;
}

TextStyle TextStyle::bright(double size) {
    TextStyle s;
    s.size = size;
    s.top = Color::hex(0xFFFFFF);
    s.bottom = Color::hex(0xFFE08A);
    s.outline = Color::hex(0x8A4A10);
    s.outlineWidth = size * 0.1;
    s.shadow = Color::hex(0x000000, 0);
    s.glow = Color::hex(0xFFD070, 0.6);
    s.glowRadius = size * 0.2;
    return s;
}

}  // namespace assetgen
