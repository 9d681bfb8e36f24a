// Image fonts: FreeType faces, the built-in font and the fixed test font.
#include <filesystem>

#include "GfxFixture.h"

using namespace platform;
using gfxtest::DisplayTest;

namespace {

// A font file from the system's font packages; "" when none is installed.
std::string SystemFontPath() {
  for (const char* path : {"/usr/share/fonts/truetype/comic-neue/ComicNeue-Bold.ttf",
                           "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf",
                           "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"})
    if (std::filesystem::exists(path)) return path;
  return "";
}

#define REQUIRE_SYSTEM_FONT(path)                                            \
  const std::string path = SystemFontPath();                                 \
  if (path.empty()) GTEST_SKIP() << "no TrueType font installed (fonts-comic-neue)"

// Whether any pixel of the region is lit, and whether every lit one is pure red.
struct RedScan {
  int lit = 0;
  int notRed = 0;
};

RedScan ScanForRed(const Pixmap& f, int x0, int y0, int x1, int y1) {
  RedScan scan;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint32_t p = f.ReadPixel(x, y);
      if ((p & 0xFFFFFFu) == 0) continue;
      ++scan.lit;
      if (((p >> 8) & 0xFFu) > 2 || (p & 0xFFu) > 2) ++scan.notRed;
    }
  return scan;
}

}  // namespace

TEST(ImageFontLoad, LoadsBeforeTheDisplayOpens) {
  REQUIRE_SYSTEM_FONT(path);
  gfxtest::ExpectInFreshProcess([path] {
    if (GraphicsOpen()) return false;
    ImageFontPtr font = LoadImageFont(S(path), 24, 4);
    const Glyph* glyph = font ? font->GetGlyph(u'A') : nullptr;
    // Glyph pictures exist, their textures wait for the first draw.
    return glyph && glyph->image && !glyph->image->textures && font->Height() > 0 && !GraphicsOpen();
  });
}

TEST(ImageFontLoad, MetricsAreAdditiveAndTheLineHeightIsFixed) {
  REQUIRE_SYSTEM_FONT(path);
  ImageFontPtr font = LoadImageFont(S(path), 30, 4);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Size(), 30);
  SetImageFont(font);
  EXPECT_EQ(GetImageFont(), font);
  const String samples[] = {u"AV", u"To", u"Lantern Vale", u"ff", u"W.", u"\u00E9t\u00E9", u"1,000"};
  for (const String& a : samples)
    for (const String& b : samples)
      EXPECT_EQ(TextWidth(a + b), TextWidth(a) + TextWidth(b)) << U8(a) << "|" << U8(b);
  EXPECT_GT(TextWidth(u"W"), TextWidth(u"i"));
  const int height = TextHeight(u"");
  EXPECT_GE(height, 30);
  for (const String& s : samples) EXPECT_EQ(TextHeight(s), height);
  EXPECT_EQ(TextHeight(u"gjpqy\u00C9"), height);
  EXPECT_EQ(font->Height(), height);

  // No glyph: skipped without moving the pen; a space has an advance but no picture.
  EXPECT_EQ(font->GetGlyph(u'\uE123'), nullptr);
  EXPECT_EQ(TextWidth(u"\uE123"), 0);
  EXPECT_EQ(TextWidth(u"a\uE123b"), TextWidth(u"ab"));
  const Glyph* space = font->GetGlyph(u' ');
  ASSERT_TRUE(space);
  EXPECT_GT(space->advance, 0);
  EXPECT_FALSE(space->image);
  SetImageFont(nullptr);
}

TEST(ImageFontLoad, GlyphsAreWhiteWithCoverageInAlpha) {
  REQUIRE_SYSTEM_FONT(path);
  ImageFontPtr font = LoadImageFont(S(path), 40, 4);
  ASSERT_TRUE(font);
  const Glyph* glyph = font->GetGlyph(u'O');
  ASSERT_TRUE(glyph && glyph->image);
  const Pixmap& p = *glyph->image->frames[glyph->frame];
  int opaque = 0, partial = 0;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const uint32_t px = p.ReadPixel(x, y);
      EXPECT_EQ(px & 0xFFFFFFu, 0xFFFFFFu);
      const uint32_t a = px >> 24;
      opaque += a == 255;
      partial += a > 0 && a < 255;
    }
  EXPECT_GT(opaque, 0);
  EXPECT_GT(partial, 0);  // smooth: antialiased edges
  // The glyph sits inside the line: below its top, above its bottom.
  EXPECT_GE(glyph->gy, 0);
  EXPECT_LE(glyph->gy + p.Height(), font->Height());
  // Without style 4 (smooth) the glyphs are rendered in two levels.
  ImageFontPtr mono = LoadImageFont(S(path), 40, 0);
  ASSERT_TRUE(mono);
  const Pixmap& m = *mono->GetGlyph(u'O')->image->frames[0];
  for (int i = 0; i < m.Width() * m.Height(); ++i) {
    const uint32_t a = m.Pixels()[i] >> 24;
    EXPECT_TRUE(a == 0 || a == 255);
  }
}

TEST(ImageFontLoad, UnusableFontsFail) {
  const std::string dir = testrig::MakeTempDir("font");
  EXPECT_FALSE(LoadImageFont(S(dir + "/missing.ttf"), 20));
  testrig::WriteFileBytes(dir + "/junk.ttf", std::string(4096, '\x42'));
  EXPECT_FALSE(LoadImageFont(S(dir + "/junk.ttf"), 20));
  testrig::WriteFileBytes(dir + "/empty.ttf", "");
  EXPECT_FALSE(LoadImageFont(S(dir + "/empty.ttf"), 20));
  const std::string path = SystemFontPath();
  if (!path.empty()) {
    EXPECT_FALSE(LoadImageFont(S(path), 0));
    EXPECT_FALSE(LoadImageFont(S(path), -3));
    // Cut in half: FreeType refuses it or renders what it can, never crashes.
    const std::string bytes = testrig::ReadFileBytes(path);
    testrig::WriteFileBytes(dir + "/half.ttf", bytes.substr(0, bytes.size() / 2));
    if (ImageFontPtr half = LoadImageFont(S(dir + "/half.ttf"), 20)) TextWidth(u"Hello \u0100\u4E00");
  }
}

TEST_F(DisplayTest, TextIsTintedBySetColor) {
  REQUIRE_SYSTEM_FONT(path);
  ImageFontPtr font = LoadImageFont(S(path), 32, 4);
  ASSERT_TRUE(font);
  SetImageFont(font);
  SetColor(255, 0, 0);
  DrawText(u"HOH", 100, 100);
  PixmapPtr f = Frame();
  const RedScan scan = ScanForRed(*f, 90, 90, 100 + TextWidth(u"HOH") + 10, 100 + TextHeight(u"") + 10);
  EXPECT_GT(scan.lit, 50);
  EXPECT_EQ(scan.notRed, 0);
  // Nothing above or left of the top-left corner.
  EXPECT_EQ(ScanForRed(*f, 0, 0, 800, 100).lit, 0);
  EXPECT_EQ(ScanForRed(*f, 0, 0, 100, 600).lit, 0);
}

TEST_F(DisplayTest, BuiltinFontWorksWithNoFontSet) {
  SetImageFont(nullptr);
  EXPECT_EQ(GetImageFont(), nullptr);
  EXPECT_EQ(TextWidth(u"abc"), 18);
  EXPECT_EQ(TextWidth(u""), 0);
  EXPECT_EQ(TextHeight(u""), TextHeight(u"Ag"));
  EXPECT_GT(TextHeight(u""), 8);
  EXPECT_EQ(TextWidth(u"a\u4E00b"), TextWidth(u"ab"));  // no glyph: skipped
  // Every printable character has a picture (the space excepted).
  ImageFontPtr builtin = BuiltinFont();
  for (char16_t c = 33; c < 127; ++c) {
    const Glyph* glyph = builtin->GetGlyph(c);
    ASSERT_TRUE(glyph && glyph->image) << static_cast<int>(c);
  }
  // "I": a vertical bar in the middle column, tinted.
  SetColor(0, 255, 0);
  DrawText(u"I", 10, 20);
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(12, 24), 0xFF00FF00u);
  EXPECT_PIXEL_NEAR(f->ReadPixel(10, 24), 0xFF000000u);
  EXPECT_EQ(ScanForRed(*f, 0, 0, 800, 20).lit, 0);  // nothing above the line's top
}

TEST_F(DisplayTest, TextScalesAwayFromItsTopLeftCorner) {
  SetImageFont(CreateFixedFont(10, 20));
  EXPECT_EQ(TextWidth(u"abc"), 30);
  EXPECT_EQ(TextHeight(u""), 20);
  SetScale(2, 2);
  DrawText(u"A B", 100, 100);  // boxes at 100..119 and 140..159, the space is blank
  PixmapPtr f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 100), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(119, 139), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(120, 120), 0xFF000000u);
  EXPECT_PIXEL_NEAR(f->ReadPixel(140, 120), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(159, 139), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(160, 120), 0xFF000000u);
  EXPECT_PIXEL_NEAR(f->ReadPixel(100, 140), 0xFF000000u);
  EXPECT_PIXEL_NEAR(f->ReadPixel(99, 100), 0xFF000000u);
  // Rotated a quarter turn clockwise the line runs downwards from the corner.
  Cls();
  SetScale(1, 1);
  SetRotation(90);
  SetImageFont(CreateFixedFont(10, 20));
  DrawText(u"A", 400, 100);  // the box now spans x 380..399, y 100..109
  f = Frame();
  EXPECT_PIXEL_NEAR(f->ReadPixel(390, 102), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(382, 108), 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(f->ReadPixel(402, 105), 0xFF000000u);
  EXPECT_PIXEL_NEAR(f->ReadPixel(390, 112), 0xFF000000u);
}
