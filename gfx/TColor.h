#pragma once
// A drawing colour with alpha. Shared by the sprites, fonts, boxes and widgets that hold it:
// changing one changes the colour everywhere it is held.
#include <memory>

class TColor {
 public:
  int R = 0;
  int G = 0;
  int B = 0;
  float Alpha = 1.0f;

  static std::shared_ptr<TColor> Create(int r, int g, int b, float alpha = 1.0f);

  // SetColor (R, G, B) and SetAlpha (Alpha).
  int Apply() const;
  int ApplyNoAlpha() const;
  int Copy(const TColor& other);
  int Get(int& r, int& g, int& b) const;
  int GetFull(int& r, int& g, int& b, float& alpha) const;
  // White at alpha 1.0; reads no field.
  static int Restore();
  int Set(int r, int g, int b, float alpha);
};
using TColorPtr = std::shared_ptr<TColor>;
