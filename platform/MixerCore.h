#pragma once
// The state behind a Mixer: its channels and the lock shared with the audio thread.
// Channel operations run on the program thread and hold the lock only briefly; Render runs
// on the audio thread and never allocates or frees; it decodes streamed sounds from memory
// with decoders made, and first filled, on the program thread.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Audio.h"
#include "platform/Channel.h"

namespace platform {

class MixerCore : public std::enable_shared_from_this<MixerCore> {
 public:
  explicit MixerCore(int outputRate);

  int OutputRate() const { return outputRate_; }
  ChannelPtr AllocChannel();

  void Cue(const ChannelPtr& ch, const SoundPtr& sound);
  void Resume(const ChannelPtr& ch);
  void Pause(const ChannelPtr& ch);
  void Stop(const ChannelPtr& ch);
  void SetVolume(const ChannelPtr& ch, float volume);
  void SetPan(const ChannelPtr& ch, float pan);
  void SetRate(const ChannelPtr& ch, float rate);
  bool Playing(const ChannelPtr& ch);
  bool Paused(const ChannelPtr& ch);
  int64_t Position(const ChannelPtr& ch);

  void Render(int16_t* out, int frames);
  // The owning Mixer is going away: drop the channel list (channels point back at the
  // core) and stop listing new ones.
  void Shutdown();

  static constexpr float kMinRate = 0.01f;
  static constexpr float kMaxRate = 16.0f;

 private:
  static constexpr int kChunkFrames = 1024;

  // Moves channels that no longer sound out of the list; the caller releases them after
  // unlocking.
  void SweepLocked(std::vector<ChannelPtr>& dropped);
  void MixChannel(Channel& ch, float* mix, int frames) const;
  // A streamed sound, decoded as far as the mix needs it (under the lock, from memory).
  void MixStream(Channel& ch, float* mix, int frames) const;

  const int outputRate_;
  std::mutex mutex_;
  std::vector<ChannelPtr> active_;
  std::vector<float> mix_;
  bool closed_ = false;
};

}  // namespace platform
