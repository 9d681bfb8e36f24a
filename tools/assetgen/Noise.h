#pragma once
#include <cstdint>

namespace assetgen {

// Smooth 2D value noise with fractal sums; cheap and fully deterministic.
class Noise {
public:
    explicit Noise(uint64_t seed);

    double value(double x, double y) const;                    // -1..1
    double fbm(double x, double y, int octaves, double gain = 0.5) const;
    double value1(double x) const;                             // -1..1, 1D
    double fbm1(double x, int octaves) const;

private:
    double lattice(int x, int y) const;
    uint64_t seed_;
};

}  // namespace assetgen
