#pragma once
#include <cstdint>

#include "Sound.h"

namespace assetgen {

// Music voices, written for speed (recursive sine oscillators, per-sample
// decay factors) since a track holds hundreds of notes.
class Instruments {
public:
    static double midiToHz(double midi);

    static Sound bell(double freq, double seconds, double brightness);     // celesta / glockenspiel
    static Sound harp(double freq, double seconds, uint64_t seed);          // plucked string
    static Sound flute(double freq, double seconds, double vibrato, uint64_t seed);
    static Sound pad(double freq, double seconds, double attack, double release, double warmth);
    static Sound bass(double freq, double seconds);
    static Sound marimba(double freq, double seconds);
    static Sound brass(double freq, double seconds);
    static Sound kick(double seconds);
    static Sound shaker(double seconds, uint64_t seed);
    static Sound rim(double seconds, uint64_t seed);
};

}  // namespace assetgen
