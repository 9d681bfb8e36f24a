#pragma once
// RIFF WAVE with PCM samples (8-bit unsigned or 16-bit signed, mono or stereo).
#include <cstddef>
#include <cstdint>

#include "platform/Audio.h"

namespace platform {

// True when the bytes start like a RIFF WAVE file.
bool LooksLikeWav(const uint8_t* data, size_t size);
// nullptr when the data is not a usable PCM WAV; never reads outside [data, data + size).
SoundPtr DecodeWav(const uint8_t* data, size_t size);

}  // namespace platform
