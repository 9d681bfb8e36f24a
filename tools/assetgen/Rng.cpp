#include "Rng.h"

#include <cmath>

namespace assetgen {

Rng::Rng(uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ull) {}

Rng::Rng(std::string_view name, uint64_t salt) : Rng(hash(name, salt)) {}

uint64_t Rng::hash(std::string_view text, uint64_t salt) {
    uint64_t h = 1469598103934665603ull ^ (salt * 0x100000001B3ull);
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int Rng::irange(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1));
}

double Rng::gauss() {
    const double u1 = uniform() + 1e-12, u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
}

bool Rng::chance(double p) { return uniform() < p; }

}  // namespace assetgen
