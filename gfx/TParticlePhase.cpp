#include "gfx/TParticlePhase.h"

int TParticlePhase::SetFade(int fadeInMs, int sustainMs, int fadeOutMs) {
  FadeInMS = static_cast<float>(fadeInMs);
  FadeSustainMS = static_cast<float>(sustainMs);
  FadeMS = static_cast<float>(fadeOutMs);
  return 0;
}
