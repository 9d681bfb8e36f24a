#include "core/TGameChannel.h"

std::shared_ptr<TGameChannel> TGameChannel::Create() {
  auto c = std::make_shared<TGameChannel>();
  c->Channel = platform::AllocChannel();
  return c;
}

int TGameChannel::Kill() {
  if (Channel) platform::StopChannel(Channel);
  Channel.reset();
  return 0;
}
