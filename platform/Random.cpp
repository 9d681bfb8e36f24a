// The runtime's random numbers: SplitMix64 over one 64-bit state. The algorithm is part of
// the contract (a seeded run plays the same game everywhere), so it must never change.
#include <cmath>
#include <cstdint>
#include <deque>
#include <utility>

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

struct Scripted {
  double min, max, value;
};
std::deque<Scripted> gScriptedRand;
std::deque<Scripted> gScriptedRnd;
bool gScripted = false;  // either queue non-empty
long gCalls = 0;

// The first queued value for exactly this range, taken out of the queue.
bool TakeScripted(std::deque<Scripted>& queue, double min, double max, double& value) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (it->min == min && it->max == max) {
      value = it->value;
      queue.erase(it);
      gScripted = !gScriptedRand.empty() || !gScriptedRnd.empty();
      return true;
    }
  }
  return false;
}

}  // namespace

bool PushRand(int min, int max, int value) {
  if (min > max) std::swap(min, max);
  if (value < min || value > max) return false;
  gScriptedRand.push_back({static_cast<double>(min), static_cast<double>(max), static_cast<double>(value)});
  gScripted = true;
  return true;
}

bool PushRnd(double min, double max, double value) {
  if (!(value >= min && (value < max || (value == min && min == max)))) return false;
  gScriptedRnd.push_back({min, max, value});
  gScripted = true;
  return true;
}

int ClearScriptedRandom() {
  const int left = static_cast<int>(gScriptedRand.size() + gScriptedRnd.size());
  gScriptedRand.clear();
  gScriptedRnd.clear();
  gScripted = false;
  return left;
}

long RandomCallCount() { return gCalls; }

void SeedRnd(int seed) {
  gSeed = seed;
  gState = static_cast<uint64_t>(static_cast<uint32_t>(seed));
}

int RndSeed() { return gSeed; }

int Rand(int min, int max) {
  ++gCalls;
  if (min > max) {
    const int t = min;
    min = max;
    max = t;
  }
  double scripted = 0;
  if (gScripted && TakeScripted(gScriptedRand, min, max, scripted)) return static_cast<int>(scripted);
  // range <= 2^32, so the 32x32 multiply-shift fits in 64 bits and stays unbiased enough.
  const uint64_t range = static_cast<uint64_t>(static_cast<int64_t>(max) - static_cast<int64_t>(min)) + 1;
  const uint64_t r = ((Next() >> 32) * range) >> 32;
  return static_cast<int>(static_cast<int64_t>(min) + static_cast<int64_t>(r));
}

int Rand(int max) { return Rand(1, max); }

double Rnd(double min, double max) {
  ++gCalls;
  double scripted = 0;
  if (gScripted && TakeScripted(gScriptedRnd, min, max, scripted)) return scripted;
  const double u = static_cast<double>(Next() >> 11) * 0x1.0p-53;  // [0, 1)
  double v = min + u * (max - min);
  // Rounding can land on max itself; keep the interval half open.
  if (max > min && v >= max) v = std::nextafter(max, min);
  return v;
}

}  // namespace platform
