#include "platform/WavDecoder.h"

#include <cstring>

namespace platform {

namespace {

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;

}  // namespace

bool LooksLikeWav(const uint8_t* data, size_t size) {
  return data && size >= 12 && std::memcmp(data, "RIFF", 4) == 0 &&
         std::memcmp(data + 8, "WAVE", 4) == 0;
}

SoundPtr DecodeWav(const uint8_t* data, size_t size) {
  if (!LooksLikeWav(data, size)) return nullptr;

  bool haveFmt = false, haveData = false;
  int channels = 0, rate = 0, bits = 0;
  size_t dataOff = 0, dataLen = 0;

  // The RIFF length field is often wrong; the buffer's own size bounds the walk.
  size_t off = 12;
  while (size - off >= 8 && !(haveFmt && haveData)) {
    const uint8_t* id = data + off;
    const uint64_t len = Le32(data + off + 4);
    const size_t body = off + 8;
    const size_t avail = size - body;
    if (std::memcmp(id, "fmt ", 4) == 0) {
      if (len < 16 || len > avail) return nullptr;
      const uint8_t* f = data + body;
      uint16_t tag = Le16(f);
      if (tag == kFormatExtensible) {
        // The real format is the first two bytes of the sub-format GUID.
        if (len < 40) return nullptr;
        tag = Le16(f + 24);
      }
      if (tag != kFormatPcm) return nullptr;
      channels = Le16(f + 2);
      const uint32_t r = Le32(f + 4);
      rate = r <= static_cast<uint32_t>(kMaxRate) ? static_cast<int>(r) : 0;
      bits = Le16(f + 14);
      haveFmt = true;
    } else if (std::memcmp(id, "data", 4) == 0) {
      // A truncated data chunk keeps the frames that are there.
      dataOff = body;
      dataLen = static_cast<size_t>(len < avail ? len : avail);
      haveData = true;
    }
    if (len > avail) break;
    const uint64_t next = body + len + (len & 1);
    if (next >= size) break;
    off = static_cast<size_t>(next);
  }

  if (!haveFmt || !haveData) return nullptr;
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return nullptr;
  if (rate < kMinRate || rate > kMaxRate) return nullptr;

  const size_t bytesPerSample = static_cast<size_t>(bits / 8);
  const size_t frames = dataLen / (bytesPerSample * channels);
  const size_t count = frames * channels;

  auto sound = std::make_shared<Sound>();
  sound->channels = channels;
  sound->rate = rate;
  sound->samples.resize(count);
  const uint8_t* src = data + dataOff;
  if (bits == 8) {
    for (size_t i = 0; i < count; ++i)
      sound->samples[i] = static_cast<int16_t>((static_cast<int>(src[i]) - 128) * 256);
  } else {
    for (size_t i = 0; i < count; ++i) sound->samples[i] = static_cast<int16_t>(Le16(src + 2 * i));
  }
  return sound;
}

}  // namespace platform
