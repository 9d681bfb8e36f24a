#include "gfx/TParticle.h"

#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TColor.h"
#include "gfx/TParticleList.h"
#include "gfx/TSineCounter.h"
#include "platform/Graphics.h"

TParticlePtr TParticle::CreateSpecial(const TGameImagePtr& image, float px, float py, float pdx,
                                      float pdy, float gravity, float fadeMs, int lightBlend,
                                      int rotate, float rotationSpeed, float scale,
                                      float scaleSpeed, int lifeMs) {
  auto p = std::make_shared<TParticle>();
  p->Setup(image, px, py, pdx, pdy, gravity, fadeMs, lightBlend, rotate, rotationSpeed, scale,
           scaleSpeed, lifeMs);
  return p;
}

void TParticle::Setup(const TGameImagePtr& newImage, float px, float py, float pdx, float pdy,
                      float gravity, float fadeMs, int lightBlend, int rotate,
                      float newRotationSpeed, float scale, float scaleSpeed, int lifeMs) {
  SetImage(newImage);
  x = px;
  y = py;
  dx = pdx;
  dy = pdy;
  if (lifeMs > 0) LifeCounter = Game->CalcAnimLength(lifeMs);
  const int fade = static_cast<int>(Game->CalcAnimLengthFromFloat(fadeMs));
  FadeLength = static_cast<float>(fade);
  FadeCounter = static_cast<float>(fade);
  if (fade > 0) UseAlpha = 1;
  DoLightBlend = lightBlend;
  ygravity = gravity;
  DoRotate = rotate;
  RotationSpeed = newRotationSpeed;
  ScaleX = scale;
  ScaleY = scale;
  if (scaleSpeed != 0) {
    ScaleXSpeed = scaleSpeed;
    ScaleYSpeed = scaleSpeed;
    DoScale = 1;
  }
  active = 1;
}

void TParticle::Recycle() {
  std::shared_ptr<TSineCounter> glow = std::move(GlowCounter);
  std::shared_ptr<TColor> colour = Color && Color.use_count() == 1 ? std::move(Color) : std::move(spareColour_);
  // Copied from one blank made once: a burst recycles hundreds, and building a temporary to
  // move from each time cost twice what the rest of a new particle does.
  static const TParticle blank{NoGlowCounter{}};
  *this = blank;
  if (glow) {
    *glow = TSineCounter();
    GlowCounter = std::move(glow);
  } else {
    GlowCounter = std::make_shared<TSineCounter>();
  }
  spareColour_ = std::move(colour);
}

int TParticle::SetTint(int r, int g, int b) {
  if (spareColour_) {
    spareColour_->Set(r, g, b, 1.0f);
    Color = std::move(spareColour_);
  } else {
    Color = TColor::Create(r, g, b, 1.0f);
  }
  return 0;
}

int TParticle::SetDelay(int ms) {
  DelayCounter = Game->CalcAnimLength(ms);
  return 0;
}

std::shared_ptr<TParticlePhase> TParticle::AddPhase(int lengthMs) {
  auto phase = std::make_shared<TParticlePhase>();
  phase->Length = Game->CalcAnimLength(lengthMs);
  PhaseList.push_back(phase);
  return phase;
}

int TParticle::StartPhases() {
  if (PhaseList.empty()) return 0;
  phaseIndex_ = 0;
  return ApplyPhase(PhaseList.front());
}

int TParticle::ApplyPhase(const std::shared_ptr<TParticlePhase>& phase) {
  if (!phase) return 0;
  PhaseCounter = 0;
  CurrentPhase = phase;
  for (size_t i = 0; i < PhaseList.size(); ++i) {
    if (PhaseList[i] == phase) phaseIndex_ = static_cast<int>(i);
  }
  Hidden = phase->Hidden;
  dx = phase->dx;
  dy = phase->dy;
  if (phase->SetCoords == 1) {
    x = phase->SetX;
    y = phase->SetY;
  }
  xgravity = phase->xgravity;
  ygravity = phase->ygravity;
  SetFade(static_cast<int>(phase->FadeInMS), static_cast<int>(phase->FadeSustainMS),
          static_cast<int>(phase->FadeMS));
  DoRotate = phase->DoRotate;
  RotationSpeed = phase->RotationSpeed;
  DoScale = phase->DoScale;
  ScaleXSpeed = phase->ScaleSpeed;
  ScaleYSpeed = phase->ScaleSpeed;
  if (phase->Scale != 0) {
    ScaleX = phase->Scale;
    ScaleY = phase->Scale;
  }
  if (phase->Alpha != -1) Alpha = static_cast<float>(phase->Alpha);
  if (phase->SetAngle != 0) Rotation = phase->Angle;
  return 0;
}

int TParticle::SetFade(int fadeInMs, int sustainMs, int fadeOutMs) {
  if (fadeInMs >= 1) {
    FadeIn = 1.0f;
    UseAlpha = 1;
    Alpha = 0;
  } else {
    FadeIn = 0;
  }
  FadeInLength = Game->CalcAnimLength(fadeInMs);
  FadeSustainCounter = Game->CalcAnimLength(sustainMs);
  FadeLength = Game->CalcAnimLength(fadeOutMs);
  if (FadeIn == 0) {
    FadeCounter = FadeLength;
    UseAlpha = 1;
  } else {
    FadeCounter = 0;
  }
  return 0;
}

int TParticle::ManagePhases() {
  if (!CurrentPhase) return 0;
  PhaseCounter += Delta;
  if (PhaseCounter < CurrentPhase->Length) return 0;
  // The hook may change the phases; keep the one that ended alive through the call.
  const std::shared_ptr<TParticlePhase> ended = CurrentPhase;
  if (ended->UserFunction) ended->UserFunction(*this);
  const int next = phaseIndex_ + 1;
  if (next <= 0 || next >= static_cast<int>(PhaseList.size())) return -1;
  ApplyPhase(PhaseList[static_cast<size_t>(next)]);
  return 1;
}

int TParticle::KillPhases() {
  PhaseList.clear();
  CurrentPhase.reset();
  PhaseCounter = 0;
  phaseIndex_ = -1;
  return 0;
}

int TParticle::Move() {
  // 1. Start delay: hidden and still until it runs out, then on in the same tick.
  if (DelayCounter > 0) {
    DelayCounter -= Delta;
    if (DelayCounter > 0) {
      Hidden = 1;
      return 1;
    }
    DelayCounter = 0;
    Hidden = 0;
    if (!PhaseList.empty()) StartPhases();
    if (DelayFinished) DelayFinished(*this);
  }
  // 2. Phases.
  if (!PhaseList.empty() && ManagePhases() == -1) {
    Kill();
    return 0;
  }
  // 3. Movement.
  if (UserMove) {
    UserMove(*this);
  } else if (UpdateOriginalCoords == 0) {
    TSprite::Move();
  } else {
    TSprite::MoveOriginalCoords();
  }
  // 4. Destination, tested on every tick once reached.
  if (DestinationReached) {
    const float destX = static_cast<float>(DestX);
    const float destY = static_cast<float>(DestY);
    const bool xReached = (dx <= 0 && x <= destX) || (dx > 0 && x >= destX);
    const bool yReached = (dy <= 0 && y <= destY) || (dy > 0 && y >= destY);
    if (xReached && yReached) DestinationReached(*this);
  }
  // 5. Off the screen.
  if (NoOutOfBounds == 0 && OutOfBounds()) {
    Kill();
    return 0;
  }
  // 6. Fade: in, hold, out. A kill here lets the remaining steps run.
  if (FadeIn != 0) {
    FadeCounter += Delta;
    if (FadeCounter >= FadeInLength) {
      FadeCounter = FadeLength;
      FadeIn = 0;
      Alpha = 1.0f;
    }
  } else if (FadeSustainCounter > 0) {
    FadeSustainCounter -= Delta;
    if (FadeSustainCounter <= 0) {
      FadeSustainCounter = 0;
      FadeCounter = FadeLength;
    }
  } else if (FadeCounter > 0) {
    FadeCounter -= Delta;
    if (FadeCounter <= 0) {
      Alpha = 0;
      if (KillOnFade) Kill();
    }
  }
  // 7. Spin, wrapped once.
  if (DoRotate > 0) {
    Rotation += RotationSpeed * Delta;
    if (Rotation >= 360.0f) Rotation -= 360.0f;
  } else if (DoRotate < 0) {
    Rotation -= RotationSpeed * Delta;
    if (Rotation < 0.0f) Rotation += 360.0f;
  }
  // 8. Scale.
  if (DoScale == 1) {
    ScaleX += ScaleXSpeed * Delta;
    ScaleY += ScaleYSpeed * Delta;
    if (ScaleX <= 0 || ScaleY <= 0) Kill();
  }
  // 9. Life.
  if (LifeCounter > 0) {
    LifeCounter -= Delta;
    if (LifeCounter <= 0) Kill();
  }
  // 10. Generator.
  if (ParticleGenerator) ParticleGenerator->Manage();
  return 1;
}

int TParticle::Draw() {
  if (active == 0 || Hidden == 1) return 0;
  if (FadeCounter > 0) {
    const float length = FadeIn != 0 ? FadeInLength : FadeLength;
    if (length > 0) Alpha = FadeCounter / length;
  }
  if (DoLightBlend) {
    platform::SetBlend(platform::LIGHTBLEND);
    TSprite::Draw();
    platform::SetBlend(platform::ALPHABLEND);
  } else {
    TSprite::Draw();
  }
  return 1;
}

int TParticle::Kill() {
  // A second kill in the same tick (fade, scale and life can all end together) must not run
  // the hooks again.
  const std::shared_ptr<TParticleList> list = Particles.lock();
  if (active == 0 && !list) return 0;
  // The list may hold the last reference; stay alive until the kill is done.
  const std::shared_ptr<TSprite> keep = weak_from_this().lock();
  TSprite::Kill();
  if (UserKill) UserKill(*this);
  active = 0;
  if (list) list->Remove(*this);
  Particles.reset();
  ParticleGenerator.reset();
  if (AttachedParticle) {
    TParticlePtr attached = std::move(AttachedParticle);
    if (KillAttachedParticle == 1) attached->Kill();
  }
  DataObject.reset();
  return 0;
}
