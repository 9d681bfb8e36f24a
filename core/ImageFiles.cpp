#include "core/ImageFiles.h"

#include <cstdint>

#include "core/Globals.h"
#include "core/Platform.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "text/StringHelpers.h"
#include "text/TDateTime.h"

int ccScreenShot(const String& folder) {
  platform::PixmapPtr shot = platform::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
  TDateTime now;
  now.Set_DateTimeCurrent();
  const String name = TDateTime::Get_String(now, u"YYYY-MM-DD HHNNSS screenshot.png");
  const String path = (folder.empty() ? ccAddSlash(platform::CurrentDir()) : folder) + name;
  if (shot) {
    shot->SetHasAlpha(false);
    if (platform::SavePixmapPNG(*shot, path, 9)) ccShareFileOSX(path);
  }
  return 0;
}

namespace {
void Put32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
}  // namespace

std::string ccBMPBytes(const platform::Pixmap& pixmap) {
  // Sizes in 32 bits (and the buffer in size_t), so any width the platform can hold is written.
  const uint32_t w = static_cast<uint32_t>(pixmap.Width());
  const uint32_t h = static_cast<uint32_t>(pixmap.Height());
  const uint32_t row = (3 * w + 3) & ~3u;
  const uint32_t data = row * h;
  std::string out(54 + static_cast<size_t>(data), '\0');
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, data + 54);
  Put32(out, 10, 54);
  Put32(out, 14, 40);
  Put32(out, 18, w);
  Put32(out, 22, h);
  out[26] = 1;
  out[28] = 24;
  Put32(out, 34, data);
  Put32(out, 38, 2834);
  Put32(out, 42, 2834);
  for (uint32_t y = 0; y < h; ++y) {
    size_t at = 54 + static_cast<size_t>(row) * y;
    const int source = static_cast<int>(h - 1 - y);
    for (uint32_t x = 0; x < w; ++x) {
      const uint32_t p = pixmap.ReadPixel(static_cast<int>(x), source);
      out[at++] = static_cast<char>(p & 0xFF);
      out[at++] = static_cast<char>((p >> 8) & 0xFF);
      out[at++] = static_cast<char>((p >> 16) & 0xFF);
    }
  }
  return out;
}

int ccWriteBMP(const platform::StreamPtr& stream, const platform::Pixmap& pixmap) {
  if (!stream) return 0;
  const std::string bytes = ccBMPBytes(pixmap);
  stream->WriteBytes(bytes.data(), bytes.size());
  return 0;
}

int ccSaveImage(const platform::ImagePtr& image, const String& path) {
  if (!image) return 0;
  platform::PixmapPtr pixels = platform::LockImage(image, 0);
  platform::UnlockImage(image, 0);
  if (!pixels) return 0;
  platform::StreamPtr stream = platform::WriteFile(path);
  if (!stream) return 0;
  ccWriteBMP(stream, *pixels);
  if (stream->Close()) ccShareFileOSX(path);
  return 0;
}

int ccConvertJPGToBMP(const String& source, const String& destination) {
  platform::ImagePtr image = platform::LoadImage(source);
  if (image) ccSaveImage(image, destination);
  return 0;
}
