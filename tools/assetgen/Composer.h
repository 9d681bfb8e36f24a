#pragma once
#include "Sound.h"
#include "TrackRecipe.h"

namespace assetgen {

// Writes and performs a short looping arrangement from a TrackRecipe. Every note's
// tail and the reverb wrap around the end, so the loop has no seam.
class Composer {
public:
    static double lengthSeconds(const TrackRecipe& recipe);
    static Sound render(const TrackRecipe& recipe);
};

}  // namespace assetgen
