#include "Color.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Color Color::hex(uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha};
}

Color Color::hsv(double h, double s, double v, double alpha) {
    h = std::fmod(std::fmod(h, 360.0) + 360.0, 360.0) / 60.0;
    const int i = static_cast<int>(h);
    const double f = h - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
        case 0: return {v, t, p, alpha};
        case 1: return {q, v, p, alpha};
        case 2: return {p, v, t, alpha};
        case 3: return {p, q, v, alpha};
        case 4: return {t, p, v, alpha};
        default: return {v, p, q, alpha};
    }
}

Color Color::mix(const Color& o, double t) const {
    t = std::clamp(t, 0.0, 1.0);
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
}

Color Color::lighter(double t) const { return mix({1, 1, 1, a}, t); }
Color Color::darker(double t) const { return mix({0, 0, 0, a}, t); }
Color Color::withAlpha(double alpha) const { return {r, g, b, alpha}; }

}  // namespace assetgen
