#include "gfx/TParticleGenerator.h"

#include "core/Globals.h"
#include "core/TGame.h"

TParticleGeneratorPtr TParticleGenerator::Create(float x, float y, int qty, float intervalMs,
                                                 std::function<int(TParticleGenerator&)> makeFunction,
                                                 int data1, int data2, int makeNow) {
  auto generator = std::make_shared<TParticleGenerator>();
  generator->x = x;
  generator->y = y;
  generator->Qty = qty - 1;
  generator->Interval = Game->CalcAnimLengthFromFloat(intervalMs);
  generator->IntervalCounter = generator->Interval;
  generator->MakeParticleFunction = std::move(makeFunction);
  generator->Data1 = data1;
  generator->Data2 = data2;
  if (makeNow != 0 && generator->MakeParticleFunction) generator->MakeParticleFunction(*generator);
  return generator;
}

int TParticleGenerator::Manage() {
  if (!Active) return -1;
  x += dx * Delta;
  y += dy * Delta;
  if (IntervalCounter <= 0) return 0;
  IntervalCounter -= Delta;
  while (IntervalCounter <= 0) {
    IntervalCounter += Interval;
    --Qty;
    if (MakeParticleFunction) MakeParticleFunction(*this);
    if (Qty == 0) {
      Active = 0;
      return 1;
    }
    if (Interval <= 0) break;  // changed from outside: would never catch up
  }
  return 0;
}
