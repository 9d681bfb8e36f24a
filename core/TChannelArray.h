#pragma once
// A pool of sound channels: hands out silent channels in turn and turns every channel down
// when more sounds play than its volume budget allows.
#include <memory>
#include <vector>

#include "core/TGameChannel.h"

class TGameSound;

class TChannelArray {
 public:
  using List = std::vector<std::shared_ptr<TGameChannel>>;

  virtual ~TChannelArray() = default;

  float MaxVol = 1.5f;  // how many sounds may play at full volume together
  std::shared_ptr<TGameChannel> Current;  // the channel handed out last

  // A pool of count new channels, Current = the first.
  static std::shared_ptr<TChannelArray> Create(int count);

  // Applies min(1, MaxVol / (playing + extra)) (1 when nothing plays) to every channel and
  // returns it.
  virtual float BalanceVolumes(int extra);
  // The channel at index counted from 1 (below 2: the first); empty past the end.
  virtual std::shared_ptr<TGameChannel> ChannelByIndex(int index);
  virtual int CountPlaying();
  // The next free channel after Current (Current itself is not offered), or empty.
  virtual std::shared_ptr<TGameChannel> GetChannel();
  // Stops, releases and removes every channel. Returns 0.
  virtual int Kill();
  // BalanceVolumes(0). Returns 0.
  virtual int Manage();
  // Plays sound on channel, or on GetChannel() when none is given; returns the channel used,
  // or empty when none was free (nothing plays). The sound keeps the balanced volume.
  virtual std::shared_ptr<TGameChannel> PlayGameSound(const std::shared_ptr<TGameSound>& sound,
                                                      std::shared_ptr<TGameChannel> channel,
                                                      float volume, float pan);
  // Every channel's volume = Game->SoundVolume / 100 x its OriginalVolume x factor. Returns 0.
  virtual int SetVolume(float factor);
  // Takes the channel out of the pool, stops it, and appends a fresh channel as Current.
  // Returns 0.
  virtual int StopGameChannel(const std::shared_ptr<TGameChannel>& channel);

  // The ordered list.
  const List& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  std::shared_ptr<TGameChannel> First() const { return items_.empty() ? nullptr : items_.front(); }
  std::shared_ptr<TGameChannel> Last() const { return items_.empty() ? nullptr : items_.back(); }
  void AddLast(std::shared_ptr<TGameChannel> channel) { items_.push_back(std::move(channel)); }
  List::const_iterator begin() const { return items_.begin(); }
  List::const_iterator end() const { return items_.end(); }

 private:
  List items_;
};
