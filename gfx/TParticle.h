#pragma once
// A short-lived effect sprite that moves by itself: an optional hidden start delay, a fade in,
// hold and out, spin, growth, a life time, timed phases and creator hooks. It lives in a
// particle list (made by TParticleList::AddNew) and leaves it when it dies. It holds its list
// weakly, so a list and its particles never keep each other alive.
#include <functional>
#include <memory>
#include <vector>

#include "gfx/TParticleGenerator.h"
#include "gfx/TParticlePhase.h"
#include "gfx/TSafeList.h"
#include "gfx/TSprite.h"

class TParticleList;
class TParticle;
using TParticlePtr = std::shared_ptr<TParticle>;

class TParticle : public TSprite {
 public:
  using Hook = std::function<int(TParticle&)>;

  std::weak_ptr<TParticleList> Particles;  // the owning list
  int Hidden = 0;
  float LifeCounter = 0;  // ticks left; 0 = no limit
  float FadeIn = 0;  // 1.0 while fading in
  float FadeSustainCounter = 0;
  float FadeCounter = 0;  // up during the fade-in, down during the fade-out
  float FadeInLength = 0;
  float FadeLength = 0;
  int DoLightBlend = 0;
  int DoRotate = 0;  // > 0 grows the angle, < 0 shrinks it
  int DoScale = 0;  // exactly 1: the scales change by their speeds
  int Data1 = 0;
  int Data2 = 0;
  int Data3 = 0;
  std::shared_ptr<void> DataObject;
  float FloatData1 = 0;
  std::vector<std::shared_ptr<TParticlePhase>> PhaseList;  // empty: none
  std::shared_ptr<TParticlePhase> CurrentPhase;
  float PhaseCounter = 0;
  int NoOutOfBounds = 0;
  int KillOnFade = 1;
  int KillAfterAnim = 0;
  float DelayCounter = 0;
  Hook DelayFinished;
  int UpdateOriginalCoords = 0;
  Hook UserMove;
  Hook DestinationReached;
  int DestX = 0;
  int DestY = 0;
  Hook UserKill;
  TParticleGeneratorPtr ParticleGenerator;
  TParticlePtr AttachedParticle;
  int KillAttachedParticle = 1;

  static TParticlePtr CreateSpecial(const TGameImagePtr& image, float x, float y, float dx,
                                    float dy, float ygravity, float fadeMs, int lightBlend,
                                    int rotate, float rotationSpeed, float scale, float scaleSpeed,
                                    int lifeMs);
  virtual int SetDelay(int ms);
  // A new phase appended (the list made when missing), for the caller to fill in.
  virtual std::shared_ptr<TParticlePhase> AddPhase(int lengthMs);
  virtual int StartPhases();
  virtual int ApplyPhase(const std::shared_ptr<TParticlePhase>& phase);
  virtual int SetFade(int fadeInMs, int sustainMs, int fadeOutMs);
  // 0 running, 1 the next phase was applied, -1 the last phase ended.
  virtual int ManagePhases();
  virtual int KillPhases();

  // One tick; 0 when killed by its phases ending or by leaving the screen.
  int Move() override;
  // Nothing while inactive or hidden; the alpha comes from the fade counters.
  int Draw() override;
  // Leaves the list, drops its generator, attached particle and data. Only the first call
  // acts: later ones find it inactive and listless.
  int Kill() override;
  // Sets the tint; a particle made again from a dead one reuses its old colour object.
  int SetTint(int r, int g, int b);

  TParticle() = default;

 private:
  friend class TParticleList;
  explicit TParticle(NoGlowCounter bare) : TSprite(bare) {}
  // CreateSpecial's settings on a new or recycled particle.
  void Setup(const TGameImagePtr& image, float x, float y, float dx, float dy, float ygravity,
             float fadeMs, int lightBlend, int rotate, float rotationSpeed, float scale,
             float scaleSpeed, int lifeMs);
  // Back to a new particle's state without allocating: the glow counter and the colour are
  // kept for the next life.
  void Recycle();

  std::shared_ptr<TColor> spareColour_;
  TSafeList<TParticle>::Slot slot_{};
  int phaseIndex_ = -1;
};
