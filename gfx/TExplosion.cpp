#include "gfx/TExplosion.h"

#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TExplosionList.h"

TExplosionPtr TExplosion::Create(const TGameImagePtr& image, float x, float y) {
  auto explosion = std::make_shared<TExplosion>();
  explosion->SetImage(image);
  explosion->SetPosition(x, y);
  return explosion;
}

int TExplosion::Kill() {
  if (auto list = Explosions.lock()) list->Remove(*this);
  return 0;
}

int TExplosion::Move() { return TSprite::Move(); }

int TExplosion::StartAnim(int lengthMs, int frames) {
  AnimLength = static_cast<int>(Game->CalcAnimLength(lengthMs));
  AnimCounter = static_cast<float>(AnimLength);
  FramesTotal = frames;
  return 0;
}

int TExplosion::Manage() {
  Move();
  ManageScale();
  ManageRotation();
  AnimCounter -= 1.0f * Delta;
  if (AnimCounter <= 0) Kill();
  return 0;
}
