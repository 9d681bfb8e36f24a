#include "text/GameFonts.h"

#include "core/ErrorPath.h"

platform::ImageFontPtr MainFont;
platform::ImageFontPtr UIFont;
platform::ImageFontPtr LevelEndFont;
platform::ImageFontPtr MapFont;
platform::ImageFontPtr MainFontSmall;

namespace {

constexpr int kSmoothStyle = 4;

platform::ImageFontPtr LoadOrDie(const String& path, int size) {
  platform::ImageFontPtr font = platform::LoadImageFont(path, size, kSmoothStyle);
  // Text drawn with a missing font would silently vanish; stop instead.
  if (!font) ccRunTimeError(u"Error loading file " + path, 1);
  return font;
}

}  // namespace

int LoadGameFonts(const String& fontsPath, int region) {
  const String path = fontsPath + kGameFontFile;
  MainFont = LoadOrDie(path, region == 1 ? 50 : 60);
  UIFont = LoadOrDie(path, region == 1 ? 30 : 40);
  LevelEndFont = LoadOrDie(path, 31);
  MapFont = LoadOrDie(path, 32);
  MainFontSmall = LoadOrDie(path, 20);
  return 0;
}
