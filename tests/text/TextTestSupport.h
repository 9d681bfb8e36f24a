#pragma once
// Shared pieces of the text tests: a display for pixel checks, a clean drawing state, and a
// bitmap font with fixed metrics that needs no picture.
#include <gtest/gtest.h>

#include <memory>

#include "support/TestRig.h"

#include "core/Globals.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "text/TBitmapFont.h"
#include "text/TextDrawing.h"

namespace texttest {

inline void ResetDrawingState() {
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  platform::SetImageFont(nullptr);
  ScreenWidth = 800;
  ScreenHeight = 600;
  ccShadowTextSet(1.0f, 1.0f, 0.5f);
  ccTextAlpha = 1.0f;
}

// Every printable ASCII character `advance` wide and `height` high.
inline std::shared_ptr<TBitmapFont> MetricBitmapFont(double advance, double height) {
  auto font = std::make_shared<TBitmapFont>();
  font->ScaleFactor = 1.0;
  for (int c = 32; c < 127; ++c) {
    font->ID[static_cast<size_t>(c)] = c;
    font->xAdvance[static_cast<size_t>(c)] = advance;
    font->width[static_cast<size_t>(c)] = c == 32 ? 0 : advance;
    font->height[static_cast<size_t>(c)] = c == 32 ? 0 : height;
  }
  return font;
}

// Glyphs "A" to "D": solid white 10 x 10 squares side by side on a 64 x 16 page, each 12 wide
// in advance (so "AB" measures 24).
inline std::shared_ptr<TBitmapFont> PagedBitmapFont() {
  auto font = MetricBitmapFont(12, 10);
  auto page = std::make_shared<platform::Pixmap>(64, 16, 0u);
  for (int g = 0; g < 4; ++g) {
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) page->WritePixel(g * 16 + x, y, 0xFFFFFFFFu);
    }
    const auto s = static_cast<size_t>('A' + g);
    font->xPos[s] = g * 16;
    font->yPos[s] = 0;
    font->width[s] = 10;
  }
  font->Image = platform::LoadImageFromPixmap(page, 0);
  font->TextureW = 64;
  font->TextureH = 16;
  return font;
}

// Tests that read pixels: the display opens once (headless) and every test starts on black.
class PixelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(platform::Graphics(800, 600, 0)); }

  void SetUp() override {
    ResetDrawingState();
    Clear();
  }
  void TearDown() override { ResetDrawingState(); }

  static void Clear(int r = 0, int g = 0, int b = 0) {
    platform::SetClsColor(r, g, b);
    platform::Cls();
  }
  static platform::PixmapPtr Grab() { return platform::GrabPixmap(0, 0, 800, 600); }

  // The picture drawn by `draw` on a cleared target (state reset before it).
  template <typename F>
  static platform::PixmapPtr Picture(F&& draw, int r = 0, int g = 0, int b = 0) {
    // Each picture starts from the same colour, alpha, blend and scale; font and text shadow
    // stay as the test set them.
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(1.0f);
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetScale(1.0f, 1.0f);
    Clear(r, g, b);
    draw();
    auto shot = Grab();
    return shot;
  }

  // Pixels that differ between two pictures.
  static int Differences(const platform::PixmapPtr& a, const platform::PixmapPtr& b) {
    if (!a || !b || a->Width() != b->Width() || a->Height() != b->Height()) return -1;
    int n = 0;
    for (int i = 0; i < a->Width() * a->Height(); ++i) n += a->Pixels()[i] != b->Pixels()[i];
    return n;
  }
  static int Lit(const platform::PixmapPtr& p) {
    int n = 0;
    for (int i = 0; i < p->Width() * p->Height(); ++i) n += (p->Pixels()[i] & 0xFFFFFF) != 0;
    return n;
  }
};

}  // namespace texttest

// Both pictures equal and not blank.
#define EXPECT_SAME_PICTURE(a, b)                 \
  do {                                            \
    auto pa_ = (a);                               \
    auto pb_ = (b);                               \
    EXPECT_GT(Lit(pa_), 0) << "nothing drawn";    \
    EXPECT_EQ(Differences(pa_, pb_), 0);          \
  } while (0)
