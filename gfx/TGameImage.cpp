#include "gfx/TGameImage.h"

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "gfx/DrawHelpers.h"
#include "gfx/ImageHelpers.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "text/TShadow.h"

int TGameImage::AutoPrecache = 0;

int TGameImage::CalcRAM() const {
  const int frames = image ? image->FrameCount() : 0;
  const int width = image ? platform::ImageWidth(image) : 0;
  const int height = image ? platform::ImageHeight(image) : 0;
  return width * height * 4 * frames;
}

int TGameImage::CalcVRAM() const {
  const int frames = image ? image->FrameCount() : 0;
  const int width = image ? platform::ImageWidth(image) : 0;
  const int height = image ? platform::ImageHeight(image) : 0;
  return ccPow2Size(width) * ccPow2Size(height) * 4 * frames;
}

TGameImagePtr TGameImage::Create(const String& path, int flags, int mid) {
  auto result = std::make_shared<TGameImage>();
  result->Load(path, flags, mid);
  return result;
}

TGameImagePtr TGameImage::CreateAuto(const String& path, int cellWidth, int cellHeight,
                                     int firstCell, int count, int flags, int mid) {
  auto result = std::make_shared<TGameImage>();
  if (count < 2) {
    result->Load(path, flags, mid);
  } else {
    result->LoadAnim(path, cellWidth, cellHeight, firstCell, count, flags, mid);
  }
  return result;
}

TGameImagePtr TGameImage::CreateFromImage(const platform::ImagePtr& image, const String& name,
                                          int mid) {
  auto result = std::make_shared<TGameImage>();
  result->name = name;
  result->image = image;
  result->GetSize();
  result->MidHandle(mid);
  return result;
}

int TGameImage::Draw(float x, float y, int frame, const std::shared_ptr<TShadow>& shadow) {
  if (!image) return 0;
  if (shadow) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(shadow->Alpha);
    platform::DrawImage(image, x + shadow->X, y + shadow->Y, frame);
    platform::SetAlpha(1.0f);
    platform::SetColor(255, 255, 255);
  }
  platform::DrawImage(image, x, y, frame);
  return 0;
}

int TGameImage::GetSize() {
  if (!image) return 0;
  w = platform::ImageWidth(image);
  h = platform::ImageHeight(image);
  w2 = static_cast<float>(w / 2);
  h2 = static_cast<float>(h / 2);
  return 0;
}

int TGameImage::Load(const String& path, int flags, int mid) {
  name = ccUpper(platform::StripAll(path));
  image = ccLoadBitmap(path, flags);
  GetSize();
  MidHandle(mid);
  if (AutoPrecache != 0) Precache();
  return 0;
}

int TGameImage::LoadAnim(const String& path, int cellWidth, int cellHeight, int firstCell,
                         int count, int flags, int mid) {
  name = ccUpper(platform::StripAll(path));
  image = ccLoadAnimBitmap(path, cellWidth, cellHeight, firstCell, count, flags);
  GetSize();
  MidHandle(mid);
  if (AutoPrecache != 0) Precache();
  return 0;
}

int TGameImage::MidHandle(int on) {
  if (on != 0) {
    if (image) platform::MidHandleImage(image);
    midhandled = 1;
  } else {
    if (image) platform::SetImageHandle(image, 0.0f, 0.0f);
    midhandled = 0;
  }
  return 0;
}

int TGameImage::Precache() { return ccCreateFrames(image); }
