#pragma once
// The container through which every particle is made, moved, drawn and removed. Drawing order
// is list order. Particles may die (leave the list) or be added while the list is walked:
// appended ones are reached by that walk, ones put at the front are not.
#include <memory>
#include <vector>

#include "gfx/TParticle.h"
#include "gfx/TSafeList.h"

class TParticleList : public std::enable_shared_from_this<TParticleList> {
 public:
  TParticleList();
  virtual ~TParticleList() = default;

  // Makes a particle (TParticle::CreateSpecial) owned by this list, first or last.
  virtual TParticlePtr AddNew(int x, int y, const TGameImagePtr& image, float dx, float dy,
                              float ygravity, float fadeMs, int lightBlend, int rotate,
                              float rotationSpeed, float scale, float scaleSpeed, int lifeMs,
                              int addFirst);
  virtual int Draw();
  // Move of every particle; frame animations do not advance.
  virtual int Move();
  // The frame animation of every particle past its start delay.
  virtual int Animate();
  // Move, then (past the start delay) the frame animation, killing those with KillAfterAnim
  // whose animation reached an end.
  virtual int Manage();
  // Every particle starts a fade-out of that length (a fade-in or hold runs first).
  virtual int FadeAll(int ms);
  virtual int SetUseAlpha(int flag);
  virtual int SetBaseScale(float sx, float sy);
  virtual int EnableUpdateOriginalCoords();
  virtual int ScaleCoords();
  virtual int AddOffsets(float ox, float oy);
  virtual int ProcessScale(float sx, float sy, float offx, float offy);
  // Writes every particle into collision layer 1.
  virtual int Collide();

  // Puts a particle in this list (taking it out of any other). Returns it.
  TParticlePtr Add(const TParticlePtr& particle, int addFirst);
  // Takes the particle out; nothing when it is not in this list.
  void Remove(TParticle& particle);
  // Empties the list without killing: no hook runs, attached particles survive. The dropped
  // particles no longer name this list.
  void Clear();
  int Count() const { return items_.Count(); }
  TParticlePtr First() const { return items_.First(); }
  TParticlePtr Last() const { return items_.Last(); }
  // f(const TParticlePtr&) for every particle in order, safe against removal.
  template <class F>
  void ForEach(F&& f) {
    items_.Walk([&](const TParticlePtr& p, TSafeList<TParticle>::Slot) { f(p); });
  }

 private:
  // A dead particle of this list that nothing else holds, made ready for a new life; null
  // when there is none.
  TParticlePtr Reuse();

  TSafeList<TParticle> items_;
  // Particles that died here, kept so that an effect running on and on (a trail, sparkles)
  // makes its new ones without allocating. Emptied by Clear.
  std::vector<TParticlePtr> dead_;
};
using TParticleListPtr = std::shared_ptr<TParticleList>;

// The five global lists.
extern TParticleListPtr BackgroundParticles;
extern TParticleListPtr Particles;
extern TParticleListPtr AnimatedParticles;
extern TParticleListPtr Tumblets;
extern TParticleListPtr ScoreParticles;
// Makes the five lists afresh (start-up). Returns 0.
int CreateParticleLists();
