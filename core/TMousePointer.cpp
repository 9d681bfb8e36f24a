#include "core/TMousePointer.h"

#include "core/ErrorPath.h"
#include "core/Platform.h"
#include "core/TGame.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TParticleList.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "text/TShadow.h"


TMousePointer::TMousePointer() : ParticleList(std::make_shared<TParticleList>()) {}
TMousePointer::~TMousePointer() = default;

int TMousePointer::On() {
  Active = 1;
  return 0;
}

int TMousePointer::Off() {
  Active = 0;
  if (ParticleList) ParticleList->Clear();
  return 0;
}

int TMousePointer::Load(const String& name) {
  Image = ccLoadBitmap(Game->ImagePath + name + Ext, -1);
  platform::SetImageHandle(Image, static_cast<float>(offsetx), static_cast<float>(offsety));
  CalcSize();
  return 0;
}

int TMousePointer::CalcSize() {
  w = Image ? platform::ImageWidth(Image) : 0;
  h = Image ? platform::ImageHeight(Image) : 0;
  return 0;
}

int TMousePointer::Update() {
  x = platform::MouseX();
  y = platform::MouseY();
  b1 = platform::MouseDown(1) ? 1 : 0;
  b2 = platform::MouseDown(2) ? 1 : 0;
  b3 = platform::MouseDown(3) ? 1 : 0;
  h1 = platform::MouseHit(1);
  h2 = platform::MouseHit(2);
  h3 = platform::MouseHit(3);
  CalcButtonTotals();
  return 0;
}

int TMousePointer::Manage() {
  if (!Active) return 0;
  if (ParticleFunc) {
    ParticleFunc();
    if (ParticleList) ParticleList->Manage();
  }
  return 1;
}

int TMousePointer::UpdateCoords() {
  int cx = 0;
  int cy = 0;
  if (!ccGetCursorPosOSX(cx, cy)) return 0;
  cy = Game->DesktopHeight - cy;
  Game->SetClientCoords();
  int nx = 0;
  int ny = 0;
  platform::WindowToGraphics(cx - Game->ClientX, cy - Game->ClientY, nx, ny);
  if (Game->UsingVirtualResolution) {
    nx = ccRound(static_cast<float>(nx) * Game->VirtualRatioX);
    ny = ccRound(static_cast<float>(ny) * Game->VirtualRatioY);
  }
  x = nx;
  y = ny;
  return 0;
}

int TMousePointer::ClearButtons() {
  b1 = b2 = b3 = mb = 0;
  ClearMouseHit();
  return 0;
}

int TMousePointer::ClearMouseHit() {
  h1 = h2 = h3 = mh = 0;
  return 0;
}

int TMousePointer::GetMb() { return mb; }

int TMousePointer::GetMh(int consume) {
  const int hits = mh;
  if (consume) ClearMouseHit();
  return hits;
}

int TMousePointer::CalcButtonTotals() {
  mb = b1 + b2 + b3;
  mh = h1 + h2 + h3;
  return 0;
}

int TMousePointer::Draw() {
  if (Game->FullScreen == 0) UpdateCoords();
  if (!Active) return 0;
  if (ParticleList) ParticleList->Draw();
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetRotation(static_cast<float>(Rotation));
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  if (Image2) {
    platform::SetScale(Image2Scale, Image2Scale);
    if (Image2Shadow) {
      platform::SetColor(0, 0, 0);
      platform::SetAlpha(Image2Shadow->Alpha);
      platform::DrawImage(Image2, fx + Image2xoff + Image2Shadow->X, fy + Image2yoff + Image2Shadow->Y,
                          Image2Frame);
      platform::SetAlpha(1.0f);
      platform::SetColor(255, 255, 255);
    }
    platform::DrawImage(Image2, fx + Image2xoff, fy + Image2yoff, Image2Frame);
    platform::SetScale(1.0f, 1.0f);
  }
  if (!Image) {
    platform::Plot(fx, fy);
  } else if (Game->CustomMousePointer != 0) {
    platform::DrawImage(Image, fx, fy, ImageFrame);
  }
  platform::SetRotation(0.0f);
  if (UserDraw) UserDraw(x, y);
  return 0;
}
