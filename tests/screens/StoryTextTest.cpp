// The story text: cutting one level's passage out of the story file, the page layout, and the
// shipped story itself against the rules the cutting relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Font.h"
#include "screens/StoryText.h"
#include "support/TestRig.h"
#include "text/GameFonts.h"

namespace {

// A well-formed story of `chapters` chapters whose level texts name their place.
String MakeStory(int chapters, const char* eol = "\r\n") {
  std::string s;
  for (int c = 1; c <= chapters; ++c) {
    s += "Chapter" + std::to_string(c) + eol + "Heading " + std::to_string(c) + eol;
    for (int l = 1; l <= 5; ++l) {
      s += std::to_string(l) + ")" + eol;
      s += "Text of " + std::to_string(c) + "-" + std::to_string(l) + "." + eol;
      s += std::string(eol) + "Second paragraph." + eol;
    }
  }
  return S(s);
}

StringArray Place(int c, int l) {
  return {S("Text of " + std::to_string(c) + "-" + std::to_string(l) + "."), u"", u"Second paragraph."};
}

struct Cut {
  const char* what;
  std::string file;
  int chapter;
  int level;
  StringArray lines;
};

}  // namespace

TEST(StoryLevelLines, CutsTheRightPassage) {
  const std::string ten = platform::ToUtf8(MakeStory(10));
  const std::string one =
      "Chapter1\r\nH\r\n1)\r\nA\r\n2)\r\nB has 3) inside\r\n3)\r\nC\r\n4)\r\n5)\r\nE\r\n\r\n";
  std::string noFirst = ten;
  noFirst.erase(0, noFirst.find("Chapter2"));
  std::string noFour = ten;
  noFour.erase(noFour.find("Chapter4"), 8);
  std::string noThreeInFour = ten;
  noThreeInFour.erase(noThreeInFour.find("3)", noThreeInFour.find("Chapter4")), 4);
  const std::vector<Cut> cuts = {
      {"chapter 1, found before chapter 10", ten, 1, 1, Place(1, 1)},
      {"chapter 10, not taken for chapter 1", ten, 10, 3, Place(10, 3)},
      {"last level of a chapter stops at the next", ten, 3, 5, Place(3, 5)},
      {"last level of the file runs to its end", ten, 10, 5, Place(10, 5)},
      {"a final blank line stays", one, 1, 5, {u"E", u""}},
      {"a marker inside the text cuts it there", one, 1, 2, {u"B has "}},
      {"the next marker straight after the marker line", one, 1, 4, {}},
      {"text in the heading is never shown", one, 1, 1, {u"A"}},
      {"no chapter 1: nothing, not chapter 10", noFirst, 1, 1, {}},
      {"a missing chapter gives nothing", noFour, 4, 2, {}},
      {"a missing level marker gives nothing", noThreeInFour, 4, 3, {}},
      {"the level before it runs to the chapter's end, not beyond", noThreeInFour, 4, 2,
       {u"Text of 4-2.", u"", u"Second paragraph.", u"Text of 4-3.", u"", u"Second paragraph.",
        u"4)", u"Text of 4-4.", u"", u"Second paragraph.", u"5)", u"Text of 4-5.", u"",
        u"Second paragraph."}},
      {"a chapter past the file's end", ten, 11, 1, {}},
      {"empty file", "", 1, 1, {}},
      {"marker at the very end", "Chapter1\r\n1)", 1, 1, {}},
      {"next marker right after the level marker", "Chapter1\r\n1)2)\r\nB\r\n", 1, 1, {}},
  };
  for (const Cut& cut : cuts) {
    EXPECT_EQ(StoryLevelLines(S(cut.file), cut.chapter, cut.level), cut.lines) << cut.what;
  }
}

// Line ends as they stand: a story saved with LF alone reads exactly like its CR LF twin.
TEST(StoryLevelLines, LineFeedOnlyFileReadsLikeItsTwin) {
  std::vector<std::pair<String, String>> twins = {{MakeStory(10), MakeStory(10, "\n")}};
  if (testrig::HaveResources()) {
    const String shipped = platform::LoadText(S(testrig::ResourcesDir()) + kStoryFile);
    String lf;
    for (char16_t c : shipped) {
      if (c != u'\r') lf.push_back(c);
    }
    twins.emplace_back(shipped, lf);
  }
  for (const auto& [crlf, lf] : twins) {
    for (int c = 1; c <= 10; ++c) {
      for (int l = 1; l <= 5; ++l) {
        const StringArray a = StoryLevelLines(crlf, c, l);
        EXPECT_FALSE(a.empty()) << c << "-" << l;
        EXPECT_EQ(a, StoryLevelLines(lf, c, l)) << c << "-" << l;
      }
    }
  }
}

// 10 px a character: a display line holds at most 34 characters.
TEST(StoryLayout, WrapsDropsBlankPageTopsAndCountsPages) {
  const platform::ImageFontPtr font = platform::CreateFixedFont(10, 20);
  const String word34(34, u'w');
  auto lines = [](int n, int blankAt) {
    StringArray a;
    for (int i = 0; i < n; ++i) a.push_back(i == blankAt ? String() : u"line");
    return a;
  };
  struct Case {
    const char* what;
    StringArray source;
    int basePages;
    int totalLines;
    int totalPages;
  };
  const std::vector<Case> cases = {
      {"nothing: one page fewer than the base", {}, 2, 0, 1},
      {"nothing, no picture page", {}, 1, 0, 0},
      {"nine lines after a picture", lines(9, -1), 2, 9, 2},
      {"fourteen lines at a later level", lines(14, -1), 1, 14, 2},
      {"a blank fourteenth line goes", lines(14, 13), 1, 13, 1},
      {"a blank line inside the page stays", lines(14, 12), 1, 14, 2},
      {"then a blank line opening page three goes too", [&] {
         StringArray a = lines(28, 13);
         a[26] = u"";
         a[27] = u"";
         return a;
       }(), 1, 26, 2},
      {"page three only once page two lost its top", [&] {
         StringArray a = lines(28, -1);
         a[26] = u"";
         return a;
       }(), 1, 28, 3},
  };
  for (const Case& c : cases) {
    const StoryPages pages = StoryLayout(c.source, c.basePages, font);
    EXPECT_EQ(pages.TotalLines, c.totalLines) << c.what;
    EXPECT_EQ(static_cast<int>(pages.Text.size()), c.totalLines) << c.what;
    EXPECT_EQ(pages.TotalPages, c.totalPages) << c.what;
  }

  const StoryPages wrapped = StoryLayout(
      {word34 + u" a", String(35, u'x') + u" b c", u"one   two three", u""}, 1, font);
  EXPECT_EQ(wrapped.Text, (StringArray{word34, u"a", String(35, u'x'), u"b c", u"one two three", u""}));
  for (const String& line : wrapped.Text) {
    if (line.find(u' ') != String::npos) {
      EXPECT_LE(platform::TextWidth(line), STORY_PAGE_WIDTH);
    }
  }
}

class ShippedStory : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    bytes = testrig::ReadFileBytes(testrig::ResourcesDir() + platform::ToUtf8(kStoryFile));
    file = platform::FromLatin1(bytes);
    LoadGameFonts(S(testrig::ResourcesDir()) + u"Data/fonts/", 0);
  }
  std::string bytes;
  String file;
};

// The rules the cutting relies on: markers alone on their lines, no marker-like text, CR LF.
TEST_F(ShippedStory, KeepsTheFileRules) {
  ASSERT_FALSE(bytes.empty());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    ASSERT_TRUE((c >= 32 && c <= 126) || c == '\r' || c == '\n') << "byte " << i;
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF without CR at " << i;
    }
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR alone at " << i;
    }
  }
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  EXPECT_FALSE(bytes.ends_with("\r\n\r\n"));
  EXPECT_EQ(bytes.find("   "), std::string::npos);

  std::vector<std::string> lines;
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = bytes.find("\r\n", at);
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  int chapter = 0;
  int level = 5;
  int chapterWords = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    EXPECT_FALSE(line.starts_with(" ")) << "line " << i + 1;
    for (size_t p = line.find("Chapter"); p != std::string::npos; p = line.find("Chapter", p + 1)) {
      ++chapterWords;
    }
    if (line.starts_with("Chapter")) {
      EXPECT_EQ(level, 5) << "chapter " << chapter << " ends early";
      EXPECT_EQ(line, "Chapter" + std::to_string(++chapter));
      level = 0;
      continue;
    }
    for (size_t p = line.find(')'); p != std::string::npos; p = line.find(')', p + 1)) {
      if (p > 0 && std::isdigit(static_cast<unsigned char>(line[p - 1]))) {
        EXPECT_EQ(line, std::to_string(level + 1) + ")") << "line " << i + 1;
        ++level;
      }
    }
  }
  EXPECT_EQ(chapter, 10);
  EXPECT_EQ(level, 5);
  EXPECT_EQ(chapterWords, 10);
}

// Every page fits with a line to spare: the whole level on one text page, every line inside
// the page's width.
TEST_F(ShippedStory, EveryLevelFitsOnePage) {
  for (int c = 1; c <= 10; ++c) {
    for (int l = 1; l <= 5; ++l) {
      const StoryPages pages = StoryLayout(StoryLevelLines(file, c, l), l == 1 ? 2 : 1, MainFontSmall);
      SCOPED_TRACE(std::to_string(c) + "-" + std::to_string(l));
      ASSERT_FALSE(pages.Text.empty());
      EXPECT_FALSE(pages.Text.front().empty());
      EXPECT_FALSE(pages.Text.back().empty());
      EXPECT_LT(pages.TotalLines, STORY_LINES_PER_PAGE);
      EXPECT_EQ(pages.TotalPages, l == 1 ? 2 : 1);
      for (const String& line : pages.Text) {
        EXPECT_LE(platform::TextWidth(line), STORY_PAGE_WIDTH) << platform::ToUtf8(line);
      }
    }
  }
  // The first and last letters of the file's text survive the cut.
  const StoryPages first = StoryLayout(StoryLevelLines(file, 1, 1), 2, MainFontSmall);
  EXPECT_TRUE(first.Text.front().starts_with(u"Dusk came to the")) << platform::ToUtf8(first.Text.front());
  const StoryPages last = StoryLayout(StoryLevelLines(file, 10, 5), 1, MainFontSmall);
  EXPECT_EQ(last.Text.back(), u"The Vale was shining again.");

  const StoryPages intro = StoryLayout(StoryIntroLines(), 2, MainFontSmall);
  EXPECT_EQ(StoryIntroLines().size(), 5u);
  EXPECT_LE(intro.TotalLines, STORY_LINES_PER_PAGE);
  EXPECT_EQ(intro.TotalPages, 2);
  EXPECT_NE(StoryIntroLines()[0].find(u"Marigold"), String::npos);
  EXPECT_NE(StoryIntroLines()[4].find(u"Marigold"), String::npos);
  EXPECT_TRUE(StoryIntroLines()[1].empty() && StoryIntroLines()[3].empty());
}
