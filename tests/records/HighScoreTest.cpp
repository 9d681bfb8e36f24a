// The high-score table: defaults, ranking, the file format and damaged files.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "RecordsTestSupport.h"
#include "support/TestRig.h"
#include "core/THighScoreList.h"
#include "platform/System.h"

namespace fs = std::filesystem;
using recordstest::IntAt;
using recordstest::LE;

namespace {

class HighScores : public recordstest::RecordsTest {
 protected:
  void SetUp() override {
    RecordsTest::SetUp();
    table.Create(platform::FromUtf8(dir) + u"/vale", 10);
  }

  std::string File() const { return dir + "/vale.dat"; }

  std::vector<int> Scores() const {
    std::vector<int> out;
    for (const auto& e : table) out.push_back(e->score);
    return out;
  }

  // One entry as the file holds it.
  static std::string Entry(const std::string& name, int score, int level) {
    std::string out;
    for (char c : name) out.push_back(static_cast<char>((static_cast<unsigned char>(c) - THighScoreList::HIGHSCORE_SHIFT) & 0xFF));
    out.push_back('\0');
    return out + LE(score) + LE(level);
  }

  THighScoreList table;
};

TEST_F(HighScores, MissingFileGivesTenDefaultsAndWritesThem) {
  EXPECT_EQ(table.filepath, platform::FromUtf8(File()));
  EXPECT_EQ(table.MaxNameLength, 10);
  table.Load();
  ASSERT_EQ(table.Count(), 10);
  int i = 0;
  for (const auto& e : table) {
    EXPECT_EQ(e->score, 10000 - 1000 * i);
    EXPECT_EQ(e->level, 10 - i);
    EXPECT_FALSE(e->name.empty());
    EXPECT_LE(e->name.size(), 10u);
    ++i;
  }
  ASSERT_TRUE(fs::exists(File()));
  THighScoreList again;
  again.Create(platform::FromUtf8(dir) + u"/vale", 10);
  again.Load();
  ASSERT_EQ(again.Count(), 10);
  EXPECT_EQ(again.First()->name, table.First()->name);
  EXPECT_EQ(again.Last()->score, 1000);
}

TEST_F(HighScores, InsertRanksByScoreNewestFirstAmongEquals) {
  table.Load();
  table.Insert(u"Top", 20000, 12);
  EXPECT_EQ(table.First()->name, u"Top");
  table.Insert(u"Tie", 5000, 3);
  std::vector<std::u16string> names;
  for (const auto& e : table) names.push_back(e->name);
  // Just above the old 5000 entry.
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[6], u"Tie");
  EXPECT_EQ(Scores()[7], 5000);
  table.Insert(u"Low", 10, 1);
  EXPECT_EQ(table.Last()->name, u"Low");
  EXPECT_EQ(table.Count(), 13);  // never trimmed

  // The callers keep ten by dropping the last one first.
  table.Zero(10);
  table.RemoveLast();
  table.Insert(u"New", 0, 1);
  EXPECT_EQ(table.Count(), 10);
  EXPECT_EQ(table.First()->name, u"New");
}

TEST_F(HighScores, SaveAndLoadKeepTheListAsItWas) {
  table.Add(u"Low", 5, 1);
  table.Add(u"High", INT_MAX, INT_MIN);
  table.Add(u"", -7, 0);
  table.Add(u"Ünïcode~ 1", 300, 2);
  table.Save();

  THighScoreList back;
  back.Create(platform::FromUtf8(dir) + u"/vale", 10);
  back.Load();
  ASSERT_EQ(back.Count(), 4);
  std::vector<std::shared_ptr<THighScore>> e(back.begin(), back.end());
  EXPECT_EQ(e[0]->name, u"Low");
  EXPECT_EQ(e[1]->name, u"High");
  EXPECT_EQ(e[1]->score, INT_MAX);
  EXPECT_EQ(e[1]->level, INT_MIN);
  EXPECT_EQ(e[2]->name, u"");
  EXPECT_EQ(e[2]->score, -7);
  EXPECT_EQ(e[3]->name, u"Ünïcode~ 1");

  // The file: name bytes shifted down, a 0 byte, score and level; an empty name is the 0 alone.
  const std::string b = testrig::ReadFileBytes(File());
  EXPECT_EQ(b.substr(0, 12), Entry("Low", 5, 1));
  const size_t third = 12 + 13;
  EXPECT_EQ(b[third], '\0');
  EXPECT_EQ(IntAt(b, third + 1), -7);
}

TEST_F(HighScores, CharactersThatWouldNotSurviveAreStoredAsQuestionMarks) {
  static_assert(THighScoreList::HIGHSCORE_SHIFT >= 1 && THighScoreList::HIGHSCORE_SHIFT <= 31);
  String name = u"a";
  name.push_back(static_cast<char16_t>(THighScoreList::HIGHSCORE_SHIFT));  // would encode to 0
  name += u"b";
  name.push_back(u'\x263A');  // above 255
  table.Add(name, 1, 1);
  table.Save();
  const std::string b = testrig::ReadFileBytes(File());
  ASSERT_EQ(b.size(), 5u + 8u);  // no early terminator: the name keeps its length
  table.Load();
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.First()->name, u"a?b?");

  // Every typeable character comes back unchanged.
  String typeable;
  for (char16_t c = 32; c <= 126; ++c) typeable.push_back(c);
  table.Zero(0);
  table.Add(typeable, 2, 2);
  table.Save();
  table.Load();
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.First()->name, typeable);
}

TEST_F(HighScores, TruncatedLastEntryIsDropped) {
  const std::string two = Entry("Ann", 900, 9) + Entry("Bob", 800, 8);
  for (size_t cut : {size_t(3), size_t(6), size_t(11)}) {  // inside the level, the score, the name
    testrig::WriteFileBytes(File(), two.substr(0, two.size() - cut));
    table.Load();
    ASSERT_EQ(table.Count(), 1) << cut;
    EXPECT_EQ(table.First()->name, u"Ann");
    EXPECT_EQ(table.First()->score, 900);
  }
  EXPECT_FALSE(fs::exists(File() + ".bad"));
}

TEST_F(HighScores, UnreadableFileIsKeptAsideBeforeTheDefaults) {
  const std::string junk = "no terminator anywhere in here";
  testrig::WriteFileBytes(File(), junk);
  table.Load();
  EXPECT_EQ(table.Count(), 10);
  EXPECT_EQ(testrig::ReadFileBytes(File() + ".bad"), junk);
  EXPECT_EQ(table.First()->score, 10000);
  THighScoreList again;
  again.Create(platform::FromUtf8(dir) + u"/vale", 10);
  again.Load();
  EXPECT_EQ(again.Count(), 10);

  // An empty file holds nothing to keep: defaults at once.
  fs::remove(File() + ".bad");
  testrig::WriteFileBytes(File(), "");
  table.Load();
  EXPECT_EQ(table.Count(), 10);
  EXPECT_FALSE(fs::exists(File() + ".bad"));
}

TEST_F(HighScores, ZeroWritesEmptyEntries) {
  table.Load();
  table.Zero(10);
  ASSERT_EQ(table.Count(), 10);
  for (const auto& e : table) {
    EXPECT_EQ(e->name, u"Empty");
    EXPECT_EQ(e->score, 0);
    EXPECT_EQ(e->level, 0);
  }
  EXPECT_EQ(testrig::ReadFileBytes(File()).size(), 10u * (5 + 1 + 8));
  table.Zero(-1);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.RemoveLast(), 0);
  EXPECT_EQ(table.Last(), nullptr);
}

TEST_F(HighScores, FileThatCannotBeWrittenIsFatal) {
  table.Create(platform::FromUtf8(dir) + u"/missing/vale", 10);
  table.Add(u"x", 1, 1);
  // No display is open: the error is a system notice (written to stderr here).
  testing::internal::CaptureStderr();
  EXPECT_THROW(table.Save(), platform::ProgramExit);
  const std::string notice = testing::internal::GetCapturedStderr();
  EXPECT_NE(notice.find("Failed to save file "), std::string::npos) << notice;
}

}  // namespace
