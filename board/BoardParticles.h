#pragma once
// The board's particle makers. For now: the mouse pointer's sparkle trail, which start-up
// installs as the pointer's particle hook.
#include "gfx/TGameImage.h"
#include "gfx/TParticle.h"

// The trail picture ("particle1"), set at the end of the start-up loading.
extern TGameImagePtr PointerParticle;

// One trail sparkle at (x, y) in the pointer's own particle list; null when the pointer has
// no list.
TParticlePtr PointerParticleMake(float x, float y, const TGameImagePtr& image);
// The pointer's trail hook: one randomly tinted sparkle every SparkleLength ticks. Returns 0.
int PointerParticles();
