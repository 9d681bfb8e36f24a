#include "Biquad.h"

#include <algorithm>
#include <cmath>

#include "Sound.h"

namespace assetgen {

Biquad::Biquad(Type type, double freq, double q, double gainDb) { set(type, freq, q, gainDb); }

void Biquad::set(Type type, double freq, double q, double gainDb) {
    freq = std::clamp(freq, 10.0, Sound::kRate * 0.45);
    const double w = 2 * 3.141592653589793 * freq / Sound::kRate;
    const double cw = std::cos(w), sw = std::sin(w), alpha = sw / (2 * std::max(q, 0.05));
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (type) {
        case Type::LowPass:
            b0 = (1 - cw) / 2; b1 = 1 - cw; b2 = (1 - cw) / 2;
            a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
            break;
        case Type::HighPass:
            b0 = (1 + cw) / 2; b1 = -(1 + cw); b2 = (1 + cw) / 2;
            a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
            break;
        case Type::BandPass:
            b0 = alpha; b1 = 0; b2 = -alpha;
            a0 = 1 + alpha; a1 = -2 * cw; a2 = 1 - alpha;
            break;
        case Type::Peak: {
            const double A = std::pow(10.0, gainDb / 40);
            b0 = 1 + alpha * A; b1 = -2 * cw; b2 = 1 - alpha * A;
            a0 = 1 + alpha / A; a1 = -2 * cw; a2 = 1 - alpha / A;
            break;
        }
    }
    b0_ = b0 / a0; b1_ = b1 / a0; b2_ = b2 / a0; a1_ = a1 / a0; a2_ = a2 / a0;
}

float Biquad::process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_; x1_ = x;
    y2_ = y1_; y1_ = y;
    return static_cast<float>(y);
}

void Biquad::reset() { x1_ = x2_ = y1_ = y2_ = 0; }

}  // namespace assetgen
