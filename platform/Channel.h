#pragma once
// One mixer voice: the sound on it, where it is, and how it sounds. Internal to the audio
// layer; every field but `core` is guarded by the owning MixerCore's mutex.
#include <cstdint>
#include <memory>

#include "platform/Audio.h"
#include "platform/OggStream.h"

namespace platform {

class MixerCore;

class Channel {
 public:
  explicit Channel(std::shared_ptr<MixerCore> owner) : core(std::move(owner)) {}

  // A sound is on the channel and has neither ended nor been stopped (paused counts).
  bool Playing() const { return sound != nullptr && !finished; }
  // Contributes to the mix.
  bool Audible() const { return Playing() && !paused; }

  const std::shared_ptr<MixerCore> core;

  SoundPtr sound;
  // A streamed sound's own decoder, made on the program thread when the sound is cued and
  // advanced by the mixer; never freed on the audio thread.
  std::unique_ptr<OggStream> stream;
  uint64_t pos = 0;  // in frames of the sound (of the current pass when streamed), 32.32 fixed point
  float volume = 1.0f;
  float pan = 0.0f;
  float rate = 1.0f;
  bool paused = false;
  bool finished = false;
  bool listed = false;  // in the core's list of audible channels
};

}  // namespace platform
