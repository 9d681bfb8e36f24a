#include "gfx/TColor.h"

#include "platform/Graphics.h"

std::shared_ptr<TColor> TColor::Create(int r, int g, int b, float alpha) {
  auto c = std::make_shared<TColor>();
  c->Set(r, g, b, alpha);
  return c;
}

int TColor::Apply() const {
  platform::SetColor(R, G, B);
  platform::SetAlpha(Alpha);
  return 0;
}

int TColor::ApplyNoAlpha() const {
  platform::SetColor(R, G, B);
  return 0;
}

int TColor::Copy(const TColor& other) {
  R = other.R;
  G = other.G;
  B = other.B;
  Alpha = other.Alpha;
  return 0;
}

int TColor::Get(int& r, int& g, int& b) const {
  r = R;
  g = G;
  b = B;
  return 0;
}

int TColor::GetFull(int& r, int& g, int& b, float& alpha) const {
  Get(r, g, b);
  alpha = Alpha;
  return 0;
}

int TColor::Restore() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  return 0;
}

int TColor::Set(int r, int g, int b, float alpha) {
  R = r;
  G = g;
  B = b;
  Alpha = alpha;
  return 0;
}
