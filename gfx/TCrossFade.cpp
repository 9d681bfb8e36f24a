#include "gfx/TCrossFade.h"

#include "platform/Graphics.h"

std::shared_ptr<TCrossFade> TCrossFade::Create(const platform::ImagePtr& image1,
                                               const platform::ImagePtr& image2, int lengthMs) {
  auto fade = std::make_shared<TCrossFade>();
  fade->Init(image1, image2, lengthMs);
  return fade;
}

int TCrossFade::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  if (Image1) platform::DrawImage(Image1, X1, Y1, 0);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(Anim ? Anim->GetRatioInv() : 1.0f);
  if (Image2) platform::DrawImage(Image2, X2, Y2, 0);
  platform::SetAlpha(1.0f);
  return 0;
}

int TCrossFade::Init(const platform::ImagePtr& image1, const platform::ImagePtr& image2,
                     int lengthMs) {
  Image1 = image1;
  Image2 = image2;
  Anim = TAnimation::Create(lengthMs, 0, 0, 0, 0);
  Anim->Start();
  return 0;
}

int TCrossFade::Manage() {
  if (Anim) Anim->Manage();
  return 0;
}

int TCrossFade::SetImage1Coords(float x, float y) {
  X1 = x;
  Y1 = y;
  return 0;
}

int TCrossFade::SetImage2Coords(float x, float y) {
  X2 = x;
  Y2 = y;
  return 0;
}
