#pragma once
// One picture dissolving into another over a timeline.
#include <memory>

#include "gfx/TAnimation.h"
#include "platform/Image.h"

class TCrossFade {
 public:
  virtual ~TCrossFade() = default;

  platform::ImagePtr Image1;  // drawn solid
  platform::ImagePtr Image2;  // drawn over it, alpha rising 0 -> 1
  float X1 = 0;
  float Y1 = 0;
  float X2 = 0;
  float Y2 = 0;
  TAnimationPtr Anim;

  static std::shared_ptr<TCrossFade> Create(const platform::ImagePtr& image1,
                                            const platform::ImagePtr& image2, int lengthMs);
  // Leaves alpha blending selected at alpha 1.
  virtual int Draw();
  virtual int Init(const platform::ImagePtr& image1, const platform::ImagePtr& image2,
                   int lengthMs);
  // The owner reads Anim->Active to know when it is over.
  virtual int Manage();
  virtual int SetImage1Coords(float x, float y);
  virtual int SetImage2Coords(float x, float y);
};
