// A new player in the real window: the name prompt, the greeting and menu, "play" into the
// story's introduction (its picture, then the typed page), on to the level map and back out;
// then a second start that goes straight to the menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "GameWindow.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;

namespace {

class StoryWindowTest : public e2e::GameWindowTest {
 protected:
  // The title with its menu and no prompt: "play" at its place, the picture beside the column.
  bool MenuShows(const platform::Pixmap& shot) { return TitleMenuShows(shot); }
  bool PromptShows(const platform::Pixmap& shot) {
    return Difference(shot, *prompt, 175, 130, 20, 20, 410, 80) < 20.0;
  }
  // The level map: plainly none of the book's pictures nor the title.
  bool MapShows(const platform::Pixmap& shot) {
    return Difference(shot, *book, 0, 0, 0, 0, 800, 600) > 30.0 &&
           Difference(shot, *intro, 0, 0, 0, 0, 800, 600) > 30.0 &&
           Difference(shot, *title, 0, 0, 0, 0, 800, 600) > 30.0;
  }

  void SetUp() override {
    GameWindowTest::SetUp();
    if (IsSkipped()) return;
    title = Asset("Data/graphics/title.jpg");
    prompt = Asset("Data/graphics/whatisyourname.png");
    play = Asset("Data/menus/play.png");
    intro = Asset("Data/graphics/chpt 0.jpg");
    book = Asset("Data/graphics/book open.jpg");
    ASSERT_TRUE(title && prompt && play && intro && book);
  }

  platform::PixmapPtr title, prompt, play, intro, book;
};

TEST_F(StoryWindowTest, NewPlayerReadsTheIntroductionAndComesBack) {
  // Windowed (no window manager for full screen), and no player yet.
  testrig::WriteFileBytes(userDir + "lantern-vale.ini", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  auto shot = ClickPastLoading();
  ASSERT_TRUE(shot);

  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return PromptShows(s); });
  ASSERT_TRUE(shot && PromptShows(*shot)) << "no name prompt";
  Save(shot, "story-1-prompt.png");
  Xdotool("type --delay 120 heather");
  e2e::Sleep(300);
  ClickAt(*shot, 400, 418 + 25);  // the prompt's OK button

  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MenuShows(s) && !PromptShows(s); });
  ASSERT_TRUE(shot && MenuShows(*shot)) << "no title menu";
  Save(shot, "story-2-title.png");
  // The typed name made the profile at once, and the greeting is written in white over the
  // top of the picture, where the picture itself has next to no white.
  EXPECT_TRUE(fs::exists(userDir + "profiles/Heather.dat")) << "no profile after the prompt";
  EXPECT_GT(BrightPixels(*shot, 315, 15, 200, 30), BrightPixels(*title, 315, 15, 200, 30) + 40)
      << "no greeting";
  ClickAt(*shot, 288 + play->Width() / 2, 490 + play->Height() / 2);

  auto onPicture = [&](const platform::Pixmap& s) { return Difference(s, *intro, 0, 0, 0, 0, 800, 440) < 14.0; };
  shot = WaitForShot(e2e::kPatience, onPicture);
  ASSERT_TRUE(shot && onPicture(*shot)) << "no introduction picture";
  Save(shot, "story-3-picture.png");
  ClickAt(*shot, 400, 300);

  // The open book: its left page (the writing stays on the right).
  auto onBook = [&](const platform::Pixmap& s) { return Difference(s, *book, 0, 0, 40, 280, 160, 260) < 14.0; };
  shot = WaitForShot(e2e::kPatience, onBook);
  ASSERT_TRUE(shot && onBook(*shot)) << "no open book";
  ClickAt(*shot, 400, 300);  // the page completes at once
  // Text on the darkened writing area: bright pixels where the page itself is dark.
  auto brightText = [&](const platform::Pixmap& s) { return BrightPixels(s, 245, 152, 340, 26 * 11); };
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return brightText(s) > 400; });
  ASSERT_TRUE(shot);
  Save(shot, "story-4-page.png");
  EXPECT_GT(brightText(*shot), 400) << "the typed page shows no text";
  ClickAt(*shot, 400, 300);

  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MapShows(s); });
  ASSERT_TRUE(shot && MapShows(*shot)) << "no level map";
  e2e::Sleep(1500);  // its entry zoom
  Save(Screenshot(), "story-5-map.png");
  Xdotool("key Escape");
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MenuShows(s); });
  ASSERT_TRUE(shot && MenuShows(*shot)) << "not back at the title";
  EscapeEndsCleanly();
  std::vector<std::string> profiles;
  for (const auto& e : fs::directory_iterator(userDir + "profiles")) profiles.push_back(e.path().filename().string());
  EXPECT_EQ(profiles, std::vector<std::string>{"Heather.dat"});
  EXPECT_NE(testrig::ReadFileBytes(userDir + "lantern-vale.ini").find("PROFILE NAME=Heather"), std::string::npos);

  // A second start goes from the loading screen straight to the menu.
  ASSERT_TRUE(LaunchGame());
  shot = ClickPastLoading();
  ASSERT_TRUE(shot);
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MenuShows(s) && !PromptShows(s); });
  if (!shot || !MenuShows(*shot) || PromptShows(*shot)) Save(shot, "story-failed-second-start.png");
  ASSERT_TRUE(shot && MenuShows(*shot) && !PromptShows(*shot)) << "the second start asked again";
  Save(shot, "story-6-second-start.png");
  Xdotool("key Escape");
  const std::optional<int> again = gameProcess.Wait(e2e::kPatience);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(*again, 0);
}

}  // namespace
