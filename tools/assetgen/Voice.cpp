#include "Voice.h"

#include <cmath>

#include "Biquad.h"
#include "Rng.h"

namespace assetgen {

namespace {
struct Formants {
    double f1, f2, f3;
};
Formants vowel(char v) {
    // Shifted up for a small creature's short vocal tract.
    switch (v) {
        case 'i': return {390, 2900, 3700};
        case 'e': return {560, 2500, 3500};
        case 'a': return {950, 1700, 3300};
        case 'o': return {620, 1100, 3100};
        default: return {420, 1000, 3000};
    }
}
}  // namespace

Sound Voice::sing(const std::vector<Syllable>& syllables, double seconds, uint64_t seed) {
    Sound out(seconds);
    Rng rng(seed);
    for (const Syllable& s : syllables) {
        const Formants f = vowel(s.vowel);
        Biquad b1(Biquad::Type::BandPass, f.f1, 5), b2(Biquad::Type::BandPass, f.f2, 7), b3(Biquad::Type::BandPass, f.f3, 8);
        const int start = static_cast<int>(s.start * Sound::kRate);
        const int len = static_cast<int>(s.length * Sound::kRate);
        double phase = 0;
        for (int i = 0; i < len && start + i < out.frameCount(); ++i) {
            const double t = static_cast<double>(i) / len;
            const double f0 = s.pitchFrom + (s.pitchTo - s.pitchFrom) * (t * t * (3 - 2 * t));
            phase += f0 * (1 + 0.01 * std::sin(i * 0.0019)) / Sound::kRate;
            // Glottal-like pulse: a softened saw with a little breath.
            const double p = phase - std::floor(phase);
            const double src = (1 - 2 * p) * 0.8 + (rng.uniform() * 2 - 1) * 0.08;
            const float x = static_cast<float>(src);
            const double v = b1.process(x) * 1.0 + b2.process(x) * 0.7 + b3.process(x) * 0.3;
            const double env = std::min(1.0, t / 0.12) * std::min(1.0, (1 - t) / 0.25);
            out.at(start + i) += static_cast<float>(v * env);
        }
    }
    return out;
}

}  // namespace assetgen
