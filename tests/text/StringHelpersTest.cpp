#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/StringHelpers.h"

TEST(StringCutting, FirstAndLastToSubUseTheFirstSeparator) {
  EXPECT_EQ(ccFirstStringToSub(u"10,20,30", u","), u"10");
  EXPECT_EQ(ccLastStringToSub(u"10,20,30", u","), u"20,30");
  EXPECT_EQ(ccLastStringToSub(u"NAME=a=b", u"="), u"a=b");
  EXPECT_EQ(ccLastStringToSub(u"a=b=c", u"="), u"b=c");
  EXPECT_EQ(ccFirstStringToSub(u"no separator", u","), u"no separator");
  EXPECT_EQ(ccLastStringToSub(u"no separator", u","), u"");
  EXPECT_EQ(ccLastStringToSub(u"KEY=", u"="), u"");
  EXPECT_EQ(ccFirstStringToSub(u"=value", u"="), u"");
  EXPECT_EQ(ccFirstStringToSub(u"abc", u""), u"");
  // A longer separator is skipped whole by the last-part helper.
  EXPECT_EQ(ccLastStringToSub(u"a::b::c", u"::"), u"b::c");
  EXPECT_EQ(ccFirstStringToSub(u"a::b", u"::"), u"a");
  // Case-sensitive.
  EXPECT_EQ(ccFirstStringToSub(u"aXbxc", u"x"), u"aXb");
}

TEST(StringCutting, FirstStringSplitsAtComma) {
  EXPECT_EQ(ccFirstString(u"5,6"), u"5");
  EXPECT_EQ(ccFirstString(u"56"), u"56");
  EXPECT_EQ(ccFirstString(u",6"), u"");
  EXPECT_EQ(ccFirstString(u""), u"");
}

TEST(StringCutting, ChopHandsOutFieldsOneByOne) {
  String s = u"a,b,c";
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"a");
  EXPECT_EQ(s, u"b,c");
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"b");
  EXPECT_EQ(s, u"c");
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"c");
  EXPECT_EQ(s, u"");
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"");
  EXPECT_EQ(s, u"");
}

TEST(StringCutting, ChopWithLongSeparatorKeepsItsTail) {
  String s = u"ab::cd";
  EXPECT_EQ(ccFirstStringToSubChop(s, u"::"), u"ab");
  EXPECT_EQ(s, u":cd");
}

TEST(StringCutting, ChopWithEmptySeparatorEndsALoop) {
  String s = u"abc";
  EXPECT_EQ(ccFirstStringToSubChop(s, u""), u"abc");
  EXPECT_EQ(s, u"");
}

TEST(StringCutting, ChopEmptyFields) {
  String s = u",,x";
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"");
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"");
  EXPECT_EQ(ccFirstStringToSubChop(s, u","), u"x");
  EXPECT_EQ(s, u"");
}

TEST(StringCutting, MidClipsToTheString) {
  EXPECT_EQ(ccMid(u"hello", 2, -1), u"");
  EXPECT_EQ(ccMid(u"hello", 2, 100), u"ello");
  EXPECT_EQ(ccMid(u"hello", 9, 2), u"");
  EXPECT_EQ(ccMid(u"hello", 6, 1), u"");
  EXPECT_EQ(ccMid(u"hello", 5, 1), u"o");
  EXPECT_EQ(ccMid(u"hello", 1, 0), u"");
  EXPECT_EQ(ccMid(u"hello", 2, 3), u"ell");
  // A start before the first character uses up the count.
  EXPECT_EQ(ccMid(u"hello", 0, 2), u"h");
  EXPECT_EQ(ccMid(u"hello", -1, 2), u"");
  EXPECT_EQ(ccMid(u"hello", -2, 5), u"he");
  // Extreme arguments neither overflow nor read outside the string.
  EXPECT_EQ(ccMid(u"hello", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()), u"");
  EXPECT_EQ(ccMid(u"hello", 3, std::numeric_limits<int>::max()), u"llo");
  EXPECT_EQ(ccMid(u"hello", std::numeric_limits<int>::max(), 1), u"");
  EXPECT_EQ(ccMid(u"", 1, 1), u"");
}

TEST(StringPaths, AddSlash) {
  EXPECT_EQ(ccAddSlash(u"data"), u"data/");
  EXPECT_EQ(ccAddSlash(u"data/"), u"data/");
  EXPECT_EQ(ccAddSlash(u"data\\"), u"data\\");
  EXPECT_EQ(ccAddSlash(u"x\\"), u"x\\");
  EXPECT_EQ(ccAddSlash(u""), u"/");
}

TEST(StringPaths, QuotesAndSlashConversion) {
  EXPECT_EQ(ccAddQuotes(u"a b"), u"\"a b\"");
  EXPECT_EQ(ccAddQuotes(u""), u"\"\"");
  EXPECT_EQ(ccConvertToForwardSlash(u"a\\b\\\\c/d"), u"a/b//c/d");
  EXPECT_EQ(ccConvertToBackSlash(u"a/b\\c"), u"a\\b\\c");
}

TEST(StringPadding, Zeros) {
  EXPECT_EQ(ccPadWithZeros(u"7", 2), u"07");
  EXPECT_EQ(ccPadWithZeros(u"1234", 6), u"001234");
  EXPECT_EQ(ccPadWithZeros(u"123456", 6), u"123456");
  EXPECT_EQ(ccPadWithZeros(u"1234567", 6), u"1234567");
  EXPECT_EQ(ccPadWithZeros(u"", 2), u"00");
  EXPECT_EQ(ccPadWithZeros(u"-5", 3), u"0-5");  // a sign is just a character
  EXPECT_EQ(ccPadWithZeros(u"5", -3), u"5");
}

TEST(StringPadding, CharLeftAndRightFields) {
  EXPECT_EQ(ccPadWithChar(u"ab", 5, u"."), u"ab...");
  EXPECT_EQ(ccPadRightWithChar(u"ab", 5, u" "), u"   ab");
  // A pad of several characters is added whole and may pass the width.
  EXPECT_EQ(ccPadWithChar(u"abcd", 5, u"xy"), u"abcdxy");
  EXPECT_EQ(ccPadRightWithChar(u"abc", 6, u"xy"), u"xyxyabc");
  EXPECT_EQ(ccPadWithChar(u"abcdef", 5, u"."), u"abcdef");
  // An empty pad cannot fill anything and must not hang.
  EXPECT_EQ(ccPadWithChar(u"ab", 5, u""), u"ab");
  EXPECT_EQ(ccPadRightWithChar(u"ab", 5, u""), u"ab");
}

TEST(StringNumbers, IntWithSign) {
  EXPECT_EQ(ccIntToStringWithSign(0), u"0");
  EXPECT_EQ(ccIntToStringWithSign(5), u"+5");
  EXPECT_EQ(ccIntToStringWithSign(-5), u"-5");
  EXPECT_EQ(ccIntToStringWithSign(std::numeric_limits<int>::min()), u"-2147483648");
}

TEST(StringNumbers, RoundFloatToString) {
  EXPECT_EQ(ccRoundFloatToString(3.14159f, 2), u"3.14");
  EXPECT_EQ(ccRoundFloatToString(2.5f, 0), u"3");
  EXPECT_EQ(ccRoundFloatToString(0.05f, 2), u"0.05");
  EXPECT_EQ(ccRoundFloatToString(12.0f, 1), u"12.0");
  EXPECT_EQ(ccRoundFloatToString(0.0f, 3), u"0.000");
  EXPECT_EQ(ccRoundFloatToString(0.999f, 2), u"1.00");
  EXPECT_EQ(ccRoundFloatToString(-1.5f, 1), u"-1.5");
  // Halves go up, towards positive infinity.
  EXPECT_EQ(ccRoundFloatToString(-2.5f, 0), u"-2");
  EXPECT_EQ(ccRoundFloatToString(-0.25f, 1), u"-0.2");
  // Below one unit the sign stays in front of the leading zeros.
  EXPECT_EQ(ccRoundFloatToString(-0.05f, 2), u"-0.05");
  EXPECT_EQ(ccRoundFloatToString(-0.5f, 1), u"-0.5");
  EXPECT_EQ(ccRoundFloatToString(-0.04f, 1), u"0.0");
}

TEST(StringNumbers, RoundFloatToStringSurvivesHostileValues) {
  EXPECT_EQ(ccRoundFloatToString(std::nanf(""), 2), u"0.00");
  EXPECT_FALSE(ccRoundFloatToString(std::numeric_limits<float>::infinity(), 2).empty());
  EXPECT_FALSE(ccRoundFloatToString(-3e38f, 2).empty());
  EXPECT_EQ(ccRoundFloatToString(1.5f, -2), u"2");
}

TEST(StringNumbers, MillisecsToMinutes) {
  int m = 99, s = 99;
  EXPECT_EQ(ccMillisecsToMinutes(125400.0f, m, s), 0);
  EXPECT_EQ(m, 2);
  EXPECT_EQ(s, 5);
  ccMillisecsToMinutes(59999.0f, m, s);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(s, 59);
  ccMillisecsToMinutes(-61000.0f, m, s);
  EXPECT_EQ(m, -1);
  EXPECT_EQ(s, -1);
  ccMillisecsToMinutes(0.0f, m, s);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(s, 0);
  ccMillisecsToMinutes(60000.0f, m, s);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(s, 0);
  ccMillisecsToMinutes(3600000.0f, m, s);
  EXPECT_EQ(m, 60);
  EXPECT_EQ(s, 0);
  ccMillisecsToMinutes(std::nanf(""), m, s);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(s, 0);
}

TEST(StringNumbers, TimeTo12Hour) {
  EXPECT_EQ(ccTimeTo12Hour(u"13:45:10"), u"1:45:10pm");
  EXPECT_EQ(ccTimeTo12Hour(u"00:05:00"), u"12:05:00am");
  EXPECT_EQ(ccTimeTo12Hour(u"12:00:00"), u"12:00:00pm");
  EXPECT_EQ(ccTimeTo12Hour(u"09:30:00"), u"9:30:00am");
  EXPECT_EQ(ccTimeTo12Hour(u"23:59:59"), u"11:59:59pm");
  EXPECT_EQ(ccTimeTo12Hour(u"11:59:59"), u"11:59:59am");
  // Digits that do not parse read as hour 0; short texts do not read past their end.
  EXPECT_EQ(ccTimeTo12Hour(u"xx:10"), u"12:10am");
  EXPECT_EQ(ccTimeTo12Hour(u"7"), u"7am");
  EXPECT_EQ(ccTimeTo12Hour(u""), u"12am");
}

TEST(StringArrays, CopyKeepsIndexes) {
  const StringArray src = {u"a", u"b", u"c", u"d"};
  StringArray dst = {u"old"};
  EXPECT_EQ(ccCopyStringArray(src, dst, 1), 0);
  EXPECT_EQ(dst, (StringArray{u"", u"b", u"c", u"d"}));
  ccCopyStringArray(src, dst, 0, 1);
  EXPECT_EQ(dst, (StringArray{u"a", u"b"}));
  ccCopyStringArray(src, dst, 2, 2);
  EXPECT_EQ(dst, (StringArray{u"", u"", u"c"}));
  ccCopyStringArray(src, dst, 3, 2);
  EXPECT_TRUE(dst.empty());
  ccCopyStringArray(StringArray{}, dst, 0);
  EXPECT_TRUE(dst.empty());
  // Indexes past the source are clipped rather than read.
  ccCopyStringArray(src, dst, 2, 50);
  EXPECT_EQ(dst, (StringArray{u"", u"", u"c", u"d"}));
  ccCopyStringArray(src, dst, -3, 0);
  EXPECT_EQ(dst, (StringArray{u"a"}));
}

TEST(StringArrays, RemoveSlots) {
  const StringArray src = {u"a", u"b", u"c", u"d", u"e"};
  EXPECT_EQ(ccRemoveStringArraySlots(src, 1, 2), (StringArray{u"a", u"d", u"e"}));
  EXPECT_TRUE(ccRemoveStringArraySlots(src, 0, 4).empty());
  EXPECT_EQ(ccRemoveStringArraySlots(src, 4, 4), (StringArray{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(src.size(), 5u);  // the argument is untouched
  EXPECT_EQ(ccRemoveStringArraySlots(src, 3, 2), src);  // nothing to remove
  EXPECT_EQ(ccRemoveStringArraySlots(src, 3, 99), (StringArray{u"a", u"b", u"c"}));
  EXPECT_EQ(ccRemoveStringArraySlots(src, 7, 9), src);
}
