#include <gtest/gtest.h>

#include "platform/String.h"

using platform::FromLatin1;
using platform::FromUtf8;
using platform::ToLatin1;
using platform::ToUtf8;

TEST(StringConversion, Utf8RoundTripsAcrossPlanes) {
  const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x88";  // A é € 🎈
  const String s = FromUtf8(text);
  ASSERT_EQ(s.size(), 5u);  // the balloon is a surrogate pair
  EXPECT_EQ(s[1], u'\u00E9');
  EXPECT_EQ(s[2], u'\u20AC');
  EXPECT_EQ(ToUtf8(s), text);
}

TEST(StringConversion, BrokenUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");             // truncated sequence
  EXPECT_EQ(FromUtf8("\xFF" "b"), u"\uFFFDb");          // invalid lead byte
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate: one bad sequence
  EXPECT_EQ(ToUtf8(String(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(StringConversion, EachMalformedSequenceIsOneReplacementCharacter) {
  const struct {
    const char* bytes;
    std::u16string expected;
  } cases[] = {
      // Overlong forms never decode to what they spell, so no "/" or NUL hides in a name.
      {"a\xC0\xAF" "b", u"a\uFFFDb"},
      {"\xE0\x80\xAF", u"\uFFFD"},
      {"\xC0\x80", u"\uFFFD"},
      {"\xC1\xBF", u"\uFFFD"},
      {"\xF0\x8F\xBF\xBF", u"\uFFFD"},
      // Surrogates and values above U+10FFFF.
      {"\xED\xBF\xBF" "x", u"\uFFFDx"},
      {"\xF4\x90\x80\x80", u"\uFFFD"},
      {"\xF7\xBF\xBF\xBF", u"\uFFFD"},
      // Cut short by a byte that cannot continue: that byte starts afresh.
      {"\xE2\x82" "A", u"\uFFFDA"},
      {"\xE2" "A", u"\uFFFDA"},
      {"\x80\xBF", u"\uFFFD\uFFFD"},
      {"\xF8\x88\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      // The smallest and largest valid 2-, 3- and 4-byte forms are unchanged.
      {"\xC2\x80\xDF\xBF", u"\u0080\u07FF"},
      {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", u"\u0800\uD7FF\uE000\uFFFF"},
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
  };
  for (const auto& c : cases) {
    const String decoded = FromUtf8(c.bytes);
    EXPECT_EQ(decoded, c.expected) << c.bytes;
    EXPECT_EQ(decoded.find(u'/'), String::npos);
    EXPECT_EQ(decoded.find(u'\0'), String::npos);
    if (c.expected.find(u'\uFFFD') == String::npos) {
      EXPECT_EQ(ToUtf8(decoded), c.bytes);
    }
  }
}

TEST(StringConversion, Latin1IsOneBytePerCharacter) {
  const std::string bytes("\xE9t\xE9\0x", 5);
  const String s = FromLatin1(bytes);
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0], 0xE9);
  EXPECT_EQ(s[3], 0);
  EXPECT_EQ(ToLatin1(s), bytes);
  EXPECT_EQ(ToLatin1(u"\u20AC"), "?");
}
