#include "platform/OggDecoder.h"

#include <algorithm>
#include <cstring>

#include "platform/OggStream.h"

namespace platform {

namespace {

// Music tracks run for a minute or two; a stream going on for more than ten minutes of
// 48 kHz stereo is cut there. The length a stream claims only sizes the first allocation
// when it is modest, as a hostile file can claim anything.
constexpr size_t kMaxSamples = size_t{48000} * 2 * 600;
constexpr size_t kMaxReserve = size_t{48000} * 2 * 180;

}  // namespace

bool LooksLikeOgg(const uint8_t* data, size_t size) {
  return data && size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

SoundPtr DecodeOgg(const uint8_t* data, size_t size) {
  std::unique_ptr<OggStream> stream = OggStream::Open(data, size);
  if (!stream) return nullptr;
  const size_t channels = static_cast<size_t>(stream->Channels());
  auto sound = std::make_shared<Sound>();
  sound->channels = stream->Channels();
  sound->rate = stream->Rate();
  const uint64_t claimed = static_cast<uint64_t>(stream->ClaimedFrames());
  if (claimed > 0 && claimed * channels <= kMaxReserve)
    sound->samples.reserve(static_cast<size_t>(claimed) * channels);
  const size_t maxFrames = kMaxSamples / channels;
  int16_t buf[4096];
  for (size_t frames = 0; frames < maxFrames;) {
    const int want = static_cast<int>(std::min(sizeof buf / sizeof buf[0] / channels, maxFrames - frames));
    const int got = stream->Read(buf, want);
    if (got <= 0) break;
    sound->samples.insert(sound->samples.end(), buf, buf + static_cast<size_t>(got) * channels);
    frames += static_cast<size_t>(got);
  }
  if (sound->samples.empty()) return nullptr;
  return sound;
}

}  // namespace platform
