#pragma once
// A sequence of slides shown one at a time, optionally framed by black letterbox bars.
#include <memory>
#include <vector>

#include "gfx/TSlide.h"

class TSlideShow;
using TSlideShowPtr = std::shared_ptr<TSlideShow>;

class TSlideShow {
 public:
  virtual ~TSlideShow() = default;

  int CurrentSlide = 0;
  int LetterBoxHeight = 0;  // height of the picture band between the bars; 0: no bars
  int Finished = 0;

  static TSlideShowPtr Create();
  virtual TSlidePtr AddSlide(const String& path, int flags, int centred,
                             const TTransitionEffectPtr& in, const TTransitionEffectPtr& hold,
                             const TTransitionEffectPtr& out);
  // Kills every slide and empties the show (CurrentSlide and Finished stay).
  virtual int Kill();
  // The slide at CurrentSlide, or none.
  virtual TSlidePtr GetCurrentSlide() const;
  // Makes every picture's textures now.
  virtual int PreCache();
  // 0 while a slide runs (and once finished), 2 on moving to the next slide, 1 at the end.
  virtual int Manage();
  // 1 when drawn, 0 once finished (or empty).
  virtual int Draw();

  const std::vector<TSlidePtr>& Slides() const { return slides_; }

 private:
  std::vector<TSlidePtr> slides_;
};
