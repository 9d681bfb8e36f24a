#include "platform/OggDecoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

// vorbisfile reads through these callbacks from our bytes in memory.
struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

size_t ReadCb(void* ptr, size_t size, size_t nmemb, void* source) {
  auto* r = static_cast<MemoryReader*>(source);
  if (size == 0 || nmemb == 0) return 0;
  const size_t left = r->size - r->pos;
  const size_t items = std::min(nmemb, left / size);
  std::memcpy(ptr, r->data + r->pos, items * size);
  r->pos += items * size;
  return items;
}

int SeekCb(void* source, ogg_int64_t offset, int whence) {
  auto* r = static_cast<MemoryReader*>(source);
  ogg_int64_t base = 0;
  switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = static_cast<ogg_int64_t>(r->pos); break;
    case SEEK_END: base = static_cast<ogg_int64_t>(r->size); break;
    default: return -1;
  }
  const ogg_int64_t size = static_cast<ogg_int64_t>(r->size);
  if (offset < -base || offset > size - base) return -1;
  r->pos = static_cast<size_t>(base + offset);
  return 0;
}

long TellCb(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->pos); }

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
// Music tracks run for a minute or two; a stream going on for more than ten minutes of
// 48 kHz stereo is cut there. The length a stream claims only sizes the first allocation
// when it is modest, as a hostile file can claim anything.
constexpr size_t kMaxSamples = size_t{48000} * 2 * 600;
constexpr size_t kMaxReserve = size_t{48000} * 2 * 180;
// Gaps in the data are skipped, up to a point.
constexpr int kMaxHoles = 1000;

}  // namespace

bool LooksLikeOgg(const uint8_t* data, size_t size) {
  return data && size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

SoundPtr DecodeOgg(const uint8_t* data, size_t size) {
  if (!LooksLikeOgg(data, size)) return nullptr;
  MemoryReader reader{data, size, 0};
  const ov_callbacks callbacks{ReadCb, SeekCb, nullptr, TellCb};
  OggVorbis_File vf;
  if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) < 0) return nullptr;

  SoundPtr sound;
  const vorbis_info* info = ov_info(&vf, -1);
  if (info && (info->channels == 1 || info->channels == 2) && info->rate >= kMinRate &&
      info->rate <= kMaxRate) {
    const int channels = info->channels;
    const long rate = info->rate;
    const size_t maxSamples = kMaxSamples / channels * channels;
    sound = std::make_shared<Sound>();
    sound->channels = channels;
    sound->rate = static_cast<int>(rate);
    const ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0 && static_cast<uint64_t>(total) * channels <= kMaxReserve)
      sound->samples.reserve(static_cast<size_t>(total) * channels);

    const int bigEndian = std::endian::native == std::endian::big ? 1 : 0;
    alignas(int16_t) char buf[8192];
    int bitstream = 0;
    int holes = 0;
    for (;;) {
      const long got = ov_read(&vf, buf, sizeof buf, bigEndian, 2, 1, &bitstream);
      if (got == OV_HOLE && ++holes <= kMaxHoles) continue;
      if (got <= 0) break;
      // A chained stream that changes its layout is cut where it changes.
      const vorbis_info* now = ov_info(&vf, bitstream);
      if (!now || now->channels != channels || now->rate != rate) break;
      const size_t count = static_cast<size_t>(got) / sizeof(int16_t);
      const size_t old = sound->samples.size();
      sound->samples.resize(old + count);
      std::memcpy(sound->samples.data() + old, buf, count * sizeof(int16_t));
      if (sound->samples.size() >= maxSamples) {
        sound->samples.resize(maxSamples);
        break;
      }
    }
    // A partial frame at a cut is dropped.
    sound->samples.resize(sound->samples.size() / channels * channels);
    if (sound->samples.empty()) sound.reset();
  }
  ov_clear(&vf);
  return sound;
}

}  // namespace platform
