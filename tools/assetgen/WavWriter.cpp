#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace assetgen {

namespace {
void put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void tag(std::vector<uint8_t>& b, const char* t) { b.insert(b.end(), t, t + 4); }
}  // namespace

void WavWriter::write(const Sound& s, const std::string& path) {
    const uint32_t channels = static_cast<uint32_t>(s.channels());
    const uint32_t dataBytes = static_cast<uint32_t>(s.frameCount()) * channels * 2;
    std::vector<uint8_t> b;
    b.reserve(44 + dataBytes);
    tag(b, "RIFF");
    put32(b, 36 + dataBytes);
    tag(b, "WAVE");
    tag(b, "fmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, static_cast<uint16_t>(channels));
    put32(b, Sound::kRate);
    put32(b, Sound::kRate * channels * 2);
    put16(b, static_cast<uint16_t>(channels * 2));
    put16(b, 16);
    tag(b, "data");
    put32(b, dataBytes);
    const float* d = s.data();
    for (size_t i = 0; i < static_cast<size_t>(s.frameCount()) * channels; ++i) {
        const long v = std::lround(std::clamp(static_cast<double>(d[i]), -1.0, 1.0) * 32767.0);
        put16(b, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetgen
