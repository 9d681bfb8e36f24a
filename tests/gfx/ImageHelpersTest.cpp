// Image copies, pixmap composition, ARGB values, spaced text and clipped drawing.
#include "GfxTestSupport.h"
#include "gfx/ImageHelpers.h"
#include "platform/Font.h"

namespace {

class ImageHelpersTest : public gfxtest::GfxTest {
 protected:
  // w x h, pixel (x, y) = 0xFF000000 | x << 8 | y.
  static platform::ImagePtr Numbered(int w, int h) {
    auto p = std::make_shared<platform::Pixmap>(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p->WritePixel(x, y, 0xFF000000u | (x << 8) | y);
    return platform::LoadImageFromPixmap(p, 0);
  }
  static int Lit(const platform::PixmapPtr& p) {
    int n = 0;
    for (int i = 0; i < p->Width() * p->Height(); ++i) n += (p->Pixels()[i] & 0xFFFFFF) != 0;
    return n;
  }
  static uint32_t At(const platform::ImagePtr& image, int x, int y) {
    return platform::LockImage(image, 0)->ReadPixel(x, y);
  }
};

TEST_F(ImageHelpersTest, ArgbValues) {
  EXPECT_EQ(ARGB_Color(255, 255, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(ARGB_Alpha(0xFFFF0000u), 255);
  EXPECT_EQ(ARGB_Blue(0xFFFF0000u), 0);
  EXPECT_EQ(ARGB_Red(0x12345678u), 0x34);
  EXPECT_EQ(ARGB_Green(0x12345678u), 0x56);
  EXPECT_EQ(ARGB_Color(0, 256, 0, 0), 0x01000000u);  // the spill, without overflow
  EXPECT_EQ(ARGB_Color(200, 0, 0, 0), 0xC8000000u);
}

TEST_F(ImageHelpersTest, RectangleCopiesMirrorAndClip) {
  const uint32_t blank = 0;
  // Mode m, source column/row read for destination (i, j) of a 3 x 2 rectangle from (1, 1).
  for (int mode = 0; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    auto src = Numbered(8, 8);
    auto dst = gfxtest::SolidImage(8, 8, blank);
    ccCopyImageToImage(src, 1, 1, 3, 2, dst, 2, 3, mode);
    for (int j = 0; j < 2; ++j) {
      for (int i = 0; i < 3; ++i) {
        const int fx = (mode == 1 || mode == 3) ? 1 + 2 - i : 1 + i;
        const int fy = (mode == 2 || mode == 3) ? 1 + 1 - j : 1 + j;
        const uint32_t want = mode == 4 ? blank : 0xFF000000u | (fx << 8) | fy;
        EXPECT_EQ(At(dst, 2 + i, 3 + j), want) << i << "," << j;
      }
    }
    EXPECT_EQ(At(dst, 5, 3), blank);
  }
  // Clipped to the smaller remaining width and height; starts outside copy nothing.
  auto src = Numbered(6, 5);
  auto dst = gfxtest::SolidImage(4, 8, blank);
  ccCopyImageRect(src, 4, 1, 10, 10, dst, 1, 6);
  EXPECT_EQ(At(dst, 1, 6), 0xFF000401u);
  EXPECT_EQ(At(dst, 2, 7), 0xFF000502u);
  EXPECT_EQ(At(dst, 3, 6), blank);
  for (auto [sx, sy, dx, dy] : {std::array<int, 4>{-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0},
                                 {0, 0, 0, -2}, {6, 0, 0, 0}, {0, 0, 4, 0}}) {
    auto d = gfxtest::SolidImage(4, 8, blank);
    ccCopyImageRect(src, sx, sy, 2, 2, d, dx, dy);
    ccCopyImageToImage(src, sx, sy, 2, 2, d, dx, dy, 0);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 4; ++x) ASSERT_EQ(At(d, x, y), blank);
  }
}

TEST_F(ImageHelpersTest, CopyImageIsIndependent) {
  auto src = platform::CreateImage(4, 3, 2, 0);
  platform::LockImage(src, 1)->WritePixel(1, 1, 0xFF102030u);
  platform::SetImageHandle(src, 2, 1);
  src->maskColor = 0x00FF00FFu;
  auto copy = ccCopyImage(src);
  ASSERT_EQ(copy->FrameCount(), 2);
  EXPECT_EQ(copy->width, 4);
  EXPECT_EQ(copy->handleX, 2);
  EXPECT_EQ(copy->maskColor, 0x00FF00FFu);
  EXPECT_EQ(platform::LockImage(copy, 1)->ReadPixel(1, 1), 0xFF102030u);
  platform::LockImage(src, 1)->WritePixel(1, 1, 0);
  EXPECT_EQ(platform::LockImage(copy, 1)->ReadPixel(1, 1), 0xFF102030u);
}

TEST_F(ImageHelpersTest, DrawOnPixmapComposes) {
  struct Case {
    uint32_t src, dst;
    float alpha, colour;
    uint32_t want;
  };
  const Case cases[] = {
      {0xFF804020u, 0x80FFFFFFu, 1.0f, 0.5f, 0xFF402010u},  // opaque source hides the destination
      {0x00FFFFFFu, 0x80102030u, 1.0f, 1.0f, 0x80102030u},  // transparent source: unchanged
      {0x80FF0000u, 0x00000000u, 1.0f, 1.0f, 0x80FF0000u},  // half over transparent
      // Half over half: each colour weighted by its own alpha share, not the destination twice.
      {0x80FF0000u, 0x800000FFu, 1.0f, 1.0f, 0xFF7F007Fu},
      {0xFFFFFFFFu, 0x00000000u, 0.5f, 1.0f, 0x7FFFFFFFu},  // truncated T keeps channels in range
  };
  for (const Case& c : cases) {
    platform::Pixmap target(4, 4, c.dst);
    ccDrawOnPixmap(gfxtest::SolidImage(1, 1, c.src), 0, target, 2, 2, c.alpha, c.colour);
    EXPECT_EQ(target.ReadPixel(2, 2), c.want) << std::hex << c.src << " over " << c.dst;
    EXPECT_EQ(target.ReadPixel(1, 1), c.dst);
  }
  platform::Pixmap target(4, 4, 0u);
  ccDrawOnPixmap(gfxtest::SolidImage(3, 3, 0xFFFFFFFFu), 0, target, -2, -2, 1, 1);
  EXPECT_EQ(target.ReadPixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(target.ReadPixel(1, 0), 0u);
  ccDrawOnPixmap(gfxtest::SolidImage(3, 3, 0xFFFFFFFFu), 5, target, 1, 1, 1, 1);  // no such frame
  EXPECT_EQ(target.ReadPixel(1, 1), 0u);
  EXPECT_EQ(testrig::FatalNotice([&] { ccDrawOnPixmap(nullptr, 0, target, 0, 0, 1, 1); }),
            u"image doesnt exist");
}

TEST_F(ImageHelpersTest, SpacedTextAndClippedDrawing) {
  OpenDisplay();
  auto font = platform::CreateFixedFont(8, 10);
  platform::SetImageFont(font);
  auto picture = [](auto draw) {
    platform::Cls();
    draw();
    return platform::GrabPixmap(0, 0, 800, 600);
  };
  auto plain = picture([] { platform::DrawText(u"ABCD", 100.5f, 50); });
  auto spaced0 = picture([] { ccDrawTextSpaced(u"ABCD", 100.5f, 50, 0); });
  EXPECT_EQ(std::vector<uint32_t>(plain->Pixels(), plain->Pixels() + 800 * 600),
            std::vector<uint32_t>(spaced0->Pixels(), spaced0->Pixels() + 800 * 600));
  auto firstLitFrom = [](const platform::PixmapPtr& p, int x0) {
    for (int x = x0; x < 800; ++x)
      if ((p->ReadPixel(x, 55) & 0xFFFFFF) != 0) return x;
    return -1;
  };
  // Glyph boxes 8 apart: the fourth starts at 124, and 3 x 2 further right when spaced.
  auto lastRunStart = [](const platform::PixmapPtr& p) {
    int start = -1;
    bool lit = false;
    for (int x = 0; x < 800; ++x) {
      const bool now = (p->ReadPixel(x, 55) & 0xFFFFFF) != 0;
      if (now && !lit) start = x;
      lit = now;
    }
    return start;
  };
  auto spaced2 = picture([] { ccDrawTextSpaced(u"ABCD", 100, 50, 2); });
  auto fourth = picture([] { platform::DrawText(u"D", 124, 50); });
  EXPECT_EQ(lastRunStart(spaced2), lastRunStart(fourth) + 6);
  auto rounded = picture([] { ccDrawTextSpacedRounded(u"A", 100.7f, 50, 0); });
  auto whole = picture([] { ccDrawTextSpaced(u"A", 100, 50, 0); });
  EXPECT_EQ(firstLitFrom(rounded, 0), firstLitFrom(whole, 0));
  platform::SetImageFont(nullptr);

  auto image = gfxtest::SolidImage(20, 20, 0xFFFFFFFFu);
  auto inside = picture([&] { ccClipImageToViewport(image, 100, 100, 0, 0, 800, 600, 5, 5); });
  EXPECT_EQ(firstLitFrom(inside, 0), -1);  // row 55 empty
  EXPECT_EQ(inside->ReadPixel(105, 105) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(inside->ReadPixel(124, 124) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(inside->ReadPixel(125, 125) & 0xFFFFFF, 0u);
  auto crossing = picture([&] { ccClipImageToViewport(image, 100, 100, 110, 0, 800, 105, 0, 0); });
  EXPECT_EQ(crossing->ReadPixel(109, 102) & 0xFFFFFF, 0u);
  EXPECT_EQ(crossing->ReadPixel(110, 102) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(crossing->ReadPixel(115, 105) & 0xFFFFFF, 0u);
  EXPECT_EQ(Lit(picture([&] { ccClipImageToViewport(image, 100, 100, 300, 300, 10, 10, 0, 0); })), 0);

  auto clipped = picture([&] { ccCopyRect(image, 200, 200, 5, 8, 0); });
  EXPECT_EQ(clipped->ReadPixel(204, 207) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(clipped->ReadPixel(205, 207) & 0xFFFFFF, 0u);
  EXPECT_EQ(clipped->ReadPixel(204, 208) & 0xFFFFFF, 0u);
  int vx, vy, vw, vh;
  platform::GetViewport(vx, vy, vw, vh);
  const std::array<int, 4> viewport{vx, vy, vw, vh};
  EXPECT_EQ(viewport, (std::array<int, 4>{0, 0, 800, 600}));
}

}  // namespace
