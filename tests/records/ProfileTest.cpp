// Player profiles: the 440-byte file, its offsets and limits, short and odd files, hint
// flags, refused names, and the profiles folder as a whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <string>

#include "RecordsTestSupport.h"
#include "support/TestRig.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "platform/System.h"

namespace fs = std::filesystem;
using recordstest::IntAt;
using recordstest::LE;

namespace {

class Profile : public recordstest::RecordsTest {
 protected:
  std::string FileOf(const std::string& name) const { return Profiles() + name + ".dat"; }
  std::string Bytes(const std::string& name) const { return testrig::ReadFileBytes(FileOf(name)); }
};

TEST_F(Profile, LoadOfAMissingFileWritesTheDefaults) {
  auto p = TProfile::Create(u"Ada");
  EXPECT_EQ(p->Load(), 0);
  const std::string b = Bytes("Ada");
  ASSERT_EQ(b.size(), 440u);
  EXPECT_EQ(IntAt(b, 0), 1 + 0x3c71d5);
  // Read back through a second object: every default survives.
  auto q = std::make_shared<TProfile>();
  q->Name = u"Ada";
  EXPECT_EQ(q->Load(), 1);
  EXPECT_EQ(q->CurrentLevel, 1);
  EXPECT_EQ(q->LockedLevel, 2);
  EXPECT_EQ(q->Score, 0);
  EXPECT_EQ(q->Lives, 3);
  EXPECT_EQ(q->Kills, 0);
  EXPECT_EQ(q->TimeTaken, 0.0);
  EXPECT_EQ(q->Difficulty, 0);
  EXPECT_EQ(q->TipsFlag, 1);
  EXPECT_EQ(q->InstructionsFlag, 1);
  for (int f : q->HintsShown) EXPECT_EQ(f, 0);
  EXPECT_EQ(IntAt(b, 32), 1);  // TipsFlag stored as it is
  EXPECT_EQ(IntAt(b, 36), 1);
}

TEST_F(Profile, CountersAreStoredWithDistinctOffsets) {
  auto p = TProfile::Create(u"zero");
  p->CurrentLevel = p->LockedLevel = p->Score = p->Lives = p->Kills = 0;
  p->Save();
  const std::string b = Bytes("zero");
  EXPECT_EQ(static_cast<uint32_t>(IntAt(b, 0)), 0x3c71d5u);
  const uint32_t offsets[] = {TProfile::CURRENT_LEVEL_OFFSET, TProfile::LOCKED_LEVEL_OFFSET,
                              TProfile::SCORE_OFFSET, TProfile::LIVES_OFFSET, TProfile::KILLS_OFFSET};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(static_cast<uint32_t>(IntAt(b, static_cast<size_t>(4 * i))), offsets[i]);
    for (int j = 0; j < i; ++j) EXPECT_NE(offsets[i], offsets[j]);
  }

  // The addition wraps to 32 bits.
  p->CurrentLevel = INT_MAX;
  p->Save();
  EXPECT_EQ(static_cast<uint32_t>(IntAt(Bytes("zero"), 0)), 0x7FFFFFFFu + 0x3c71d5u);
}

TEST_F(Profile, RoundTripKeepsEveryFieldAtTheLimits) {
  auto p = TProfile::Create(u"Limits");
  p->CurrentLevel = INT_MIN;
  p->LockedLevel = INT_MAX;
  p->Score = -1;
  p->Lives = INT_MAX - 5;
  p->Kills = INT_MIN + 7;
  p->TimeTaken = -1.25e300;
  p->Difficulty = -9;
  p->TipsFlag = 0;
  p->InstructionsFlag = INT_MIN;
  for (int i = 0; i < TProfile::MAX_HINTS; ++i) p->HintsShown[static_cast<size_t>(i)] = i % 3 == 0 ? i : 0;
  p->Save();

  auto q = TProfile::Create(u"Limits");
  ASSERT_EQ(q->Load(), 1);
  EXPECT_EQ(q->CurrentLevel, INT_MIN);
  EXPECT_EQ(q->LockedLevel, INT_MAX);
  EXPECT_EQ(q->Score, -1);
  EXPECT_EQ(q->Lives, INT_MAX - 5);
  EXPECT_EQ(q->Kills, INT_MIN + 7);
  EXPECT_EQ(q->TimeTaken, -1.25e300);
  EXPECT_EQ(q->Difficulty, -9);
  EXPECT_EQ(q->TipsFlag, 0);
  EXPECT_EQ(q->InstructionsFlag, INT_MIN);
  EXPECT_EQ(q->HintsShown, p->HintsShown);
}

TEST_F(Profile, OlderFileWithFewerFlagsLeavesTheRestClear) {
  auto p = TProfile::Create(u"Old");
  p->Save();
  std::string b = Bytes("Old").substr(0, 40);
  for (int i = 0; i < 16; ++i) b += LE(i + 1);
  testrig::WriteFileBytes(FileOf("Old"), b);

  auto q = TProfile::Create(u"Old");
  q->HintsSet(7);
  ASSERT_EQ(q->Load(), 1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(q->HintsShown[static_cast<size_t>(i)], i + 1);
  for (int i = 16; i < TProfile::MAX_HINTS; ++i) EXPECT_EQ(q->HintsShown[static_cast<size_t>(i)], 0) << i;

  // A flag cut short at the end is ignored.
  testrig::WriteFileBytes(FileOf("Old"), b.substr(0, 40 + 4 + 2));
  ASSERT_EQ(q->Load(), 1);
  EXPECT_EQ(q->HintsShown[0], 1);
  EXPECT_EQ(q->HintsShown[1], 0);
}

TEST_F(Profile, FileShorterThanTheFixedPartIsKeptAsideAndReplaced) {
  const std::string cut = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c", 12);
  testrig::WriteFileBytes(FileOf("Short"), cut);
  auto p = TProfile::Create(u"Short");
  p->Score = 1234;
  EXPECT_EQ(p->Load(), 0);
  EXPECT_EQ(p->Score, 1234);  // nothing taken from the broken file
  EXPECT_EQ(p->CurrentLevel, 1);
  EXPECT_EQ(testrig::ReadFileBytes(FileOf("Short") + ".bad"), cut);
  const std::string b = Bytes("Short");
  ASSERT_EQ(b.size(), 440u);
  EXPECT_EQ(IntAt(b, 8), static_cast<int32_t>(1234u + TProfile::SCORE_OFFSET));

  // An empty file is no different.
  testrig::WriteFileBytes(FileOf("Empty"), "");
  EXPECT_EQ(TProfile::Create(u"Empty")->Load(), 0);
  EXPECT_EQ(Bytes("Empty").size(), 440u);
}

TEST_F(Profile, ShowHintIsAOnceOnlyGate) {
  auto p = TProfile::Create(u"Hints");
  EXPECT_EQ(p->ShowHint(8, 1), 1);
  ASSERT_EQ(IntAt(Bytes("Hints"), 40 + 4 * 8), 1);
  fs::remove(FileOf("Hints"));
  EXPECT_EQ(p->ShowHint(8, 1), 0);
  EXPECT_FALSE(fs::exists(FileOf("Hints")));  // nothing written the second time

  EXPECT_EQ(p->ShowHint(9, 0), 1);
  EXPECT_EQ(p->HintsShown[9], 1);
  EXPECT_FALSE(fs::exists(FileOf("Hints")));  // memory only

  for (int bad : {-1, TProfile::MAX_HINTS, INT_MIN, INT_MAX}) EXPECT_EQ(p->ShowHint(bad, 1), 0);
  EXPECT_FALSE(fs::exists(FileOf("Hints")));

  p->HintsSet(1);
  for (int i = 0; i < TProfile::MAX_HINTS; ++i) EXPECT_EQ(p->ShowHint(i, 0), 0);
  p->ClearHints();
  EXPECT_EQ(p->ShowHint(50, 0), 1);
}

TEST_F(Profile, NamesThatCannotBeFileNamesAreRefused) {
  const String names[] = {u"", u".", u"..", u"../escape", u"a/b", u"a\\b", String(u"nul\0x", 5),
                          String(300, u'n')};
  for (const String& name : names) {
    EXPECT_FALSE(TProfile::ValidName(name)) << platform::ToUtf8(name);
    auto p = TProfile::Create(name);
    EXPECT_EQ(p->Save(), -1);
    EXPECT_EQ(p->Load(), -1);
    EXPECT_EQ(p->ShowHint(3, 1), 1);  // the flag is kept in memory
  }
  EXPECT_TRUE(fs::is_empty(Profiles()));
  EXPECT_FALSE(fs::exists(dir + "/escape.dat"));
  EXPECT_FALSE(fs::exists(dir + "/profiles.dat"));

  for (const String& name : {String(u"Zoë"), String(u"Mr. Smith"), String(u".hidden"), String(200, u'x')}) {
    EXPECT_TRUE(TProfile::ValidName(name));
    EXPECT_EQ(TProfile::Create(name)->Load(), 0);
  }
}

TEST_F(Profile, FileThatCannotBeWrittenIsFatal) {
  Game->ProfilePath = platform::FromUtf8(dir) + u"/missing/folder/";
  auto p = TProfile::Create(u"Nowhere");
  // No display is open: the error is a system notice (written to stderr here).
  testing::internal::CaptureStderr();
  EXPECT_THROW(p->Save(), platform::ProgramExit);
  const std::string notice = testing::internal::GetCapturedStderr();
  EXPECT_NE(notice.find("Could not create file '"), std::string::npos) << notice;
}

TEST_F(Profile, HooksWriteAndReadDataAfterTheRecord) {
  auto p = TProfile::Create(u"Hooked");
  p->SaveUserFunction = [](const platform::StreamPtr& s) {
    s->WriteInt(4242);
    return 0;
  };
  p->Save();
  EXPECT_EQ(Bytes("Hooked").size(), 444u);
  int seen = 0;
  auto q = TProfile::Create(u"Hooked");
  q->LoadUserFunction = [&seen](const platform::StreamPtr& s) {
    seen = s->ReadInt();
    return 0;
  };
  // The hook's bytes are read as far as the flags go: the stream is where 100 flags end.
  EXPECT_EQ(q->Load(), 1);
  EXPECT_EQ(seen, 4242);
}

TEST_F(Profile, ProfilesFolderAsAWhole) {
  testrig::WriteFileBytes(Profiles() + ".dat", "x");
  EXPECT_EQ(Game->ProfileFolderInUse(), 0);

  testrig::WriteFileBytes(Profiles() + "UPPER.DAT", "x");
  testrig::WriteFileBytes(Profiles() + "notes.txt", "x");
  testrig::WriteFileBytes(Profiles() + "Old.dat.bad", "x");
  EXPECT_EQ(Game->ProfileFolderInUse(), 0);

  TProfile::Create(u"Bea")->Save();
  TProfile::Create(u"Cal")->Save();
  EXPECT_EQ(Game->ProfileFolderInUse(), 1);

  EXPECT_EQ(Game->DeleteAllProfiles(), 0);
  EXPECT_FALSE(fs::exists(Profiles() + ".dat"));
  EXPECT_FALSE(fs::exists(Profiles() + "Bea.dat"));
  EXPECT_FALSE(fs::exists(Profiles() + "Cal.dat"));
  EXPECT_TRUE(fs::exists(Profiles() + "UPPER.DAT"));
  EXPECT_TRUE(fs::exists(Profiles() + "notes.txt"));
  EXPECT_TRUE(fs::exists(Profiles() + "Old.dat.bad"));
  EXPECT_EQ(Game->ProfileFolderInUse(), 0);

  Game->ProfilePath = platform::FromUtf8(dir) + u"/nofolder/";
  EXPECT_EQ(Game->DeleteAllProfiles(), 0);
  EXPECT_THROW(Game->ProfileFolderInUse(), platform::ProgramExit);
}

}  // namespace
