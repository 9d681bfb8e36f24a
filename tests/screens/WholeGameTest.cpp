// The whole game, headless, in-process: the real start-up on the dummy drivers with a fake
// clock that moves a fixed step per frame (so the random generator's seed, and with it the
// whole run, is the same every time), the generated data folder and a fresh user folder. A
// new player names themself, reads the introduction, wins level 1 with the autoplayer's moves
// made through the real board with the mouse, visits the options and the credits and leaves
// by "exit". A second form starts at level 50 and ends the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/BoardGlobals.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TExitScreen.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "core/TProfile.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameFade.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TCreditsScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/TTitleScreen.h"
#include "support/ProfileFiles.h"
#include "support/ProgramRun.h"
#include "support/TestRig.h"
#include "support/autoplay/BoardSnapshot.h"
#include "text/TLabel.h"
#include "ui/TButton.h"
#include "ui/TDialogTextInput.h"
#include "ui/TMenu.h"
#include "ui/TSlider.h"
#include "ui/TTextInput.h"

namespace {

namespace fs = std::filesystem;
using testrig::ProgramRun;
using Step = ProgramRun::Step;

constexpr int kSoundVolume = 30;

bool Settled(const std::shared_ptr<TScreen>& screen) {
  return screen && Game->CurrentTScreen == screen && Game->GameFade->Active == 0;
}

void ClickButton(const std::shared_ptr<TMenu>& menu, const char16_t* name) {
  const TButtonPtr b = menu ? menu->FindButton(name) : nullptr;
  ASSERT_TRUE(b) << platform::ToUtf8(name);
  ProgramRun::Click(static_cast<int>(b->x) + b->w / 2, static_cast<int>(b->y) + b->h / 2);
}

// Clicks every 40 passes while the story book is current and settled, until `until` holds.
std::function<bool()> ClickThroughBook(std::function<bool()> until) {
  auto since = std::make_shared<int>(0);
  return [=] {
    if (until()) return true;
    if (Settled(BookScreen) && ++*since % 40 == 0) ProgramRun::Click(400, 300);
    return false;
  };
}

// Plays the running level with the move search's choices: one move whenever the board has
// been at rest for a while, made as a person makes it (press and release on the gem, then on
// its neighbour, each over a tick). Once-only pages are closed as soon as they have unrolled.
class Autoplayer {
 public:
  int moves = 0;
  int score = 0;  // the player record when the level-complete scroll opens
  int kills = 0;
  double timeTaken = 0;

  // True once the level-complete scroll shows.
  bool Pass() {
    if (!Settled(GameScreen)) return false;
    if (LevelCompleteScreen->Active != 0) {
      const TPlayer& p = *GameScreen->Player;
      score = p.Score;
      kills = p.Kills;
      timeTaken = p.TimeTaken;
      return true;
    }
    if (!pending_.empty()) {
      pending_.front()();
      pending_.erase(pending_.begin());
      return false;
    }
    if (HintScroll->Active != 0) {
      if (HintScroll->Unroll->Active == 0 && HintScroll->Active == 1) ProgramRun::Click(400, 300);
      quiet_ = 0;
      return false;
    }
    if (GameMenu->Active != 0 || !GameGrid || GameScreen->IntroAnim->Active != 0 ||
        GameScreen->OutroAnim->Active != 0 || GameGrid->TargetMet != 0) {
      quiet_ = 0;
      return false;
    }
    if (!AtRest()) return false;
    const auto best = autoplay::BestSwap(autoplay::SnapshotOfBoard());
    if (!best) return false;
    ++moves;
    const int sx = CalcSX(best->x) + 25, sy = CalcSY(best->y) + 25;
    const int tx = CalcSX(best->tx) + 25, ty = CalcSY(best->ty) + 25;
    ProgramRun::Press(sx, sy);
    pending_ = {[=] { ProgramRun::Release(sx, sy); }, [=] { ProgramRun::Press(tx, ty); },
                [=] { ProgramRun::Release(tx, ty); }};
    quiet_ = 0;
    return false;
  }

 private:
  // Nothing on the board has moved, burst or changed for kQuietPasses passes.
  bool AtRest() {
    std::vector<float> now;
    const autoplay::Snapshot snap = autoplay::SnapshotOfBoard();
    now.insert(now.end(), snap.type.begin(), snap.type.end());
    if (GemList) {
      GemList->ForEach([&](const TGemPtr& gem) {
        now.push_back(gem->x);
        now.push_back(gem->y);
      });
    }
    const bool busy = GameGrid->BlockInput != 0 || GameGrid->SwapCounter > 0 ||
                      GameGrid->SwapSource || GameGrid->NoMoreCounter > 0 ||
                      GameGrid->Mode != 0;
    quiet_ = (!busy && now == last_) ? quiet_ + 1 : 0;
    last_ = std::move(now);
    return quiet_ >= kQuietPasses;
  }

  static constexpr int kQuietPasses = 10;
  std::vector<float> last_;
  int quiet_ = 0;
  std::vector<std::function<void()>> pending_;
};

class WholeGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
  }

  struct Outcome {
    int code = 0;
    int passes = 0;
    std::vector<std::u16string> screens;
    std::string profile;
    std::string settings;
    std::string table;
    Autoplayer play;
    bool exitAsked = false;
    std::vector<std::string> errors;
    std::string userDir;
  };

  // Every screen change, in order (the screens' names).
  static std::function<void(int)> RecordScreens(Outcome& out) {
    return [&out](int pass) {
      out.passes = pass + 1;
      if (!Game || !Game->CurrentTScreen) return;
      const std::u16string& name = Game->CurrentTScreen->name;
      if (out.screens.empty() || out.screens.back() != name) out.screens.push_back(name);
    };
  }

  // The main run: a new player from the loading screen to "exit".
  static Outcome MainRun() {
    Outcome out;
    ProgramRun run;
    Autoplayer& play = out.play;
    std::vector<Step> steps;
    steps.push_back({"the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
                     [] { return Settled(TitleScreen) && TitleScreen->EnterName; }});
    steps.push_back({"the name typed", [] { ProgramRun::Type(u"heather"); },
                     [] { return TitleScreen->EnterName->TextInput->Text == u"heather"; }});
    steps.push_back({"Enter on the name", [] { ProgramRun::Type(u"\r"); }, [] {
                       return !TitleScreen->EnterName && TitleScreen->Welcome &&
                              TitleScreen->Welcome->Text == u"Welcome, Heather";
                     }});
    steps.push_back({"Enter is play", [] { ProgramRun::Key(KEY_ENTER); },
                     [] { return Settled(BookScreen); }});
    steps.push_back({"through the introduction", [] { EXPECT_EQ(BookScreen->ShowTornado, 1); },
                     ClickThroughBook([] { return Settled(LevelSelectScreen); })});
    steps.push_back({"the map's entry zoom", nullptr,
                     [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; }});
    steps.push_back({"chapter 2 is refused",
                     [] {
                       const auto& marker = LevelSelectScreen->Coords[1];
                       const int x = static_cast<int>(marker->X + LevelSelectScreen->ScrollX);
                       const int y = static_cast<int>(marker->Y + LevelSelectScreen->ScrollY);
                       ASSERT_TRUE(x >= 0 && x < 800 && y >= 0 && y < 600) << x << "," << y;
                       ProgramRun::Click(x, y);
                     },
                     [waited = std::make_shared<int>(0)] {
                       if (++*waited < 30) return false;
                       EXPECT_EQ(LevelSelectScreen->ZoomIn, 1);
                       EXPECT_EQ(Game->GameFade->Active, 0);
                       return true;
                     }});
    steps.push_back({"Enter on the map", [] { ProgramRun::Key(KEY_ENTER); },
                     [] { return Settled(BookScreen); }});
    steps.push_back({"the level's page", [] {
                       EXPECT_EQ(BookScreen->Chapter, 1);
                       EXPECT_EQ(BookScreen->SubLevel, 1);
                     },
                     ClickThroughBook([] { return Settled(InstructionsScreen); })});
    steps.push_back({"the instructions, once", [] { ProgramRun::Click(400, 300); },
                     [] { return Settled(GameScreen); }});
    steps.push_back({"level 1 won", nullptr, [&play] { return play.Pass(); }, 60000});
    steps.push_back({"the scroll rolled up and on", nullptr,
                     [since = std::make_shared<int>(0)] {
                       ++*since;
                       if (*since == 100) ProgramRun::Click(400, 300);
                       if (*since > 100 && *since % 40 == 0 && Game->CurrentTScreen == GameScreen &&
                           LevelCompleteScreen->Active == 2) {
                         ProgramRun::Click(400, 300);
                       }
                       return Settled(LevelSelectScreen);
                     }});
    steps.push_back({"Escape to the title", [] { ProgramRun::Key(KEY_ESCAPE); },
                     [] { return Settled(TitleScreen); }});
    steps.push_back({"options", [] { ClickButton(TitleScreen->Menu, u"titleoptions"); },
                     [] { return Settled(OptionsScreen); }});
    // The sound slider taken at its knob and dragged to the value.
    steps.push_back({"the sound slider pressed",
                     [] {
                       const TSlider& s = *OptionsScreen->SoundSlider;
                       ProgramRun::Press(s.DotX + 5, static_cast<int>(s.y) + s.h / 2);
                     },
                     nullptr});
    steps.push_back({"the sound slider dragged",
                     [] {
                       const TSlider& s = *OptionsScreen->SoundSlider;
                       const int span = s.w - 2 * s.Border;
                       const int x = static_cast<int>(s.x) + s.Border + span * kSoundVolume / 100;
                       ProgramRun::Press(x, static_cast<int>(s.y) + s.h / 2);  // still held
                     },
                     [] { return OptionsScreen->SoundSlider->Value == kSoundVolume; }});
    steps.push_back({"the sound slider let go",
                     [] {
                       const TSlider& s = *OptionsScreen->SoundSlider;
                       ProgramRun::Release(s.DotX + 5, static_cast<int>(s.y) + s.h / 2);
                     },
                     nullptr});
    steps.push_back({"credits", [] { ClickButton(OptionsScreen->Menu, u"credits"); },
                     [] { return Settled(CreditsScreen); }});
    steps.push_back({"back to the options", [] { ClickButton(CreditsScreen->Menu, u"OK"); },
                     [] { return Settled(OptionsScreen); }});
    steps.push_back({"back to the title", [] { ClickButton(OptionsScreen->Menu, u"OK"); },
                     [] { return Settled(TitleScreen); }});
    steps.push_back({"exit", [&out] {
                       ClickButton(TitleScreen->Menu, u"exit");
                       out.exitAsked = true;
                     },
                     [] { return false; }});
    out.code = run.Run(ProgramRun::StepScript(std::move(steps), RecordScreens(out)), 80000);
    out.userDir = run.userDir;
    out.errors = run.errors;
    out.profile = testrig::ReadFileBytes(run.userDir + "profiles/Heather.dat");
    out.settings = testrig::ReadFileBytes(run.settingsFile);
    out.table = testrig::ReadFileBytes(run.userDir + "vale.dat");
    return out;
  }
};

TEST_F(WholeGameTest, ANewPlayerWinsTheFirstLevelAndLeaves) {
  const Outcome a = MainRun();
  ASSERT_EQ(a.code, 0);
  EXPECT_TRUE(a.exitAsked);
  EXPECT_TRUE(a.errors.empty()) << (a.errors.empty() ? "" : a.errors.front());
  EXPECT_EQ(a.screens, (std::vector<std::u16string>{
                           u"loading", u"title", u"book", u"levelselect", u"book", u"instructions",
                           u"game", u"levelselect", u"title", u"options", u"credits", u"options",
                           u"title"}));
  EXPECT_EQ(Game->DestinationTScreen, Game->ExitScreen);
  const auto file = [&](const char* name) { return fs::exists(a.userDir + name); };
  EXPECT_TRUE(file("GoodExit.dat"));
  EXPECT_TRUE(file("inichanged.dat"));
  EXPECT_FALSE(file("ErrorLog.txt"));

  // The profile as a fresh record reads it.
  Game->ProfilePath = S(a.userDir) + u"profiles/";
  const auto stored = TProfile::Create(u"Heather");
  ASSERT_EQ(stored->Load(), 1);
  EXPECT_EQ(stored->CurrentLevel, 2);
  EXPECT_EQ(stored->LockedLevel, 3);
  EXPECT_EQ(stored->Lives, 3);
  EXPECT_GT(a.play.score, 0);
  EXPECT_GT(a.play.kills, 0);
  EXPECT_GT(a.play.timeTaken, 0);
  EXPECT_EQ(stored->Score, a.play.score);
  EXPECT_EQ(stored->Kills, a.play.kills);
  EXPECT_DOUBLE_EQ(stored->TimeTaken, a.play.timeTaken);
  EXPECT_EQ(stored->HintsShown[0], 1);
  EXPECT_EQ(stored->HintsShown[15], 1);

  // The settings: every key once, in the writer's order, with the player and the volume.
  const std::array<const char*, 24> keys = {
      "VERSION NO", "FULL SCREEN", "SOUND", "MUSIC", "SPEECH", "SOUND VOLUME", "MUSIC VOLUME",
      "SPEECH VOLUME", "FADE", "PARTICLES", "PORTAL SPLASH", "PORTAL SPLASH2", "INTRO", "VSYNC",
      "DRIVER", "SOUND DRIVER", "FULL SCREEN PROCESS PRIORITY", "FULL SCREEN THREAD PRIORITY",
      "WINDOWED PROCESS PRIORITY", "WINDOWED THREAD PRIORITY", "PROFILE NAME", "REGION",
      "SUB-REGION", "CUSTOM MOUSE POINTER"};
  std::vector<std::string> written;
  for (size_t line = 0; line < a.settings.size();) {
    const size_t end = std::min(a.settings.find('\n', line), a.settings.size());
    const std::string text = a.settings.substr(line, end - line);
    if (!text.empty() && text != "\r") written.push_back(text.substr(0, text.find('=')));
    line = end + 1;
  }
  EXPECT_EQ(written, std::vector<std::string>(keys.begin(), keys.end()));
  EXPECT_NE(a.settings.find("PROFILE NAME=Heather"), std::string::npos);
  EXPECT_NE(a.settings.find("SOUND VOLUME=" + std::to_string(kSoundVolume)), std::string::npos);

  // The high-score table was never touched.
  THighScoreList defaults;
  defaults.Create(S(a.userDir) + u"default-table", 10);
  defaults.CreateDefault();
  EXPECT_EQ(a.table, testrig::ReadFileBytes(a.userDir + "default-table.dat"));

  std::printf("[ whole game ] %d passes, %d moves, score %d\n", a.passes, a.play.moves, a.play.score);

  // The same run again: the same files and the same number of passes.
  const Outcome b = MainRun();
  EXPECT_EQ(b.code, 0);
  EXPECT_EQ(b.passes, a.passes);
  EXPECT_EQ(b.profile, a.profile);
  EXPECT_EQ(b.settings, a.settings);
}

// A player at level 50 finishes the game: the level ends by the play screen's own Ctrl+J, the
// scroll leads to the game-finished page, which leads to the title; the run is reset on disk
// with the locked level written when level 50 was chosen.
TEST_F(WholeGameTest, TheLastLevelEndsTheGameAndResetsTheRun) {
  ProgramRun run;
  testrig::WriteProfileFile(run.userDir + "profiles/", "Tester", [](TProfile& p) {
    p.CurrentLevel = 50;
    p.LockedLevel = 51;
    p.HintsShown.fill(1);
  });
  testrig::WriteFileBytes(run.settingsFile, "PROFILE NAME=Tester\n");
  Outcome out;
  std::vector<Step> steps;
  steps.push_back({"the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
                   [] { return Settled(TitleScreen); }});
  steps.push_back({"greeted", [] {
                     ASSERT_TRUE(TitleScreen->Welcome);
                     EXPECT_EQ(TitleScreen->Welcome->Text, u"Welcome, Tester");
                     ProgramRun::Key(KEY_ENTER);
                   },
                   [] { return Settled(LevelSelectScreen) && LevelSelectScreen->Zoom->Active == 0; }});
  steps.push_back({"chapter 10 on the map", [] {
                     EXPECT_EQ(LevelSelectScreen->Chapter, 10);
                     ProgramRun::Key(KEY_ENTER);
                   },
                   [] { return Settled(BookScreen); }});
  steps.push_back({"the last page", [] {
                     EXPECT_EQ(BookScreen->Chapter, 10);
                     EXPECT_EQ(BookScreen->SubLevel, 5);
                   },
                   ClickThroughBook([] { return Settled(GameScreen); })});
  steps.push_back({"the intro", nullptr, [] {
                     return Settled(GameScreen) && GameScreen->IntroAnim->Active == 0 &&
                            HintScroll->Active == 0;
                   }});
  steps.push_back({"Ctrl+J",
                   [] {
                     platform::PostEvent(platform::Event{platform::EVENT_KEYDOWN, KEY_LCONTROL, 0, 0});
                     ProgramRun::Key('J');
                   },
                   [] { return LevelCompleteScreen->Active == 1; }});
  steps.push_back({"Ctrl let go", [] {
                     platform::PostEvent(platform::Event{platform::EVENT_KEYUP, KEY_LCONTROL, 0, 0});
                     EXPECT_EQ(LevelCompleteScreen->GameFinished, 1);
                   },
                   nullptr});
  steps.push_back({"the scroll rolled up and on", nullptr,
                   [since = std::make_shared<int>(0)] {
                     ++*since;
                     if (*since % 40 == 0 && Game->CurrentTScreen == GameScreen &&
                         (LevelCompleteScreen->Active == 1 || LevelCompleteScreen->Active == 2)) {
                       ProgramRun::Click(400, 300);
                     }
                     return Settled(GameFinishedScreen);
                   }});
  steps.push_back({"the end", [] { ProgramRun::Click(400, 300); },
                   [] { return Game->GameFade->Active == 1; }});
  steps.push_back({"a slow fade to the title",
                   [] {
                     EXPECT_EQ(Game->GameFade->Length, 300);
                     EXPECT_EQ(Game->GameFade->Channel, Game->MusicChannel);
                   },
                   [] { return Settled(TitleScreen); }});
  steps.push_back({"the title's music again", [] {
                     EXPECT_EQ(Game->MusicFileName, u"title.ogg");
                     ClickButton(TitleScreen->Menu, u"exit");
                   },
                   [] { return false; }});
  const int code = run.Run(ProgramRun::StepScript(std::move(steps), RecordScreens(out)), 40000);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(run.errors.empty()) << (run.errors.empty() ? "" : run.errors.front());
  EXPECT_EQ(out.screens, (std::vector<std::u16string>{u"loading", u"title", u"levelselect", u"book",
                                                        u"game", u"gamefinished", u"title"}));
  Game->ProfilePath = S(run.userDir) + u"profiles/";
  const auto stored = TProfile::Create(u"Tester");
  ASSERT_EQ(stored->Load(), 1);
  EXPECT_EQ(stored->CurrentLevel, 1);
  EXPECT_EQ(stored->Score, 0);
  EXPECT_EQ(stored->Lives, 3);
  EXPECT_EQ(stored->Kills, 0);
  EXPECT_EQ(stored->TimeTaken, 0.0);
  EXPECT_EQ(stored->LockedLevel, 51);
  EXPECT_TRUE(fs::exists(run.userDir + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(run.userDir + "ErrorLog.txt"));
}

// Every frame a player sees on the title, the map and a level being played (its intro, moves
// with their cascades and the in-game menu) is the picture the drawing has always given: each
// is read back and compared with a checksum kept in tests/screens/frames.txt. A frame that
// differs is written as a PNG into the build folder. LV_WRITE_FRAME_SUMS=1 writes the file anew.
TEST_F(WholeGameTest, EveryFrameOfTheTitleTheMapAndPlayIsTheReferencePicture) {
  const std::string path = std::string(LV_SOURCE_DIR) + "/tests/screens/frames.txt";
  const char* write = std::getenv("LV_WRITE_FRAME_SUMS");
  const bool writing = write && std::string(write) == "1";
  std::vector<std::pair<std::string, uint64_t>> expected;
  if (!writing) {
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    for (std::string label, sum; in >> label >> sum;) expected.emplace_back(label, std::stoull(sum, nullptr, 16));
  }
  std::vector<std::pair<std::string, uint64_t>> shots;
  int differing = 0;
  const auto take = [&](const std::string& label) {
    const platform::PixmapPtr frame = platform::GrabPixmap(0, 0, 800, 600);
    ASSERT_TRUE(frame);
    uint64_t sum = 1469598103934665603ull;  // FNV-1a over the pixels
    const uint32_t* p = frame->Pixels();
    for (size_t i = 0, n = static_cast<size_t>(frame->Width()) * frame->Height(); i < n; ++i) {
      for (int shift = 0; shift < 32; shift += 8) {
        sum ^= (p[i] >> shift) & 0xFFu;
        sum *= 1099511628211ull;
      }
    }
    const size_t at = shots.size();
    shots.emplace_back(label, sum);
    if (writing || at >= expected.size() || expected[at] == shots.back()) return;
    ADD_FAILURE() << "frame " << label << " differs from " << expected[at].first;
    if (++differing <= 3)
      platform::SavePixmapPNG(*frame, S(std::string(LV_BINARY_DIR) + "/frame-" + label + ".png"));
  };
  // `count` frames `every` passes apart, labelled with the stage and the pass within it.
  const auto frames = [&take](const std::string& stage, int count, int every,
                              std::function<void()> alongside = nullptr) {
    return [=, since = std::make_shared<int>(0)] {
      if (alongside) alongside();
      const int n = (*since)++;
      if (n % every == 0) take(stage + "-" + std::to_string(n));
      return n >= (count - 1) * every;
    };
  };

  // The pointer starts where a fresh process has it, whatever ran here before.
  platform::MoveMouse(0, 0);
  platform::DrainInputEvents();
  ProgramRun run;
  Autoplayer play;
  std::vector<Step> steps;
  steps.push_back({"the loading screen's button", [] { ProgramRun::ClickLoadingButton(); },
                   [] { return Settled(TitleScreen) && TitleScreen->EnterName; }});
  steps.push_back({"the name prompt", nullptr, frames("prompt", 3, 9)});
  steps.push_back({"the name typed", [] { ProgramRun::Type(u"heather"); }, nullptr});
  steps.push_back({"Enter on the name", [] { ProgramRun::Type(u"\r"); },
                   [] { return !TitleScreen->EnterName && Settled(TitleScreen); }});
  steps.push_back({"the title", nullptr, frames("title", 6, 11)});
  steps.push_back({"Enter is play", [] { ProgramRun::Key(KEY_ENTER); },
                   ClickThroughBook([] { return Settled(LevelSelectScreen); })});
  steps.push_back({"the map's entry zoom", nullptr, frames("zoom", 8, 7)});
  steps.push_back({"the map", nullptr,
                   [] { return LevelSelectScreen->Zoom->Active == 0; }});
  steps.push_back({"the map at rest", nullptr, frames("map", 6, 13)});
  steps.push_back({"Enter on the map", [] { ProgramRun::Key(KEY_ENTER); },
                   ClickThroughBook([] { return Settled(InstructionsScreen); })});
  steps.push_back({"the instructions, once", [] { ProgramRun::Click(400, 300); },
                   [] { return Game->CurrentTScreen == GameScreen; }});
  steps.push_back({"the intro", nullptr, frames("intro", 10, 5)});
  steps.push_back({"moves and cascades", nullptr,
                   frames("play", 90, 9, [&play] { EXPECT_FALSE(play.Pass()); })});
  steps.push_back({"the in-game menu", [] { ProgramRun::Key(KEY_ESCAPE); },
                   frames("menu", 6, 10)});
  steps.push_back({"done", [] { throw ProgramRun::Stop{}; }, nullptr});
  const int code = run.Run(ProgramRun::StepScript(std::move(steps)), 20000);
  ASSERT_EQ(code, ProgramRun::kStopped);
  EXPECT_TRUE(run.errors.empty()) << (run.errors.empty() ? "" : run.errors.front());
  EXPECT_GT(play.moves, 3);

  if (writing) {
    std::ofstream out(path);
    for (const auto& [label, sum] : shots) out << label << ' ' << std::hex << sum << std::dec << '\n';
    return;
  }
  EXPECT_EQ(shots.size(), expected.size());
}

}  // namespace
