#include "text/TShadow.h"

#include "platform/Graphics.h"
#include "text/TextDrawing.h"

std::shared_ptr<TShadow> TShadow::Create(float x, float y, float alpha) {
  auto s = std::make_shared<TShadow>();
  s->Init(x, y, alpha);
  return s;
}

int TShadow::Init(float x, float y, float alpha) {
  X = x;
  Y = y;
  Alpha = alpha;
  return 0;
}

int TShadow::ApplyToText() const { return ccShadowTextSet(X, Y, Alpha); }

int TShadow::Copy(const TShadow& other) {
  X = other.X;
  Y = other.Y;
  Alpha = other.Alpha;
  return 0;
}

int TShadow::Apply() const {
  platform::SetColor(0, 0, 0);
  platform::SetAlpha(Alpha);
  return 0;
}

int TShadow::Restore() const {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  return 0;
}
