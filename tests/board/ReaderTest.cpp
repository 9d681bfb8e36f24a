// The level reader: names, bonus lines, the cell codes, line and number rules, the board's
// place on the screen, the colours drawn, and files that break the limits.
#include "BoardFixture.h"

#include <algorithm>

namespace boardtest {
namespace {

class ReaderTest : public BoardTest {
 protected:
  // A board made as the play screen makes it, then the level read.
  TGameGrid& LoadBytes(const std::string& bytes) {
    WriteLevel(7, bytes);
    GameGrid = TGameGrid::Create();
    GameGrid->Load(7);
    return *GameGrid;
  }
  std::vector<int> Bonus() const { return {PossBonus.begin(), PossBonus.begin() + PossBonusCount}; }
};

TEST_F(ReaderTest, TheWorkedExampleLoads) {
  UseLevel("worked.txt", 3);
  GameGrid = TGameGrid::Create();
  GameGrid->Load(3);
  const TGameGrid& board = *GameGrid;
  EXPECT_EQ(board.levelwidth, 7);
  EXPECT_EQ(board.levelheight, 6);
  EXPECT_EQ(board.sx, 225);
  EXPECT_EQ(board.sy, 150);
  EXPECT_EQ(Bonus(), (std::vector<int>{8, 9}));
  EXPECT_EQ(board.Gold, 36);
  EXPECT_EQ(board.LevelName, u"The worked example");
  for (int y = 0; y < 6; ++y) {
    EXPECT_EQ(Cell(3, y).gold, 0);
    EXPECT_EQ(Cell(3, y).active, 1);
    EXPECT_EQ(Cell(2, y).gold, 1);
  }
}

// A level file of the given first lines around a 2 by 1 board.
std::string WithHead(const std::string& head) { return head + "2,1\n0,0\n1,1\n"; }

TEST_F(ReaderTest, NameAndTimeLines) {
  struct Case {
    std::string head;
    std::u16string name;
    float seconds;
  };
  const Case cases[] = {
      {"REM,Lantern\n10\n0\n", u"Lantern", 10},
      {"rEm,a,b\n10\n0\n", u"a,b", 10},
      {"REM\n10\n0\n", u"", 10},
      {" REM,x\n0\n", u"", 0},           // not a name line: it is the time line
      {"REM ,x\n0\n", u"", 0},
      {"30\n0\n", u"", 30},
      {"REM,x\n$1F\n0\n", u"x", 31},
      {"REM,x\n  +3\n0\n", u"x", 3},
      {"REM,x\n99999999\n0\n", u"x", 99999999.0f},
  };
  for (const Case& c : cases) {
    const TGameGrid& board = LoadBytes(WithHead(c.head));
    EXPECT_EQ(board.LevelName, c.name) << c.head;
    EXPECT_FLOAT_EQ(board.TimeLimit, Game->CalcAnimLengthFromFloat(c.seconds * 1000.0f)) << c.head;
    EXPECT_EQ(board.levelwidth, 2) << c.head;
  }
}

TEST_F(ReaderTest, BonusLines) {
  struct Case {
    std::string line;
    std::vector<int> bonus;
  };
  const std::vector<Case> cases = {
      {"0", {}},           {"0,8", {0, 8}}, {"9,9", {9, 9}},     {"8,,9", {8, 0, 9}},
      {"", {}},            {"8,", {8}},     {"%1000,$9", {8, 9}}, {"12abc,x", {12, 0}},
      {"8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,8,9,9,9,9,9", std::vector<int>(20, 8)},
  };
  for (const Case& c : cases) {
    LoadBytes(WithHead("REM,b\n10\n" + c.line + "\n"));
    EXPECT_EQ(Bonus(), c.bonus) << c.line;
  }
}

TEST_F(ReaderTest, EveryCellCode) {
  struct Code {
    int code, active, gold, armour, gemlocked, bonus, addsGold, addsLocked;
  };
  const Code table[] = {
      {0, 0, 0, 0, 0, 0, 0, 0},   {-1, 1, 0, 0, 0, 0, 0, 0},  {1, 1, 1, 0, 0, 0, 1, 0},
      {2, 1, 1, 0, 1, 0, 1, 1},   {3, 1, 1, 1, 0, 0, 2, 0},   {4, 1, 1, 1, 1, 0, 2, 1},
      {5, 1, 1, 0, 0, 0, 1, 0},   {-2, 1, 1, 0, 0, 0, 1, 0},  {8, 1, 1, 0, 0, 8, 1, 0},
      {14, 1, 1, 0, 0, 14, 1, 0}, {15, 1, 1, 0, 0, 0, 1, 0},  {20, 1, 1, 0, 0, 0, 1, 0},
      {21, 1, 1, 1, 0, 1, 2, 0},  {27, 1, 1, 1, 0, 7, 2, 0},  {28, 1, 1, 1, 0, 8, 2, 0},
      {34, 1, 1, 1, 0, 14, 2, 0}, {35, 1, 1, 1, 0, 0, 2, 0},  {40, 1, 1, 1, 0, 0, 2, 0},
  };
  // Nine codes a row.
  std::string rows;
  int gold = 0;
  int locked = 0;
  for (size_t i = 0; i < std::size(table); ++i) {
    rows += std::to_string(table[i].code) + (i % 9 == 8 ? "\n" : ",");
    gold += table[i].addsGold;
    locked += table[i].addsLocked;
  }
  const TGameGrid& board = LoadBytes("REM,codes\n60\n0\n9,2\n0,0\n" + rows);
  for (size_t i = 0; i < std::size(table); ++i) {
    const Code& c = table[i];
    const TCell& cell = Cell(static_cast<int>(i % 9), static_cast<int>(i / 9));
    EXPECT_EQ(cell.active, c.active) << c.code;
    EXPECT_EQ(cell.gold, c.gold) << c.code;
    EXPECT_EQ(cell.armour, c.armour) << c.code;
    EXPECT_EQ(cell.gemlocked, c.gemlocked) << c.code;
    EXPECT_EQ(cell.bonus, c.bonus) << c.code;
  }
  EXPECT_EQ(board.Gold, gold);
  EXPECT_EQ(board.Locked, locked);
}

TEST_F(ReaderTest, LinesEndAtLfNulOrEndOfFileAndKeepTheirRowNumbers) {
  const std::string lf = "REM,x\n10\n0\n3,4\n0,0\n1,1,1\n\n-1,3,-1\n1,,1\n";
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& bytes : {lf, crlf}) {
    const TGameGrid& board = LoadBytes(bytes);
    EXPECT_EQ(board.Gold, 3 + 0 + 2 + 2);
    EXPECT_EQ(Cell(0, 1).active, 0);  // the blank row keeps its number
    EXPECT_EQ(Cell(1, 2).armour, 1);
    EXPECT_EQ(Cell(1, 3).active, 0);  // an empty field reads 0: a hole
  }
  std::string nul = "REM,x\n10\n0\n2,1\n0,0\n1";
  nul += '\0';
  nul += "3\n";  // the rest of the line after a NUL is a line of its own: beyond the level
  const TGameGrid& board = LoadBytes(nul);
  EXPECT_EQ(Cell(0, 0).gold, 1);
  EXPECT_EQ(Cell(1, 0).active, 0);
  EXPECT_EQ(board.Gold, 1);
}

TEST_F(ReaderTest, GeometryOfTheBoard) {
  struct Case {
    int w, h, sx, sy;
  };
  for (const Case& c : {Case{15, 10, 25, 50}, Case{8, 8, 200, 100}, Case{9, 7, 175, 125}}) {
    const TGameGrid& board = LoadBytes("1\n0\n" + std::to_string(c.w) + "," + std::to_string(c.h) + "\n");
    EXPECT_EQ(board.sx, c.sx);
    EXPECT_EQ(board.sy, c.sy);
    EXPECT_EQ(Cell(c.w - 1, c.h - 1).sx, static_cast<float>(c.sx + 50 * (c.w - 1)));
  }
  // 9 by 7 at (175, 125).
  EXPECT_EQ(CalcGX(175 - 30), 0);
  EXPECT_EQ(CalcGX(175 - 60), -1);
  EXPECT_EQ(CalcGY(125 - 30), -1);
  EXPECT_EQ(CalcGY(125 + 120), 2);
  EXPECT_EQ(CalcSX(2), 275);
  EXPECT_EQ(CalcSY(3), 275);
}

TEST_F(ReaderTest, FiveDistinctColoursInDrawOrder) {
  for (int seed = 1; seed <= 20; ++seed) {
    platform::SeedRnd(seed);
    LoadBytes(WithHead("10\n0\n"));
    std::vector<int> colours(PossGems.begin(), PossGems.begin() + 5);
    for (int c : colours) EXPECT_TRUE(c >= 1 && c <= 7);
    std::sort(colours.begin(), colours.end());
    EXPECT_EQ(std::adjacent_find(colours.begin(), colours.end()), colours.end()) << seed;
  }
  for (int v : {3, 3, 5, 1, 5, 7, 3, 2}) ASSERT_TRUE(platform::PushRand(1, 7, v));
  LoadBytes(WithHead("10\n0\n"));
  EXPECT_EQ(std::vector<int>(PossGems.begin(), PossGems.begin() + 5), (std::vector<int>{3, 5, 1, 7, 2}));
  EXPECT_FALSE(platform::PushRand(1, 7, 8));  // outside its range: refused
}

TEST_F(ReaderTest, FilesBeyondTheLimits) {
  // Sizes outside 1..15 by 1..10 (and a missing size line) end with the file's error.
  for (const std::string size : {"0,0", "16,10", "15,11", "-1,5", ""}) {
    WriteLevel(9, "REM,bad\n10\n0\n" + size + (size.empty() ? "" : "\n0,0\n1\n"));
    const std::string path = U8(Game->LevelsPath) + "9.txt";
    EXPECT_EQ(FatalMessageOf([] {
                GameGrid = TGameGrid::Create();
                GameGrid->Load(9);
              }),
              "Error loading file " + path)
        << size;
  }
  EXPECT_EQ(FatalMessageOf([] {
              GameGrid = TGameGrid::Create();
              GameGrid->Load(42);
            }),
            "Error loading file " + U8(Game->LevelsPath) + "42.txt");
  // Extra codes and rows are ignored; nothing outside the board changes.
  std::string rows;
  for (int y = 0; y < 14; ++y) rows += "3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3,3\n";
  const TGameGrid& board = LoadBytes("REM,big\n10\n0\n2,2\n0,0\n" + rows);
  EXPECT_EQ(board.Gold, 8);
  EXPECT_EQ(GridAt(2, 0), nullptr);
  EXPECT_EQ(GridAt(0, 2), nullptr);
  EXPECT_EQ(GridAt(14, 9), nullptr);
}

}  // namespace
}  // namespace boardtest
