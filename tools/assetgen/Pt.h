#pragma once
#include <cmath>

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;

struct Pt {
    double x = 0, y = 0;
    Pt operator+(Pt o) const { return {x + o.x, y + o.y}; }
    Pt operator-(Pt o) const { return {x - o.x, y - o.y}; }
    Pt operator*(double s) const { return {x * s, y * s}; }
    double length() const { return std::hypot(x, y); }
    Pt rotated(double radians) const {
        const double c = std::cos(radians), s = std::sin(radians);
        return {x * c - y * s, x * s + y * c};
    }
    static Pt polar(double radius, double radians) { return {radius * std::cos(radians), radius * std::sin(radians)}; }
    static Pt lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
};

}  // namespace assetgen
