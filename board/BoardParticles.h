#pragma once
// The board's particle makers: burst sparkles and fire, shards, unlock sparkles and chain
// links, stars, the freed Tumblet's streak to the diagonal-move gauge, the full gauge's
// sparkle and the mouse pointer's trail. Counts marked "scaled" follow the detail setting:
// int(n x Game->Particles / 100).
#include "gfx/TGameImage.h"
#include "gfx/TParticle.h"

// The trail picture ("particle1"), set at the end of the start-up loading.
extern TGameImagePtr PointerParticle;

// n scaled by the detail setting.
int ScaledParticleCount(int n);

// Does nothing.
TParticlePtr ParticleMake();
int GaugeParticleMake(float x, float y);
int UnlockParticlesMake(float x, float y, int n);    // scaled
int SparkleParticlesMake(float x, float y, int n);   // scaled, randomly tinted
int FireParticlesMake(float x, float y, int n);      // scaled
int ChainParticlesMake(float x, float y, int n);     // scaled
int StarParticlesMake(float x, float y, int n);      // scaled
// Scaled particles that reach the gauge at (330, 27) in one second, then always one delayed
// gauge step (also with no particle).
int TumbletParticles(float x, float y, int n);
// Four shards flying out diagonally.
int ShardParticlesMake(float x, float y, const TGameImagePtr& image);
// One trail sparkle at (x, y) in the pointer's own particle list; null when the pointer has
// no list.
TParticlePtr PointerParticleMake(float x, float y, const TGameImagePtr& image);
// The pointer's trail hook: one randomly tinted sparkle every SparkleLength ticks. Returns 0.
int PointerParticles();
