#include "Envelope.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

double Envelope::at(double t, double duration) const {
    if (t < 0 || t >= duration) return 0;
    double v;
    if (t < attack) {
        const double x = t / attack;
        v = x * x * (3 - 2 * x);
    } else {
        const double k = decay > 0 ? std::exp(-(t - attack) / decay) : 0.0;
        v = sustain + (1 - sustain) * k;
    }
    const double left = duration - t;
    if (release > 0 && left < release) v *= left / release;
    return std::max(0.0, v);
}

}  // namespace assetgen
