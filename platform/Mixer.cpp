#include "platform/Audio.h"
#include "platform/MixerCore.h"

namespace platform {

struct Mixer::Impl {
  std::shared_ptr<MixerCore> core;
};

Mixer::Mixer(int outputRate) : impl(std::make_unique<Impl>()) {
  impl->core = std::make_shared<MixerCore>(outputRate);
}

Mixer::~Mixer() { impl->core->Shutdown(); }

void Mixer::Render(int16_t* out, int frames) { impl->core->Render(out, frames); }

int Mixer::OutputRate() const { return impl->core->OutputRate(); }

ChannelPtr Mixer::AllocChannel() { return impl->core->AllocChannel(); }

Mixer& Mixer::Global() {
  // Never destroyed: the audio thread may still be calling Render while the process exits.
  static Mixer* const global = new Mixer(44100);
  return *global;
}

}  // namespace platform
