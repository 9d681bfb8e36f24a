#include "gfx/TParticleGeneratorList.h"

TParticleGeneratorPtr TParticleGeneratorList::Add(float x, float y, int qty, float intervalMs,
                                                  std::function<int(TParticleGenerator&)> makeFunction) {
  auto generator = TParticleGenerator::Create(x, y, qty, intervalMs, std::move(makeFunction), 0, 0, 1);
  if (generator->Qty > 0) items_.PushBack(generator);
  return generator;
}

int TParticleGeneratorList::Manage() {
  items_.Walk([this](const TParticleGeneratorPtr& g, TSafeList<TParticleGenerator>::Slot slot) {
    if (g->Manage() == 1) items_.Remove(slot);
  });
  return 0;
}
