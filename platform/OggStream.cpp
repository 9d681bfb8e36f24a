#include "platform/OggStream.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
// Gaps in the data are skipped, up to a point.
constexpr int kMaxHoles = 1000;
// A mixer position holds 32 bits of frame index: a pass that long simply ends.
constexpr uint64_t kMaxPassFrames = (uint64_t{1} << 31) - 1;

// vorbisfile reads through these callbacks from the bytes in memory.
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

}  // namespace

struct OggStream::Decoder {
  MemoryReader reader{};
  OggVorbis_File vf{};
  bool open = false;
  bool exhausted = false;
  ~Decoder() {
    if (open) ov_clear(&vf);
  }
};

std::unique_ptr<OggStream> OggStream::Open(const uint8_t* data, size_t size,
                                           std::shared_ptr<const void> owner) {
  if (!data || size < 4 || std::memcmp(data, "OggS", 4) != 0) return nullptr;
  std::unique_ptr<OggStream> stream(new OggStream());
  stream->owner_ = std::move(owner);
  stream->decoder_ = std::make_unique<Decoder>();
  Decoder& d = *stream->decoder_;
  d.reader = MemoryReader{data, size, 0};
  const ov_callbacks callbacks{ReadCb, SeekCb, nullptr, TellCb};
  if (ov_open_callbacks(&d.reader, &d.vf, nullptr, 0, callbacks) < 0) return nullptr;
  d.open = true;
  const vorbis_info* info = ov_info(&d.vf, -1);
  if (!info || (info->channels != 1 && info->channels != 2) || info->rate < kMinRate ||
      info->rate > kMaxRate)
    return nullptr;
  stream->channels_ = info->channels;
  stream->rate_ = static_cast<int>(info->rate);
  stream->window_.resize(static_cast<size_t>(kWindowFrames) * static_cast<size_t>(info->channels));
  return stream;
}

OggStream::~OggStream() = default;

int64_t OggStream::ClaimedFrames() const {
  const ogg_int64_t total = ov_pcm_total(&decoder_->vf, -1);
  return total > 0 ? static_cast<int64_t>(total) : 0;
}

int OggStream::Read(int16_t* out, int frames) {
  Decoder& d = *decoder_;
  if (d.exhausted || frames <= 0) return 0;
  constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;
  const int frameBytes = 2 * channels_;
  auto* bytes = reinterpret_cast<char*>(out);
  int done = 0;
  while (done < frames) {
    int bitstream = 0;
    const long got = ov_read(&d.vf, bytes + static_cast<ptrdiff_t>(done) * frameBytes,
                             (frames - done) * frameBytes, kBigEndian, 2, 1, &bitstream);
    if (got == OV_HOLE && ++holes_ <= kMaxHoles) continue;
    // A chained stream that changes its layout is cut where it changes.
    const vorbis_info* now = got > 0 ? ov_info(&d.vf, bitstream) : nullptr;
    if (!now || now->channels != channels_ || now->rate != rate_) {
      d.exhausted = true;
      break;
    }
    done += static_cast<int>(got / frameBytes);
  }
  return done;
}

void OggStream::Fill() {
  while (count_ < kWindowFrames && !ended_) {
    const uint64_t room = std::min<uint64_t>(kWindowFrames - count_, kMaxPassFrames - Decoded());
    const int got = room ? Read(window_.data() + static_cast<size_t>(count_) * channels_,
                                static_cast<int>(room))
                         : 0;
    if (got == 0) ended_ = true;
    if (base_ == 0 && count_ == 0 && got > 0)
      std::copy_n(window_.data(), channels_, first_);
    count_ += got;
  }
}

int OggStream::Reach(uint64_t index) {
  while (index + 1 >= Decoded() && !ended_) {
    if (index >= Decoded()) {
      // Nothing in the window is wanted any more (a fast rate skips ahead).
      base_ = Decoded();
      count_ = 0;
    } else {
      // At most one frame, the one at `index`, stays for the next frame to be read beside it.
      const int keep = static_cast<int>(Decoded() - index);
      std::memmove(window_.data(), Frame(index), static_cast<size_t>(keep) * channels_ * sizeof(int16_t));
      base_ = index;
      count_ = keep;
    }
    Fill();
  }
  if (index >= Decoded()) return 0;
  return index + 1 < Decoded() ? 2 : 1;
}

bool OggStream::Rewind() {
  Decoder& d = *decoder_;
  if (ov_pcm_seek(&d.vf, 0) != 0) return false;
  d.exhausted = false;
  holes_ = 0;
  ended_ = false;
  base_ = 0;
  count_ = 0;
  return Reach(0) > 0;
}

}  // namespace platform
