#pragma once
#include <string>

#include "Sound.h"

namespace assetgen {

// 16-bit PCM WAV at 44.1 kHz.
class WavWriter {
public:
    static void write(const Sound& s, const std::string& path);
};

}  // namespace assetgen
