// The runtime's random numbers: SplitMix64 over one 64-bit state. The algorithm is part of
// the contract (a seeded run plays the same game everywhere), so it must never change.
#include <cmath>
#include <cstdint>

#include "platform/Clock.h"

namespace platform {

namespace {

int gSeed = 0;
uint64_t gState = 0;

uint64_t Next() {
  gState += 0x9E3779B97F4A7C15ull;
  uint64_t z = gState;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void SeedRnd(int seed) {
  gSeed = seed;
  gState = static_cast<uint64_t>(static_cast<uint32_t>(seed));
}

int RndSeed() { return gSeed; }

int Rand(int min, int max) {
  if (min > max) {
    const int t = min;
    min = max;
    max = t;
  }
  // range <= 2^32, so the 32x32 multiply-shift fits in 64 bits and stays unbiased enough.
  const uint64_t range = static_cast<uint64_t>(static_cast<int64_t>(max) - static_cast<int64_t>(min)) + 1;
  const uint64_t r = ((Next() >> 32) * range) >> 32;
  return static_cast<int>(static_cast<int64_t>(min) + static_cast<int64_t>(r));
}

int Rand(int max) { return Rand(1, max); }

double Rnd(double min, double max) {
  const double u = static_cast<double>(Next() >> 11) * 0x1.0p-53;  // [0, 1)
  double v = min + u * (max - min);
  // Rounding can land on max itself; keep the interval half open.
  if (max > min && v >= max) v = std::nextafter(max, min);
  return v;
}

}  // namespace platform
