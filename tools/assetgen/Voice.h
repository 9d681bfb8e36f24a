#pragma once
#include <cstdint>
#include <vector>

#include "Sound.h"

namespace assetgen {

// Tiny sung syllables for the Tumblets: a pulse train through vowel formants
// with a pitch contour.
class Voice {
public:
    struct Syllable {
        double start, length;      // seconds
        double pitchFrom, pitchTo; // Hz
        char vowel;                // 'i', 'e', 'a', 'o', 'u'
    };

    static Sound sing(const std::vector<Syllable>& syllables, double seconds, uint64_t seed);
};

}  // namespace assetgen
