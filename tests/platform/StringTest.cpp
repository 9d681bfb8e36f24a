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
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(ToUtf8(String(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
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
