#include <sys/resource.h>
#include <sys/stat.h>

#include <cfloat>
#include <climits>
#include <cstring>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <limits>
#include <random>

#include "support/TestRig.h"
#include "platform/Stream.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

String P(const std::string& path) { return FromUtf8(path); }

// Names in the folder other than the given file (leftover temporary files).
int Leftovers(const std::string& dir, const std::string& keep) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().filename() != keep) ++n;
  }
  return n;
}

std::vector<String> ReadLines(const std::string& path) {
  std::vector<String> lines;
  StreamPtr s = ReadFile(P(path));
  if (!s) return lines;
  for (int guard = 0; !s->Eof() && guard < 1000; ++guard) lines.push_back(s->ReadLine());
  return lines;
}

}  // namespace

TEST(StreamBinary, LittleEndianExactBytes) {
  const std::string path = testrig::MakeTempDir("le") + "/b.dat";
  StreamPtr w = WriteFile(P(path));
  ASSERT_TRUE(w);
  w->WriteInt(0x12345678);
  w->WriteInt(-2);
  w->WriteShort(0xABCD);
  w->WriteByte(300);  // low byte only
  w->WriteDouble(1.5);
  w->WriteFloat(-2.0f);
  ASSERT_TRUE(w->Close());

  const std::string expected(
      "\x78\x56\x34\x12"
      "\xFE\xFF\xFF\xFF"
      "\xCD\xAB"
      "\x2C"
      "\x00\x00\x00\x00\x00\x00\xF8\x3F"
      "\x00\x00\x00\xC0",
      23);
  EXPECT_EQ(testrig::ReadFileBytes(path), expected);

  StreamPtr r = ReadFile(P(path));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Size(), 23);
  EXPECT_EQ(r->ReadInt(), 0x12345678);
  EXPECT_EQ(r->ReadInt(), -2);
  EXPECT_EQ(r->ReadShort(), 0xABCD);  // unsigned
  EXPECT_EQ(r->ReadByte(), 0x2C);
  EXPECT_EQ(r->ReadDouble(), 1.5);
  EXPECT_EQ(r->ReadFloat(), -2.0f);
  EXPECT_TRUE(r->Eof());
  EXPECT_TRUE(r->Good());
}

TEST(StreamBinary, RoundTripsAwkwardValues) {
  const std::string path = testrig::MakeTempDir("rt") + "/v.dat";
  const double doubles[] = {0.0, -0.0, DBL_MAX, -DBL_MIN, 1e-310, std::numeric_limits<double>::infinity(), 0.1};
  const int ints[] = {0, INT_MIN, INT_MAX, -1, 255, 256};
  {
    StreamPtr w = WriteFile(P(path));
    ASSERT_TRUE(w);
    for (double d : doubles) w->WriteDouble(d);
    for (int i : ints) w->WriteInt(i);
    for (int b = 0; b < 256; ++b) w->WriteByte(b);
    w->WriteDouble(std::nan(""));
  }  // the destructor commits
  StreamPtr r = ReadFile(P(path));
  ASSERT_TRUE(r);
  for (double d : doubles) {
    const double got = r->ReadDouble();
    EXPECT_EQ(std::memcmp(&got, &d, sizeof d), 0) << d;
  }
  for (int i : ints) EXPECT_EQ(r->ReadInt(), i);
  for (int b = 0; b < 256; ++b) ASSERT_EQ(r->ReadByte(), b);
  EXPECT_TRUE(std::isnan(r->ReadDouble()));
}

TEST(StreamBinary, ReadingPastTheEndGivesZerosAndFlagsIt) {
  const std::string path = testrig::MakeTempDir("short") + "/s.dat";
  testrig::WriteFileBytes(path, std::string("\x01\x02\x03", 3));
  StreamPtr r = ReadFile(P(path));
  ASSERT_TRUE(r);
  EXPECT_FALSE(r->Eof());
  EXPECT_EQ(r->ReadInt(), 0x030201);  // the missing byte reads as 0
  EXPECT_TRUE(r->Eof());
  EXPECT_FALSE(r->Good());
  EXPECT_EQ(r->ReadByte(), 0);
  EXPECT_EQ(r->ReadDouble(), 0.0);
  EXPECT_EQ(r->ReadLine(), u"");
  EXPECT_TRUE(r->Seek(1));
  EXPECT_FALSE(r->Eof());
  EXPECT_EQ(r->ReadByte(), 2);
  EXPECT_FALSE(r->Seek(-1));
}

TEST(StreamLines, LineEndsCarriageReturnsNulAndEndOfFile) {
  const std::string dir = testrig::MakeTempDir("lines");
  testrig::WriteFileBytes(dir + "/a.txt", std::string("one\r\ntwo\nth\0ree\n\xE9t\xE9\r\nlast", 26));
  EXPECT_EQ(ReadLines(dir + "/a.txt"), (std::vector<String>{u"one", u"two", u"th", u"ree", u"\u00E9t\u00E9", u"last"}));

  // A closing LF ends the file: no phantom empty line.
  testrig::WriteFileBytes(dir + "/b.txt", "x\n\ny\n");
  EXPECT_EQ(ReadLines(dir + "/b.txt"), (std::vector<String>{u"x", u"", u"y"}));

  testrig::WriteFileBytes(dir + "/c.txt", "");
  EXPECT_TRUE(ReadLines(dir + "/c.txt").empty());

  testrig::WriteFileBytes(dir + "/d.txt", "a\rb\r\r\n");  // lone CRs are dropped too
  EXPECT_EQ(ReadLines(dir + "/d.txt"), (std::vector<String>{u"ab"}));
}

TEST(StreamLines, WriteLineUsesCrLfAndOneBytePerCharacter) {
  const std::string path = testrig::MakeTempDir("wl") + "/w.txt";
  StreamPtr w = WriteFile(P(path));
  ASSERT_TRUE(w);
  w->WriteLine(u"KEY=1");
  w->WriteLine(u"\u00E9");
  w->WriteLine(u"");
  w->WriteLine(u"\u0141\u010A\u0100\u010D");  // high byte lost; NUL, LF, CR bytes never written
  w->WriteString(u"end");
  ASSERT_TRUE(w->Close());
  EXPECT_EQ(testrig::ReadFileBytes(path), "KEY=1\r\n\xE9\r\n\r\nA???\r\nend");
  EXPECT_EQ(ReadLines(path), (std::vector<String>{u"KEY=1", u"\u00E9", u"", u"A???", u"end"}));
}

TEST(StreamLines, HostileBytesNeverHang) {
  const std::string path = testrig::MakeTempDir("noise") + "/n.bin";
  std::mt19937 gen(5);
  std::string noise(100000, '\0');
  for (char& c : noise) c = static_cast<char>(gen());
  testrig::WriteFileBytes(path, noise);
  StreamPtr r = ReadFile(P(path));
  ASSERT_TRUE(r);
  int lines = 0;
  while (!r->Eof() && lines < 200000) {
    r->ReadLine();
    ++lines;
  }
  EXPECT_TRUE(r->Eof());
  EXPECT_LT(lines, 200000);
}

TEST(StreamAtomicWrite, TargetChangesOnlyAtClose) {
  const std::string dir = testrig::MakeTempDir("atomic");
  const std::string path = dir + "/settings.ini";
  testrig::WriteFileBytes(path, "OLD");
  StreamPtr w = WriteFile(P(path));
  ASSERT_TRUE(w);
  w->WriteLine(u"NEW");
  EXPECT_EQ(testrig::ReadFileBytes(path), "OLD");
  EXPECT_EQ(Leftovers(dir, "settings.ini"), 1);  // the temporary file, next to the target
  EXPECT_TRUE(w->Close());
  EXPECT_TRUE(w->Close());  // closing again reports the same
  EXPECT_EQ(testrig::ReadFileBytes(path), "NEW\r\n");
  EXPECT_EQ(Leftovers(dir, "settings.ini"), 0);
}

TEST(StreamAtomicWrite, AbandonedWriteKeepsTheOldFile) {
  const std::string dir = testrig::MakeTempDir("abandon");
  const std::string path = dir + "/p.dat";
  testrig::WriteFileBytes(path, "OLD");
  StreamPtr w = WriteFile(P(path));
  ASSERT_TRUE(w);
  w->WriteInt(1);
  w->Abandon();
  EXPECT_FALSE(w->Close());
  EXPECT_EQ(testrig::ReadFileBytes(path), "OLD");
  EXPECT_EQ(Leftovers(dir, "p.dat"), 0);
}

TEST(StreamAtomicWrite, FailedWriteKeepsTheOldFileAndReportsIt) {
  const std::string dir = testrig::MakeTempDir("full");
  const std::string path = dir + "/big.dat";
  testrig::WriteFileBytes(path, "OLD");

  // A file-size limit makes the writes fail like a full disk would.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

  StreamPtr w = WriteFile(P(path));
  bool closed = true;
  if (w) {
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 100; ++i) w->WriteBytes(chunk.data(), chunk.size());
    closed = w->Close();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  ASSERT_TRUE(w);
  EXPECT_FALSE(closed);
  EXPECT_FALSE(w->Good());
  EXPECT_EQ(testrig::ReadFileBytes(path), "OLD");
  EXPECT_EQ(Leftovers(dir, "big.dat"), 0);
  EXPECT_FALSE(SaveBytes(P(dir + "/missing-folder/x.dat"), "data"));
}

TEST(StreamAtomicWrite, ReplacementKeepsThePermissions) {
  const std::string path = testrig::MakeTempDir("mode") + "/shared.ini";
  testrig::WriteFileBytes(path, "OLD");
  ASSERT_EQ(chmod(path.c_str(), 0777), 0);
  ASSERT_TRUE(SaveBytes(P(path), "NEW"));
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0777u);
}

TEST(StreamOpen, FailuresGiveNull) {
  const std::string dir = testrig::MakeTempDir("open");
  EXPECT_FALSE(ReadFile(P(dir + "/nothing.txt")));
  EXPECT_FALSE(OpenFile(P(dir + "/nothing.txt")));
  EXPECT_FALSE(ReadFile(P(dir)));  // a folder is not a file
  EXPECT_FALSE(WriteFile(P(dir)));
  EXPECT_FALSE(WriteFile(P(dir + "/no/such/folder.txt")));
  EXPECT_FALSE(ReadFile(u""));
  EXPECT_FALSE(CloseStream(nullptr));
  std::string bytes = "stale";
  EXPECT_FALSE(LoadBytes(P(dir + "/nothing.txt"), bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST(StreamOpen, LittleEndianPrefixIsIgnored) {
  const std::string path = testrig::MakeTempDir("prefix") + "/h.dat";
  StreamPtr w = WriteFile(P("littleendian::" + path));
  ASSERT_TRUE(w);
  w->WriteInt(7);
  ASSERT_TRUE(CloseStream(w));
  StreamPtr r = ReadFile(P("littleendian::" + path));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->ReadInt(), 7);
  EXPECT_EQ(r->Path(), path);
}

TEST(StreamOpen, ReadWriteInPlaceAndAppend) {
  const std::string path = testrig::MakeTempDir("rw") + "/r.dat";
  testrig::WriteFileBytes(path, std::string("\x01\x00\x00\x00\x02\x00\x00\x00", 8));
  {
    StreamPtr s = OpenFile(P(path));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->ReadInt(), 1);
    s->WriteInt(9);  // switching from reading to writing in place
    EXPECT_EQ(s->Pos(), 8);
    EXPECT_TRUE(s->Eof());
    EXPECT_TRUE(s->Seek(0));
    EXPECT_EQ(s->ReadInt(), 1);
    EXPECT_EQ(s->ReadInt(), 9);
    s->WriteByte(0xAA);  // extends the file
    EXPECT_EQ(s->Size(), 9);
    EXPECT_TRUE(s->Close());
  }
  {
    StreamPtr a = AppendFile(P(path));
    ASSERT_TRUE(a);
    a->WriteLine(u"log");
    EXPECT_TRUE(a->Close());
  }
  EXPECT_EQ(testrig::ReadFileBytes(path), std::string("\x01\x00\x00\x00\x09\x00\x00\x00\xAA" "log\r\n", 14));

  const std::string fresh = testrig::MakeTempDir("append") + "/ErrorLog.txt";
  StreamPtr a = AppendFile(P(fresh));  // created when missing
  ASSERT_TRUE(a);
  a->WriteString(u"x");
  a->Close();
  EXPECT_EQ(testrig::ReadFileBytes(fresh), "x");
}

TEST(StreamOpen, WholeFileHelpers) {
  const std::string path = testrig::MakeTempDir("whole") + "/w.bin";
  const std::string bytes("a\0b\xFF", 4);
  ASSERT_TRUE(SaveBytes(P(path), bytes));
  std::string back;
  ASSERT_TRUE(LoadBytes(P(path), back));
  EXPECT_EQ(back, bytes);
  StreamPtr r = ReadFile(P(path));
  ASSERT_TRUE(r);
  r->ReadByte();
  EXPECT_EQ(r->ReadAll(), bytes.substr(1));
  EXPECT_TRUE(r->Eof());
  char buf[8];
  EXPECT_EQ(r->ReadBytes(buf, sizeof buf), 0u);
}
