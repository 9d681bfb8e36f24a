// A player's road through the front end in the real window: the title's "play" into the
// introduction and the level map, the map's choice into the first level's page, the
// instructions, the play screen, Ctrl+J to the level's end and back to the map, the options
// with two dragged sliders and the full-screen toggle, the credits, and out; then a second
// start whose options show what the first one saved.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "GameWindow.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;

namespace {

using e2e::Sleep;

class FrontEndWindowTest : public e2e::GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (IsSkipped()) return;
    title = Asset("Data/graphics/title.jpg");
    play = Asset("Data/menus/play.png");
    intro = Asset("Data/graphics/chpt 0.jpg");
    chapter1 = Asset("Data/graphics/chpt 1.jpg");
    book = Asset("Data/graphics/book open.jpg");
    map = Asset("Data/graphics/levelselect.jpg");
    heading = Asset("Data/graphics/selectlevel.png");
    instructions = Asset("Data/graphics/instructions.png");
    bg1 = Asset("Data/graphics/bg1.jpg");
    lion = Asset("Data/graphics/hint_lion.png");
    optionsTop = Asset("Data/menus/OptionsTop.png");
    dot = Asset("Data/graphics/Dot.png");
    off = Asset("Data/menus/off.png");
    ASSERT_TRUE(title && play && intro && chapter1 && book && map && heading && instructions && bg1 &&
                lion && optionsTop && dot && off);
  }

  bool TitleShows(const platform::Pixmap& s) { return TitleMenuShows(s); }
  bool FullPicture(const platform::Pixmap& s, const platform::Pixmap& picture) {
    return Difference(s, picture, 0, 0, 0, 0, 800, 440) < 14.0;
  }
  // Chapter 1 at rest: the map scrolled to (-479, 0) at its own size, the heading centred at
  // (400, 50). Clouds drift over both, so the bounds allow for some of them.
  bool MapShows(const platform::Pixmap& s) {
    return Difference(s, *map, -479, 0, 479 + 40, 120, 720, 330) < 30.0 &&
           Difference(s, *heading, 400 - heading->Width() / 2, 50 - heading->Height() / 2, 0, 0,
                      heading->Width(), heading->Height()) < 30.0;
  }
  // At rest after the entry zoom: patches of the map at their places at its own size. A drifting
  // cloud may cover some; mid-zoom, the scaled map matches none.
  bool MapAtRest(const platform::Pixmap& s) {
    int matching = 0;
    for (const auto& [x, y] : {std::pair{20, 120}, {180, 300}, {420, 300}, {600, 300}, {20, 380},
                               {250, 400}, {550, 400}, {650, 200}}) {
      matching += Difference(s, *map, -479, 0, 479 + x, y, 100, 70) < 12.0 ? 1 : 0;
    }
    return matching >= 4;
  }
  bool InstructionsShow(const platform::Pixmap& s) {
    return Difference(s, *instructions, 0, 0, 0, 0, 800, 130) < 20.0;
  }
  bool PlayScreenShows(const platform::Pixmap& s) { return Difference(s, *bg1, 0, 0, 0, 100, 100, 400) < 14.0; }
  bool PageShows(const platform::Pixmap& s) {
    return Difference(s, *lion, 400 - lion->Width() / 2, 300 - lion->Height() / 2, 20, 40, lion->Width() - 40,
                      200) < 16.0;
  }

  // Waits for a screen; saves the shot under `name` when it is given.
  platform::PixmapPtr Expect(const char* what, const std::function<bool(const platform::Pixmap&)>& shows,
                             const std::string& name = "", int timeoutMs = e2e::kPatience) {
    auto shot = WaitForShot(timeoutMs, shows);
    if (!shot || !shows(*shot)) {
      ADD_FAILURE() << "no " << what;
      if (shot) Save(shot, "frontend-failed-" + std::string(what) + ".png");
      return nullptr;
    }
    if (!name.empty()) Save(shot, name);
    return shot;
  }

  std::string Settings() { return testrig::ReadFileBytes(userDir + "lantern-vale.ini"); }
  int Setting(const std::string& key) {
    const std::string text = Settings();
    const size_t at = text.find(key + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 1);
  }

  // Clicks the full-screen toggle at its place in a window of the shot's size; the settings
  // hold the new state as soon as the switch is made.
  void ClickToggle(const platform::Pixmap& shot, int expected) {
    ClickAt(shot, 455 + 40, 403 + 20);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(e2e::kPatience);
    while (Setting("FULL SCREEN") != expected && std::chrono::steady_clock::now() < end) Sleep(100);
    EXPECT_EQ(Setting("FULL SCREEN"), expected);
    window = FindWindow(e2e::kPatience);
    ASSERT_NE(window, 0u);
  }

  platform::PixmapPtr title, play, intro, chapter1, book, map, heading, instructions, bg1, lion,
      optionsTop, dot, off;
};

TEST_F(FrontEndWindowTest, TitleMapBookLevelOptionsAndASecondStart) {
  testrig::PrepareUserWithProfile(userDir, userDir + "lantern-vale.ini", "Heather", "FULL SCREEN=0\n");
  ASSERT_TRUE(LaunchGame());
  auto shot = ClickPastLoading();
  ASSERT_TRUE(shot);
  ASSERT_TRUE(shot = Expect("title", [&](const platform::Pixmap& s) { return TitleShows(s); }));
  ClickAt(*shot, 288 + play->Width() / 2, 490 + play->Height() / 2);
  ASSERT_TRUE(shot = Expect("introduction", [&](const platform::Pixmap& s) { return FullPicture(s, *intro); }));
  ClickAt(*shot, 400, 300);
  ASSERT_TRUE(shot = Expect("introduction's page", [&](const platform::Pixmap& s) { return BookShows(s); }));
  // One click completes the page, the next turns it.
  ClickUntil(*shot, 400, 300, [&](const platform::Pixmap& s) { return BookShows(s); },
             [&](const platform::Pixmap& s) { return MapShows(s); });

  // The map after its entry zoom, chapter 1 current.
  ASSERT_TRUE(shot = Expect("level map", [&](const platform::Pixmap& s) { return MapShows(s); }));
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MapAtRest(s); });
  ASSERT_TRUE(shot);
  Save(shot, "frontend-1-map.png");
  EXPECT_TRUE(MapAtRest(*shot)) << "the map did not come to rest at chapter 1";
  Xdotool("key Return");
  ASSERT_TRUE(shot = Expect("chapter picture", [&](const platform::Pixmap& s) { return FullPicture(s, *chapter1); },
                            "frontend-2-chapter.png"));
  ClickAt(*shot, 400, 300);
  ASSERT_TRUE(shot = Expect("level page", [&](const platform::Pixmap& s) { return BookShows(s); }));
  Save(Screenshot(), "frontend-3-level-page.png");
  ClickUntil(*shot, 400, 300, [&](const platform::Pixmap& s) { return BookShows(s); },
             [&](const platform::Pixmap& s) { return InstructionsShow(s); });
  ASSERT_TRUE(shot = Expect("instructions", [&](const platform::Pixmap& s) { return InstructionsShow(s); },
                            "frontend-4-instructions.png"));
  ClickAt(*shot, 400, 300);
  ASSERT_TRUE(shot = Expect("play screen", [&](const platform::Pixmap& s) { return PlayScreenShows(s) && PageShows(s); },
                            "frontend-5-play.png"));
  ClickAt(*shot, 400, 300);
  ASSERT_TRUE(shot = Expect("play screen without its page",
                            [&](const platform::Pixmap& s) { return PlayScreenShows(s) && !PageShows(s); }));
  // Ctrl+J, held as a hand holds it, ends the level once its intro is over; it is sent again
  // until it takes (the intro, the outro and the scroll ignore it). Clicks roll the
  // level-complete scroll up and continue to the map.
  // Both only while the play screen shows, so that no click lands on the map as it comes.
  shot = WaitForShot(2 * e2e::kPatience, [&](const platform::Pixmap& s) {
    if (MapShows(s)) return true;
    if (!PlayScreenShows(s)) return false;
    Xdotool("keydown ctrl");
    Xdotool("key j");
    Sleep(150);
    Xdotool("keyup ctrl");
    ClickAt(s, 400, 570);
    Sleep(700);
    return false;
  });
  ASSERT_TRUE(shot && MapShows(*shot)) << "not back on the map after the level";
  shot = WaitForShot(e2e::kPatience, [&](const platform::Pixmap& s) { return MapAtRest(s); });
  if (!shot || !MapAtRest(*shot)) Save(shot, "frontend-failed-map-after-the-level.png");
  ASSERT_TRUE(shot && MapAtRest(*shot)) << "the map did not come to rest after the level";
  Save(shot, "frontend-6-map-after-the-level.png");
  Xdotool("key Escape");
  ASSERT_TRUE(shot = Expect("title again", [&](const platform::Pixmap& s) { return TitleShows(s); }));

  // The options: two sliders dragged, the display toggled there and back.
  ClickAt(*shot, -15 + 130, 210 + 30);
  ASSERT_TRUE(shot = Expect("options", [&](const platform::Pixmap& s) { return OptionsShow(s); }, "frontend-7-options.png"));
  // Each held until its knob stands at the place, as a hand drags a knob.
  HoldUntil(*shot, 413, 256, [&](const platform::Pixmap& s) { return Difference(s, *dot, 402, 246, 3, 3, 14, 14) < 30.0; });
  HoldUntil(*shot, 383, 352, [&](const platform::Pixmap& s) { return Difference(s, *dot, 372, 342, 3, 3, 14, 14) < 30.0; });
  ClickToggle(*shot, 1);
  // Full screen: the game draws for the whole 1024 x 768 screen of the private server (which,
  // without a window manager, may still show it in the old window's frame).
  shot = Screenshot();
  Save(shot, "frontend-8-full-screen.png");
  const platform::Pixmap screen(1024, 768);
  ClickToggle(shot && shot->Width() >= 1024 ? *shot : screen, 0);
  ASSERT_TRUE(shot = Expect("options in a window again", [&](const platform::Pixmap& s) { return OptionsShow(s); }));
  ClickAt(*shot, 334 + 80, 454 + 22);
  ASSERT_TRUE(shot = Expect("credits", [&](const platform::Pixmap& s) { return CreditsShow(s); },
                            "frontend-9-credits.png"));
  Xdotool("key Escape");
  ASSERT_TRUE(shot = Expect("options again", [&](const platform::Pixmap& s) { return OptionsShow(s); }));
  Xdotool("key Escape");
  ASSERT_TRUE(shot = Expect("title at the end", [&](const platform::Pixmap& s) { return TitleShows(s); }));
  EscapeEndsCleanly();
  EXPECT_NEAR(Setting("SOUND VOLUME"), 40, 1);
  EXPECT_NEAR(Setting("PARTICLES"), 30, 1);
  EXPECT_EQ(Setting("FULL SCREEN"), 0);

  // A second start: the options show what was saved.
  ASSERT_TRUE(LaunchGame());
  shot = ClickPastLoading();
  ASSERT_TRUE(shot);
  ASSERT_TRUE(shot = Expect("title on the second start", [&](const platform::Pixmap& s) { return TitleShows(s); }));
  ClickAt(*shot, -15 + 130, 210 + 30);
  const auto knobsAndToggle = [&](const platform::Pixmap& s) {
    return OptionsShow(s) && Difference(s, *dot, 402, 246, 3, 3, 14, 14) < 30.0 &&
           Difference(s, *dot, 372, 342, 3, 3, 14, 14) < 30.0 &&
           Difference(s, *off, 455, 403, 4, 4, off->Width() - 8, off->Height() - 8) < 30.0;
  };
  ASSERT_TRUE(shot = Expect("saved options", knobsAndToggle, "frontend-10-saved-options.png"));
  ClickAt(*shot, 334 + 80, 454 + 22);
  ASSERT_TRUE(Expect("credits on the second start", [&](const platform::Pixmap& s) { return CreditsShow(s); }));
  Xdotool("key Escape");
  ASSERT_TRUE(Expect("options from the credits", [&](const platform::Pixmap& s) { return OptionsShow(s); }));
  Xdotool("key Escape");
  ASSERT_TRUE(shot = Expect("title before the end", [&](const platform::Pixmap& s) { return TitleShows(s); }));
  // Out by the title's own "exit" button this time.
  ClickAt(*shot, -15 + 130, 270 + 30);
  const std::optional<int> code = gameProcess.Wait(e2e::kPatience);
  ASSERT_TRUE(code.has_value()) << "the game did not end after \"exit\"";
  EXPECT_EQ(*code, 0);
  EXPECT_TRUE(fs::exists(userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(userDir + "ErrorLog.txt"));
}

}  // namespace
