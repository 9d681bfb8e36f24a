#pragma once
// The board of a level. The class holds the board's own sound-channel pool, made once at
// start-up beside the application's pool, and two plain channels for the no-more-moves alarm
// and the burst of that sequence.
#include <memory>

#include "platform/Audio.h"

class TChannelArray;

class TGameGrid {
 public:
  virtual ~TGameGrid() = default;

  static std::shared_ptr<TChannelArray> Channels;
  static platform::ChannelPtr ChannelNoMore;
  static platform::ChannelPtr ChannelExplode;

  // The pool of 8 channels and the two extra channels.
  static int CreateChannels();
};
