#pragma once

namespace assetgen {

// RBJ biquad; coefficients may be changed while running for sweeps.
class Biquad {
public:
    enum class Type { LowPass, HighPass, BandPass, Peak };

    Biquad() = default;
    Biquad(Type type, double freq, double q, double gainDb = 0);
    void set(Type type, double freq, double q, double gainDb = 0);
    float process(float x);
    void reset();

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace assetgen
