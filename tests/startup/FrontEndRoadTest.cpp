// A player's road through the front end, in the real program: the title's "play" into the
// introduction and the map, the map's choice into the first level's page, the instructions the
// first time, the level played to its end, back on the map with the progress saved, then the
// options with a dragged slider and the credits, and out through "exit".
#include <filesystem>
#include <string>
#include <vector>

#include "StartupFixture.h"
#include "board/TPlayer.h"
#include "core/TProfile.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TCreditsScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "support/ProfileFiles.h"
#include "ui/TSlider.h"

namespace {

class FrontEndRoadTest : public startuptest::StartupFixture {
 protected:
  static bool Settled() { return Game->GameFade->Active == 0; }
  static bool MapAtRest() {
    return Game->CurrentTScreen == LevelSelectScreen && Settled() && LevelSelectScreen->Zoom &&
           LevelSelectScreen->Zoom->Active == 0;
  }
  // The global is read when the step acts: every run makes the screens anew.
  template <class T>
  static Step ClickMenuButton(const std::string& what, const std::shared_ptr<T>& global,
                              const char16_t* name) {
    return {what, [&global, name] {
              const TButtonPtr button = global && global->Menu ? global->Menu->FindButton(name) : nullptr;
              ASSERT_TRUE(button) << platform::ToUtf8(name);
              ClickButton(*button);
            },
            nullptr};
  }
};

TEST_F(FrontEndRoadTest, TitleMapBookLevelMapAndOptions) {
  testrig::PrepareUserWithProfile(userDir, settingsFile, "Heather");
  std::string settingsBefore;
  std::vector<Step> steps;
  steps.push_back(ClickThroughLoading());
  steps.push_back({"Enter is play", [] { Key(KEY_ENTER); }, nullptr});
  steps.push_back(WaitFor("the introduction", BookScreen));
  steps.push_back(ClickAnywhere("to the text"));
  steps.push_back(ClickAnywhere("complete the page"));
  steps.push_back(ClickAnywhere("leave the book"));
  steps.push_back({"the map at rest", nullptr, [] { return MapAtRest(); }});
  steps.push_back({"Enter chooses the current level", [] {
                     EXPECT_EQ(LevelSelectScreen->Chapter, 1);
                     Key(KEY_ENTER);
                   },
                   [] { return Game->CurrentTScreen == BookScreen && Settled(); }});
  steps.push_back({"the chapter's picture page", [] {
                     EXPECT_EQ(BookScreen->ShowTornado, 0);
                     EXPECT_EQ(BookScreen->Chapter, 1);
                     EXPECT_EQ(BookScreen->SubLevel, 1);
                     EXPECT_EQ(BookScreen->TextPage, 0);
                     EXPECT_EQ(BookScreen->FinalDestination, GameScreen);
                   },
                   nullptr});
  steps.push_back(ClickAnywhere("to the level's page"));
  steps.push_back(ClickAnywhere("complete it"));
  steps.push_back(ClickAnywhere("leave the book"));
  steps.push_back(WaitFor("the instructions the first time", InstructionsScreen));
  steps.push_back({"flag 15 spent and saved", [] {
                     EXPECT_EQ(InstructionsScreen->Destination, GameScreen);
                     EXPECT_EQ(Game->CurrentProfile->HintsShown[15], 1);
                   },
                   nullptr});
  steps.push_back(ClickAnywhere("close the instructions"));
  steps.push_back(WaitFor("the first level", GameScreen));
  steps.push_back({"its page", nullptr, [] { return HintScroll->Active != 0 && HintScroll->Unroll->Active == 0; }});
  steps.push_back(ClickAnywhere("roll the page up"));
  steps.push_back({"the page gone and the intro over", nullptr,
                   [] { return HintScroll->Active == 0 && GameScreen->IntroAnim->Active == 0; }});
  // Ctrl+J: the board's own way to the level's end.
  steps.push_back({"Ctrl+J ends the level", [] {
                     EXPECT_EQ(GameScreen->Player->Level, 1);
                     Post(platform::EVENT_KEYDOWN, KEY_LCONTROL);
                     Post(platform::EVENT_KEYDOWN, 'J');
                     Post(platform::EVENT_KEYUP, 'J');
                   },
                   nullptr});
  steps.push_back({"the outro, then the level-complete scroll", [] { Post(platform::EVENT_KEYUP, KEY_LCONTROL); },
                   [] { return LevelCompleteScreen->Active == 1 && LevelCompleteScreen->Unroll->Active == 0; }});
  steps.push_back(ClickAnywhere("roll it up"));
  steps.push_back({"rolled up", nullptr, [] { return LevelCompleteScreen->Active == 2; }});
  steps.push_back(ClickAnywhere("continue"));
  steps.push_back({"the map again", nullptr, [] { return MapAtRest(); }});
  steps.push_back({"the progress saved and the title music back", [] {
                     EXPECT_EQ(GameScreen->Player->Level, 2);
                     EXPECT_EQ(LevelSelectScreen->Chapter, 1);
                     const auto saved = TProfile::Create(u"Heather");
                     saved->Load();
                     EXPECT_EQ(saved->CurrentLevel, 2);
                     EXPECT_EQ(saved->LockedLevel, 3);
                     EXPECT_EQ(Game->MusicFileName, u"title.ogg");
                     EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
                     Key(KEY_ESCAPE);
                   },
                   [] { return Game->CurrentTScreen == TitleScreen && Settled(); }});
  steps.push_back({"the settings before the options", [this, &settingsBefore] {
                     settingsBefore = testrig::ReadFileBytes(settingsFile);
                   },
                   nullptr});
  steps.push_back(ClickMenuButton("titleoptions", TitleScreen, u"titleoptions"));
  steps.push_back(WaitFor("the options", OptionsScreen));
  // Held for some ticks at the place of 40, as a hand holds a button.
  steps.push_back({"press on the sound slider", [] { Press(413, 256); }, nullptr});
  steps.push_back({"held", nullptr, nullptr});
  steps.push_back({"held on", nullptr, nullptr});
  steps.push_back({"let go", [] { Release(413, 256); }, nullptr});
  steps.push_back({"dragged, nothing written", [this, &settingsBefore] {
                     EXPECT_EQ(OptionsScreen->SoundSlider->Value, 40);
                     EXPECT_EQ(Game->SoundVolume, 40);
                     EXPECT_EQ(testrig::ReadFileBytes(settingsFile), settingsBefore);
                   },
                   nullptr});
  steps.push_back(ClickMenuButton("credits", OptionsScreen, u"credits"));
  steps.push_back(WaitFor("the credits", CreditsScreen));
  steps.push_back(ClickMenuButton("credits' OK", CreditsScreen, u"OK"));
  steps.push_back(WaitFor("the options again", OptionsScreen));
  steps.push_back({"the dragged value kept, still nothing written", [this, &settingsBefore] {
                     EXPECT_EQ(OptionsScreen->SoundSlider->Value, 40);
                     EXPECT_EQ(testrig::ReadFileBytes(settingsFile), settingsBefore);
                   },
                   nullptr});
  steps.push_back(ClickMenuButton("options' OK", OptionsScreen, u"OK"));
  steps.push_back(WaitFor("the title", TitleScreen));
  steps.push_back({"written on leaving the options", [this] {
                     EXPECT_NE(testrig::ReadFileBytes(settingsFile).find("SOUND VOLUME=40"), std::string::npos);
                     EXPECT_TRUE(UserFile("inichanged.dat"));
                   },
                   nullptr});
  steps.push_back(ClickMenuButton("exit", TitleScreen, u"exit"));
  EXPECT_EQ(RunSteps(steps, 9000), 0);
  EXPECT_TRUE(UserFile("GoodExit.dat"));
  EXPECT_FALSE(UserFile("ErrorLog.txt"));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
