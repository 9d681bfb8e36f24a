#pragma once
// Ogg Vorbis decoded whole to signed 16-bit samples.
#include <cstddef>
#include <cstdint>

#include "platform/Audio.h"

namespace platform {

// True when the bytes start with an Ogg page.
bool LooksLikeOgg(const uint8_t* data, size_t size);
// nullptr when the stream does not open or yields no samples.
SoundPtr DecodeOgg(const uint8_t* data, size_t size);

}  // namespace platform
