#pragma once
// The synthetic play-like frame the frame benchmarks share: an 800 by 600 background, 150
// cells, 150 gems (half of them rotated), 300 additive rotated particles and 100 glyphs.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/Image.h"

namespace benchscene {

using namespace platform;

inline uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// A round picture with a soft edge, like a gem or a spark.
inline ImagePtr Disc(int size, int r, int g, int b) {
  ImagePtr image = CreateImage(size, size, 1, FILTEREDIMAGE);
  const float c = (static_cast<float>(size) - 1) / 2;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float d = std::hypot(static_cast<float>(x) - c, static_cast<float>(y) - c) / c;
      const int a = d >= 1 ? 0 : static_cast<int>(255 * std::min(1.0f, (1 - d) * 4));
      image->frames[0]->WritePixel(x, y, Argb(a, r, g, b));
    }
  MidHandleImage(image);
  return image;
}

inline ImageFontPtr BenchFont() {
  for (const std::string& path : {std::string(LV_RESOURCES_DIR) + "/Data/fonts/caccamel.ttf",
                                  std::string("/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"),
                                  std::string("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")})
    if (std::filesystem::exists(path))
      if (ImageFontPtr font = LoadImageFont(S(path), 20, 4)) return font;
  return nullptr;  // the built-in font
}

struct Scene {
  ImagePtr background, cell, gem, particle;
  ImageFontPtr font;

  Scene() {
    background = CreateImage(800, 600, 1, 0);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        background->frames[0]->WritePixel(x, y, Argb(255, x * 255 / 800, y * 255 / 600, 90));
    cell = CreateImage(48, 48, 1, FILTEREDIMAGE);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x)
        cell->frames[0]->WritePixel(x, y, Argb(x == 0 || y == 0 ? 255 : 160, 40, 50, 80));
    gem = Disc(44, 230, 60, 90);
    particle = Disc(24, 255, 220, 120);
    font = BenchFont();
  }

  void Draw(int tick) const {
    for (int part = 0; part < kParts; ++part) DrawPart(part, tick);
    Flip(0);
  }

  static constexpr int kParts = 6;
  // 0 background, 1 cells, 2 upright gems, 3 rotated gems, 4 particles, 5 text.
  void DrawPart(int part, int tick) const {
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    switch (part) {
      case 0:
        SetBlend(SOLIDBLEND);
        DrawImage(background, 0, 0);
        break;
      case 1:
        for (int i = 0; i < 150; ++i) DrawImage(cell, 40 + (i % 15) * 48, 40 + (i / 15) * 48);
        break;
      case 2:
      case 3:
        for (int i = part - 2; i < 150; i += 2) {
          SetRotation(i % 2 ? static_cast<float>((tick * 3 + i * 7) % 360) : 0.0f);
          DrawImage(gem, 64 + (i % 15) * 48, 64 + (i / 15) * 48);
        }
        break;
      case 4:
        SetBlend(LIGHTBLEND);
        for (int i = 0; i < 300; ++i) {
          SetRotation(static_cast<float>((tick * 5 + i * 13) % 360));
          SetAlpha(0.3f + static_cast<float>(i % 7) / 10);
          DrawImage(particle, static_cast<float>((i * 37 + tick) % 800), static_cast<float>((i * 53) % 600));
        }
        break;
      default:
        SetImageFont(font);
        for (int line = 0; line < 5; ++line) DrawText(u"Score 123456 Level 7", 560, 20 + line * 24.0f);
        SetImageFont(nullptr);
        break;
    }
  }
};

}  // namespace benchscene
