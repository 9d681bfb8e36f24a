#pragma once
// Slide lines under one shared colour, started, advanced and drawn together. Every line added
// holds the list's Color object itself, so Color->Set recolours them all.
#include <memory>
#include <vector>

#include "gfx/TColor.h"
#include "gfx/TSlideLine.h"

class TSlideLineList {
 public:
  using List = std::vector<TSlideLinePtr>;

  TSlideLineList();
  virtual ~TSlideLineList() = default;

  TColorPtr Color;

  // A new line (InitLine with these arguments) appended and returned for more phases.
  virtual TSlideLinePtr Add(const String& text, int sx, int sy, int ex, int ey, int lengthMs);
  virtual int Start();
  virtual int Manage();
  // Every line, then white.
  virtual int Draw();

  const List& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  List items_;
};
using TSlideLineListPtr = std::shared_ptr<TSlideLineList>;
