// The gallery: every screen and state of the game drawn headless by the real program and kept
// as a PNG in build/gallery/, named so the files sort in the order a player meets them. The
// runs walk the game as a player does (clicks, keys, typing); the screens no control reaches
// are led to by the screen protocol's own path. A run that cannot reach a state fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "core/TProfile.h"
#include "gfx/TAnimation.h"
#include "gfx/TFade.h"
#include "gfx/TGameFade.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TCreditsScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TOutroScreen.h"
#include "screens/TTitleScreen.h"
#include "support/ProfileFiles.h"
#include "support/ProgramRun.h"
#include "support/ScreenShots.h"
#include "support/TestRig.h"
#include "support/TextGuard.h"
#include "gfx/TBox.h"
#include "ui/TButton.h"
#include "ui/TDialogOK.h"
#include "ui/TListBox.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TTextInput.h"
#include "ui/TMenu.h"
#include "ui/TPlayerManager.h"

namespace {

using testrig::ProgramRun;
using Step = ProgramRun::Step;

bool Settled(const std::shared_ptr<TScreen>& screen) {
  return screen && Game->CurrentTScreen == screen && Game->GameFade->Active == 0;
}

bool DialogStill(const std::shared_ptr<TDialog>& d) { return d && d->Transitioning == 0; }

std::string Two(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

void ClickButton(const std::shared_ptr<TMenu>& menu, const char16_t* name) {
  const TButtonPtr b = menu ? menu->FindButton(name) : nullptr;
  ASSERT_TRUE(b) << platform::ToUtf8(name);
  ProgramRun::Click(static_cast<int>(b->x) + b->w / 2, static_cast<int>(b->y) + b->h / 2);
}

// The pointer out of the way of what is shown, in a pass of its own (a move in the pass of a
// click would move the click), and not near an edge, where the level map would scroll.
void ParkPointer() { ProgramRun::MoveTo(70, 440); }

// The heads-up bar's plate a text stands on, read from the bar's picture (at rest at the top
// of the screen): from the text's middle out to the plate's gold rim on either side, and the
// rim above and below.
testrig::TextGuard::Box PlateUnder(const testrig::TextGuard::Box& text) {
  const platform::Pixmap& bar = *GameScreen->UI->image->frames[0];
  const auto rim = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= bar.Width() || y >= bar.Height()) return true;
    const uint32_t p = bar.ReadPixel(x, y);
    const int r = (p >> 16) & 0xFF, b = p & 0xFF;
    return (p >> 24) > 128 && r > 70 && r > b + 15;  // gold over the plate's night blue
  };
  const int cx = static_cast<int>((text.x0 + text.x1) / 2), cy = static_cast<int>((text.y0 + text.y1) / 2);
  int l = cx, r = cx, t = cy, d = cy;
  while (!rim(l - 1, cy)) --l;
  while (!rim(r + 1, cy)) ++r;
  while (!rim(cx, t - 1)) --t;
  while (!rim(cx, d + 1)) ++d;
  return {static_cast<float>(l), static_cast<float>(t), static_cast<float>(r + 1), static_cast<float>(d + 1)};
}

// What the guard finds that another change is to mend: a case is known by what it is, and
// named with the mend it waits for.
struct Known {
  const char* mend;
  std::function<bool(const testrig::TextGuard::Finding&)> is;
};

const std::vector<Known>& KnownFaults() {
  static const std::vector<Known> known = {
      {"the HUD's score digits rise above the top of the screen: the HUD font's metrics or its "
       "panel must be mended",
       [](const testrig::TextGuard::Finding& f) {
         return f.fault == "leaves the screen" && f.box.y0 < 0 && !f.what.empty() &&
                f.what.find_first_not_of("0123456789") == std::string::npos;
       }},
      {"the hint pages' headings are painted where the upper roller covers them: the page "
       "painter must move them down",
       [](const testrig::TextGuard::Finding& f) {
         return f.where.find("-hint-") != std::string::npos && f.fault == "painted under a roller";
       }},
  };
  return known;
}

// Steps of a gallery run, with the text guard looking at every picture taken.
struct Script {
  std::vector<Step> steps;
  std::shared_ptr<testrig::TextGuard> guard = std::make_shared<testrig::TextGuard>();

  void Do(std::string what, std::function<void()> act, std::function<bool()> ready = nullptr,
          int limit = 1500) {
    steps.push_back({std::move(what), std::move(act), std::move(ready), limit});
  }
  void Wait(std::string what, std::function<bool()> ready, int limit = 1500) {
    Do(std::move(what), nullptr, std::move(ready), limit);
  }
  void Pause(int passes) {
    Wait("a pause", [left = std::make_shared<int>(passes)] { return --*left <= 0; });
  }
  // The pointer parked, `settle` passes for the screen to come to rest, then the picture.
  // `over` is set where a box stands over other text on purpose (a message over a list).
  void Shot(const std::string& name, int settle = 20, bool over = false) {
    Do("park for " + name, ParkPointer);
    Pause(settle);
    Do("shot " + name, [name, over, g = guard] {
      EXPECT_TRUE(testrig::SaveScreen(name)) << name;
      g->CheckOnScreen(name);
      if (!over) g->CheckApart(name);
    });
  }
  // The chooser's names, each inside the list's box.
  void ListInBox(const std::string& name) {
    Do("the names in their box " + name, [name, g = guard] {
      const auto m = TitleScreen->PlayerManager;
      ASSERT_TRUE(m && m->ListBox && m->ListBox->Box);
      const TBox& b = *m->ListBox->Box;
      std::vector<std::string> names;
      for (const String& n : m->ListBox->Strings) names.push_back(platform::ToUtf8(n));
      g->CheckInside(name, "the list's box", {b.X, b.Y, b.X + b.W, b.Y + b.H}, names);
    });
  }
  // The plain parchment every scroll page is painted on.
  static platform::PixmapPtr Parchment() {
    return platform::LoadPixmap(Game->ImagePath + u"scrollbody.png");
  }
  // Pages through the story book that is showing, a picture of each page once it is whole,
  // until `after` is current.
  template <class Screen>
  void Book(const std::string& prefix, const std::shared_ptr<Screen>* after) {
    Wait("the book", [] { return Settled(BookScreen); });
    struct Paging {
      int page = -1;
      int since = 0;
      int shown = 0;
    };
    Wait(prefix + " paged through",
         [prefix, after, p = std::make_shared<Paging>(), g = guard] {
           if (Settled(*after)) return true;
           if (!Settled(BookScreen)) return false;
           if (BookScreen->TextPage != 0 && BookScreen->Writing != 0) {
             ProgramRun::Click(400, 300);  // the page typed out at once
             return false;
           }
           if (p->page != BookScreen->Page) {
             p->page = BookScreen->Page;
             p->since = 0;
             ParkPointer();
             return false;
           }
           // Long enough for the pointer's sparkle trail to fade from the page.
           if (++p->since == 60) {
             const bool picture = BookScreen->TextPage == 0;
             const std::string name = prefix + "-" + std::to_string(++p->shown) +
                                      (picture ? "-picture" : "-text");
             EXPECT_TRUE(testrig::SaveScreen(name)) << name;
             g->CheckOnScreen(name);
             ProgramRun::Click(400, 300);
           }
           return false;
         },
         6000);
  }
  // The hint page that is unrolling (or about to) photographed fully open, then clicked shut.
  void HintPage(const std::string& name) {
    Wait("the page open: " + name, [] {
      return HintScroll->Active == 1 && HintScroll->Unroll && HintScroll->Unroll->Active == 0;
    });
    Shot(name);
    Do("the page against its rollers " + name, [name, g = guard] {
      g->CheckScroll(name, HintScroll->ScrollTop, HintScroll->ScrollBottom, HintScroll->Image,
                     Parchment(), [] { HintScroll->Draw(); }, nullptr);
    });
    Do("the page clicked shut", [] { ProgramRun::Click(400, 300); },
       [] { return HintScroll->Active == 0; });
  }
  // The play screen's intro over and no page open.
  void LevelRunning() {
    Wait("the level running", [] {
      return Settled(GameScreen) && GameScreen->IntroAnim->Active == 0 && HintScroll->Active == 0;
    });
  }
  // Escape opens the in-game menu; "saveandexit" there leads to the title.
  void SaveAndExit() {
    Do("the in-game menu", [] { ProgramRun::Key(KEY_ESCAPE); },
       [] { return GameMenu->Active != 0 && GameMenu->FadeIn->Active == 0; });
    Pause(10);
    Do("save and exit", [] { ClickButton(GameMenu->Menu, u"saveandexit"); },
       [] { return Settled(TitleScreen); });
  }
  // From the title: the profile set at `level` (all once-only pages seen), "play" to the map.
  void ToMapAt(int level) {
    Do("the profile at level " + std::to_string(level),
       [level] {
         Game->CurrentProfile->CurrentLevel = level;
         Game->CurrentProfile->LockedLevel = std::max(Game->CurrentProfile->LockedLevel, level + 1);
         Game->CurrentProfile->HintsShown.fill(1);
         ProgramRun::Key(KEY_ENTER);
       },
       [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; });
  }
  // Ctrl+J ends the running level; the scroll unrolls and its figures come in.
  void FinishLevel(const std::string& name) {
    Do("Ctrl+J",
       [] {
         platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, KEY_LCONTROL, 0, 0});
         ProgramRun::Key('J');
       },
       [] { return LevelCompleteScreen->Active == 1; }, 3000);
    Do("Ctrl let go",
       [] { platform::PostEvent(platform::Event{platform::EVENT_KEYUP, KEY_LCONTROL, 0, 0}); });
    Wait("the scroll open", [] {
      return LevelCompleteScreen->Active == 1 && LevelCompleteScreen->Unroll->Active == 0;
    });
    Shot(name + "-1-open", 200);
    Do("the scroll against its rollers", [name, g = guard] {
      const auto& s = LevelCompleteScreen;
      g->CheckScroll(name, s->ScrollTop, s->ScrollBottom, s->Image, Parchment(), [] { LevelCompleteScreen->Draw(); },
                     nullptr);
    });
    Do("rolled up", [] { ProgramRun::Click(400, 300); },
       [] { return LevelCompleteScreen->Active == 2; });
    Shot(name + "-2-rolled-up", 60);
  }

  int Run(ProgramRun& run, int maxPasses = 60000) {
    const int code = run.Run(
        ProgramRun::StepScript(std::move(steps), [g = guard](int) { g->NewFrame(); }), maxPasses);
    EXPECT_TRUE(run.errors.empty()) << (run.errors.empty() ? "" : run.errors.front());
    return code;
  }
  // Fails on what the guard found that nobody is mending; what is known and still there skips
  // the test with the mends it waits for.
  void Judge() {
    std::vector<testrig::TextGuard::Finding> unknown;
    std::vector<std::string> waiting;
    for (const auto& f : guard->findings) {
      const auto k = std::find_if(KnownFaults().begin(), KnownFaults().end(),
                                  [&](const Known& known) { return known.is(f); });
      if (k == KnownFaults().end()) {
        unknown.push_back(f);
      } else if (std::find(waiting.begin(), waiting.end(), k->mend) == waiting.end()) {
        waiting.push_back(k->mend);
      }
    }
    EXPECT_TRUE(unknown.empty()) << "text a player cannot read whole:\n" << testrig::Describe(unknown);
    if (!unknown.empty() || waiting.empty()) return;
    std::string text = "known, waiting to be mended:";
    for (const std::string& m : waiting) text += "\n- " + m;
    std::printf("%s\n%s", text.c_str(), testrig::Describe(guard->findings).c_str());
    GTEST_SKIP() << text;
  }
};

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  }
  void TearDown() override { SetFadeFrameHook(nullptr); }
};

// A new player: the splashes, the loading screen, the name prompt, the title and its dialogs,
// the introduction, the map, the first level's page, the instructions, the first level with
// every once-only page, the in-game menu and the level-complete scroll.
TEST_F(Gallery, ANewPlayersWay) {
  // Each splash at its brightest: the fades draw and present frames of their own.
  std::vector<std::pair<const platform::Image*, platform::PixmapPtr>> splashes;
  float best = -1;
  SetFadeFrameHook([&](const TFade& fade) {
    if (splashes.empty() || splashes.back().first != fade.Image.get()) {
      splashes.push_back({fade.Image.get(), nullptr});
      best = -1;
    }
    if (fade.Ratio > best) {
      best = fade.Ratio;
      splashes.back().second = platform::GrabPixmap(0, 0, 800, 600);
    }
  });

  ProgramRun run;
  Script s;
  s.Pause(10);
  s.Do("the splashes kept", [&] {
    SetFadeFrameHook(nullptr);
    EXPECT_FALSE(splashes.empty());
    int n = 0;
    for (const auto& [image, shot] : splashes) {
      if (shot) platform::SavePixmapPNG(*shot, S(testrig::GalleryDir() + "01-splash-" + Two(++n) + ".png"), 3);
    }
  });
  s.Shot("02-loading");
  s.Do("the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
       [] { return Settled(TitleScreen) && DialogStill(TitleScreen->EnterName); });
  s.Shot("03-title-name-prompt");
  s.Do("a name typed", [] { ProgramRun::Type(u"heather"); });
  s.Shot("03-title-name-typed");
  s.Do("Enter on the name", [] { ProgramRun::Type(u"\r"); },
       [] { return !TitleScreen->EnterName && TitleScreen->Welcome; });
  s.Shot("04-title");

  // The player chooser and the dialogs it opens (any of them may be gone when looked for).
  const auto manager = [] { return TitleScreen->PlayerManager; };
  const auto managerOK = [] {
    const auto m = TitleScreen->PlayerManager;
    return m ? m->DialogOK : nullptr;
  };
  const auto prompt = [] {
    const auto m = TitleScreen->PlayerManager;
    return m ? m->EnterName : nullptr;
  };
  const auto promptOK = [] {
    const auto m = TitleScreen->PlayerManager;
    return m && m->EnterName ? m->EnterName->DialogOK : nullptr;
  };
  const auto question = [] {
    const auto m = TitleScreen->PlayerManager;
    return m ? m->DialogYesNo : nullptr;
  };
  s.Do("the chooser", [] { ClickButton(TitleScreen->Menu, u"changeplayer"); },
       [=] { return DialogStill(manager()); });
  s.Shot("05-dialog-1-choose-player");
  s.Do("delete the only player", [=] { ClickButton(manager()->Menu, u"Delete"); },
       [=] { return DialogStill(managerOK()); });
  s.Shot("05-dialog-2-cannot-delete");
  s.Do("its OK", [=] { ClickButton(managerOK()->Menu, u"OK"); },
       [=] { return manager() && !managerOK(); });
  s.Do("create", [=] { ClickButton(manager()->Menu, u"Create"); },
       [=] { return DialogStill(prompt()); });
  s.Shot("05-dialog-3-new-player");
  // Typed characters are read one a tick, Enter at once: Enter waits for the name.
  s.Do("a name taken", [] { ProgramRun::Type(u"heather"); },
       [=] { return prompt() && prompt()->TextInput->Text == u"Heather"; });
  s.Do("its Enter", [] { ProgramRun::Type(u"\r"); }, [=] { return DialogStill(promptOK()); });
  s.Shot("05-dialog-4-name-taken");
  s.Do("its OK", [=] { ClickButton(promptOK()->Menu, u"OK"); },
       [=] { return !promptOK() && DialogStill(prompt()); });
  s.Do("the name cleared", [] { ProgramRun::Type(u"\b\b\b\b\b\b\b\b\b\b"); },
       [=] { return prompt() && prompt()->TextInput->Text.empty(); });
  s.Do("a second player", [] { ProgramRun::Type(u"ivy"); },
       [=] { return prompt() && prompt()->TextInput->Text == u"Ivy"; });
  s.Do("its Enter", [] { ProgramRun::Type(u"\r"); },
       [] { return !TitleScreen->PlayerManager && Game->CurrentProfile &&
                   Game->CurrentProfile->Name == u"Ivy"; });
  s.Do("the chooser again", [] { ClickButton(TitleScreen->Menu, u"changeplayer"); },
       [=] { return DialogStill(manager()); });
  s.Shot("05-dialog-5-choose-from-two");
  s.Do("delete", [=] { ClickButton(manager()->Menu, u"Delete"); },
       [=] { return DialogStill(question()); });
  s.Shot("05-dialog-6-delete-question");
  s.Do("no", [=] { ClickButton(question()->Menu, u"No"); },
       [=] { return manager() && !question(); });
  s.Do("cancel", [=] { ClickButton(manager()->Menu, u"Cancel"); },
       [] { return !TitleScreen->PlayerManager; });
  s.Pause(30);

  // The story's introduction, the map, the first level's page and the instructions.
  s.Do("play", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
  s.Book("06-book-introduction", &LevelSelectScreen);
  s.Wait("the map's zoom", [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; });
  s.Shot("07-map-chapter01", 60);
  s.Do("Enter on the map", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
  s.Book("08-book-level01", &InstructionsScreen);
  s.Shot("09-instructions");
  s.Do("on to the level", [] { ProgramRun::Click(400, 300); },
       [] { return Game->CurrentTScreen == GameScreen; });

  // The first level: its own page over the intro, then every other once-only page.
  s.HintPage("10-play-level01-hint-01-lion");
  s.LevelRunning();
  s.Shot("10-play-level01", 100);
  const char16_t* pages[] = {u"key", u"fireball", u"axe", u"tornado", u"doubleaxe",
                             u"star", u"vines", u"gaugefull", u"removebricks", u"hint"};
  int n = 1;
  for (const char16_t* page : pages) {
    s.Do("show " + platform::ToUtf8(page), [page] {
      HintScroll->LoadSpecial(page);
      HintScroll->Show(1);
    });
    s.HintPage("10-play-level01-hint-" + Two(++n) + "-" + platform::ToUtf8(page));
  }
  s.Do("the in-game menu", [] { ProgramRun::Key(KEY_ESCAPE); },
       [] { return GameMenu->Active != 0 && GameMenu->FadeIn->Active == 0; });
  s.Shot("11-ingame-menu", 40);
  s.Do("the menu against its rollers", [g = s.guard] {
    g->CheckScroll("11-ingame-menu", GameMenu->ScrollTop, GameMenu->ScrollBottom, GameMenu->Image,
                   Script::Parchment(), [] { GameMenu->Draw(); }, GameMenu->Menu);
  });
  s.Do("closed again", [] { ProgramRun::Key(KEY_ESCAPE); }, [] { return GameMenu->Active == 0; });
  s.LevelRunning();
  s.FinishLevel("12-level-complete");
  s.Do("on to the map", [] { ProgramRun::Click(400, 300); },
       [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; });
  s.Shot("13-map-after-level01", 60);
  s.Do("leave", [] { ProgramRun::Key(KEY_ESCAPE); }, [] { return Settled(TitleScreen); });
  s.Do("exit", [] { ClickButton(TitleScreen->Menu, u"exit"); }, [] { return false; });
  EXPECT_EQ(s.Run(run), 0);
  s.Judge();
}

// A player further on: the map at chapters 5 and 10, the play screen at later levels, the end
// of the last level and the game-finished page; then the options and credits, and the screens
// the game never leads to: game over, the high-score table and the outro.
TEST_F(Gallery, FurtherOnAndTheEnd) {
  ProgramRun run;
  testrig::PrepareUserWithProfile(run.userDir, run.settingsFile, "Tester");
  Script s;
  s.Do("the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
       [] { return Settled(TitleScreen); });
  for (const int level : {21, 46}) {
    const std::string ch = Two((level - 1) / 5 + 1);
    s.ToMapAt(level);
    s.Shot("14-map-chapter" + ch, 60);
    s.Do("Enter on the map", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
    s.Book("15-book-level" + Two(level), &GameScreen);
    s.LevelRunning();
    s.Shot("16-play-level" + Two(level), 100);
    s.SaveAndExit();
  }
  s.ToMapAt(50);
  s.Do("Enter on the map", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
  s.Book("15-book-level50", &GameScreen);
  s.LevelRunning();
  s.Shot("16-play-level50", 100);
  s.FinishLevel("17-level-complete-last");
  s.Do("on", [] { ProgramRun::Click(400, 300); }, [] { return Settled(GameFinishedScreen); });
  s.Shot("18-game-finished", 100);
  s.Do("the end", [] { ProgramRun::Click(400, 300); }, [] { return Settled(TitleScreen); });

  s.Do("options", [] { ClickButton(TitleScreen->Menu, u"titleoptions"); },
       [] { return Settled(OptionsScreen); });
  s.Shot("19-options");
  s.Do("credits", [] { ClickButton(OptionsScreen->Menu, u"credits"); },
       [] { return Settled(CreditsScreen); });
  s.Shot("20-credits", 200);
  s.Do("back", [] { ClickButton(CreditsScreen->Menu, u"OK"); }, [] { return Settled(OptionsScreen); });
  s.Do("back", [] { ClickButton(OptionsScreen->Menu, u"OK"); }, [] { return Settled(TitleScreen); });

  // The last life lost in a running level leads to game over and its name entry.
  s.ToMapAt(3);
  s.Do("Enter on the map", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
  s.Book("15-book-level03", &GameScreen);
  s.LevelRunning();
  s.Do("the last life lost", [] {
    GameScreen->Player->Score = 5000;
    GameScreen->Player->Lives = 0;
    GameScreen->Player->DeathCounter = 1;
  }, [] { return Settled(GameOverScreen); });
  s.Shot("21-game-over-1", 100);
  s.Do("a name", [] { ProgramRun::Type(u"Zoe"); });
  s.Shot("21-game-over-2-name");
  s.Do("Enter", [] { ProgramRun::Type(u"\r"); }, [] { return Settled(TitleScreen); });
  s.Do("the table", [] { ProgramRun::LeadTo(HighScoresScreen); },
       [] { return Settled(HighScoresScreen); });
  s.Shot("22-high-scores", 200);
  s.Do("back", [] { ClickButton(HighScoresScreen->Menu, u"OK"); }, [] { return Settled(TitleScreen); });
  s.Do("the outro", [] { ProgramRun::LeadTo(OutroScreen); }, [] { return Settled(OutroScreen); });
  s.Shot("23-outro", 100);
  s.Do("leave", [] { ProgramRun::Key(KEY_ESCAPE); }, [] { return Settled(TitleScreen); });
  s.Do("exit", [] { ClickButton(TitleScreen->Menu, u"exit"); }, [] { return false; });
  EXPECT_EQ(s.Run(run), 0);
  s.Judge();
}

// The states a family meets over time: the chooser with one, five and six players (one of them
// chosen) and full; the heads-up bar at the first and the last level; the high-score table
// full of names.
TEST_F(Gallery, StatesAPlayerReaches) {
  ProgramRun run;
  testrig::PrepareUserWithProfile(run.userDir, run.settingsFile, "Ada");
  Script s;
  const auto manager = [] { return TitleScreen->PlayerManager; };
  s.Do("the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
       [] { return Settled(TitleScreen); });
  const auto chooser = [&](const std::string& name) {
    s.Do("the chooser", [] { ClickButton(TitleScreen->Menu, u"changeplayer"); },
         [=] { return DialogStill(manager()); });
    s.Shot(name);
    s.ListInBox(name);
  };
  chooser("40-players-1");
  s.Do("cancel", [=] { ClickButton(manager()->Menu, u"Cancel"); },
       [] { return !TitleScreen->PlayerManager; });
  s.Do("four more players", [dir = run.userDir + "profiles/"] {
    for (const char* name : {"Bernadette", "Cosimo", "Dorothea", "Evangeline"}) {
      testrig::WriteProfileFile(dir, name);
    }
  });
  chooser("40-players-5");
  s.Do("create", [=] { ClickButton(manager()->Menu, u"Create"); },
       [=] { return DialogStill(manager()->EnterName); });
  s.Do("a sixth", [] { ProgramRun::Type(u"wilhelmina"); },
       [=] { return manager() && manager()->EnterName &&
                    manager()->EnterName->TextInput->Text == u"Wilhelmina"; });
  s.Do("its Enter", [] { ProgramRun::Type(u"\r"); }, [] { return !TitleScreen->PlayerManager; });
  chooser("40-players-6-last-chosen");
  s.Do("a click on the fifth",
       [=] {
         const auto& list = *manager()->ListBox;
         ProgramRun::Click(static_cast<int>(list.Box->X + list.Box->W / 2),
                           static_cast<int>(list.Box->Y + 4.5f * static_cast<float>(list.LineHeight)));
       },
       [=] { return manager() && manager()->ListBox->Index == 4; });
  s.Shot("40-players-6-fifth-chosen");
  s.ListInBox("40-players-6-fifth-chosen");
  s.Do("create a seventh", [=] { ClickButton(manager()->Menu, u"Create"); },
       [=] { return DialogStill(manager()->DialogOK); });
  s.Shot("40-players-6-full", 20, true);
  s.Do("its OK", [=] { ClickButton(manager()->DialogOK->Menu, u"OK"); },
       [=] { return manager() && !manager()->DialogOK; });
  s.Do("OK on the fifth", [=] { ClickButton(manager()->Menu, u"OK"); },
       [] { return !TitleScreen->PlayerManager && Game->CurrentProfile->Name == u"Evangeline"; });

  for (const int level : {1, 50}) {
    const std::string name = "41-hud-level" + Two(level);
    if (level == 1) {
      // The first level's "play" shows the story's introduction before the map.
      s.Do("the profile at level 1",
           [] {
             Game->CurrentProfile->CurrentLevel = 1;
             Game->CurrentProfile->HintsShown.fill(1);
             ProgramRun::Key(KEY_ENTER);
           },
           [] { return Settled(BookScreen); });
      s.Book("41-book-introduction", &LevelSelectScreen);
      s.Wait("the map's zoom", [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; });
    } else {
      s.ToMapAt(level);
    }
    s.Do("Enter on the map", [] { ProgramRun::Key(KEY_ENTER); }, [] { return Settled(BookScreen); });
    s.Book("41-book-level" + Two(level), &GameScreen);
    s.LevelRunning();
    s.Shot(name, 100);
    s.Do("the stage text on its plate " + name, [name, g = s.guard] {
      const std::string text = platform::ToUtf8(GameScreen->Player->LevelText());
      const auto boxes = g->BoxesOf(text);
      ASSERT_FALSE(boxes.empty()) << text;
      g->CheckInside(name, "its plate", PlateUnder(boxes.back()), {text});
    });
    if (level == 1) {
      s.Do("Ctrl+Q: no more moves",
           [] {
             platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, KEY_LCONTROL, 0, 0});
             ProgramRun::Key('Q');
           },
           [] { return GameGrid && GameGrid->NoMore != 0 && GameGrid->JiggleDirection == 0; });
      s.Do("Ctrl let go",
           [] { platform::PostEvent(platform::Event{platform::EVENT_KEYUP, KEY_LCONTROL, 0, 0}); });
      s.Shot("41-hud-level01-no-more-moves", 40);
      s.Wait("the level started again", [] { return GameGrid && GameGrid->NoMore == 0; }, 3000);
      s.LevelRunning();
    }
    s.SaveAndExit();
  }

  s.Do("a table of ten names", [] {
    const char16_t* names[] = {u"Wilhelmina", u"Evangeline", u"Bartholomew", u"Dorothea",
                               u"Cosimo", u"Maximilian", u"Gwendolyn", u"Bernadette",
                               u"Ada", u"Jo"};
    int score = 987654;
    for (const char16_t* n : names) {
      Game->HighScores->RemoveLast();
      Game->HighScores->Insert(n, score, 50);
      score = score * 4 / 5;
    }
    ProgramRun::LeadTo(HighScoresScreen);
  }, [] { return Settled(HighScoresScreen); });
  s.Shot("42-high-scores-full", 200);
  s.Do("back", [] { ClickButton(HighScoresScreen->Menu, u"OK"); }, [] { return Settled(TitleScreen); });
  s.Do("exit", [] { ClickButton(TitleScreen->Menu, u"exit"); }, [] { return false; });
  EXPECT_EQ(s.Run(run), 0);
  s.Judge();
}

// Every chapter picture and every page of the story, level by level, as the book shows them
// before each level ("story-levelNN-..."). The book is led to straight from the title.
TEST_F(Gallery, EveryStoryPage) {
  ProgramRun run;
  testrig::PrepareUserWithProfile(run.userDir, run.settingsFile, "Tester");
  Script s;
  s.Do("the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
       [] { return Settled(TitleScreen); });
  for (int level = 1; level <= 50; ++level) {
    s.Do("the book at level " + std::to_string(level), [level] {
      Game->CurrentProfile->HintsShown.fill(1);
      GameScreen->Player->Level = level;
      BookScreen->ShowTornado = 0;
      BookScreen->FinalDestination = TitleScreen;
      ProgramRun::LeadTo(BookScreen);
    });
    s.Book("30-story-level" + Two(level), &TitleScreen);
  }
  s.Do("exit", [] { ClickButton(TitleScreen->Menu, u"exit"); }, [] { return false; });
  EXPECT_EQ(s.Run(run, 200000), 0);
  s.Judge();
}

}  // namespace
