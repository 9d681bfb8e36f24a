#include "board/BoardParticles.h"

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

}  // namespace

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
    if (sparkle) {
      const int r = platform::Rand(100, 255);
      const int g = platform::Rand(100, 255);
      const int b = platform::Rand(100, 255);
      sparkle->Color = TColor::Create(r, g, b, 1.0f);
    }
  }
  return 0;
}
