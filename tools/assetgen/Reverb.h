#pragma once
#include <vector>

#include "Sound.h"

namespace assetgen {

// Small Schroeder room: parallel damped combs into series all-passes. With
// circular processing the tail of a loop wraps into its head, so a looping
// buffer stays seamless.
class Reverb {
public:
    Reverb(double roomSize, double damping, double wet);
    void process(Sound& s, bool circular) const;

private:
    double room_, damp_, wet_;
};

}  // namespace assetgen
