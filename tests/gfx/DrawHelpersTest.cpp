// Image drawing helpers on the software renderer: shadows, light, digit strips, outlines.
#include "GfxTestSupport.h"
#include "gfx/DrawHelpers.h"
#include "text/TShadow.h"

namespace {

class DrawHelpersTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    OpenDisplay();
  }
  // A strip of ten 20 by 10 frames; frame d is grey level 20 * (d + 1).
  static platform::ImagePtr Digits() {
    auto strip = platform::CreateImage(20, 10, 10, 0);
    for (int d = 0; d < 10; ++d) {
      const uint32_t v = static_cast<uint32_t>(20 * (d + 1));
      const uint32_t argb = 0xFF000000u | (v << 16) | (v << 8) | v;
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) strip->frames[static_cast<size_t>(d)]->WritePixel(x, y, argb);
    }
    return strip;
  }
  static int Level(int x, int y) { return static_cast<int>(Pixel(x, y) & 0xFF); }
};

TEST_F(DrawHelpersTest, NumbersCentredFixedSpacing) {
  platform::SetBlend(platform::SOLIDBLEND);
  ccDrawNumbers(u"305", 100, 50, Digits(), 0, 1, 1);
  // Frames 3, 0 and 5 at x = 70, 90 and 110.
  EXPECT_EQ(Level(75, 55), 80);
  EXPECT_EQ(Level(95, 55), 20);
  EXPECT_EQ(Level(115, 55), 120);
  EXPECT_EQ(Level(131, 55), 0);
  EXPECT_EQ(Level(69, 55), 0);
  // A non-digit draws frame 0; rounding without centring changes nothing.
  ccDrawNumbers(u"x", 200.4f, 50, Digits(), 0, 0, 1);
  EXPECT_EQ(Level(201, 55), 20);
}

TEST_F(DrawHelpersTest, VariableWidthScalesWidthsOffsetsAndGap) {
  std::vector<int> widths(10, 5);
  std::vector<int> offsets(10, 0);
  offsets[1] = 2;
  EXPECT_FLOAT_EQ(ccDrawNumbersVariableWidthCalcWidth(u"11", widths, offsets, 1, 2), 22);
  EXPECT_FLOAT_EQ(ccDrawNumbersVariableWidthCalcWidth(u"", widths, offsets, 1, 2), -2);
  platform::SetBlend(platform::SOLIDBLEND);
  const int w = ccDrawNumbersVariableWidth(u"12", 100, 50, Digits(), widths, offsets, 1, 0, 0, 2);
  EXPECT_EQ(w, 22);
  // "1" shifted left by 2 x 2 to 96; "2" at 100 + 5 x 2 + 1 x 2 = 112, over the first.
  EXPECT_EQ(Level(95, 55), 0);
  EXPECT_EQ(Level(96, 55), 40);
  EXPECT_EQ(Level(111, 55), 40);
  EXPECT_EQ(Level(112, 55), 60);
  // Centred with rounding: 100.4 - 10 / 2 = 95.4, drawn at 95.
  platform::Cls();
  ccDrawNumbersVariableWidth(u"2", 100.4f, 50, Digits(), widths, offsets, 1, 1, 1, 2);
  EXPECT_EQ(Level(94, 55), 0);
  EXPECT_EQ(Level(95, 55), 60);
}

TEST_F(DrawHelpersTest, RectOutlineCoversEachBorderPixelOnce) {
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(0.5f);
  ccDrawRectOutline(10, 10, 3, 2);
  platform::SetAlpha(1.0f);
  for (int y = 10; y < 12; ++y) {
    for (int x = 10; x < 13; ++x) {
      EXPECT_TRUE(testrig::PixelNear(Pixel(x, y), 0xFF808080u, 2)) << x << "," << y;
    }
  }
  EXPECT_PIXEL_NEAR(Pixel(13, 10), 0xFF000000u);
  EXPECT_PIXEL_NEAR(Pixel(10, 12), 0xFF000000u);
}

TEST_F(DrawHelpersTest, ImageWithShadowDrawsTwiceShadowFirst) {
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  auto red = gfxtest::SolidImage(10, 10, 0xFFFF0000u);
  auto shadow = TShadow::Create(5, 5, 0.5f);
  platform::SetAlpha(0.3f);
  ccDrawImage(red, 100, 100, shadow);
  EXPECT_PIXEL_NEAR(Pixel(107, 107), 0xFFFF0000u);  // image over its shadow, at alpha 1
  EXPECT_TRUE(testrig::PixelNear(Pixel(112, 112), 0xFF808080u, 3));
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  ccDrawImage(red, 200, 100, nullptr);
  EXPECT_PIXEL_NEAR(Pixel(212, 112), 0xFFFFFFFFu);
  ccDrawImageCentred(red, nullptr);
  EXPECT_PIXEL_NEAR(Pixel(395, 295), 0xFFFF0000u);
  EXPECT_PIXEL_NEAR(Pixel(394, 295), 0xFFFFFFFFu);
}

TEST_F(DrawHelpersTest, LightAtLevelZeroChangesNothingAndLeavesAlpha) {
  platform::SetClsColor(60, 60, 60);
  platform::Cls();
  auto white = gfxtest::SolidImage(10, 10, 0xFFFFFFFFu);
  platform::SetAlpha(0.8f);
  ccDrawImageLight(white, 100, 100, 0, 1, 1, 1, 0);
  EXPECT_PIXEL_NEAR(Pixel(105, 105), 0xFF3C3C3Cu);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 0.8f);
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  platform::SetAlpha(1.0f);
  ccDrawImageLight(white, 100, 100, 0.5f, 1, 0, 0, 0);
  EXPECT_TRUE(testrig::PixelNear(Pixel(105, 105), 0xFFBB3C3Cu, 3));
}

TEST_F(DrawHelpersTest, RectWithShadowPutsTheColourBack) {
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  platform::SetColor(0, 0, 255);
  ccDrawRect(10, 10, 10, 10, TShadow::Create(5, 5, 1.0f));
  EXPECT_PIXEL_NEAR(Pixel(22, 22), 0xFF000000u);
  EXPECT_PIXEL_NEAR(Pixel(12, 12), 0xFF0000FFu);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(b, 255);
  EXPECT_EQ(r, 0);
}

TEST_F(DrawHelpersTest, AreaAndRectCopies) {
  platform::SetBlend(platform::SOLIDBLEND);
  auto strip = Digits();
  ccDrawImageArea(strip, 300, 300, 5, 2, 4, 3, 9);  // 4 by 3 of frame 9
  EXPECT_EQ(Level(301, 301), 200);
  EXPECT_EQ(Level(304, 301), 0);
  ccDrawImageRect(strip, 400, 300, 15, 0, 10, 4);  // clipped to the frame's 5 columns
  EXPECT_EQ(Level(402, 302), 20);
  ccMidhandle(strip, 1);
  EXPECT_FLOAT_EQ(strip->handleX, 10);
  ccMidhandle(strip, 0);
  EXPECT_FLOAT_EQ(strip->handleX, 0);
  ccCreateFrames(strip);
}

}  // namespace
