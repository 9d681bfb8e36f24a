#include "gfx/TBox.h"

#include "gfx/TColor.h"
#include "platform/Graphics.h"

std::shared_ptr<TBox> TBox::Create(float x, float y, float w, float h,
                                   const std::shared_ptr<TColor>& color) {
  auto box = std::make_shared<TBox>();
  box->Init(x, y, w, h, color);
  return box;
}

int TBox::Draw() {
  if (!Color) return 0;
  Color->Apply();
  platform::DrawRect(X, Y, W, H);
  TColor::Restore();
  return 0;
}

int TBox::Init(float x, float y, float w, float h, const std::shared_ptr<TColor>& color) {
  X = x;
  Y = y;
  W = w;
  H = h;
  Color = color;
  return 0;
}

int TBox::Kill() {
  Color.reset();
  return 0;
}
