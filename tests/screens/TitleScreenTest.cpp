// The title screen's menu, music on arrival, routes and fireflies, headless on the generated
// data folder (its profile half is covered by the start-up flow tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Globals.h"
#include "core/TExitScreen.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "gfx/TParticleList.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TGameFinishedScreen.h"
#include "screens/THighScoresScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TOptionsScreen.h"
#include "screens/GameOverScreen.h"
#include "screens/TTitleScreen.h"
#include "support/ScreenRig.h"
#include "support/TestRig.h"
#include "support/TextGuard.h"
#include "screens/DialogFunctions.h"
#include "ui/TDialogTextInput.h"
#include "ui/TTextInput.h"
#include "gfx/TBox.h"
#include "platform/Image.h"
#include "platform/Graphics.h"
#include "ui/TPlayerManager.h"
#include "ui/TListBox.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"
#include "ui/TLoadingScreen.h"

namespace {

using screentest::ScreenTest;

class TitleTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    UseProfile(u"Heather", 1);
    title = TitleScreen;
  }

  // The title entered from `from`, as the screen switch makes it.
  void Arrive(const std::shared_ptr<TScreen>& from) {
    if (from == Game->LoadingScreen) title->SpecialLoad(1, 1);
    Enter(title, from);
  }

  // The title drawn with line `line` of the player list and without it: the pixels its name
  // changes.
  std::pair<platform::PixmapPtr, platform::PixmapPtr> WithAndWithoutName(TListBox& list, int line) {
    title->Draw();
    const platform::PixmapPtr with = platform::GrabPixmap(0, 0, 800, 600);
    String& name = list.Strings[static_cast<size_t>(line)];
    const String kept = name;
    name.clear();
    title->Draw();
    name = kept;
    return {with, platform::GrabPixmap(0, 0, 800, 600)};
  }

  void ClickButton(const char16_t* name) {
    const TButtonPtr button = title->Menu->FindButton(name);
    Click(static_cast<int>(button->x) + button->w / 2, static_cast<int>(button->y) + button->h / 2);
  }

  std::shared_ptr<TTitleScreen> title;
};

TEST_F(TitleTest, MenuStandsWhereItShould) {
  Arrive(GameScreen);
  struct Place {
    const char16_t* name;
    float x, y;
  };
  for (const Place& p : {Place{u"changeplayer", -15, 150}, Place{u"titleoptions", -15, 210},
                         Place{u"exit", -15, 270}, Place{u"play", 288, 490}}) {
    const TButtonPtr button = title->Menu->FindButton(p.name);
    ASSERT_TRUE(button) << platform::ToUtf8(p.name);
    EXPECT_EQ(button->x, p.x) << platform::ToUtf8(p.name);
    EXPECT_EQ(button->y, p.y) << platform::ToUtf8(p.name);
  }
  EXPECT_EQ(title->Menu->FindButton(u"play")->OKButton, 1);
  EXPECT_EQ(title->Menu->Count(), 4);
}

// The chosen player's name on its highlight, and the other names, stand out at least 4.5:1
// from what lies behind them in the player list.
TEST_F(TitleTest, PlayerListNamesReadClearly) {
  UseProfile(u"Anna", 1);
  UseProfile(u"Heather", 1);
  Arrive(GameScreen);
  title->ShowPlayerManager();
  Tick(100);
  TListBox& list = *title->PlayerManager->ListBox;
  ASSERT_EQ(list.Value, u"Heather");
  for (const int line : {list.Index, 1 - list.Index}) {
    SCOPED_TRACE(line);
    const auto [with, without] = WithAndWithoutName(list, line);
    const testrig::DrawnChange k = testrig::CompareFrames(*with, *without);
    ASSERT_GT(k.count, 100);
    EXPECT_GE(k.contrast, 4.5);
  }
}

// Six players, the most the game makes: each name inside the list's box and inside its own
// row's band, all six shown at once: choosing the sixth scrolls nothing away.
TEST_F(TitleTest, SixPlayersStandEachInTheirRowInsideTheBox) {
  for (const char16_t* name : {u"Anna", u"Bartholomew", u"Cosimo", u"Dorothea", u"Evangeline"}) {
    UseProfile(name, 1);
  }
  UseProfile(u"Heather", 1);
  Arrive(GameScreen);
  title->ShowPlayerManager();
  Tick(100);
  TListBox& list = *title->PlayerManager->ListBox;
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list.Limit, 6);
  EXPECT_GE(list.DisplayLines, 6);
  const TBox& box = *list.Box;
  testrig::TextGuard guard;
  title->Draw();
  guard.NewFrame();
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    const auto drawn = guard.BoxesOf(platform::ToUtf8(list.Strings[static_cast<size_t>(k)]));
    ASSERT_FALSE(drawn.empty());
    const float band = box.Y + static_cast<float>(k * list.LineHeight);
    for (const auto& b : drawn) {
      EXPECT_GE(b.x0, box.X);
      EXPECT_LE(b.x1, box.X + box.W);
      EXPECT_GE(b.y0, band - 1.0f);
      EXPECT_LE(b.y1, band + static_cast<float>(list.LineHeight) + 1.0f);
    }
  }
  list.SetIndex(5);
  EXPECT_EQ(list.TopIndex, 0);
}

// The chosen name is the brightest in the list: the others stand a shade dimmer.
TEST_F(TitleTest, ChosenPlayerIsBrighterThanTheOthers) {
  UseProfile(u"Anna", 1);
  UseProfile(u"Heather", 1);
  Arrive(GameScreen);
  title->ShowPlayerManager();
  Tick(100);
  TListBox& list = *title->PlayerManager->ListBox;
  ASSERT_EQ(list.Value, u"Heather");
  // The mean of the brightest quarter of the pixels a name's text changes.
  const auto brightness = [&](int line) {
    const auto [with, without] = WithAndWithoutName(list, line);
    std::vector<int> lit;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        const uint32_t a = with->ReadPixel(x, y);
        if (a == without->ReadPixel(x, y)) continue;
        lit.push_back(static_cast<int>(((a >> 16) & 0xFF) + ((a >> 8) & 0xFF) + (a & 0xFF)));
      }
    }
    std::sort(lit.rbegin(), lit.rend());
    lit.resize(lit.size() / 4);
    double sum = 0;
    for (int v : lit) sum += v;
    return lit.empty() ? 0.0 : sum / static_cast<double>(lit.size());
  };
  EXPECT_GT(brightness(list.Index), brightness(1 - list.Index) + 30.0);
}

// A first player's name, white in the prompt's field, reads at least 4.5:1 against the field
// as it is drawn.
TEST_F(TitleTest, FirstPlayersNameReadsInItsField) {
  Arrive(GameScreen);
  const auto prompt = EnterNamePrompt(0);
  prompt->Start();
  Tick(100);
  const auto frame = [&](const String& name) {
    prompt->TextInput->Text = name;
    title->Draw();
    prompt->Draw();
    return platform::GrabPixmap(0, 0, 800, 600);
  };
  const platform::PixmapPtr with = frame(u"Heather");
  const platform::PixmapPtr without = frame(u"");
  const testrig::DrawnChange k = testrig::CompareFrames(*with, *without);
  ASSERT_GT(k.count, 100);
  EXPECT_GE(k.contrast, 4.5);
}

// The music on arrival, and the one loading frame of every return.
TEST_F(TitleTest, MusicAndLoadingFrameOnArrival) {
  struct Case {
    const char* from;
    std::shared_ptr<TScreen> screen;
    bool reloads;
  };
  const std::vector<Case> cases = {
      {"loading", Game->LoadingScreen, false},  {"play", GameScreen, true},
      {"game finished", GameFinishedScreen, true}, {"map", LevelSelectScreen, false},
      {"options", OptionsScreen, false},         {"instructions", InstructionsScreen, false},
      {"book", BookScreen, false},             {"game over", GameOverScreen, true},
  };
  platform::SetFakeClockStepPerFlip(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    if (c.screen == Game->LoadingScreen) title->SpecialLoad(1, 1);
    Game->MusicLoad(u"gamefinished.ogg", 1);
    Game->MusicPlay(0, 0, 0);
    const int before = platform::MilliSecs();
    Enter(title, c.screen);
    EXPECT_EQ(platform::MilliSecs() - before, c.screen == Game->LoadingScreen ? 0 : 7);
    EXPECT_EQ(Game->MusicFileName, c.reloads ? u"title.ogg" : u"gamefinished.ogg");
    EXPECT_TRUE(platform::ChannelPlaying(Game->MusicChannel));
    title->Kill();
  }
  platform::SetFakeClockStepPerFlip(0);
}

TEST_F(TitleTest, ButtonsAndKeysLeadOn) {
  struct Case {
    const char* what;
    int level;
    std::function<void()> input;
    std::shared_ptr<TScreen> to;
    bool withMusic;
  };
  const std::vector<Case> cases = {
      {"Enter is play: the introduction first", 1, [this] { Key(KEY_ENTER); }, BookScreen, false},
      {"play later on: the map", 7, [this] { ClickButton(u"play"); }, LevelSelectScreen, false},
      {"H and play in one tick: the later one wins", 7,
       [this] {
         Key(72);  // pumped at once; the click is read by the tick
         ClickButton(u"play");
       },
       InstructionsScreen, false},
      {"options", 3, [this] { ClickButton(u"titleoptions"); }, OptionsScreen, false},
      {"a high-score button, which this title never makes", 3,
       [this] {
         const TButtonPtr button = title->Menu->AddQuick(u"exit", u"highscores");
         button->x = 20;
         button->y = 20;
         ClickButton(u"highscores");
       },
       HighScoresScreen, false},
      {"exit", 3, [this] { ClickButton(u"exit"); }, Game->ExitScreen, true},
      {"Escape", 3, [this] { Key(KEY_ESCAPE); }, Game->ExitScreen, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseProfile(u"Heather", c.level);
    Arrive(GameScreen);
    Tick();
    c.input();
    Tick();
    EXPECT_EQ(Game->DestinationTScreen, c.to);
    EXPECT_EQ(Game->GameFade->Active, 1);
    EXPECT_EQ(Game->GameFade->Channel, c.withMusic ? Game->MusicChannel : nullptr);
    Game->GameFade->Active = 0;  // abandoned: the next case starts afresh
    Game->GameFade->Done = 0;
    Game->DestinationTScreen = nullptr;
    title->Kill();
  }
  EXPECT_EQ(BookScreen->ShowTornado, 1);
  EXPECT_EQ(BookScreen->FinalDestination, LevelSelectScreen);
  EXPECT_EQ(OptionsScreen->Destination, TitleScreen);
  EXPECT_EQ(InstructionsScreen->Destination, TitleScreen);
}

// Six fireflies at every start, made by the draws in a fixed order.
TEST_F(TitleTest, FirefliesAreMadeAndMoveAsTheyShould) {
  platform::SeedRnd(4242);
  Arrive(GameScreen);
  ASSERT_EQ(Particles->Count(), 6);

  platform::SeedRnd(4242);
  const double scale = platform::Rnd(0.3, 1.5);
  const double dy = platform::Rnd(-0.2, 0.2);
  const double dx = platform::Rnd(-0.2, 0.2);
  const int y = platform::Rand(0, 600);
  const int x = platform::Rand(0, 800);
  const int sense = platform::Rand(0, 1);
  const int fadeOut = platform::Rand(800, 1200);
  const int sustain = platform::Rand(300, 700);
  const int fadeIn = platform::Rand(800, 1200);
  const TParticlePtr first = Particles->First();
  EXPECT_FLOAT_EQ(first->ScaleX, static_cast<float>(scale));
  EXPECT_FLOAT_EQ(first->dx, static_cast<float>(dx));
  EXPECT_FLOAT_EQ(first->dy, static_cast<float>(dy));
  EXPECT_EQ(first->x, static_cast<float>(x));
  EXPECT_EQ(first->y, static_cast<float>(y));
  EXPECT_EQ(first->AnimCounterDir, sense);
  EXPECT_FLOAT_EQ(first->FadeInLength, Game->CalcAnimLength(fadeIn));
  EXPECT_FLOAT_EQ(first->FadeSustainCounter, Game->CalcAnimLength(sustain));
  EXPECT_FLOAT_EQ(first->FadeLength, Game->CalcAnimLength(fadeOut));
  EXPECT_EQ(first->DoLightBlend, 1);

  // One degree a tick, wrapping at 360 either way, a tenth of a pixel along the circle.
  first->AnimCounterDir = 1;
  first->AnimCounter = 359.5f;
  first->dx = first->dy = 0;
  float x0 = first->x;
  title->FirefliesManage();
  EXPECT_FLOAT_EQ(first->AnimCounter, 0.5f);
  EXPECT_NEAR(first->x - x0, 0.1 * std::sin(0.5 * M_PI / 180), 1e-4);
  first->AnimCounterDir = 0;
  first->AnimCounter = 0.5f;
  title->FirefliesManage();
  EXPECT_FLOAT_EQ(first->AnimCounter, 359.5f);

  // While a dialog is open nothing moves and nothing appears.
  title->ShowPlayerManager();
  std::vector<std::pair<float, float>> where;
  Particles->ForEach([&](const TParticlePtr& p) { where.emplace_back(p->x, p->y); });
  Tick(300);
  std::vector<std::pair<float, float>> after;
  Particles->ForEach([&](const TParticlePtr& p) { after.emplace_back(p->x, p->y); });
  EXPECT_EQ(after, where);

  title->Kill();
  for (const TParticleListPtr& list :
       {BackgroundParticles, Particles, AnimatedParticles, Tumblets, ScoreParticles}) {
    EXPECT_EQ(list->Count(), 0);
  }
}

}  // namespace
