#include "platform/MixerCore.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double kFixedOne = 4294967296.0;  // 1 << 32
constexpr float kFracScale = 1.0f / 4294967296.0f;

// NaN falls back; everything else is clamped.
float ClampOr(float v, float lo, float hi, float fallback) {
  if (std::isnan(v)) return fallback;
  return std::clamp(v, lo, hi);
}

int16_t ToS16(float v) {
  v = std::clamp(v, -32768.0f, 32767.0f);
  return static_cast<int16_t>(std::lrintf(v));
}

}  // namespace

MixerCore::MixerCore(int outputRate)
    : outputRate_(outputRate >= 8000 && outputRate <= 384000 ? outputRate : 44100) {
  active_.reserve(64);
  mix_.resize(2 * kChunkFrames);
}

ChannelPtr MixerCore::AllocChannel() { return std::make_shared<Channel>(shared_from_this()); }

void MixerCore::SweepLocked(std::vector<ChannelPtr>& dropped) {
  for (size_t i = 0; i < active_.size();) {
    if (active_[i]->Audible() && !closed_) {
      ++i;
      continue;
    }
    active_[i]->listed = false;
    dropped.push_back(std::move(active_[i]));
    active_[i] = std::move(active_.back());
    active_.pop_back();
  }
}

void MixerCore::Cue(const ChannelPtr& ch, const SoundPtr& sound) {
  // A streamed sound gets its decoder here, already holding its first frames.
  std::unique_ptr<OggStream> stream;
  if (sound && sound->Streamed()) {
    stream = OggStream::Open(reinterpret_cast<const uint8_t*>(sound->encoded->data()),
                             sound->encoded->size(), sound->encoded);
    if (stream && stream->Reach(0) == 0) stream.reset();
  }
  // Declared before the lock so the old sound, decoder and dropped channels are freed after
  // unlocking.
  SoundPtr old;
  std::vector<ChannelPtr> dropped;
  std::lock_guard lock(mutex_);
  old = std::move(ch->sound);
  ch->stream.swap(stream);
  ch->sound = sound;
  ch->pos = 0;
  ch->paused = true;
  ch->finished = sound && (sound->Streamed() ? !ch->stream : sound->FrameCount() <= 0);
  SweepLocked(dropped);
}

void MixerCore::Resume(const ChannelPtr& ch) {
  std::vector<ChannelPtr> dropped;
  std::lock_guard lock(mutex_);
  if (!ch->Playing()) return;
  ch->paused = false;
  if (!ch->listed && !closed_) {
    active_.push_back(ch);
    ch->listed = true;
  }
  SweepLocked(dropped);
}

void MixerCore::Pause(const ChannelPtr& ch) {
  std::vector<ChannelPtr> dropped;
  std::lock_guard lock(mutex_);
  if (ch->Playing()) ch->paused = true;
  SweepLocked(dropped);
}

void MixerCore::Stop(const ChannelPtr& ch) {
  SoundPtr old;
  std::unique_ptr<OggStream> oldStream;
  std::vector<ChannelPtr> dropped;
  std::lock_guard lock(mutex_);
  old = std::move(ch->sound);
  oldStream = std::move(ch->stream);
  ch->pos = 0;
  ch->paused = false;
  ch->finished = false;
  SweepLocked(dropped);
}

void MixerCore::SetVolume(const ChannelPtr& ch, float volume) {
  std::lock_guard lock(mutex_);
  ch->volume = ClampOr(volume, 0.0f, 1.0f, 0.0f);
}

void MixerCore::SetPan(const ChannelPtr& ch, float pan) {
  std::lock_guard lock(mutex_);
  ch->pan = ClampOr(pan, -1.0f, 1.0f, 0.0f);
}

void MixerCore::SetRate(const ChannelPtr& ch, float rate) {
  std::lock_guard lock(mutex_);
  ch->rate = ClampOr(rate, kMinRate, kMaxRate, 1.0f);
}

bool MixerCore::Playing(const ChannelPtr& ch) {
  std::lock_guard lock(mutex_);
  return ch->Playing();
}

bool MixerCore::Paused(const ChannelPtr& ch) {
  std::lock_guard lock(mutex_);
  return ch->Playing() && ch->paused;
}

int64_t MixerCore::Position(const ChannelPtr& ch) {
  std::lock_guard lock(mutex_);
  return ch->sound ? static_cast<int64_t>(ch->pos >> 32) : 0;
}

void MixerCore::Shutdown() {
  std::vector<ChannelPtr> dropped;
  std::lock_guard lock(mutex_);
  closed_ = true;
  SweepLocked(dropped);
}

void MixerCore::Render(int16_t* out, int frames) {
  if (!out || frames <= 0) return;
  std::lock_guard lock(mutex_);
  while (frames > 0) {
    const int n = std::min(frames, kChunkFrames);
    std::fill_n(mix_.data(), 2 * n, 0.0f);
    for (const ChannelPtr& ch : active_) MixChannel(*ch, mix_.data(), n);
    for (int i = 0; i < 2 * n; ++i) out[i] = ToS16(mix_[i]);
    out += 2 * n;
    frames -= n;
  }
}

// Linear interpolation between neighbouring frames, stepping by the playback rate times the
// sound's rate over the output rate. Pan is a balance: the far side is turned down, the near
// side stays at full volume, so a centred sound plays at its recorded level on both sides.
void MixerCore::MixChannel(Channel& ch, float* mix, int frames) const {
  if (!ch.Audible()) return;
  if (ch.sound->Streamed()) {
    MixStream(ch, mix, frames);
    return;
  }
  const Sound& s = *ch.sound;
  const int64_t count = s.FrameCount();
  // The fixed-point position holds 32 bits of frame index; anything larger or malformed
  // simply ends.
  if (count <= 0 || count >= (int64_t{1} << 31) || (s.channels != 1 && s.channels != 2) ||
      s.rate <= 0) {
    ch.finished = true;
    return;
  }
  const uint64_t end = static_cast<uint64_t>(count) << 32;
  uint64_t pos = ch.pos;
  if (pos >= end) {
    if (!s.loop) {
      ch.finished = true;
      ch.pos = end;
      return;
    }
    pos %= end;
  }
  const double ratio = static_cast<double>(ch.rate) * s.rate / outputRate_;
  const uint64_t step = std::max<uint64_t>(1, static_cast<uint64_t>(ratio * kFixedOne));
  const float gainL = ch.volume * std::min(1.0f, 1.0f - ch.pan);
  const float gainR = ch.volume * std::min(1.0f, 1.0f + ch.pan);
  const int16_t* d = s.samples.data();
  const uint64_t last = static_cast<uint64_t>(count - 1);

  for (int i = 0; i < frames; ++i) {
    const uint64_t idx = pos >> 32;
    const float f = static_cast<float>(pos & 0xFFFFFFFFu) * kFracScale;
    const uint64_t nx = idx < last ? idx + 1 : (s.loop ? 0 : idx);
    if (s.channels == 1) {
      const float a = d[idx];
      const float v = a + (d[nx] - a) * f;
      mix[2 * i] += v * gainL;
      mix[2 * i + 1] += v * gainR;
    } else {
      const float l = d[2 * idx];
      const float r = d[2 * idx + 1];
      mix[2 * i] += (l + (d[2 * nx] - l) * f) * gainL;
      mix[2 * i + 1] += (r + (d[2 * nx + 1] - r) * f) * gainR;
    }
    pos += step;
    if (pos >= end) {
      if (!s.loop) {
        ch.finished = true;
        pos = end;
        break;
      }
      pos %= end;
    }
  }
  ch.pos = pos;
}

// The same arithmetic over the stream's window, so a streamed sound sounds exactly as it would
// decoded whole; its length is known only once a pass has been decoded to its end.
void MixerCore::MixStream(Channel& ch, float* mix, int frames) const {
  OggStream* st = ch.stream.get();
  if (!st) {
    ch.finished = true;
    return;
  }
  const bool loop = ch.sound->loop;
  const double ratio = static_cast<double>(ch.rate) * st->Rate() / outputRate_;
  const uint64_t step = std::max<uint64_t>(1, static_cast<uint64_t>(ratio * kFixedOne));
  const float gainL = ch.volume * std::min(1.0f, 1.0f - ch.pan);
  const float gainR = ch.volume * std::min(1.0f, 1.0f + ch.pan);
  const bool mono = st->Channels() == 1;
  uint64_t pos = ch.pos;
  // Past the pass's end: around again when looping, else the sound is over. A pass that
  // yields nothing, will not start again, or keeps ending before the frame wanted (damaged
  // data decoding differently) ends it too.
  int rewindsInARow = 0;
  const auto passEnded = [&]() {
    const uint64_t length = st->Decoded();
    if (!loop || length == 0 || ++rewindsInARow > 2 || !st->Rewind()) {
      ch.finished = true;
      pos = length << 32;
      return true;
    }
    pos %= length << 32;
    return false;
  };

  for (int i = 0; i < frames; ++i) {
    const uint64_t idx = pos >> 32;
    const int have = st->Reach(idx);
    if (have == 0) {
      if (passEnded()) break;
      --i;  // this output frame again, from the new pass
      continue;
    }
    const float f = static_cast<float>(pos & 0xFFFFFFFFu) * kFracScale;
    const int16_t* a = st->Frame(idx);
    const int16_t* b = have == 2 ? st->Frame(idx + 1) : (loop ? st->FirstFrame() : a);
    if (mono) {
      const float v = a[0] + (b[0] - a[0]) * f;
      mix[2 * i] += v * gainL;
      mix[2 * i + 1] += v * gainR;
    } else {
      mix[2 * i] += (a[0] + (b[0] - a[0]) * f) * gainL;
      mix[2 * i + 1] += (a[1] + (b[1] - a[1]) * f) * gainR;
    }
    rewindsInARow = 0;
    pos += step;
    // The end is met on the step that passes it, as with a sound in memory.
    if ((pos >> 32) >= st->Decoded() && st->Reach(pos >> 32) == 0 && passEnded()) break;
  }
  ch.pos = pos;
}

}  // namespace platform
