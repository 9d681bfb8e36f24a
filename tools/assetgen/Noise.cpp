#include "Noise.h"

#include <cmath>

namespace assetgen {

Noise::Noise(uint64_t seed) : seed_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

double Noise::lattice(int x, int y) const {
    uint64_t h = seed_ ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x8CB92BA72F3D8DD7ull) ^
                 (static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xD6E8FEB86659FD93ull);
    h = (h ^ (h >> 32)) * 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF) * 2.0 - 1.0;
}

static double smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

double Noise::value(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = lattice(ix, iy), b = lattice(ix + 1, iy);
    const double c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Noise::fbm(double x, double y, int octaves, double gain) const {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value(x, y);
        norm += amp;
        amp *= gain;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
    }
    return sum / norm;
}

double Noise::value1(double x) const { return value(x, 0.5); }

double Noise::fbm1(double x, int octaves) const { return fbm(x, 0.5, octaves); }

}  // namespace assetgen
