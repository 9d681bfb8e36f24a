#include <gtest/gtest.h>

#include "TextTestSupport.h"
#include "platform/Font.h"
#include "text/WordWrap.h"

using texttest::MetricBitmapFont;

TEST(SplitStringIntoLines, BreaksAndEmptyLines) {
  EXPECT_TRUE(ccSplitStringIntoLines(u"").empty());
  EXPECT_EQ(ccSplitStringIntoLines(u"abc"), (StringArray{u"abc"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"abc\n"), (StringArray{u"abc"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"a\n\nb"), (StringArray{u"a", u"", u"b"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"a\n\n"), (StringArray{u"a", u""}));
  EXPECT_EQ(ccSplitStringIntoLines(u"\n"), (StringArray{u""}));
}

TEST(SplitStringIntoLines, CarriageReturns) {
  EXPECT_EQ(ccSplitStringIntoLines(u"a\r\nb"), (StringArray{u"a", u"b"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"\r\nabc"), (StringArray{u"", u"abc"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"a\rb"), (StringArray{u"a\rb"}));
  EXPECT_EQ(ccSplitStringIntoLines(u"a\r\r\nb"), (StringArray{u"a\r", u"b"}));
  // A CR at the very end stays: only one directly before an LF goes.
  EXPECT_EQ(ccSplitStringIntoLines(u"a\r"), (StringArray{u"a\r"}));
}

// Words of 3 characters, 10 px each: "aaa" 30 px, "aaa bbb" 70 px.
class WordWrapBitmap : public ::testing::Test {
 protected:
  std::shared_ptr<TBitmapFont> font = MetricBitmapFont(10, 20);
  StringArray Wrap(const StringArray& in, int max, float scale = 1.0f) {
    return ccWordWrapArray(in, max, font, scale);
  }
};

TEST_F(WordWrapBitmap, FillsUpToTheMaximumInclusive) {
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 70), (StringArray{u"aaa bbb", u"ccc"}));
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 69), (StringArray{u"aaa", u"bbb", u"ccc"}));
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 110), (StringArray{u"aaa bbb ccc"}));
}

TEST_F(WordWrapBitmap, MaximumIsOnScreenAtTheScale) {
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 140, 2.0f), (StringArray{u"aaa bbb", u"ccc"}));
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 139, 2.0f), (StringArray{u"aaa", u"bbb", u"ccc"}));
  EXPECT_EQ(Wrap({u"aaa bbb ccc"}, 35, 0.5f), (StringArray{u"aaa bbb", u"ccc"}));
}

TEST_F(WordWrapBitmap, EmptyLinesStayInPlace) {
  EXPECT_EQ(Wrap({u"x", u"", u"y"}, 100), (StringArray{u"x", u"", u"y"}));
  EXPECT_EQ(Wrap({u""}, 100), (StringArray{u""}));
  EXPECT_TRUE(Wrap({}, 100).empty());
}

TEST_F(WordWrapBitmap, SpacesAreHalvedAndTrailingOnesVanish) {
  EXPECT_EQ(Wrap({u"one  two"}, 1000), (StringArray{u"one two"}));
  EXPECT_EQ(Wrap({u"one   "}, 1000), (StringArray{u"one"}));
  EXPECT_EQ(Wrap({u"one "}, 1000), (StringArray{u"one"}));
  EXPECT_EQ(Wrap({u" "}, 1000), (StringArray{u""}));
  EXPECT_EQ(Wrap({u"  "}, 1000), (StringArray{u""}));
  // One or two leading spaces leave one.
  EXPECT_EQ(Wrap({u"  one two"}, 1000), (StringArray{u" one two"}));
  EXPECT_EQ(Wrap({u" one"}, 1000), (StringArray{u" one"}));
  // When even " one" is too wide, an empty line comes first.
  EXPECT_EQ(Wrap({u" one"}, 35), (StringArray{u"", u"one"}));
}

TEST_F(WordWrapBitmap, LongSpaceRunsKeepTheWordsAfterThem) {
  EXPECT_EQ(Wrap({u"one   two"}, 1000), (StringArray{u"one two"}));
  EXPECT_EQ(Wrap({u"a     b  c"}, 1000), (StringArray{u"a b c"}));
  EXPECT_EQ(Wrap({u"aaa      bbb ccc"}, 70), (StringArray{u"aaa bbb", u"ccc"}));
  EXPECT_EQ(Wrap({u"   one"}, 1000), (StringArray{u" one"}));
}

TEST_F(WordWrapBitmap, WideWordStandsAlone) {
  const String wide(50, u'w');  // 500 px
  EXPECT_EQ(Wrap({wide}, 100), (StringArray{wide}));
  EXPECT_EQ(Wrap({u"aa " + wide + u" bb"}, 100), (StringArray{u"aa", wide, u"bb"}));
}

TEST_F(WordWrapBitmap, NonPositiveMaximumGivesOneWordPerLine) {
  EXPECT_EQ(Wrap({u"a b c"}, 0), (StringArray{u"a", u"b", u"c"}));
  EXPECT_EQ(Wrap({u"a b c"}, -5), (StringArray{u"a", u"b", u"c"}));
}

TEST_F(WordWrapBitmap, InputIsNotChanged) {
  const StringArray in = {u"aaa  bbb ccc"};
  Wrap(in, 10);
  EXPECT_EQ(in, (StringArray{u"aaa  bbb ccc"}));
}

TEST_F(WordWrapBitmap, SpecialSwitchesWidthAfterTheGivenLine) {
  // First width fits one word, second width three.
  const StringArray in = {u"a1 a2 a3 a4 a5 a6 a7"};
  EXPECT_EQ(ccWordWrapArraySpecial(in, 20, 80, 3, font, 1.0f),
            (StringArray{u"a1", u"a2", u"a3 a4 a5", u"a6 a7"}));
  EXPECT_EQ(ccWordWrapArraySpecial(in, 20, 80, 1, font, 1.0f),
            (StringArray{u"a1", u"a2", u"a3", u"a4", u"a5", u"a6", u"a7"}));
  EXPECT_EQ(ccWordWrapArraySpecial(in, 20, 80, 0, font, 1.0f), ccWordWrapArray(in, 20, font, 1.0f));
  // Empty input lines count as output lines for the switch.
  EXPECT_EQ(ccWordWrapArraySpecial({u"", u"a1 a2 a3"}, 20, 80, 2, font, 1.0f),
            (StringArray{u"", u"a1 a2 a3"}));
}

// The same rules measured with the current image font.
TEST(WordWrapImageFont, MeasuresWithTheCurrentFont) {
  texttest::ResetDrawingState();
  platform::SetImageFont(platform::CreateFixedFont(10, 20));
  EXPECT_EQ(ccWordWrapArray({u"aaa bbb ccc"}, 70, nullptr, 1.0f), (StringArray{u"aaa bbb", u"ccc"}));
  EXPECT_EQ(ccWordWrapArray({u"aaa bbb ccc"}, 139, nullptr, 2.0f),
            (StringArray{u"aaa", u"bbb", u"ccc"}));
  platform::SetImageFont(platform::CreateFixedFont(5, 20));
  EXPECT_EQ(ccWordWrapArray({u"aaa bbb ccc"}, 70, nullptr, 1.0f), (StringArray{u"aaa bbb ccc"}));
  platform::SetImageFont(nullptr);
}
