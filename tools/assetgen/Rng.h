#pragma once
#include <cstdint>
#include <string_view>

namespace assetgen {

// Small deterministic generator: every asset seeds its own from its name, so
// the output never depends on thread scheduling.
class Rng {
public:
    explicit Rng(uint64_t seed);
    explicit Rng(std::string_view name, uint64_t salt = 0);

    uint64_t next();
    double uniform();                    // [0, 1)
    double range(double lo, double hi);  // [lo, hi)
    int irange(int lo, int hi);          // [lo, hi]
    double gauss();
    bool chance(double p);

    static uint64_t hash(std::string_view text, uint64_t salt = 0);

private:
    uint64_t state_;
};

}  // namespace assetgen
