#pragma once
// One loaded sound effect with the rate and volume it plays at.
#include <memory>

#include "platform/Audio.h"
#include "platform/String.h"

class TGameSound : public std::enable_shared_from_this<TGameSound> {
 public:
  virtual ~TGameSound() = default;

  String name;  // the bank key, upper case
  platform::SoundPtr sound;
  float pitch = 1.0f;   // playback rate factor, 1 = as recorded
  float volume = 1.0f;  // 0..1, for the next play

  // A new sound loaded from path (a file that does not load is fatal).
  static std::shared_ptr<TGameSound> Create(const String& path, int flags);
  // name = the upper-cased file name without folder and extension. Returns 0.
  virtual int Load(const String& path, int flags);
  // Plays through Game->GameSoundPlay on the caller's channel variable. Returns 0.
  virtual int PlayInChannel(platform::ChannelPtr& channel, float pan);
};
