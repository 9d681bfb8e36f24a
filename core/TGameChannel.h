#pragma once
// One channel of a channel pool (TChannelArray).
#include <memory>

#include "platform/Audio.h"
#include "platform/String.h"

class TGameChannel {
 public:
  virtual ~TGameChannel() = default;

  platform::ChannelPtr Channel;
  String name;
  int Reserved = 0;          // non-zero: never handed out by the pool
  int PlayWhenFinished = 1;  // non-zero: handed out only while silent
  float OriginalVolume = 1.0f;  // the volume its current sound was started with

  // A new channel holding a freshly allocated runtime channel.
  static std::shared_ptr<TGameChannel> Create();
  // Stops and releases the runtime channel. Returns 0.
  virtual int Kill();
};
