// Drawing on real pixels read back from the software renderer.
#include <cmath>

#include "GfxFixture.h"
#include "platform/Clock.h"

using namespace platform;
using gfxtest::DisplayTest;
using gfxtest::SolidImage;

namespace {

uint32_t Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

// Every blend mode against the same known background.
class BlendTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    SetClsColor(100, 50, 200);
    Cls();
  }
};

}  // namespace

TEST_F(BlendTest, AlphaMixesBySourceAlpha) {
  SetBlend(ALPHABLEND);
  DrawImage(SolidImage(10, 10, 0x80FF0000u), 20, 20);
  const double a = 128.0 / 255.0;
  EXPECT_PIXEL_NEAR(Pixel(25, 25), Rgb(static_cast<int>(std::lround(255 * a + 100 * (1 - a))),
                                       static_cast<int>(std::lround(50 * (1 - a))),
                                       static_cast<int>(std::lround(200 * (1 - a)))));
  EXPECT_PIXEL_NEAR(Pixel(19, 25), Rgb(100, 50, 200));
}

TEST_F(BlendTest, SolidWritesTheTexelIgnoringItsAlpha) {
  SetBlend(SOLIDBLEND);
  DrawImage(SolidImage(10, 10, 0x80FF0000u), 20, 20);
  DrawImage(SolidImage(10, 10, 0x0000FF00u), 40, 20);  // fully transparent texels too
  EXPECT_PIXEL_NEAR(Pixel(25, 25), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(Pixel(45, 25), Rgb(0, 255, 0));
}

TEST_F(BlendTest, LightAddsWeightedByAlpha) {
  SetBlend(LIGHTBLEND);
  DrawImage(SolidImage(10, 10, 0xFF800000u), 20, 20);
  EXPECT_PIXEL_NEAR(Pixel(25, 25), Rgb(228, 50, 200));
  // Half the alpha adds half the light; saturates at white.
  SetAlpha(0.5f);
  DrawImage(SolidImage(10, 10, 0xFF800000u), 40, 20);
  EXPECT_PIXEL_NEAR(Pixel(45, 25), Rgb(164, 50, 200));
  SetAlpha(1.0f);
  DrawImage(SolidImage(10, 10, 0xFFFFFFFFu), 60, 20);
  EXPECT_PIXEL_NEAR(Pixel(65, 25), Rgb(255, 255, 255));
}

TEST_F(BlendTest, ShadeMultiplies) {
  SetBlend(SHADEBLEND);
  DrawImage(SolidImage(10, 10, Rgb(128, 255, 64)), 20, 20);
  EXPECT_PIXEL_NEAR(Pixel(25, 25), Rgb(50, 50, 50));
}

TEST_F(BlendTest, MaskDrawsOpaqueFromHalfAlphaUp) {
  SetBlend(MASKBLEND);
  // Columns of alpha 127 (just under one half), 128 (just over) and 255.
  ImagePtr image = CreateImage(3, 1, 1, 0);
  image->frames[0]->WritePixel(0, 0, 0x7F00FF00u);
  image->frames[0]->WritePixel(1, 0, 0x8000FF00u);
  image->frames[0]->WritePixel(2, 0, 0xFF00FF00u);
  DrawImage(image, 10, 10);
  EXPECT_PIXEL_NEAR(Pixel(10, 10), Rgb(100, 50, 200));
  EXPECT_PIXEL_NEAR(Pixel(11, 10), Rgb(0, 255, 0));  // opaque, not mixed
  EXPECT_PIXEL_NEAR(Pixel(12, 10), Rgb(0, 255, 0));
  // The current alpha takes part: at 0.6 only texels of alpha >= 0.5 / 0.6 remain.
  SetAlpha(0.6f);
  DrawImage(image, 10, 12);
  EXPECT_PIXEL_NEAR(Pixel(11, 12), Rgb(100, 50, 200));
  EXPECT_PIXEL_NEAR(Pixel(12, 12), Rgb(0, 255, 0));
  // Back at full alpha the cached copy follows the threshold again.
  SetAlpha(1.0f);
  DrawImage(image, 10, 14);
  EXPECT_PIXEL_NEAR(Pixel(11, 14), Rgb(0, 255, 0));
}

TEST_F(DisplayTest, TintAndAlphaModulateTheTexel) {
  ImagePtr white = SolidImage(10, 10, 0xFFFFFFFFu);
  SetColor(255, 128, 0);
  DrawImage(white, 10, 10);
  EXPECT_PIXEL_NEAR(Pixel(15, 15), Rgb(255, 128, 0));
  SetColor(255, 255, 255);
  SetAlpha(0.25f);
  DrawImage(white, 30, 10);
  EXPECT_PIXEL_NEAR(Pixel(35, 15), Rgb(64, 64, 64));
  // The same once, not twice, when the picture is turned.
  SetRotation(30);
  SetColor(255, 128, 0);
  SetAlpha(1.0f);
  DrawImage(white, 50, 10);
  SetAlpha(0.25f);
  SetColor(255, 255, 255);
  DrawImage(white, 70, 10);
  EXPECT_PIXEL_NEAR(Pixel(52, 15), Rgb(255, 128, 0));
  EXPECT_PIXEL_NEAR(Pixel(72, 15), Rgb(64, 64, 64));
}

TEST_F(DisplayTest, StateIsClamped) {
  SetColor(300, -5, 128);
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 128);
  SetAlpha(2.5f);
  EXPECT_EQ(GetAlpha(), 1.0f);
  SetAlpha(-1.0f);
  EXPECT_EQ(GetAlpha(), 0.0f);
  SetBlend(9);  // unknown modes leave the blend as it was
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  // A glow above 1 draws as full white instead of wrapping round.
  SetAlpha(1.0f);
  SetColor(400, 400, 400);
  DrawRect(0, 0, 4, 4);
  EXPECT_PIXEL_NEAR(Pixel(1, 1), Rgb(255, 255, 255));
}

TEST_F(DisplayTest, ClsFillsTheWholeScreenWithTheClearColour) {
  SetViewport(100, 100, 10, 10);  // the viewport does not limit Cls
  SetClsColor(12, 34, 56);
  Cls();
  PixmapPtr frame = Frame();
  EXPECT_EQ(frame->ReadPixel(0, 0), Rgb(12, 34, 56));
  EXPECT_EQ(frame->ReadPixel(799, 599), Rgb(12, 34, 56));
  EXPECT_EQ(frame->ReadPixel(400, 300), Rgb(12, 34, 56));
}

TEST_F(DisplayTest, CentreHandledImageRotated90LandsClockwise) {
  // 20 by 10: left half red, right half blue, top row green.
  ImagePtr image = CreateImage(20, 10, 1, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      image->frames[0]->WritePixel(x, y, y == 0 ? 0xFF00FF00u : x < 10 ? 0xFFFF0000u : 0xFF0000FFu);
  MidHandleImage(image);
  SetRotation(90);
  DrawImage(image, 100, 100);
  PixmapPtr f = Frame();
  // Turned clockwise about (100, 100): it now spans x 95..104, y 90..109; the left half is on
  // top, the right half below, the top row on the right.
  EXPECT_PIXEL_NEAR(f->ReadPixel(97, 93), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(97, 106), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(104, 95), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(95, 95), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 91), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 108), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(93, 100), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(106, 100), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 87), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 112), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, NegativeScaleMirrorsAboutTheHandle) {
  ImagePtr image = CreateImage(10, 4, 1, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x) image->frames[0]->WritePixel(x, y, x < 5 ? 0xFFFF0000u : 0xFF0000FFu);
  SetScale(-1, 1);
  DrawImage(image, 50, 50);
  PixmapPtr f = Frame();
  // Mirrored to the left of x = 50: blue on 40..44, red on 45..49.
  EXPECT_PIXEL_NEAR(f->ReadPixel(49, 51), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(45, 51), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(44, 51), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(40, 51), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(50, 51), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(39, 51), Rgb(0, 0, 0));
  // Doubled and mirrored vertically about a centre handle.
  MidHandleImage(image);
  SetScale(2, -2);
  DrawImage(image, 200, 200);
  f = Frame();
  // Now x 190..209 (red on the left still), y 196..203.
  EXPECT_PIXEL_NEAR(f->ReadPixel(190, 196), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(209, 203), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(189, 200), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(200, 204), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(200, 195), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, HandleAndOriginPlaceTheImage) {
  ImagePtr image = SolidImage(4, 4, 0xFFFFFFFFu);
  SetImageHandle(image, 2, 3);
  SetOrigin(100, 0);
  DrawImage(image, 10, 10);  // top-left lands at (108, 7)
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(108, 7), Rgb(255, 255, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(111, 10), Rgb(255, 255, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(107, 7), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(108, 6), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(112, 10), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, SubImageRectPutsItsHandleOnThePosition) {
  // 20 by 20 in quadrants; the bottom-right one is yellow.
  ImagePtr image = CreateImage(20, 20, 1, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      image->frames[0]->WritePixel(x, y, x >= 10 && y >= 10 ? 0xFFFFFF00u : 0xFF0000FFu);
  DrawSubImageRect(image, 100, 100, 10, 10, 10, 10, 10, 10, 5, 5);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(95, 95), Rgb(255, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(104, 104), Rgb(255, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(94, 95), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(105, 104), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 105), Rgb(0, 0, 0));
  // Stretched to twice the size: the handle is in destination pixels.
  DrawSubImageRect(image, 300, 300, 20, 20, 10, 10, 10, 10, 0, 0);
  f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(300, 300), Rgb(255, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(319, 319), Rgb(255, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(320, 310), Rgb(0, 0, 0));
  // A source rectangle reaching outside the picture draws only what exists.
  DrawSubImageRect(image, 500, 500, 20, 20, 10, 10, 20, 20, 0, 0);
  f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(509, 509), Rgb(255, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(511, 505), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, ImageRectStretches) {
  ImagePtr image = SolidImage(4, 4, 0xFFFF0000u);
  DrawImageRect(image, 10, 10, 40, 20);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(10, 10), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(49, 29), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(50, 29), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(49, 30), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, LineLeavesOutItsLastPixel) {
  SetColor(255, 255, 255);
  DrawLine(10, 10, 15, 10);
  DrawLine(10, 20, 13, 23);
  DrawLine(10, 30, 15, 30, true);
  DrawLine(40, 40, 40, 40);  // zero length without the last pixel: nothing
  PixmapPtr f = Frame();
  for (int x = 10; x < 15; ++x) EXPECT_PIXEL_NEAR(f->ReadPixel(x, 10), Rgb(255, 255, 255)) << x;
  EXPECT_PIXEL_NEAR(f->ReadPixel(15, 10), Rgb(0, 0, 0));
  for (int i = 0; i < 3; ++i) EXPECT_PIXEL_NEAR(f->ReadPixel(10 + i, 20 + i), Rgb(255, 255, 255)) << i;
  EXPECT_PIXEL_NEAR(f->ReadPixel(13, 23), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(15, 30), Rgb(255, 255, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(40, 40), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, RectOutlineFromLinesCoversEachPixelOnce) {
  // Four lines without their last pixels go round a 3 by 2 box exactly once: drawn additively
  // at a quarter of white, a pixel hit twice would read brighter.
  SetBlend(LIGHTBLEND);
  SetColor(64, 64, 64);
  DrawLine(10, 10, 12, 10);
  DrawLine(12, 10, 12, 11);
  DrawLine(12, 11, 10, 11);
  DrawLine(10, 11, 10, 10);
  PixmapPtr f = Frame();
  int lit = 0;
  for (int y = 8; y < 14; ++y)
    for (int x = 8; x < 15; ++x) {
      const uint32_t p = f->ReadPixel(x, y);
      if (p != Rgb(0, 0, 0)) {
        ++lit;
        EXPECT_PIXEL_NEAR(p, Rgb(64, 64, 64)) << x << "," << y;
      }
    }
  EXPECT_EQ(lit, 6);
}

TEST_F(DisplayTest, PrimitivesCoverTheirPixels) {
  SetColor(0, 255, 0);
  DrawRect(10, 10, 3, 2);
  Plot(50, 50);
  DrawOval(100, 100, 21, 11);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(10, 10), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(12, 11), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(13, 11), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(12, 12), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(50, 50), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(51, 50), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(110, 105), Rgb(0, 255, 0));  // centre
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 105), Rgb(0, 255, 0));  // left tip
  EXPECT_PIXEL_NEAR(f->ReadPixel(120, 105), Rgb(0, 255, 0));  // right tip
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 100), Rgb(0, 0, 0));    // corners stay empty
  EXPECT_PIXEL_NEAR(f->ReadPixel(120, 110), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(110, 111), Rgb(0, 0, 0));
  // Rotated primitives turn about (x, y) minus the handle, like images.
  SetRotation(90);
  DrawRect(200, 200, 10, 4);  // now x 196..199, y 200..209
  f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(198, 205), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(201, 205), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(198, 211), Rgb(0, 0, 0));
}

TEST_F(DisplayTest, ViewportClipsEveryDraw) {
  SetViewport(10, 10, 20, 20);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 100, 100);
  DrawImage(SolidImage(100, 100, 0xFF00FF00u), 40, 0);  // entirely outside
  DrawLine(0, 50, 100, 50);
  SetColor(255, 255, 255);
  SetRotation(45);  // rotated pictures are clipped as well
  ImagePtr big = SolidImage(30, 30, 0xFF0000FFu);
  MidHandleImage(big);
  DrawImage(big, 10, 10);
  SetRotation(0);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(11, 11), Rgb(0, 0, 255));
  EXPECT_PIXEL_NEAR(f->ReadPixel(9, 12), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(12, 9), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(9, 9), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(29, 29), Rgb(255, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(30, 29), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(29, 30), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(50, 5), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(5, 50), Rgb(0, 0, 0));
  int x, y, w, h;
  GetViewport(x, y, w, h);
  EXPECT_EQ(x + y + w + h, 60);
  // An empty viewport draws nothing at all.
  SetViewport(0, 0, 0, 0);
  DrawRect(0, 0, 800, 600);
  EXPECT_PIXEL_NEAR(Pixel(400, 300), Rgb(0, 0, 0));
  // The clip survives presenting the frame.
  SetViewport(10, 10, 20, 20);
  Flip(0);
  SetColor(0, 0, 255);
  DrawRect(0, 0, 100, 100);
  EXPECT_PIXEL_NEAR(Pixel(50, 50), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(Pixel(15, 15), Rgb(0, 0, 255));
}

TEST_F(DisplayTest, FlipKeepsTheFrameAndAdvancesTheFakeClock) {
  UseFakeClock(true, 1000);
  SetFakeClockStepPerFlip(16);
  SetColor(0, 0, 255);
  DrawRect(0, 0, 10, 10);
  Flip(1);
  Flip(0);
  EXPECT_EQ(MilliSecs(), 1032);
  UseFakeClock(false);
  // What was drawn before presenting is still there to draw over (the error box relies on it).
  EXPECT_PIXEL_NEAR(Pixel(5, 5), Rgb(0, 0, 255));
}

TEST_F(DisplayTest, GrabReadsTheTargetBack) {
  SetColor(10, 20, 30);
  DrawRect(0, 0, 800, 600);
  SetColor(200, 100, 50);
  Plot(799, 599);
  PixmapPtr corner = GrabPixmap(798, 598, 4, 4);  // half outside the screen
  EXPECT_EQ(corner->ReadPixel(1, 1), Rgb(200, 100, 50));
  EXPECT_EQ(corner->ReadPixel(0, 0), Rgb(10, 20, 30));
  EXPECT_EQ(corner->ReadPixel(2, 2), 0u);  // outside reads nothing
  EXPECT_FALSE(corner->HasAlpha());
  ImagePtr image = CreateImage(2, 2, 1, 0);
  GrabImage(image, 798, 598);
  EXPECT_EQ(image->frames[0]->ReadPixel(1, 1), Rgb(200, 100, 50));
  // A frame saved as PNG reads back the same.
  const std::string path = testrig::MakeTempDir("frame") + "/frame.png";
  ASSERT_TRUE(SavePixmapPNG(*GrabPixmap(0, 0, 800, 600), S(path)));
  PixmapPtr saved = LoadPixmap(S(path));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->Width(), 800);
  EXPECT_EQ(saved->ReadPixel(799, 599), Rgb(200, 100, 50));
  EXPECT_EQ(saved->ReadPixel(0, 0), Rgb(10, 20, 30));
}

TEST_F(DisplayTest, TexturesFollowPixelChangesAndDisplayToggles) {
  ImagePtr image = SolidImage(8, 8, 0xFFFF0000u);
  DrawImage(image, 0, 0);
  EXPECT_PIXEL_NEAR(Pixel(4, 4), Rgb(255, 0, 0));
  PixmapPtr pixels = LockImage(image);
  ASSERT_TRUE(pixels);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pixels->WritePixel(x, y, 0xFF00FF00u);
  UnlockImage(image);
  DrawImage(image, 0, 0);
  EXPECT_PIXEL_NEAR(Pixel(4, 4), Rgb(0, 255, 0));
  // Full screen and back reuse the one window: the image still draws.
  ASSERT_TRUE(Graphics(800, 600, 32));
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(GraphicsDepth(), 32);
  // The desktop shows the mode scaled: its centre is the mode's centre.
  int dw = 0, dh = 0, gx = 0, gy = 0;
  ASSERT_TRUE(DesktopSize(dw, dh));
  WindowToGraphics(dw / 2, dh / 2, gx, gy);
  EXPECT_NEAR(gx, 400, 1);
  EXPECT_NEAR(gy, 300, 1);
  ASSERT_TRUE(Graphics(640, 480, 0));
  EXPECT_EQ(GraphicsWidth(), 640);
  WindowToGraphics(17, 23, gx, gy);  // a window shows the mode one to one
  EXPECT_EQ(gx, 17);
  EXPECT_EQ(gy, 23);
  EXPECT_EQ(VirtualWidth(), 800);
  Cls();
  DrawImage(image, 20, 20);
  Flip(0);
  EXPECT_PIXEL_NEAR(Pixel(24, 24), Rgb(0, 255, 0));
  ASSERT_TRUE(Graphics(800, 600, 0));
}

TEST_F(DisplayTest, ModeListAndQueries) {
  EXPECT_TRUE(SetGraphicsDriver());
  EXPECT_GT(CountGraphicsModes(), 0);
  int w, h, d, hz;
  ASSERT_TRUE(GetGraphicsMode(0, w, h, d, hz));
  EXPECT_TRUE(GraphicsModeExists(w, h, d));
  EXPECT_FALSE(GetGraphicsMode(CountGraphicsModes(), w, h, d, hz));
  for (const int depth : {32, 24, 16}) {
    EXPECT_TRUE(GraphicsModeExists(800, 600, depth));
    EXPECT_TRUE(GraphicsModeExists(640, 480, depth));
  }
  EXPECT_FALSE(GraphicsModeExists(800, 600, 15));
  EXPECT_TRUE(GraphicsOpen());
  EXPECT_TRUE(DesktopSize(w, h));
  EXPECT_GT(w, 0);
}

TEST(DisplayClosed, DrawingBeforeTheDisplayOpensIsHarmless) {
  gfxtest::ExpectInFreshProcess([] {
    if (GraphicsOpen()) return false;
    ImagePtr image = gfxtest::SolidImage(4, 4, 0xFFFFFFFFu);
    Cls();
    DrawImage(image, 10, 10);
    DrawImage(nullptr, 10, 10);
    DrawRect(0, 0, 10, 10);
    DrawLine(0, 0, 10, 10);
    DrawOval(0, 0, 10, 10);
    Plot(1, 1);
    DrawText(u"text", 0, 0);
    CreateFrames(image);
    Flip(0);
    PixmapPtr grab = GrabPixmap(0, 0, 10, 10);
    return grab && grab->Width() == 10 && grab->ReadPixel(5, 5) == 0 && !GraphicsOpen() &&
           GraphicsWidth() == 800 && TextWidth(u"ab") > 0;
  });
}

namespace {

class FarPlacesTest : public DisplayTest {};

// Places no screen has (huge, infinite, not a number) draw nothing and break nothing: each call
// in every blend, for boxes, pictures, stretched pictures and lines.
TEST_F(FarPlacesTest, AbsurdPositionsDrawNothing) {
  const ImagePtr image = SolidImage(8, 8, 0xFFFF0000u);
  const float far[] = {3e9f, -3e9f, INFINITY, -INFINITY, NAN};
  for (int blend : {SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND}) {
    SetBlend(blend);
    for (float v : far) {
      DrawRect(v, 10, 20, 20);
      DrawRect(10, v, 20, 20);
      DrawImage(image, v, v, 0);
      SetScale(2.0f, 2.0f);
      DrawImage(image, v, 100, 0);
      SetScale(1.0f, 1.0f);
      DrawLine(v, 0, 100, v);
    }
  }
  SetBlend(ALPHABLEND);
  EXPECT_EQ(Pixel(400, 300) & 0xFFFFFFu, 0u);
}

}  // namespace
