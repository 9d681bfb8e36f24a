#pragma once

namespace assetgen {

// Attack, exponential decay towards a sustain level, release over the last
// part of the note. Times in seconds.
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.0;
    double release = 0.02;

    double at(double t, double duration) const;

    static Envelope pluck(double decay) { return {0.002, decay, 0.0, 0.01}; }
    static Envelope pad(double attack, double release) { return {attack, 1.0, 0.85, release}; }
};

}  // namespace assetgen
