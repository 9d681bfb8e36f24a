#include "board/TGameGrid.h"

#include "core/TChannelArray.h"

std::shared_ptr<TChannelArray> TGameGrid::Channels;
platform::ChannelPtr TGameGrid::ChannelNoMore;
platform::ChannelPtr TGameGrid::ChannelExplode;

int TGameGrid::CreateChannels() {
  Channels = TChannelArray::Create(8);
  ChannelNoMore = platform::AllocChannel();
  ChannelExplode = platform::AllocChannel();
  return 0;
}
