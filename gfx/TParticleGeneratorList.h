#pragma once
// The generators that run on their own (not carried by a particle); each leaves the list on
// the tick of its last emission.
#include <functional>
#include <memory>

#include "gfx/TParticleGenerator.h"
#include "gfx/TSafeList.h"

class TParticleGeneratorList {
 public:
  virtual ~TParticleGeneratorList() = default;

  // A generator that emits once now and qty - 1 more times, one per intervalMs; kept only
  // while it has emissions to come. Returned either way.
  virtual TParticleGeneratorPtr Add(float x, float y, int qty, float intervalMs,
                                    std::function<int(TParticleGenerator&)> makeFunction);
  // Manage of every generator; one that reports its last emission is dropped.
  virtual int Manage();

  int Count() const { return items_.Count(); }

 private:
  TSafeList<TParticleGenerator> items_;
};
