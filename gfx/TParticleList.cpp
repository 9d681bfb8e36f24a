#include "gfx/TParticleList.h"

#include <typeinfo>

#include "core/TGame.h"
#include "gfx/CollisionLayers.h"

TParticleListPtr BackgroundParticles = std::make_shared<TParticleList>();
TParticleListPtr Particles = std::make_shared<TParticleList>();
TParticleListPtr AnimatedParticles = std::make_shared<TParticleList>();
TParticleListPtr Tumblets = std::make_shared<TParticleList>();
TParticleListPtr ScoreParticles = std::make_shared<TParticleList>();

int CreateParticleLists() {
  BackgroundParticles = std::make_shared<TParticleList>();
  Particles = std::make_shared<TParticleList>();
  AnimatedParticles = std::make_shared<TParticleList>();
  Tumblets = std::make_shared<TParticleList>();
  ScoreParticles = std::make_shared<TParticleList>();
  return 0;
}

namespace {

// Enough for the largest burst (a horn clearing a row at full detail makes about 450), so the
// next one allocates nothing either.
constexpr size_t kDeadKept = 1024;
// How far back the dead are searched for one that nothing holds any more.
constexpr size_t kDeadLooked = 8;

}  // namespace

TParticleList::TParticleList() { dead_.reserve(kDeadKept); }

TParticlePtr TParticleList::Reuse() {
  const size_t n = dead_.size();
  for (size_t i = n; i > 0 && i + kDeadLooked > n; --i) {
    TParticlePtr& candidate = dead_[i - 1];
    if (candidate.use_count() != 1) continue;
    TParticlePtr p = std::move(candidate);
    candidate = std::move(dead_.back());
    dead_.pop_back();
    p->Recycle();
    return p;
  }
  return nullptr;
}

TParticlePtr TParticleList::AddNew(int x, int y, const TGameImagePtr& image, float dx, float dy,
                                   float ygravity, float fadeMs, int lightBlend, int rotate,
                                   float rotationSpeed, float scale, float scaleSpeed, int lifeMs,
                                   int addFirst) {
  TParticlePtr p = Reuse();
  if (!p) {
    return Add(TParticle::CreateSpecial(image, static_cast<float>(x), static_cast<float>(y), dx, dy,
                                        ygravity, fadeMs, lightBlend, rotate, rotationSpeed, scale,
                                        scaleSpeed, lifeMs),
               addFirst);
  }
  p->Setup(image, static_cast<float>(x), static_cast<float>(y), dx, dy, ygravity, fadeMs,
           lightBlend, rotate, rotationSpeed, scale, scaleSpeed, lifeMs);
  return Add(p, addFirst);
}

TParticlePtr TParticleList::Add(const TParticlePtr& particle, int addFirst) {
  if (!particle) return particle;
  if (auto previous = particle->Particles.lock()) previous->Remove(*particle);
  particle->slot_ = addFirst != 0 ? items_.PushFront(particle) : items_.PushBack(particle);
  particle->Particles = weak_from_this();
  return particle;
}

void TParticleList::Remove(TParticle& particle) {
  const auto owner = particle.Particles.lock();
  if (owner.get() != this) return;
  particle.Particles.reset();
  TParticlePtr held = TSafeList<TParticle>::At(particle.slot_);
  items_.Remove(particle.slot_);
  particle.slot_ = {};
  // Only plain particles are made again; a subclass keeps its own nature.
  if (held && dead_.size() < dead_.capacity() && typeid(*held) == typeid(TParticle)) {
    dead_.push_back(std::move(held));
  }
}

void TParticleList::Clear() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    p->Particles.reset();
    p->slot_ = {};
  });
  items_.Clear();
  dead_.clear();
}

int TParticleList::Draw() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) { p->Draw(); });
  return 0;
}

int TParticleList::Move() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) { p->Move(); });
  return 0;
}

int TParticleList::Animate() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    if (p->DelayCounter == 0) p->ManageAnim();
  });
  return 0;
}

int TParticleList::Manage() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    p->Move();
    if (p->DelayCounter == 0 && p->ManageAnim() != 0 && p->KillAfterAnim) p->Kill();
  });
  return 0;
}

int TParticleList::FadeAll(int ms) {
  items_.Walk([ms](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    const float length = Game->CalcAnimLength(ms);
    p->FadeLength = length;
    p->FadeCounter = length;
    p->UseAlpha = 1;
  });
  return 0;
}

int TParticleList::SetUseAlpha(int flag) {
  items_.Walk([flag](const TParticlePtr& p, TSafeList<TParticle>::Slot) { p->UseAlpha = flag; });
  return 0;
}

int TParticleList::SetBaseScale(float sx, float sy) {
  items_.Walk([sx, sy](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    p->BaseScaleX = sx;
    p->BaseScaleY = sy;
  });
  return 0;
}

int TParticleList::EnableUpdateOriginalCoords() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    if (p->UpdateOriginalCoords == 0) {
      p->StoreOriginalCoords();
      p->UpdateOriginalCoords = 1;
    }
  });
  return 0;
}

int TParticleList::ScaleCoords() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) { p->ScaleOriginalCoords(); });
  return 0;
}

int TParticleList::AddOffsets(float ox, float oy) {
  items_.Walk([ox, oy](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    p->x += ox;
    p->y += oy;
  });
  return 0;
}

int TParticleList::ProcessScale(float sx, float sy, float offx, float offy) {
  items_.Walk([=](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    p->BaseScaleX = sx;
    p->BaseScaleY = sy;
    p->x = p->ox * sx + offx;
    p->y = p->oy * sy + offy;
  });
  return 0;
}

int TParticleList::Collide() {
  items_.Walk([](const TParticlePtr& p, TSafeList<TParticle>::Slot) {
    if (p->image && p->image->image) {
      CollideImage(p->image->image, static_cast<int>(p->x), static_cast<int>(p->y), 0, 0, 1, p);
    }
  });
  return 0;
}
