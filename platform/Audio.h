#pragma once
// Sound: a software mixer of our own on the system audio device ("FreeAudio"), or silent
// but stateful ("None").
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/String.h"

namespace platform {

// A sound: decoded, as interleaved signed 16-bit samples, or streamed, as its encoded file,
// which each channel playing it decodes piece by piece.
class Sound {
 public:
  std::vector<int16_t> samples;
  int channels = 1;  // 1 or 2
  int rate = 44100;
  bool loop = false;
  std::shared_ptr<const std::string> encoded;  // set for a streamed sound (then no samples)
  bool Streamed() const { return encoded != nullptr; }
  // Decoded frames; 0 for a streamed sound.
  int64_t FrameCount() const { return channels ? static_cast<int64_t>(samples.size()) / channels : 0; }
};
using SoundPtr = std::shared_ptr<Sound>;

class Channel;
using ChannelPtr = std::shared_ptr<Channel>;

// "FreeAudio" opens the system device; "None" is silent. Any other name, or a device that
// will not open, fails and leaves the game silent ("None" in effect). Returns success.
// Channels keep their state across driver changes. Under "None" nothing advances: a resumed
// sound counts as playing (at its position) until it is paused, stopped or replaced.
bool SetAudioDriver(StringView name);
String AudioDriverName();

// SOUND_STREAM: an Ogg Vorbis file stays encoded and is decoded while it plays (music); a WAV
// file is read whole either way.
enum SoundFlags { SOUND_LOOP = 1, SOUND_STREAM = 2 };
// WAV (PCM 8/16-bit, mono/stereo) or Ogg Vorbis, by content. nullptr on failure, and for an
// Ogg file whose start yields no sound.
SoundPtr LoadSound(StringView path, int flags = 0);
SoundPtr LoadSoundFromMemory(const void* data, size_t size, int flags = 0);

ChannelPtr AllocChannel();
// Puts the sound on the channel (a new one when null) paused at its start, replacing what it
// played. The channel keeps its volume, pan and rate.
ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel = nullptr);
// Cues and resumes.
ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel = nullptr);
void ResumeChannel(const ChannelPtr& channel);
void PauseChannel(const ChannelPtr& channel);  // keeps the position
void StopChannel(const ChannelPtr& channel);
void SetChannelVolume(const ChannelPtr& channel, float volume);  // 0..1
// A balance: the far side is turned down linearly, the near side stays at full volume
// (-1 left only, 0 both sides at full volume, 1 right only).
void SetChannelPan(const ChannelPtr& channel, float pan);        // -1..1
// Playback rate factor (pitch), 1 = as recorded; clamped to 0.01..16.
void SetChannelRate(const ChannelPtr& channel, float rate);
// True while a sound is on the channel and neither finished nor stopped (paused counts).
bool ChannelPlaying(const ChannelPtr& channel);
bool ChannelPaused(const ChannelPtr& channel);
// Frames played so far of the current sound.
int64_t ChannelPosition(const ChannelPtr& channel);

// The mixer behind "FreeAudio"; public so it can be exercised without a device.
class Mixer {
 public:
  explicit Mixer(int outputRate = 44100);
  ~Mixer();
  // Mixes `frames` stereo frames into out (interleaved L, R), replacing its content.
  void Render(int16_t* out, int frames);
  int OutputRate() const;
  // A new channel mixed by this mixer; the free functions above drive it.
  ChannelPtr AllocChannel();
  // The process-wide mixer used by the functions above.
  static Mixer& Global();

  struct Impl;
  std::unique_ptr<Impl> impl;
};

}  // namespace platform
