#pragma once
// A filled rectangle in a colour (the hit area of buttons and the area of list boxes). The
// colour is shared with whoever passed it in.
#include <memory>

class TColor;

class TBox {
 public:
  virtual ~TBox() = default;

  int Active = 1;  // for owners; Draw does not read it
  std::shared_ptr<TColor> Color;
  float X = 0;
  float Y = 0;
  float W = 0;
  float H = 0;

  static std::shared_ptr<TBox> Create(float x, float y, float w, float h,
                                      const std::shared_ptr<TColor>& color);
  // Nothing without a colour; else the colour's Apply, the rect, then white at alpha 1.
  virtual int Draw();
  virtual int Init(float x, float y, float w, float h, const std::shared_ptr<TColor>& color);
  virtual int Kill();
};
