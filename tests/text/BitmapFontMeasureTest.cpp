#include <gtest/gtest.h>

#include "text/TBitmapFont.h"

namespace {

TBitmapFont TwoGlyphFont() {
  TBitmapFont font;
  font.ScaleFactor = 1.0;
  font.xAdvance['A'] = 10;
  font.xAdvance['B'] = 12;
  font.height['A'] = 20;
  font.height['B'] = 20;
  return font;
}

}  // namespace

TEST(BitmapFontMeasure, WidthLeavesOutTheTrailingGap) {
  TBitmapFont font = TwoGlyphFont();
  font.CharGap = 2;
  EXPECT_DOUBLE_EQ(font.StringWidth(u"AB"), 24.0);
  font.ScaleFactor = 0.5;
  EXPECT_DOUBLE_EQ(font.StringWidth(u"AB"), 12.0);
  EXPECT_DOUBLE_EQ(font.StringWidth(u""), 0.0);
  // A character without a glyph measures nothing but still takes its gap.
  font.ScaleFactor = 1.0;
  EXPECT_DOUBLE_EQ(font.StringWidth(u"A\u4E00B"), 26.0);
}

TEST(BitmapFontMeasure, LineHeightRules) {
  TBitmapFont font = TwoGlyphFont();
  for (char c : {'C', 'X', 'Y', 'Z'}) font.height[static_cast<size_t>(c)] = 20;
  EXPECT_DOUBLE_EQ(font.StringHeight(font.TestString), 24.0);  // 1.2 x h by default
  TBitmapFont::UseBuggedStringHeight = 0;
  EXPECT_DOUBLE_EQ(font.StringHeight(font.TestString), 20.0);
  TBitmapFont::UseBuggedStringHeight = 1;
  // Fewer than two glyphs cannot use the k - 1 divisor.
  EXPECT_DOUBLE_EQ(font.StringHeight(u"A"), 20.0);
  EXPECT_DOUBLE_EQ(font.StringHeight(u" "), 0.0);
  font.DrawOffsetY = 2;
  font.yOffset['B'] = 5;
  TBitmapFont::UseStringHeightAccurate = 1;
  EXPECT_DOUBLE_EQ(font.StringHeight(u"AB"), 27.0);
  TBitmapFont::UseStringHeightAccurate = 0;
}

TEST(BitmapFontMeasure, ExtraCharactersAreFoundBySearch) {
  TBitmapFont font = TwoGlyphFont();
  font.ID[256] = 0x20AC;
  font.xAdvance[256] = 15;
  font.NumExtraChars = 1;
  EXPECT_EQ(font.FindChar(u"\u20AC"), 256);
  EXPECT_EQ(font.FindChar(u"\u20AD"), 0);
  EXPECT_EQ(font.FindChar(u""), 0);
  EXPECT_DOUBLE_EQ(font.StringWidth(u"A\u20AC"), 25.0);
  // A count beyond the table is not trusted.
  font.NumExtraChars = 30000;
  EXPECT_EQ(font.FindChar(u"\u20AD"), 0);
}
