// Turned, stretched and mirrored pictures on the software renderer, checked pixel by pixel
// against the exact mapping: each target pixel shows the texel under its centre.
#include <algorithm>
#include <cmath>

#include "GfxFixture.h"

using namespace platform;
using gfxtest::DisplayTest;
using gfxtest::SolidImage;

namespace {

constexpr int kBgR = 100, kBgG = 50, kBgB = 200;

uint32_t Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFFu); }

// 7 by 5 texels, every one different, with alphas from clear to opaque.
ImagePtr Checker() {
  ImagePtr image = CreateImage(7, 5, 1, 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const uint32_t a = (x + 2 * y) % 4 == 0 ? 255u : (x + 2 * y) % 4 == 1 ? 200u : (x + 2 * y) % 4 == 2 ? 90u : 0u;
      image->frames[0]->WritePixel(
          x, y, (a << 24) | static_cast<uint32_t>((x * 36) << 16 | (y * 60) << 8 | (255 - x * 30)));
    }
  return image;
}

struct Paint {
  int blend;
  int r, g, b;
  float alpha;
};

// What one texel drawn over the plain background gives.
uint32_t Expected(uint32_t texel, const Paint& paint) {
  const int tint[3] = {paint.b, paint.g, paint.r};
  const int bg[3] = {kBgB, kBgG, kBgR};
  const int alpha8 = static_cast<int>(std::lround(paint.alpha * 255));
  const int ta = Channel(texel, 24);
  if (paint.blend == MASKBLEND && ta < static_cast<int>(std::ceil(127.5f / paint.alpha)))
    return Rgb(kBgR, kBgG, kBgB);
  const double a = ta * alpha8 / (255.0 * 255.0);
  int out[3];
  for (int i = 0; i < 3; ++i) {
    const double c = Channel(texel, 8 * i) * tint[i] / 255.0;
    double v;
    switch (paint.blend) {
      case SOLIDBLEND:
      case MASKBLEND:
        v = c;
        break;
      case LIGHTBLEND:
        v = std::min(255.0, bg[i] + c * a);
        break;
      case SHADEBLEND:
        v = c * bg[i] / 255.0;
        break;
      default:
        v = c * a + bg[i] * (1 - a);
        break;
    }
    out[i] = static_cast<int>(std::lround(v));
  }
  return Rgb(out[2], out[1], out[0]);
}

// Fractions this close to a texel edge may round either way.
bool NearEdge(double v) {
  const double f = v - std::floor(v);
  return f < 0.02 || f > 0.98;
}

class RasterTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    SetClsColor(kBgR, kBgG, kBgB);
    Cls();
  }
};

}  // namespace

TEST_F(RasterTest, TurnedPicturesShowTheTexelUnderEachPixelCentre) {
  ImagePtr image = Checker();
  SetImageHandle(image, 2, 3);
  const float handleX = 2, handleY = 3;
  const float scales[][2] = {{1, 1}, {2.5f, 1.5f}, {-1.5f, 2}, {1.25f, -3}, {-2, -2}};
  const Paint paints[] = {{MASKBLEND, 255, 255, 255, 1.0f}, {SOLIDBLEND, 255, 128, 40, 1.0f},
                          {ALPHABLEND, 255, 255, 255, 0.6f}, {LIGHTBLEND, 200, 255, 100, 0.8f},
                          {SHADEBLEND, 255, 255, 255, 1.0f}, {ALPHABLEND, 90, 255, 255, 1.0f}};
  int checked = 0;
  for (const auto& scale : scales)
    for (const Paint& paint : paints) {
      Cls();
      SetScale(scale[0], scale[1]);
      SetBlend(paint.blend);
      SetColor(paint.r, paint.g, paint.b);
      SetAlpha(paint.alpha);
      // One turn every 15 degrees, each in its own 50 by 50 box.
      for (int angle = 0; angle < 360; angle += 15) {
        const int cell = angle / 15;
        SetRotation(static_cast<float>(angle));
        DrawImage(image, 25.0f + static_cast<float>(cell % 12) * 50, 25.0f + static_cast<float>(cell / 12) * 50);
      }
      SetRotation(0);
      SetScale(1, 1);
      PixmapPtr frame = Frame();
      // Upright boxes snap their edges to whole pixels, so only whole-pixel ones are exact.
      const bool whole = std::fmod(7 * scale[0], 1.0f) == 0 && std::fmod(5 * scale[1], 1.0f) == 0 &&
                         std::fmod(handleX * scale[0], 1.0f) == 0 && std::fmod(handleY * scale[1], 1.0f) == 0;
      for (int angle = whole ? 0 : 15; angle < 360; angle += 15) {
        const int cell = angle / 15;
        const double px = 25 + cell % 12 * 50, py = 25 + cell / 12 * 50;
        const double rad = angle * 3.14159265358979323846 / 180;
        const double c = std::cos(rad), s = std::sin(rad);
        for (int y = static_cast<int>(py) - 24; y < py + 24; ++y)
          for (int x = static_cast<int>(px) - 24; x < px + 24; ++x) {
            // Undo the clockwise turn, then the scale, back to texels.
            const double dx = x + 0.5 - px, dy = y + 0.5 - py;
            const double u = (c * dx + s * dy) / scale[0] + handleX;
            const double v = (-s * dx + c * dy) / scale[1] + handleY;
            if (NearEdge(u) || NearEdge(v)) continue;
            const bool inside = u >= 0 && u < 7 && v >= 0 && v < 5;
            const uint32_t want =
                inside ? Expected(image->frames[0]->ReadPixel(static_cast<int>(u), static_cast<int>(v)), paint)
                       : Rgb(kBgR, kBgG, kBgB);
            const uint32_t got = frame->ReadPixel(x, y);
            ASSERT_TRUE(testrig::PixelNear(got, want))
                << "blend " << paint.blend << " scale " << scale[0] << "," << scale[1] << " angle "
                << angle << " at " << x - px << "," << y - py << " texel " << u << "," << v;
            ++checked;
          }
      }
    }
  EXPECT_GT(checked, 100000);
}

TEST_F(RasterTest, PicturesAndPrimitivesLandInTheOrderDrawn) {
  SetColor(255, 0, 0);
  DrawRect(100, 100, 40, 40);
  SetColor(255, 255, 255);
  SetRotation(45);
  ImagePtr white = SolidImage(20, 20, 0xFFFFFFFFu);
  MidHandleImage(white);
  DrawImage(white, 120, 120);
  SetRotation(0);
  SetColor(0, 255, 0);
  DrawRect(118, 118, 4, 4);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(119, 119), Rgb(0, 255, 0));   // drawn last
  EXPECT_PIXEL_NEAR(f->ReadPixel(120, 109), Rgb(255, 255, 255));  // the turned picture
  EXPECT_PIXEL_NEAR(f->ReadPixel(101, 101), Rgb(255, 0, 0));   // its corner left uncovered
}

TEST_F(RasterTest, TurnedPicturesReachingPastTheScreenAreClippedToIt) {
  ImagePtr big = SolidImage(300, 300, 0xFF00FF00u);
  MidHandleImage(big);
  SetRotation(30);
  for (const auto& at : {std::pair{0, 0}, {800, 0}, {0, 600}, {800, 600}, {400, -140}, {-140, 300}})
    DrawImage(big, static_cast<float>(at.first), static_cast<float>(at.second));
  // Huge and degenerate scales draw what they can and never reach outside the target.
  SetScale(1e6f, 1e-6f);
  DrawImage(big, 400, 300);
  SetScale(0, 1);
  DrawImage(big, 400, 300);
  SetScale(1, 1);
  SetRotation(0);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(0, 0), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(799, 599), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(400, 5), Rgb(0, 255, 0));
}

TEST_F(RasterTest, StretchedAndMirroredUprightPicturesKeepTheirTexels) {
  // Four columns: red, green, blue, white.
  ImagePtr image = CreateImage(4, 1, 1, 0);
  const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  for (int x = 0; x < 4; ++x) image->frames[0]->WritePixel(x, 0, colours[x]);
  DrawImageRect(image, 100, 100, 40, 8);  // each texel 10 pixels wide
  SetScale(-3, 2);
  DrawImage(image, 300, 200);  // mirrored: x 288..299, white first
  SetScale(1, 1);
  PixmapPtr f = Frame();
  for (int x = 0; x < 4; ++x) {
    EXPECT_PIXEL_NEAR(f->ReadPixel(100 + 10 * x, 103), colours[x] | 0xFF000000u);
    EXPECT_PIXEL_NEAR(f->ReadPixel(109 + 10 * x, 107), colours[x] | 0xFF000000u);
    EXPECT_PIXEL_NEAR(f->ReadPixel(299 - 3 * x, 201), colours[x] | 0xFF000000u);
    EXPECT_PIXEL_NEAR(f->ReadPixel(297 - 3 * x, 200), colours[x] | 0xFF000000u);
  }
  EXPECT_PIXEL_NEAR(f->ReadPixel(140, 103), Rgb(kBgR, kBgG, kBgB));
  EXPECT_PIXEL_NEAR(f->ReadPixel(287, 201), Rgb(kBgR, kBgG, kBgB));
  EXPECT_PIXEL_NEAR(f->ReadPixel(300, 201), Rgb(kBgR, kBgG, kBgB));
  // A filtered stretch blends neighbouring texels in between and keeps them at the ends.
  ImagePtr ramp = CreateImage(2, 1, 1, FILTEREDIMAGE);
  ramp->frames[0]->WritePixel(0, 0, 0xFF000000u);
  ramp->frames[0]->WritePixel(1, 0, 0xFFFFFFFFu);
  DrawImageRect(ramp, 100, 300, 64, 4);
  f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 301), Rgb(0, 0, 0));
  EXPECT_PIXEL_NEAR(f->ReadPixel(163, 301), Rgb(255, 255, 255));
  const int mid = Channel(f->ReadPixel(132, 301), 8);
  EXPECT_GT(mid, 100);
  EXPECT_LT(mid, 160);
  EXPECT_LE(Channel(f->ReadPixel(120, 301), 8), mid);
}

TEST_F(RasterTest, ANewLogicalSizeKeepsPicturesDrawing) {
  ImagePtr image = SolidImage(10, 10, 0xFF00FF00u);
  DrawImage(image, 0, 0);
  SetVirtualResolution(640, 480);
  EXPECT_EQ(VirtualWidth(), 640);
  SetClsColor(0, 0, 0);
  Cls();
  SetRotation(90);
  DrawImage(image, 630, 470);
  SetRotation(0);
  EXPECT_PIXEL_NEAR(Pixel(625, 475), Rgb(0, 255, 0));
  EXPECT_PIXEL_NEAR(Pixel(635, 465), Rgb(0, 0, 0));
  EXPECT_EQ(GrabPixmap(0, 0, 800, 600)->ReadPixel(700, 500), 0u);  // beyond the target
  SetVirtualResolution(800, 600);
  Cls();
  DrawImage(image, 790, 590);
  EXPECT_PIXEL_NEAR(Pixel(795, 595), Rgb(0, 255, 0));
}
