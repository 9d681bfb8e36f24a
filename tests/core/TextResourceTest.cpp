#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/TGameText.h"
#include "core/TextSections.h"
#include "platform/Stream.h"

namespace {

using coretest::CoreTest;

const char* const kExample = "[TEXT]\nGreeting\nHello\n\nthere\n[text]\nBye\nSo long\n";

// The example in each encoding the loader knows.
std::vector<std::string> EncodedExamples() {
  const std::string utf8 = std::string(kExample) + "caf\xC3\xA9\n";
  const std::string latin1 = std::string(kExample) + "caf\xE9\n";
  const String text = S(utf8);
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  return {latin1, "\xEF\xBB\xBF" + utf8, le, be};
}

class TextResourceTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    textDir = testrig::MakeTempDir("text");
    Game->TextPath = S(textDir) + u"/";
  }
  std::string textDir;
};

TEST_F(TextResourceTest, EveryEncodingReadsTheSameBlocks) {
  int n = 0;
  for (const std::string& bytes : EncodedExamples()) {
    SCOPED_TRACE(n);
    const std::string name = "t" + std::to_string(n++) + ".txt";
    testrig::WriteFileBytes(textDir + "/" + name, bytes);
    auto text = TGameText::Create(S(name));
    ASSERT_EQ(text->size(), 2u);
    EXPECT_EQ(text->Find(u"greeting"), (StringArray{u"Hello", u"", u"there"}));
    EXPECT_EQ(text->Find(u"BYE"), (StringArray{u"So long", u"caf\u00E9"}));
    EXPECT_EQ(text->FindString(u"greeting"), u"Hello\r\n\r\nthere");
    EXPECT_TRUE(text->Find(u"nothing").empty());
    EXPECT_EQ(text->FindString(u"nothing"), u"");
  }
}

TEST_F(TextResourceTest, BlockRules) {
  TGameText text;
  // An empty key line is a key; a later block replaces an earlier one with the same key;
  // a header with no key line before another header (or the end) is passed over.
  text.ReadLines({u"[TEXT]", u"", u"a", u"[TEXT]", u"[Text]", u"k", u"old", u"[TEXT]", u"K",
                  u"new", u"[TEXT]"});
  EXPECT_EQ(text.Find(u""), StringArray{u"a"});
  EXPECT_EQ(text.Find(u"k"), StringArray{u"new"});
  EXPECT_EQ(text.size(), 2u);

  for (const StringArray& bad : {StringArray{u" [TEXT]", u"K"}, StringArray{u"K", u"[TEXT]"},
                                 StringArray{u"[TEXT]", u"K", u"x", u"[TEXTS]", u"L"}}) {
    EXPECT_EQ(testrig::FatalNotice([&] { TGameText().ReadLines(bad); }), u"[TEXT] header hot found");
  }
  const String missing = Game->TextPath + u"absent.txt";
  EXPECT_EQ(testrig::FatalNotice([&] { TGameText::Create(u"absent.txt"); }),
            u"Error loading file " + missing);
}

TEST_F(TextResourceTest, SectionFunctionsOnArraysAndFiles) {
  const StringArray lines{u"[A]", u"one", u"two", u"[B]", u"three"};
  int i = 1;
  EXPECT_EQ(ccLoadSectionArrayFromArray(lines, i), (StringArray{u"one", u"two"}));
  EXPECT_EQ(i, 3);
  i = 4;
  EXPECT_EQ(ccLoadSectionArrayFromArray(lines, i), StringArray{u"three"});
  EXPECT_EQ(i, 5);
  i = 4;
  EXPECT_EQ(ccLoadSectionStringFromArray(lines, i), u"three");
  EXPECT_EQ(ccLoadSectionStringFromArray(lines, i), u"");
  EXPECT_EQ(i, 6);
  EXPECT_EQ(testrig::FatalNotice([] { ccTestSectionHeader(u"LEVEL", u"[level]"); }), u"");
  EXPECT_EQ(testrig::FatalNotice([] { ccTestSectionHeader(u"LEVEL", u"[LEVELS]"); }),
            u"[LEVEL] header hot found");

  // From a file: the header that ends a section is left in the line variable; at the end of
  // the file the last line joins the section unless it is empty or a header.
  struct Case {
    const char* bytes;
    StringArray first;
    String line;
  };
  const Case cases[] = {
      {"one\ntwo\n[NEXT]\nx\n", {u"one", u"two"}, u"[NEXT]"},
      {"one\ntwo", {u"one", u"two"}, u"two"},
      {"one\ntwo\n", {u"one", u"two"}, u"two"},
      {"one\n\n", {u"one"}, u""},
      {"one\n[END]", {u"one"}, u"[END]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const std::string path = textDir + "/section.txt";
    testrig::WriteFileBytes(path, c.bytes);
    auto stream = platform::ReadFile(S(path));
    String line;
    EXPECT_EQ(ccLoadSectionArrayFromFile(stream, line), c.first);
    EXPECT_EQ(line, c.line);
  }
  testrig::WriteFileBytes(textDir + "/two.txt", "title\n[NEXT]\nrest\n");
  auto stream = platform::ReadFile(S(textDir + "/two.txt"));
  String line;
  EXPECT_EQ(ccLoadSectionStringFromFile(stream, line), u"title");
  EXPECT_EQ(line, u"[NEXT]");
}

}  // namespace
