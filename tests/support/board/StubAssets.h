#pragma once
// Headless stand-ins for the board's assets: one solid colour per picture (frames of a strip
// differ) at the size, frame layout, bank key and handle start-up gives it, silent sounds
// under every sound name, and a sound log that records every sound the board asks for.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/TChannelArray.h"
#include "core/TGameSound.h"

namespace testrig {

struct SoundEvent {
  long tick;
  std::string name;  // the bank key, upper case
  float pitch;
  std::string route;  // "board", "game" (a pool) or "channel" (PlayInChannel)
};

// Every sound requested since the last clear.
std::vector<SoundEvent>& SoundLog();
int SoundCount(const std::string& name);
// The tick stamped on new entries (the tick driver keeps it).
void SetSoundLogTick(long tick);

// A pool that logs each request, then plays it as usual (on the silent driver a started
// sound counts as playing until stopped).
class RecordingChannels : public TChannelArray {
 public:
  explicit RecordingChannels(int count, std::string route);
  std::shared_ptr<TGameChannel> PlayGameSound(const std::shared_ptr<TGameSound>& sound,
                                              std::shared_ptr<TGameChannel> channel, float volume,
                                              float pan) override;

 private:
  std::string route_;
};

class RecordingSound : public TGameSound {
 public:
  int PlayInChannel(platform::ChannelPtr& channel, float pan) override;
};

// The stub pictures and sounds into the real banks (Game->ImagePath must be a writable
// folder: the diagonal mask is read from a file there), then the gem and cell tables and the
// recording channel pools, as start-up does.
void InstallBoardStubAssets();
// Replaces the stub pictures with the generated ones of the data folder dataDir (ending in a
// slash), under the same keys, and takes the class tables from them again. False when the
// data folder has not been generated.
bool InstallGeneratedBoardAssets(const std::string& dataDir);
// The colour of a stub picture's frame (the bank key in any case).
uint32_t StubColour(const std::string& key, int frame = 0);
// Drops the board's class-wide tables (pictures, sounds, channels).
void ClearBoardStatics();

}  // namespace testrig
