#pragma once
// The tornado's sweeper: it rides a falling particle down one column and destroys every gem
// its box meets, bursting, swapping and held-back gems excepted. Finished once its particle
// has left the screen.
#include <memory>

#include "gfx/TParticle.h"

class TBonus {
 public:
  virtual ~TBonus() = default;

  TParticlePtr p;  // the particle it rides; null when new

  static std::shared_ptr<TBonus> Create(const TParticlePtr& particle);
  // One tick: 1 when finished, else 0.
  virtual int Manage();
};
