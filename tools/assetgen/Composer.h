#pragma once
#include "Sound.h"
#include "TrackSpec.h"

namespace assetgen {

// Writes and performs a short looping piece from a TrackSpec. Every note's
// tail and the reverb wrap around the end, so the loop has no seam.
class Composer {
public:
    static double lengthSeconds(const TrackSpec& spec);
    static Sound render(const TrackSpec& spec);
};

}  // namespace assetgen
