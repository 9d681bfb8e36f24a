#include "Instruments.h"

#include <algorithm>
#include <cmath>

#include "Biquad.h"
#include "Rng.h"
#include "Synth.h"

namespace assetgen {

namespace {

constexpr double kTau = 6.283185307179586;

// Adds a decaying sine partial using a rotating phasor.
void partial(Sound& s, double freq, double amp, double decaySeconds, double attack, double phase = 0) {
    if (freq >= Sound::kRate * 0.45 || amp <= 0) return;
    const double w = kTau * freq / Sound::kRate;
    const double cw = std::cos(w), sw = std::sin(w);
    double re = std::cos(phase), im = std::sin(phase);
    const double d = std::exp(-1.0 / (decaySeconds * Sound::kRate));
    double a = amp;
    const int att = std::max(1, static_cast<int>(attack * Sound::kRate));
    const int n = s.frameCount();
    for (int i = 0; i < n; ++i) {
        const double env = i < att ? static_cast<double>(i) / att : 1.0;
        s.at(i) += static_cast<float>(im * a * env);
        const double nr = re * cw - im * sw;
        im = re * sw + im * cw;
        re = nr;
        a *= d;
        if ((i & 1023) == 0) {  // keep the phasor on the unit circle
            const double m = 1.0 / std::sqrt(re * re + im * im);
            re *= m;
            im *= m;
        }
    }
}

void releaseTail(Sound& s, double seconds) { s.fadeOut(std::min(seconds, s.seconds() * 0.5)); }

}  // namespace

double Instruments::midiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

Sound Instruments::bell(double f, double seconds, double brightness) {
    Sound s(seconds);
    partial(s, f, 1.0, seconds * 0.45, 0.002);
    partial(s, f * 2.0, 0.35 * brightness, seconds * 0.2, 0.002, 1.0);
    partial(s, f * 3.0, 0.12 * brightness, seconds * 0.12, 0.001, 2.0);
    partial(s, f * 4.16, 0.1 * brightness, seconds * 0.07, 0.001, 0.5);
    partial(s, f * 5.43, 0.05 * brightness, seconds * 0.05, 0.001, 1.5);
    releaseTail(s, 0.05);
    return s;
}

Sound Instruments::harp(double f, double seconds, uint64_t seed) {
    Synth syn(seed);
    Sound s = syn.pluck(f, seconds, 0.45);
    // A touch of pure fundamental keeps it round.
    partial(s, f, 0.25, seconds * 0.35, 0.003);
    releaseTail(s, 0.04);
    return s;
}

Sound Instruments::flute(double f, double seconds, double vibrato, uint64_t seed) {
    Sound s(seconds);
    Rng rng(seed);
    Biquad breath(Biquad::Type::BandPass, f * 2, 1.5);
    const Envelope env{0.06, 0.4, 0.75, std::min(0.12, seconds * 0.4)};
    double phase = 0;
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        const double vib = 1 + vibrato * 0.006 * std::sin(kTau * 5.2 * t) * std::min(1.0, t * 3);
        phase += f * vib / Sound::kRate;
        const double p = kTau * phase;
        const double tone = std::sin(p) + 0.22 * std::sin(2 * p) + 0.06 * std::sin(3 * p);
        const double air = breath.process(static_cast<float>(rng.uniform() * 2 - 1)) * 0.08;
        s.at(i) = static_cast<float>((tone + air) * env.at(t, seconds));
    }
    return s;
}

Sound Instruments::pad(double f, double seconds, double attack, double release, double warmth) {
    Sound s(seconds);
    // Three slightly detuned voices of a few harmonics each, then a gentle low-pass.
    const double detune[3] = {-0.0035, 0.0, 0.0042};
    for (int v = 0; v < 3; ++v)
        for (int k = 1; k <= 5; ++k) partial(s, f * k * (1 + detune[v]), 0.33 / k / (1 + (k - 1) * (1 - warmth)), 1e6, 0.001, v * 2.1 + k);
    Biquad lp(Biquad::Type::LowPass, f * (2 + 4 * warmth), 0.6);
    const Envelope env{attack, 1.0, 1.0, release};
    for (int i = 0; i < s.frameCount(); ++i)
        s.at(i) = static_cast<float>(lp.process(s.at(i)) * env.at(static_cast<double>(i) / Sound::kRate, seconds));
    return s;
}

Sound Instruments::bass(double f, double seconds) {
    Sound s(seconds);
    partial(s, f, 1.0, seconds * 0.9, 0.006);
    partial(s, f * 2, 0.35, seconds * 0.4, 0.004, 0.3);
    partial(s, f * 3, 0.1, seconds * 0.2, 0.003, 0.6);
    releaseTail(s, 0.06);
    return s;
}

Sound Instruments::marimba(double f, double seconds) {
    Sound s(seconds);
    partial(s, f, 1.0, 0.35, 0.002);
    partial(s, f * 4.0, 0.3, 0.06, 0.001, 1.0);
    partial(s, f * 9.2, 0.08, 0.02, 0.0005, 2.0);
    releaseTail(s, 0.03);
    return s;
}

Sound Instruments::brass(double f, double seconds) {
    Sound s(seconds);
    double phase = 0;
    Biquad lp(Biquad::Type::LowPass, f * 2, 0.8);
    const Envelope env{0.03, 0.3, 0.8, std::min(0.1, seconds * 0.3)};
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        phase += f * (1 + 0.004 * std::sin(kTau * 5 * t) * std::min(1.0, t * 2)) / Sound::kRate;
        if (i % 64 == 0) lp.set(Biquad::Type::LowPass, f * (1.5 + 5 * std::min(1.0, t / 0.08)), 0.8);
        s.at(i) = static_cast<float>(lp.process(static_cast<float>(Synth::oscillator(Wave::Saw, phase))) * env.at(t, seconds));
    }
    return s;
}

Sound Instruments::kick(double seconds) {
    Sound s(seconds);
    double phase = 0;
    for (int i = 0; i < s.frameCount(); ++i) {
        const double t = static_cast<double>(i) / Sound::kRate;
        phase += (45 + 70 * std::exp(-t / 0.03)) / Sound::kRate;
        s.at(i) = static_cast<float>(std::sin(kTau * phase) * std::exp(-t / 0.12) * std::min(1.0, t / 0.002));
    }
    return s;
}

Sound Instruments::shaker(double seconds, uint64_t seed) {
    Synth syn(seed);
    Sound s = syn.filteredNoise(seconds, Biquad::Type::HighPass, Synth::constant(6000), 0.7, Envelope{0.008, 0.03, 0, 0.01});
    return s;
}

Sound Instruments::rim(double seconds, uint64_t seed) {
    Synth syn(seed);
    Sound s = syn.filteredNoise(seconds, Biquad::Type::BandPass, Synth::constant(1800), 3, Envelope{0.001, 0.015, 0, 0.005});
    partial(s, 820, 0.4, 0.02, 0.001);
    return s;
}

}  // namespace assetgen
