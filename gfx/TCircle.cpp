#include "gfx/TCircle.h"

#include "gfx/TColor.h"
#include "platform/Graphics.h"

std::shared_ptr<TCircle> TCircle::Create(int x, int y, int r,
                                         const std::shared_ptr<TColor>& color) {
  auto circle = std::make_shared<TCircle>();
  circle->x = static_cast<float>(x);
  circle->y = static_cast<float>(y);
  circle->r = static_cast<float>(r);
  circle->Color = color;
  return circle;
}

int TCircle::Draw() {
  if (Color) Color->Apply();
  platform::DrawOval(x - r, y - r, 2 * r, 2 * r);
  if (Color) TColor::Restore();
  return 0;
}
