#pragma once
// One full-screen picture of a slide show with its position, scale and up to three effects:
// in, hold and out, run in that order (absent ones skipped).
#include <functional>
#include <memory>

#include "gfx/TGameImage.h"
#include "gfx/TTransitionEffect.h"
#include "platform/String.h"

class TSlide;
using TSlidePtr = std::shared_ptr<TSlide>;
using TTransitionEffectPtr = std::shared_ptr<TTransitionEffect>;

class TSlide {
 public:
  virtual ~TSlide() = default;

  String name;
  TGameImagePtr Image;  // none for a slide made without a path
  TTransitionEffectPtr InEffect, HoldEffect, OutEffect;
  TTransitionEffectPtr CurrentEffect;
  float Counter = 0;  // ticks into the current effect
  float x = 0, y = 0;
  float ox = 0, oy = 0;
  float scale = 1.0f;
  int Centred = 1;
  TSlidePtr LastSlide;  // the slide before this one, set by the show
  // Optional hooks: UserManage's result decides whether the slide moves this tick;
  // UserDraw draws over the slide with its scale and alpha in force.
  std::function<int(TSlide&)> UserManage;
  std::function<int(TSlide&)> UserDraw;

  static TSlidePtr Create(const String& path, int flags, int centred, const TTransitionEffectPtr& in,
                          const TTransitionEffectPtr& hold, const TTransitionEffectPtr& out);
  virtual int CentreCoords();
  // Drops the picture and the previous slide.
  virtual int Kill();
  virtual int StoreOriginalCoords();
  // 1 on the tick the slide finishes its last effect, else 0.
  virtual int Manage();
  virtual int Draw();
  virtual int DrawMask(float size);

  // Elapsed share of the current effect (1 for an effect of no length).
  float Ratio() const;

 private:
  void MoveBy(const TTransitionEffect& effect);
};
