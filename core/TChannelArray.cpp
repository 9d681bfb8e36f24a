#include "core/TChannelArray.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TGameSound.h"

std::shared_ptr<TChannelArray> TChannelArray::Create(int count) {
  auto pool = std::make_shared<TChannelArray>();
  for (int i = 0; i < count; ++i) pool->items_.push_back(TGameChannel::Create());
  pool->Current = pool->First();
  return pool;
}

float TChannelArray::BalanceVolumes(int extra) {
  const int n = CountPlaying() + extra;
  const float factor = n <= 0 ? 1.0f : std::min(1.0f, MaxVol / static_cast<float>(n));
  SetVolume(factor);
  return factor;
}

std::shared_ptr<TGameChannel> TChannelArray::ChannelByIndex(int index) {
  if (index < 2) return First();
  if (index > Count()) return nullptr;
  return items_[static_cast<size_t>(index - 1)];
}

int TChannelArray::CountPlaying() {
  int n = 0;
  for (const auto& c : items_) {
    if (c && platform::ChannelPlaying(c->Channel)) ++n;
  }
  return n;
}

std::shared_ptr<TGameChannel> TChannelArray::GetChannel() {
  const int n = Count();
  if (n == 0) return nullptr;
  int start = -1;  // Current outside the pool: every channel may be offered
  for (int i = 0; i < n; ++i) {
    if (items_[static_cast<size_t>(i)] == Current) {
      start = i;
      break;
    }
  }
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = (i + 1) % n;
    if (i == start) break;
    const auto& c = items_[static_cast<size_t>(i)];
    if (!c || c->Reserved) continue;
    if (c->PlayWhenFinished == 0 || !platform::ChannelPlaying(c->Channel)) {
      Current = c;
      return c;
    }
  }
  return nullptr;
}

int TChannelArray::Kill() {
  for (const auto& c : items_) {
    if (c) c->Kill();
  }
  items_.clear();
  Current.reset();
  return 0;
}

int TChannelArray::Manage() {
  BalanceVolumes(0);
  return 0;
}

std::shared_ptr<TGameChannel> TChannelArray::PlayGameSound(
    const std::shared_ptr<TGameSound>& sound, std::shared_ptr<TGameChannel> channel,
    float volume, float pan) {
  if (!sound) return nullptr;
  if (!channel) channel = GetChannel();
  if (!channel) return nullptr;
  channel->OriginalVolume = volume;
  const float factor = BalanceVolumes(1);  // counting the sound about to start
  sound->volume = factor * volume;
  sound->PlayInChannel(channel->Channel, pan);
  return channel;
}

int TChannelArray::SetVolume(float factor) {
  const float master = (Game ? static_cast<float>(Game->SoundVolume) : 100.0f) / 100.0f;
  for (const auto& c : items_) {
    if (c && c->Channel) platform::SetChannelVolume(c->Channel, master * c->OriginalVolume * factor);
  }
  return 0;
}

int TChannelArray::StopGameChannel(const std::shared_ptr<TGameChannel>& channel) {
  if (!channel) return 0;
  auto it = std::find(items_.begin(), items_.end(), channel);
  if (channel->Channel) platform::StopChannel(channel->Channel);
  // A channel from elsewhere is only stopped: the pool keeps its size.
  if (it == items_.end()) return 0;
  items_.erase(it);
  items_.push_back(TGameChannel::Create());
  Current = items_.back();
  return 0;
}
