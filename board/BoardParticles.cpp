#include "board/BoardParticles.h"

#include "board/BoardGlobals.h"
#include "board/BoardHost.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TColor.h"
#include "gfx/TParticleList.h"
#include "platform/Clock.h"

TGameImagePtr PointerParticle;

namespace {

float Rnd(double lo, double hi) { return static_cast<float>(platform::Rnd(lo, hi)); }

int PlusOrMinusOne() { return platform::Rand(0, 1) == 0 ? -1 : 1; }

void RandomTint(const TParticlePtr& particle) {
  const int r = platform::Rand(100, 255);
  const int g = platform::Rand(100, 255);
  const int b = platform::Rand(100, 255);
  particle->SetTint(r, g, b);
}

}  // namespace

int ScaledParticleCount(int n) {
  return static_cast<int>(static_cast<double>(n) * Game->Particles / 100.0);
}

TParticlePtr ParticleMake() { return nullptr; }

int GaugeParticleMake(float x, float y) {
  if (!Particles) return 0;
  const float rotationSpeed = Rnd(0.2, 0.8);
  const float scale = Rnd(0.2, 0.8);
  Particles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[3], 0.0f, 0.0f, 0.0f,
                    1000.0f, 1, 1, rotationSpeed, scale, 0.0f, 0, 0);
  return 0;
}

int UnlockParticlesMake(float x, float y, int n) {
  if (!Particles) return 0;
  for (int i = ScaledParticleCount(n); i > 0; --i) {
    const float dx = Rnd(-2, 2);
    const float dy = Rnd(-1.5, 0);
    const int rotate = PlusOrMinusOne();
    const float rotationSpeed = Rnd(0.5, 3.0);
    const float scale = Rnd(0.3, 1.0);
    Particles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[3], dx, dy, 0.01f,
                      1000.0f, 1, rotate, rotationSpeed, scale, 0.0f, 0, 0);
  }
  return 0;
}

int SparkleParticlesMake(float x, float y, int n) {
  if (!Particles) return 0;
  for (int i = ScaledParticleCount(n); i > 0; --i) {
    const float dx = Rnd(-1, 1);
    const float dy = Rnd(-1, 0);
    const int rotate = PlusOrMinusOne();
    const float rotationSpeed = Rnd(0.5, 3.0);
    const float scale = Rnd(0.3, 1.0);
    const TParticlePtr p =
        Particles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[3], dx, dy,
                          0.02f, 1000.0f, 1, rotate, rotationSpeed, scale, 0.0f, 0, 0);
    RandomTint(p);
  }
  return 0;
}

int FireParticlesMake(float x, float y, int n) {
  if (!Particles) return 0;
  for (int i = ScaledParticleCount(n); i > 0; --i) {
    const float dx = Rnd(-0.1, 0.1);
    const float dy = Rnd(-0.1, 0.1);
    Particles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[4], dx, dy, 0.0f,
                      500.0f, 1, 0, 1.0f, 1.0f, 0.0f, 0, 0);
  }
  return 0;
}

int ChainParticlesMake(float x, float y, int n) {
  if (!AnimatedParticles) return 0;
  for (int i = ScaledParticleCount(n); i > 0; --i) {
    const float dx = Rnd(-1, 1);
    const float dy = Rnd(-1, 0);
    const int rotate = PlusOrMinusOne();
    const float rotationSpeed = Rnd(0.5, 3.0);
    const TParticlePtr p =
        AnimatedParticles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[6], dx,
                                  dy, 0.02f, 0.0f, 0, rotate, rotationSpeed, 1.0f, 0.0f, 0, 0);
    p->SetupAnim(9, 500, 0, 0, 0, 0, 1);
    p->AnimCounter = static_cast<float>(platform::Rand(1, p->AnimLength - 1));
  }
  return 0;
}

int StarParticlesMake(float x, float y, int n) {
  if (!Particles) return 0;
  for (int i = ScaledParticleCount(n); i > 0; --i) {
    const float dx = Rnd(-1, 1);
    const float dy = Rnd(-1, 1);
    const float scale = Rnd(0.5, 3.0);
    Particles->AddNew(static_cast<int>(x), static_cast<int>(y), ParticleImages[4], dx, dy, 0.0f,
                      500.0f, 1, 0, 0.0f, scale, 0.0f, 0, 0);
  }
  return 0;
}

int TumbletParticles(float x, float y, int n) {
  if (Particles) {
    const auto ticks = static_cast<float>(static_cast<int>(Game->CalcAnimLength(1000)));
    const float dx = (330.0f - x) / ticks;
    const float dy = (27.0f - y) / ticks;
    for (int i = ScaledParticleCount(n); i > 0; --i) {
      const float oy = Rnd(-15, 15);
      const float ox = Rnd(-15, 15);
      const float scale = Rnd(0.5, 1.0);
      Particles->AddNew(static_cast<int>(x + ox), static_cast<int>(y + oy), ParticleImages[11], dx,
                        dy, 0.0f, 1500.0f, 1, 0, 0.0f, scale, 0.0f, 1000, 0);
    }
  }
  // The gauge fills the same whatever the detail setting.
  BoardHost::Current().AddGaugeStep(1000);
  return 0;
}

int ShardParticlesMake(float x, float y, const TGameImagePtr& image) {
  if (!AnimatedParticles) return 0;
  struct Shard {
    float dx, dy, angle;
  };
  static constexpr Shard kShards[] = {
      {-1.5f, 1.5f, -135.0f}, {1.5f, 1.5f, 135.0f}, {1.5f, -1.5f, 45.0f}, {-1.5f, -1.5f, -45.0f}};
  for (const Shard& shard : kShards) {
    const TParticlePtr p =
        AnimatedParticles->AddNew(static_cast<int>(x), static_cast<int>(y), image, shard.dx,
                                  shard.dy, 0.0f, 333.0f, 0, 0, 0.0f, 1.0f, 0.0f, 0, 0);
    p->SetupAnim(9, 1000, 0, 0, 0, 0, 1);
    p->AnimCounter = static_cast<float>(platform::Rand(1, p->AnimLength - 1));
    p->Rotation = shard.angle;
  }
  return 0;
}

TParticlePtr PointerParticleMake(float x, float y, const TGameImagePtr& image) {
  const auto& list = Game->Mouse->ParticleList;
  if (!list) return nullptr;
  const float dx = Rnd(-0.05, 0.05);
  const int rotate = PlusOrMinusOne();
  const float rotationSpeed = Rnd(0.2, 0.5);
  const float scale = Rnd(0.2, 0.5);
  return list->AddNew(static_cast<int>(x), static_cast<int>(y), image, dx, 0.0f, 0.0016f, 1000.0f,
                      1, rotate, rotationSpeed, scale, 0.0f, 0, 0);
}

int PointerParticles() {
  TMousePointer& mouse = *Game->Mouse;
  mouse.SparkleCounter -= Delta;
  if (mouse.SparkleCounter <= 0.0f) {
    mouse.SparkleCounter += static_cast<float>(mouse.SparkleLength);
    const int px = mouse.x + platform::Rand(1, mouse.w - 20) - 5;
    const int py = mouse.y + platform::Rand(1, mouse.h - 25) - 5;
    const TParticlePtr sparkle = PointerParticleMake(static_cast<float>(px),
                                                     static_cast<float>(py), PointerParticle);
    if (sparkle) RandomTint(sparkle);
  }
  return 0;
}
