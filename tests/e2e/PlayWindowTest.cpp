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
  void SetUp() override {
    PlayWindowTest::SetUp();
    if (IsSkipped()) return;
    gems = Asset("Data/graphics/gems.png");
    ASSERT_TRUE(gems);
    ASSERT_TRUE(LevelSize(1, lw, lh));
    boardX = (800 - 50 * lw) / 2;
    boardY = (600 - 50 * lh) / 2;
  }

  // The board from a screenshot: each cell against the seven gem frames (0 where none fits).
  std::vector<std::vector<int>> ReadCells(const platform::Pixmap& shot) {
    std::vector<std::vector<int>> cell(lw, std::vector<int>(lh, 0));
    for (int y = 0; y < lh; ++y) {
      for (int x = 0; x < lw; ++x) {
        double best = 1e9;
        int type = 0;
        for (int t = 0; t < 7; ++t) {
          // The frame's inner part, shifted onto the cell.
          const double d = Difference(shot, *gems, boardX + 50 * x - 50 * t, boardY + 50 * y,
                                      50 * t + 8, 8, 34, 34);
          if (d < best) {
            best = d;
            type = t + 1;
          }
        }
        cell[x][y] = best < 20.0 ? type : 0;
      }
    }
    return cell;
  }

  // A swap of two neighbours (first cell, then second) that lines three of a kind up.
  struct Swap {
    int sx, sy, tx, ty;
  };
  std::optional<Swap> FindSwap(std::vector<std::vector<int>> cell) const {
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
    for (int y = 0; y < lh; ++y) {
      for (int x = 0; x < lw; ++x) {
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
          if (at(x, y) == 0 || at(x + dx, y + dy) == 0 || at(x, y) == at(x + dx, y + dy)) continue;
          std::swap(cell[x][y], cell[x + dx][y + dy]);
          const bool run = runAt(x, y) || runAt(x + dx, y + dy);
          std::swap(cell[x][y], cell[x + dx][y + dy]);
          if (run) return Swap{x, y, x + dx, y + dy};
        }
      }
    }
    return std::nullopt;
  }

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
    window = FindWindow(kPatience);
    if (window == 0) return nullptr;
    auto loading = WaitForFinishedLoading();
    if (!loading) return nullptr;
    ClickLoadingButton(*loading);
    const int pageX = 400 - lion->Width() / 2;
    const int pageY = 300 - lion->Height() / 2;
    auto page = WaitForShot(kPatience, [&](const platform::Pixmap& shot) {
      return Difference(shot, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) < 16.0;
    });
    if (!page) return nullptr;
    Save(page, "play-page.png");
    EXPECT_LT(Difference(*page, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200), 16.0)
        << "no lion page";
    EXPECT_LT(Difference(*page, *bg1, 0, 0, 0, 100, 100, 400), 12.0) << "no chapter background";
    EXPECT_LT(Difference(*page, *ui, 0, 0, 540, 0, 25, 50), 16.0) << "no bar along the top";
    ClickAt(*page, 400, 300);
    auto after = WaitForShot(kPatience, [&](const platform::Pixmap& shot) {
      return Difference(shot, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) > 40.0;
    });
    EXPECT_TRUE(after && Difference(*after, *lion, pageX, pageY, 20, 40, lion->Width() - 40, 200) > 40.0)
        << "the page did not roll up";
    // The board takes clicks once the level's intro is over, which the level's clock shows: it
    // starts counting then. (Idle for long, the level would open a hint page over the board.)
    const auto clockMoved = [&](const platform::Pixmap& shot) {
      return after && shot.Width() == after->Width() && shot.Height() == after->Height() &&
             ChangedPixels(shot, *after, 620, 5, 90, 36) > 20;
    };
    auto board = WaitForShot(kPatience, clockMoved);
    EXPECT_TRUE(board && clockMoved(*board)) << "the level's clock did not start";
    return board;
  }

  // Pixels that differ between two shots of one size, every second one of a logical rectangle.
  static int ChangedPixels(const platform::Pixmap& a, const platform::Pixmap& b, int x, int y, int w,
                           int h) {
    int changed = 0;
    for (int ly = y; ly < y + h; ly += 2) {
      for (int lx = x; lx < x + w; lx += 2) {
        int wx = 0, wy = 0;
        ToWindow(a, static_cast<float>(lx), static_cast<float>(ly), wx, wy);
        changed += a.ReadPixel(wx, wy) != b.ReadPixel(wx, wy) ? 1 : 0;
      }
    }
    return changed;
  }

  // Super+Q, held as a person holds it: the game saves and ends.
  void SuperQLeaves() {
    // Held until the game has gone: it reads the keys' state once a tick.
    Xdotool("keydown super");
    Xdotool("keydown q");
    const std::optional<int> code = gameProcess.Wait(kPatience);
    Xdotool("keyup q");
    Xdotool("keyup super");
    ASSERT_TRUE(code.has_value()) << "the game did not end after Super+Q";
    EXPECT_EQ(*code, 0);
    EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
    EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
    EXPECT_TRUE(fs::exists(userDir + "profiles/Tester.dat"));
  }

  platform::PixmapPtr gems;
  int lw = 0, lh = 0, boardX = 0, boardY = 0;
};

TEST_F(PlayWindowFlow, LevelPageRollsUpAndSuperQSavesAndLeaves) {
  const auto board = ToBoard();
  ASSERT_TRUE(board);
  Save(board, "play-board.png");
  SuperQLeaves();
}

TEST_F(PlayWindowFlow, PageSwapScoresAndSuperQSavesAndLeaves) {
  const auto board = ToBoard();
  ASSERT_TRUE(board);
  // The swap is chosen from a shot of the board at rest: the pointer off it, and the flash that
  // sweeps across the gems as the level starts (and now and then after) gone by, for a lit gem
  // reads as none.
  PointAt(*board, 400, 580);
  std::optional<Swap> swap;
  const auto before = WaitForShot(kPatience, [&](const platform::Pixmap& shot) {
    swap = FindSwap(ReadCells(shot));
    return swap.has_value();
  });
  ASSERT_TRUE(before);
  Save(before, "play-before-swap.png");
  ASSERT_TRUE(swap) << "no swap found among the cells read from the screen";
  const auto [sx, sy, tx, ty] = *swap;
  const auto scoreChanged = [&](const platform::Pixmap& shot) {
    return ChangedPixels(shot, *before, 95, 5, 185, 45) > 20;
  };
  // The board reads the button's state once a tick, so a press must last past a tick however
  // slowly the frames come: the first is held as a hand holds it, the second until it scores.
  PressAt(*before, boardX + 50 * sx + 25, boardY + 50 * sy + 25, 1000);
  Sleep(300);
  auto after = HoldUntil(*before, boardX + 50 * tx + 25, boardY + 50 * ty + 25, scoreChanged);
  ASSERT_TRUE(after);
  Save(after, "play-after-swap.png");
  EXPECT_TRUE(scoreChanged(*after)) << "the score did not change";
  EXPECT_GT(Difference(*after, *before), 1.0);

  SuperQLeaves();
}

}  // namespace
