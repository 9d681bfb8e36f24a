#pragma once
#include <functional>

#include "Biquad.h"
#include "Envelope.h"
#include "Rng.h"
#include "Sound.h"

namespace assetgen {

enum class Wave { Sine, Triangle, Saw, Square, Soft, Reed };

// The building blocks every sound and instrument is made of.
class Synth {
public:
    using Curve = std::function<double(double t)>;  // t in seconds from the note start

    explicit Synth(uint64_t seed);

    static double oscillator(Wave w, double phase);  // phase in cycles
    static Curve constant(double v);
    static Curve glide(double from, double to, double seconds, double curve = 1.0);

    Sound tone(double seconds, const Curve& freq, Wave wave, const Envelope& env, double vibratoDepth = 0,
               double vibratoRate = 5.5);
    Sound noise(double seconds, const Envelope& env);
    Sound filteredNoise(double seconds, Biquad::Type type, const Curve& freq, double q, const Envelope& env);
    Sound pluck(double freq, double seconds, double brightness);
    Sound bell(double freq, double seconds, double brightness = 1.0);
    Sound fm(double seconds, const Curve& carrier, double ratio, const Curve& index, const Envelope& env);

    Rng& rng() { return rng_; }

private:
    Rng rng_;
};

}  // namespace assetgen
