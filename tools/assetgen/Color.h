#pragma once
#include <cstdint>

namespace assetgen {

// Straight (non-premultiplied) colour with components in 0..1.
struct Color {
    double r = 0, g = 0, b = 0, a = 1;

    static Color hex(uint32_t rgb, double alpha = 1.0);
    static Color hsv(double h, double s, double v, double alpha = 1.0);

    Color mix(const Color& o, double t) const;
    Color lighter(double t) const;
    Color darker(double t) const;
    Color withAlpha(double alpha) const;
};

}  // namespace assetgen
