#include <gtest/gtest.h>

#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "platform/Image.h"
#include "text/TBitmapFont.h"

namespace {

const char* const kGlyphA =
    "char id=65   x=10   y=20   width=12  height=15  xoffset=-1  yoffset=3   xadvance=11";

std::vector<String> Lines(std::initializer_list<const char*> lines) {
  std::vector<String> out;
  for (const char* l : lines) out.push_back(S(l));
  return out;
}

std::array<double, 7> Slot(const TBitmapFont& f, int s) {
  const auto i = static_cast<size_t>(s);
  return {f.xPos[i], f.yPos[i], f.width[i], f.height[i], f.xOffset[i], f.yOffset[i], f.xAdvance[i]};
}

TEST(BitmapFontLoad, DescriptionLines) {
  {
    TBitmapFont f;
    f.ReadDescription(Lines({"scaleF=0.5 more", "info face=x", "common lineHeight=20 scaleW=200 scaleH=100",
                             "page id=0 file=\"x.png\"", "chars count=2", kGlyphA,
                             "char id=0 x=1 y=1 width=1 height=1 xoffset=0 yoffset=0 xadvance=1",
                             "char x=1 y=1", "char id=66 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=1000"}),
                      2);
    EXPECT_DOUBLE_EQ(f.ScaleFactor, 0.5);
    EXPECT_DOUBLE_EQ(f.TextureW, 200);
    EXPECT_DOUBLE_EQ(f.TextureH, 100);
    EXPECT_EQ(f.NumChars, 2);
    EXPECT_EQ(Slot(f, 65), (std::array<double, 7>{10, 20, 12, 15, -1, 5, 11}));
    EXPECT_EQ(f.ID[65], 65);
    EXPECT_DOUBLE_EQ(f.xAdvance[66], 1000);  // the whole number, not its first three digits
    EXPECT_EQ(f.CalcVRAM(), 131072);
    f.CalcDrawOffsetY();
    EXPECT_EQ(f.DrawOffsetY, -5);
    EXPECT_EQ(f.ID[0], 0);
  }
  {
    // No scale line: line 1 is the info line and is used up; "kerning" ends the glyphs.
    TBitmapFont f;
    f.ReadDescription(Lines({"info face=x", "common scaleW=64 scaleH=32", "page id=0", "chars count=9",
                             "char id=65 x=1", "kerning first=65 second=66 amount=-1",
                             "char id=66 x=1"}),
                      0);
    EXPECT_DOUBLE_EQ(f.ScaleFactor, 1.0);
    EXPECT_DOUBLE_EQ(f.TextureW, 64);
    EXPECT_EQ(f.NumChars, 1);
    EXPECT_EQ(f.ID[66], 0);
  }
  {
    // Without kerning the last line is read; keys stand anywhere as whole tokens; values that
    // are not finite numbers read 0; codes above 65535 and repeated extra codes are passed over.
    TBitmapFont f;
    f.ReadDescription(Lines({"info", "common", "page", "chars", "char xadvance=7 id=67 x=nan y=1e999",
                             "char id=70000 x=1", "char id=8364 x=3", "char id=8364 x=4",
                             "char id=68 widthx=9 width=2"}),
                      0);
    EXPECT_EQ(Slot(f, 67)[6], 7);
    EXPECT_EQ(Slot(f, 67)[0], 0);
    EXPECT_EQ(Slot(f, 67)[1], 0);
    EXPECT_EQ(f.NumExtraChars, 1);
    EXPECT_EQ(f.xPos[256], 3);
    EXPECT_DOUBLE_EQ(f.width[68], 2);
    EXPECT_EQ(f.NumChars, 3);
    EXPECT_EQ(f.FindChar(u"\u20AC"), 256);
    EXPECT_EQ(f.FindChar(u"\u20AD"), 0);
  }
  {
    // The 151st extra glyph grows the table to 506 slots.
    std::vector<String> lines = Lines({"info", "common", "page", "chars"});
    for (int i = 0; i < 151; ++i) lines.push_back(S("char id=" + std::to_string(300 + i) + " xadvance=1"));
    TBitmapFont f;
    f.ReadDescription(lines, 0);
    EXPECT_EQ(f.NumExtraChars, 151);
    EXPECT_EQ(f.ArraySize, 506);
    for (const auto* a : {&f.width, &f.height, &f.xAdvance, &f.xOffset, &f.yOffset, &f.xPos, &f.yPos}) {
      EXPECT_EQ(a->size(), 506u);
    }
    EXPECT_EQ(f.ID.size(), 506u);
    EXPECT_EQ(f.ID[406], 450);
  }
}

TEST(BitmapFontLoad, CreateFromFiles) {
  testrig::ResetFrameworkGlobals();
  const std::string dir = testrig::MakeTempDir("bmfont");
  auto page = std::make_shared<platform::Pixmap>(8, 8, 0xFFFFFFFFu);
  ASSERT_TRUE(platform::SavePixmapPNG(*page, S(dir + "/f.png")));
  testrig::WriteFileBytes(dir + "/f.fnt", "info\r\ncommon scaleW=8 scaleH=8\r\npage\r\nchars\r\n" +
                                              std::string(kGlyphA) + "\r\n");
  for (bool mid : {false, true}) {
    platform::AutoMidHandle(mid);
    auto font = TBitmapFont::Create(S(dir + "/f"), 0, 0, 1);
    EXPECT_EQ(platform::AutoMidHandleEnabled(), mid);
    ASSERT_TRUE(font->Image);
    EXPECT_EQ(font->Image->handleX, 0);
    EXPECT_EQ(Slot(*font, 65), (std::array<double, 7>{10, 20, 12, 15, -1, 4, 11}));
    font->Kill();
    EXPECT_FALSE(font->Image);
  }
  platform::AutoMidHandle(false);
  EXPECT_EQ(testrig::FatalNotice([&] { TBitmapFont::Create(S(dir + "/none"), 0, 0, 0); }),
            S("Error loading bitmap " + dir + "/none.png"));
  ASSERT_TRUE(platform::SavePixmapPNG(*page, S(dir + "/nofnt.png")));
  EXPECT_EQ(testrig::FatalNotice([&] { TBitmapFont::Create(S(dir + "/nofnt"), 0, 0, 0); }),
            S("Error loading file littleendian::" + dir + "/nofnt.fnt"));
}

TEST(BitmapFontLoad, Measures) {
  TBitmapFont f;
  f.ScaleFactor = 1.0;
  f.xAdvance['A'] = 100;
  f.xAdvance[' '] = 8;
  f.height['A'] = 20;
  f.height['B'] = 30;
  EXPECT_EQ(f.TruncateString(u"AAAA", 0), u"");
  EXPECT_EQ(f.TruncateString(u"AAAA", 250), u"AA");
  EXPECT_EQ(f.TruncateString(u"AAAA", 100000), u"AAAA");
  EXPECT_EQ(f.TruncateString(u"AAAA", -5), u"");
  EXPECT_FLOAT_EQ(f.CalcReducedScale(u"AAA", 200), 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(f.CalcReducedScale(u"A", 200), 1.0f);
  EXPECT_FLOAT_EQ(f.CalcReducedScale(u"", -3), 1.0f);  // no width: nothing to reduce
  EXPECT_DOUBLE_EQ(f.StringHeightVertical(u"A B"), 20 + 6 + 30);
  f.ScaleFactor = 0.5;
  EXPECT_DOUBLE_EQ(f.StringHeightVertical(u"A B"), 28);
}

}  // namespace
