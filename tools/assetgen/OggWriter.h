#pragma once
#include <cstdint>
#include <string>

#include "Sound.h"

namespace assetgen {

// Ogg Vorbis through libvorbisenc. The stream serial is fixed by the caller so
// repeated builds give identical files.
class OggWriter {
public:
    static void write(const Sound& s, const std::string& path, uint32_t serial, const std::string& title,
                      double quality = 0.25);
};

}  // namespace assetgen
