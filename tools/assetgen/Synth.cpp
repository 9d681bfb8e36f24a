#include "Synth.h"

#include <cmath>
#include <vector>

namespace assetgen {

namespace {
constexpr double kTau = 6.283185307179586;
}

Synth::Synth(uint64_t seed) : rng_(seed) {}

double Synth::oscillator(Wave w, double phase) {
    const double p = phase - std::floor(phase);
    switch (w) {
        case Wave::Sine: return std::sin(kTau * p);
        case Wave::Triangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
        case Wave::Saw: {
            // Softened saw: fewer harsh partials than a naive ramp.
            double v = 0;
            for (int k = 1; k <= 8; ++k) v += std::sin(kTau * p * k) / k;
            return v * 0.55;
        }
        case Wave::Square: {
            double v = 0;
            for (int k = 1; k <= 9; k += 2) v += std::sin(kTau * p * k) / k;
            return v * 0.9;
        }
        case Wave::Soft:
            return std::sin(kTau * p) * 0.8 + std::sin(2 * kTau * p) * 0.15 + std::sin(3 * kTau * p) * 0.05;
        case Wave::Reed:
            return std::sin(kTau * p) * 0.6 + std::sin(2 * kTau * p) * 0.25 + std::sin(3 * kTau * p) * 0.2 +
                   std::sin(5 * kTau * p) * 0.06;
    }
    return 0;
}

Synth::Curve Synth::constant(double v) {
    return [v](double) { return v; };
}

Synth::Curve Synth::glide(double from, double to, double seconds, double curve) {
    return [=](double t) {
        const double x = seconds > 0 ? std::min(1.0, std::max(0.0, t / seconds)) : 1.0;
        return from + (to - from) * std::pow(x, curve);
    };
}

Sound Synth::tone(double seconds, const Curve& freq, Wave wave, const Envelope& env, double vibDepth,
                  double vibRate) {
    Sound s(seconds);
    double phase = rng_.uniform();
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        const double vib = vibDepth > 0 ? 1 + vibDepth * std::sin(kTau * vibRate * t) * std::min(1.0, t * 4) : 1.0;
        phase += freq(t) * vib / Sound::kRate;
        s.at(i) = static_cast<float>(oscillator(wave, phase) * env.at(t, seconds));
    }
    return s;
}

Sound Synth::noise(double seconds, const Envelope& env) {
    Sound s(seconds);
    for (int i = 0; i < s.frameCount(); ++i)
        s.at(i) = static_cast<float>((rng_.uniform() * 2 - 1) * env.at(static_cast<double>(i) / Sound::kRate, seconds));
    return s;
}

Sound Synth::filteredNoise(double seconds, Biquad::Type type, const Curve& freq, double q, const Envelope& env) {
    Sound s(seconds);
    Biquad f(type, freq(0), q);
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        if (i % 32 == 0) f.set(type, freq(t), q);
        s.at(i) = static_cast<float>(f.process(static_cast<float>(rng_.uniform() * 2 - 1)) * env.at(t, seconds));
    }
    return s;
}

Sound Synth::pluck(double freq, double seconds, double brightness) {
    // Karplus-Strong string with a fractional-delay tuning all-pass.
    Sound s(seconds);
    const double period = Sound::kRate / freq;
    const int n = std::max(2, static_cast<int>(std::floor(period - 0.5)));
    const double frac = period - 0.5 - n;
    const double apc = (1 - frac) / (1 + frac);
    std::vector<float> line(static_cast<size_t>(n));
    Biquad shape(Biquad::Type::LowPass, 1500 + brightness * 6000, 0.7);
    for (float& v : line) v = shape.process(static_cast<float>(rng_.uniform() * 2 - 1));
    size_t pos = 0;
    float last = 0, apIn = 0, apOut = 0;
    const float damping = static_cast<float>(0.5 - 0.004 * (1.0 - brightness));
    for (int i = 0; i < s.frameCount(); ++i) {
        const float cur = line[pos];
        const float avg = damping * (cur + last) * 0.996f;
        last = cur;
        const float ap = static_cast<float>(apc * (avg - apOut) + apIn);
        apIn = avg;
        apOut = ap;
        line[pos] = ap;
        if (++pos >= line.size()) pos = 0;
        const double t = static_cast<double>(i) / Sound::kRate;
        s.at(i) = cur * static_cast<float>(Envelope{0.001, 10, 1, 0.03}.at(t, seconds));
    }
    return s;
}

Sound Synth::bell(double freq, double seconds, double brightness) {
    // Inharmonic partials of a small bell or glass.
    static const double ratios[] = {1.0, 2.0, 2.76, 3.0, 4.07, 5.4, 6.8};
    static const double amps[] = {1.0, 0.5, 0.35, 0.2, 0.18, 0.1, 0.06};
    Sound s(seconds);
    for (int k = 0; k < 7; ++k) {
        const double f = freq * ratios[k];
        if (f > Sound::kRate * 0.45) continue;
        const double amp = amps[k] * (k == 0 ? 1.0 : brightness);
        const double decay = seconds * 0.5 / (1 + k * 0.8);
        const double ph = rng_.uniform();
        for (int i = 0; i < s.frameCount(); ++i) {
            const double t = static_cast<double>(i) / Sound::kRate;
            s.at(i) += static_cast<float>(amp * std::sin(kTau * (f * t + ph)) * std::exp(-t / decay) *
                                          std::min(1.0, t / 0.002));
        }
    }
    s.fadeOut(std::min(0.05, seconds * 0.2));
    return s;
}

Sound Synth::fm(double seconds, const Curve& carrier, double ratio, const Curve& index, const Envelope& env) {
    Sound s(seconds);
    double pc = 0, pm = 0;
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        const double fc = carrier(t);
        pm += fc * ratio / Sound::kRate;
        pc += fc / Sound::kRate;
        s.at(i) = static_cast<float>(std::sin(kTau * pc + index(t) * std::sin(kTau * pm)) * env.at(t, seconds));
    }
    return s;
}

}  // namespace assetgen
