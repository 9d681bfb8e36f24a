// The play screen in a real window, driven as a person would: the test entry at level 1, the
// level's page rolled up by a click, a swap chosen from a screenshot of the board and made with
// two clicks, then Super+Q held to leave.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "GameWindow.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;

namespace {

using namespace e2e;

class PlayWindowTest : public GameWindowTest {
 protected:
  std::string ProgramName() const override { return "lantern-vale-at-level"; }
};

// Width and height of a level file of the generated data folder.
bool LevelSize(int level, int& w, int& h) {
  const std::string text =
      testrig::ReadFileBytes(testrig::ResourcesDir() + "Data/levels/" + std::to_string(level) + ".txt");
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  const size_t first = !lines.empty() && lines[0].rfind("REM", 0) == 0 ? 1 : 0;
  if (lines.size() < first + 3) return false;
  return std::sscanf(lines[first + 2].c_str(), "%d,%d", &w, &h) == 2;
}

class PlayWindowFlow : public PlayWindowTest {
 protected:
  // Launches at level 1, clicks through the loading screen, checks the play screen and the
  // lion page, rolls it up; the shot after the page, or null.
  platform::PixmapPtr ToBoard() {
    const auto bg1 = Asset("Data/graphics/bg1.jpg");
    const auto ui = Asset("Data/graphics/UI.png");
    const auto lion = Asset("Data/graphics/hint_lion.png");
    if (!bg1 || !ui || !lion) return nullptr;
    // Windowed; the settings file is named after the program.
    testrig::WriteFileBytes(userDir + "lantern-vale-at-level.ini", "FULL SCREEN=0\n");
    if (!LaunchGame({"1"})) return nullptr;
    window = FindWindow(20000);
    if (window == 0) return nullptr;
    auto loading = WaitForFinishedLoading();
    if (!loading) return nullptr;
    ClickLoadingButton(*loading);
    const int pageX = 400 - lion->Width() / 2;
    const int pageY = 300 - lion->Height() / 2;
    auto page = WaitForShot(20000, [&](const platform::Pixmap& shot) {
      return Difference(shot, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) < 16.0;
    });
    if (!page) return nullptr;
    Save(page, "play-page.png");
    EXPECT_LT(Difference(*page, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200), 16.0)
        << "no lion page";
    EXPECT_LT(Difference(*page, *bg1, 0, 0, 0, 100, 100, 400), 12.0) << "no chapter background";
    EXPECT_LT(Difference(*page, *ui, 0, 0, 540, 0, 25, 50), 16.0) << "no bar along the top";
    ClickAt(*page, 400, 300);
    auto after = WaitForShot(10000, [&](const platform::Pixmap& shot) {
      return Difference(shot, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) > 40.0;
    });
    EXPECT_TRUE(after && Difference(*after, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) > 40.0)
        << "the page did not roll up";
    Sleep(1800);  // the intro and the board's column flash
    return Screenshot();
  }

  // Super+Q, held as a person holds it: the game saves and ends.
  void SuperQLeaves() {
    Xdotool("keydown super");
    Xdotool("keydown q");
    Sleep(150);
    Xdotool("keyup q");
    Xdotool("keyup super");
    const std::optional<int> code = gameProcess.Wait(5000);
    ASSERT_TRUE(code.has_value()) << "the game did not end within 5 s of Super+Q";
    EXPECT_EQ(*code, 0);
    EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
    EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
    EXPECT_TRUE(fs::exists(userDir + "profiles/Tester.dat"));
  }
};

TEST_F(PlayWindowFlow, LevelPageRollsUpAndSuperQSavesAndLeaves) {
  const auto board = ToBoard();
  ASSERT_TRUE(board);
  Save(board, "play-board.png");
  SuperQLeaves();
}

TEST_F(PlayWindowFlow, PageSwapScoresAndSuperQSavesAndLeaves) {
  const auto gems = Asset("Data/graphics/gems.png");
  ASSERT_TRUE(gems);
  int lw = 0, lh = 0;
  ASSERT_TRUE(LevelSize(1, lw, lh));
  const int boardX = (800 - 50 * lw) / 2;
  const int boardY = (600 - 50 * lh) / 2;
  const auto before = ToBoard();
  ASSERT_TRUE(before);
  Save(before, "play-before-swap.png");

  // The board from the screenshot: each cell against the seven gem frames.
  std::vector<std::vector<int>> cell(lw, std::vector<int>(lh, 0));
  for (int y = 0; y < lh; ++y) {
    for (int x = 0; x < lw; ++x) {
      double best = 1e9;
      int type = 0;
      for (int t = 0; t < 7; ++t) {
        // The frame's inner part, shifted onto the cell.
        const double d = Difference(*before, *gems, boardX + 50 * x - 50 * t, boardY + 50 * y,
                                    50 * t + 8, 8, 34, 34);
        if (d < best) {
          best = d;
          type = t + 1;
        }
      }
      cell[x][y] = best < 20.0 ? type : 0;
    }
  }
  const auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= lw || y >= lh ? 0 : cell[x][y]; };
  const auto runAt = [&](int x, int y) {
    const int t = at(x, y);
    if (t == 0) return false;
    int h = 1, v = 1;
    for (int i = x - 1; at(i, y) == t; --i) ++h;
    for (int i = x + 1; at(i, y) == t; ++i) ++h;
    for (int j = y - 1; at(x, j) == t; --j) ++v;
    for (int j = y + 1; at(x, j) == t; ++j) ++v;
    return h >= 3 || v >= 3;
  };
  int sx = -1, sy = -1, tx = -1, ty = -1;
  for (int y = 0; y < lh && sx < 0; ++y) {
    for (int x = 0; x < lw && sx < 0; ++x) {
      for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
        if (at(x, y) == 0 || at(x + dx, y + dy) == 0 || at(x, y) == at(x + dx, y + dy)) continue;
        std::swap(cell[x][y], cell[x + dx][y + dy]);
        const bool run = runAt(x, y) || runAt(x + dx, y + dy);
        std::swap(cell[x][y], cell[x + dx][y + dy]);
        if (run) {
          sx = x, sy = y, tx = x + dx, ty = y + dy;
          break;
        }
      }
    }
  }
  ASSERT_GE(sx, 0) << "no swap found among the cells read from the screen";
  // Pressed as a hand presses, so the board's tick sees the button down.
  PressAt(*before, boardX + 50 * sx + 25, boardY + 50 * sy + 25, 120);
  Sleep(300);
  PressAt(*before, boardX + 50 * tx + 25, boardY + 50 * ty + 25, 120);
  const auto scoreChanged = [&](const platform::Pixmap& shot) {
    double sum = 0;
    for (int y = 5; y < 50; y += 2) {
      for (int x = 95; x < 280; x += 2) {
        int wx = 0, wy = 0;
        ToWindow(shot, static_cast<float>(x), static_cast<float>(y), wx, wy);
        sum += (shot.ReadPixel(wx, wy) != before->ReadPixel(wx, wy)) ? 1 : 0;
      }
    }
    return sum > 20;
  };
  auto after = WaitForShot(3000, scoreChanged);
  ASSERT_TRUE(after);
  Save(after, "play-after-swap.png");
  EXPECT_TRUE(scoreChanged(*after)) << "the score did not change within 3 s";
  EXPECT_GT(Difference(*after, *before), 1.0);

  SuperQLeaves();
}

}  // namespace
