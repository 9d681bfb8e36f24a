// The screens no control reaches, in the whole program run in-process: led to by the screen
// protocol's own path, and the game-over screen also by the one way the game gives, a run
// that loses its last life.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Events.h"
#include "play/THintScroll.h"
#include "play/TGameScreen.h"
#include "gfx/TAnimation.h"
#include "screens/GameOverScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TOutroScreen.h"
#include "screens/TTitleScreen.h"
#include "support/AtLevelEntry.h"
#include "support/ProfileFiles.h"
#include "support/ProgramRun.h"
#include "support/TestRig.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

namespace {

using testrig::ProgramRun;

bool Settled(const std::shared_ptr<TScreen>& screen) {
  return screen && Game->CurrentTScreen == screen && Game->GameFade->Active == 0;
}

void ClickButton(const std::shared_ptr<TMenu>& menu, const char16_t* name) {
  const TButtonPtr b = menu ? menu->FindButton(name) : nullptr;
  ASSERT_TRUE(b) << "no button";
  ProgramRun::Click(static_cast<int>(b->x) + b->w / 2, static_cast<int>(b->y) + b->h / 2);
}

class EndScreensRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    run = std::make_unique<ProgramRun>();
    testrig::PrepareUserWithProfile(run->userDir, run->settingsFile, "Ann");
  }
  void TearDown() override { testrig::RemoveAtLevelEntry(); }
  bool UserFile(const std::string& name) const { return std::filesystem::exists(run->userDir + name); }

  std::unique_ptr<ProgramRun> run;
};

TEST_F(EndScreensRunTest, TheOutroEndsTheProgramOnTheFirstContinue) {
  enum Way { kClick, kEnter, kSpace, kEscape };
  for (const Way way : {kClick, kEnter, kSpace, kEscape}) {
    SCOPED_TRACE(way);
    if (way != kClick) {
      run.reset();  // restores the environment before the next run sets its own
      run = std::make_unique<ProgramRun>();
      testrig::PrepareUserWithProfile(run->userDir, run->settingsFile, "Ann");
    }
    int stage = 0;
    bool clickPlayed = false;
    int fadeLength = 0;
    const int code = run->Run([&](int pass) {
      if (pass == 0) ProgramRun::ClickLoadingButton();
      if (stage == 0 && Settled(TitleScreen)) {
        ProgramRun::LeadTo(OutroScreen);
        stage = 1;
      } else if (stage == 1 && Settled(OutroScreen)) {
        if (way == kClick) ProgramRun::Click(400, 300);
        if (way == kEnter) ProgramRun::Type(u"\r");
        if (way == kSpace) ProgramRun::Type(u" ");
        if (way == kEscape) ProgramRun::Key(KEY_ESCAPE);
        stage = 2;
      } else if (stage == 2) {
        // Escape is the application's own key: its sound has a channel of its own as well.
        const platform::ChannelPtr channel =
            way == kEscape ? Game->EscapeChannel : OutroScreen->ClickChannel;
        clickPlayed = channel && platform::ChannelPlaying(channel);
        fadeLength = Game->GameFade->Length;
        stage = 3;
      }
    }, 2000);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(stage, 3);
    EXPECT_TRUE(clickPlayed);
    EXPECT_EQ(fadeLength, 100);
    EXPECT_TRUE(UserFile("GoodExit.dat"));
    EXPECT_FALSE(UserFile("ErrorLog.txt"));
    EXPECT_TRUE(run->errors.empty());
  }
}

// A run that loses its last life in a running level fades slowly, with the music, to the
// game-over screen; a score worth a place takes a name; the table screen then shows it.
TEST_F(EndScreensRunTest, LosingTheLastLifeLeadsToTheNameEntryAndTheTableShowsIt) {
  ASSERT_TRUE(testrig::InstallAtLevelEntry(1));
  enum { kLevel, kDying, kGameOver, kTyped, kTitle, kTable, kBack, kDone } stage = kLevel;
  int since = 0;
  int fadeLength = 0;
  bool fadeTakesMusic = false;
  std::vector<std::u16string> screens;
  const int code = run->Run(
      [&](int pass) {
        ++since;
        if (pass == 0) ProgramRun::ClickLoadingButton();
        if (Game && Game->CurrentTScreen &&
            (screens.empty() || screens.back() != Game->CurrentTScreen->name)) {
          screens.push_back(Game->CurrentTScreen->name);
        }
        switch (stage) {
          case kLevel:
            if (!Settled(GameScreen)) break;
            if (HintScroll->Active != 0) {
              if (HintScroll->Unroll->Active == 0 && since > 5) {
                ProgramRun::Click(400, 300);
                since = 0;
              }
              break;
            }
            if (GameScreen->IntroAnim && GameScreen->IntroAnim->Active != 0) break;
            GameScreen->Player->Score = 5000;
            GameScreen->Player->Lives = 0;
            GameScreen->Player->DeathCounter = 1;
            stage = kDying;
            break;
          case kDying:
            fadeLength = Game->GameFade->Length;
            fadeTakesMusic = Game->GameFade->Channel == Game->MusicChannel;
            EXPECT_EQ(Game->DestinationTScreen, GameOverScreen);
            stage = kGameOver;
            break;
          case kGameOver:
            if (!Settled(GameOverScreen)) break;
            EXPECT_EQ(Game->BlockKeys, 1);
            ProgramRun::Type(u"Zoe");
            stage = kTyped;
            since = 0;
            break;
          case kTyped:
            if (since == 10) ProgramRun::Type(u"\r");
            if (Settled(TitleScreen)) {
              ProgramRun::LeadTo(HighScoresScreen);
              stage = kTitle;
            }
            break;
          case kTitle:
            if (!Settled(HighScoresScreen)) break;
            stage = kTable;
            since = 0;
            break;
          case kTable:
            if (since == 300) {
              ClickButton(HighScoresScreen->Menu, u"OK");
              stage = kBack;
            }
            break;
          case kBack:
            if (Settled(TitleScreen)) {
              ProgramRun::Key(KEY_ESCAPE);
              stage = kDone;
            }
            break;
          case kDone:
            break;
        }
      },
      6000);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(stage, kDone);
  EXPECT_EQ(fadeLength, 300);
  EXPECT_TRUE(fadeTakesMusic);
  EXPECT_EQ(screens, (std::vector<std::u16string>{u"loading", u"game", u"gameover", u"title",
                                                  u"highscores", u"title"}));
  THighScoreList table;
  table.Create(S(run->userDir) + u"vale", 10);
  table.Load();
  ASSERT_EQ(table.Count(), 10);
  EXPECT_EQ(table.Items()[5]->name, u"Zoe");  // above the older 5000
  EXPECT_EQ(table.Items()[5]->score, 5000);
  EXPECT_EQ(table.Items()[5]->level, 1);
  EXPECT_EQ(table.Items()[6]->name, u"Jasper");
  auto profile = TProfile::Create(u"Ann");
  profile->Load();
  EXPECT_EQ(profile->CurrentLevel, 1);
  EXPECT_EQ(profile->Score, 0);
  EXPECT_EQ(profile->Lives, 3);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
}

}  // namespace
