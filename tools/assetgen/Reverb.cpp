#include "Reverb.h"

#include <array>

namespace assetgen {

Reverb::Reverb(double roomSize, double damping, double wet) : room_(roomSize), damp_(damping), wet_(wet) {}

namespace {
struct Comb {
    std::vector<float> buf;
    size_t pos = 0;
    float store = 0;
    float run(float in, float feedback, float damp) {
        const float out = buf[pos];
        store = out * (1 - damp) + store * damp;
        buf[pos] = in + store * feedback;
        if (++pos >= buf.size()) pos = 0;
        return out;
    }
};
struct AllPass {
    std::vector<float> buf;
    size_t pos = 0;
    float run(float in) {
        const float b = buf[pos];
        const float out = -in + b;
        buf[pos] = in + b * 0.5f;
        if (++pos >= buf.size()) pos = 0;
        return out;
    }
};
constexpr std::array<int, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> kAllPasses = {556, 441, 341, 225};
}  // namespace

void Reverb::process(Sound& s, bool circular) const {
    const int channels = s.channels(), frames = s.frameCount();
    const float feedback = static_cast<float>(0.7 + 0.28 * room_), damp = static_cast<float>(damp_);
    std::vector<float> wetOut(static_cast<size_t>(frames) * channels, 0.0f);
    for (int ch = 0; ch < channels; ++ch) {
        const int spread = ch * 23;
        std::vector<Comb> combs;
        std::vector<AllPass> aps;
        for (int d : kCombs) combs.push_back({std::vector<float>(static_cast<size_t>(d + spread), 0.0f)});
        for (int d : kAllPasses) aps.push_back({std::vector<float>(static_cast<size_t>(d + spread), 0.0f)});
        // A looping buffer is run twice; the second pass already carries the tail of the first.
        const int passes = circular ? 2 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int i = 0; i < frames; ++i) {
                const float in = s.at(i, ch) * 0.015f;
                float acc = 0;
                for (Comb& c : combs) acc += c.run(in, feedback, damp);
                for (AllPass& a : aps) acc = a.run(acc);
                if (pass == passes - 1) wetOut[static_cast<size_t>(i) * channels + ch] = acc;
            }
        }
    }
    float* d = s.data();
    for (size_t i = 0; i < wetOut.size(); ++i) d[i] = static_cast<float>(d[i] + wetOut[i] * wet_ * 3.0);
}

}  // namespace assetgen
