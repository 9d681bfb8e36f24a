// The options and credits screens: what they show on entry, what a drag changes, what is written
// and when, and where each exit leads.
#include <algorithm>
#include <filesystem>

#include "support/ScreenRig.h"
#include "core/Globals.h"
#include "core/TExitScreen.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Events.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/TCreditsScreen.h"
#include "screens/TOptionsScreen.h"
#include "support/FrameworkState.h"
#include "text/GameFonts.h"
#include "ui/TMenu.h"
#include "ui/TSlider.h"

namespace screentest {
namespace {

// A screen that only stands somewhere in the flow and counts how it was entered.
class MarkerScreen : public TScreen {
 public:
  explicit MarkerScreen(const char16_t* screenName) { name = screenName; }
  int loads = 0;
  int Load() override {
    ++loads;
    return 0;
  }
};

class OptionsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    title = std::make_shared<MarkerScreen>(u"title");
    OptionsScreen->Destination = title;
  }
  // Presses on (x, y), holds it for a few ticks and lets go.
  void Drag(int x, int y) {
    ButtonDown(x, y);
    Tick(5);
    ButtonUp(x, y);
    Tick();
  }
  TButtonPtr Button(const char16_t* name) { return OptionsScreen->Menu->FindButton(name); }
  std::shared_ptr<MarkerScreen> title;
};

TEST_F(OptionsTest, EntryShowsTheLiveValuesBroughtIntoRange) {
  struct Case { int music, sound, detail, full; int showMusic, showSound, showDetail; const char16_t* toggle; };
  for (const Case c : {Case{35, 60, 80, 0, 35, 60, 80, u"off"}, Case{250, -5, 0, 7, 100, 0, 0, u"on"},
                       Case{0, 100, 100, 1, 0, 100, 100, u"on"}}) {
    Game->MusicVolume = c.music;
    Game->SoundVolume = c.sound;
    Game->Particles = c.detail;
    Game->FullScreen = c.full;
    Enter(OptionsScreen, title);
    EXPECT_EQ(OptionsScreen->MusicSlider->Value, c.showMusic);
    EXPECT_EQ(OptionsScreen->SoundSlider->Value, c.showSound);
    EXPECT_EQ(OptionsScreen->DetailSlider->Value, c.showDetail);
    EXPECT_EQ(Game->MusicVolume, c.showMusic);
    EXPECT_EQ(Game->SoundVolume, c.showSound);
    EXPECT_EQ(Game->Particles, c.showDetail);
    const TButtonPtr toggle = Button(u"fullscreen");
    ASSERT_TRUE(toggle);
    EXPECT_EQ(toggle->x, 455.0f);
    EXPECT_EQ(toggle->y, 403.0f);
    EXPECT_EQ(Button(u"OK")->x, 354.0f);
    EXPECT_EQ(Button(u"OK")->y, 505.0f);
    EXPECT_EQ(Button(u"credits")->x, 334.0f);
    EXPECT_EQ(Button(u"credits")->y, 454.0f);
    EXPECT_EQ(OptionsScreen->MusicSlider->x, 274.0f);
    EXPECT_EQ(OptionsScreen->DetailSlider->y, 342.0f);
    OptionsScreen->Kill();
  }
  EXPECT_FALSE(!SettingsText().empty());
}

TEST_F(OptionsTest, DraggingAppliesAtOnceAndOkWritesOnceOnLeaving) {
  Game->MusicVolume = Game->SoundVolume = Game->Particles = 100;
  Enter(OptionsScreen, title);
  Drag(413, 256);  // the sound slider at the place of 40
  Drag(383, 350);  // the detail slider at the place of 30
  Drag(274 + 20, 160);  // the music slider's left end
  EXPECT_EQ(Game->SoundVolume, 40);
  EXPECT_EQ(Game->Particles, 30);
  EXPECT_EQ(Game->MusicVolume, 0);
  EXPECT_EQ(OptionsScreen->SoundSlider->DotX, 402);
  EXPECT_EQ(OptionsScreen->DetailSlider->DotX, 372);
  EXPECT_FALSE(!SettingsText().empty());
  EXPECT_FALSE(HaveUserFile("inichanged.dat"));

  // Credits write nothing; coming back shows the dragged values; OK still leads to the title.
  Click(334 + 80, 454 + 20);
  EXPECT_GT(TickUntil(CreditsScreen), 0);
  EXPECT_FALSE(!SettingsText().empty());
  Key(KEY_ENTER);
  EXPECT_GT(TickUntil(OptionsScreen), 0);
  EXPECT_EQ(OptionsScreen->SoundSlider->Value, 40);
  EXPECT_EQ(OptionsScreen->DetailSlider->Value, 30);
  EXPECT_FALSE(!SettingsText().empty());

  Click(354 + 60, 505 + 25);
  Tick();
  EXPECT_TRUE(Game->GameFade->Active);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);
  const std::string settings = SettingsText();
  EXPECT_NE(settings.find("SOUND VOLUME=40"), std::string::npos) << settings;
  EXPECT_NE(settings.find("PARTICLES=30"), std::string::npos);
  EXPECT_NE(settings.find("MUSIC VOLUME=0"), std::string::npos);
  EXPECT_TRUE(HaveUserFile("inichanged.dat"));
  std::filesystem::remove(platform::ToUtf8(Game->Ini.FileName) + ".ini");
  EXPECT_GT(TickUntil(title), 0);
  EXPECT_FALSE(!SettingsText().empty());  // written once, on leaving
}

TEST_F(OptionsTest, EscapeLeadsToTheDestinationWithTheEscapeSoundAndWrites) {
  Enter(OptionsScreen, title);
  Key(KEY_ESCAPE);
  Tick();
  EXPECT_TRUE(Game->GameFade->Active);
  EXPECT_EQ(Game->GameFade->Channel, nullptr);
  EXPECT_TRUE(platform::ChannelPlaying(Game->EscapeChannel));
  EXPECT_TRUE(!SettingsText().empty());
  EXPECT_TRUE(HaveUserFile("inichanged.dat"));
  EXPECT_GT(TickUntil(title), 0);
  EXPECT_EQ(title->loads, 1);
}

TEST_F(OptionsTest, TheSoundSliderClicksInItsOwnChannelOnlyWithSoundOn) {
  Enter(OptionsScreen, title);
  ButtonDown(379, 256);
  Tick();
  ASSERT_TRUE(OptionsScreen->ChannelClick);
  EXPECT_TRUE(platform::ChannelPlaying(OptionsScreen->ChannelClick));
  EXPECT_TRUE(channels->played.empty());  // never through the shared pool
  ButtonUp(379, 256);
  Tick();
  OptionsScreen->Kill();
  Game->Sound = 0;
  Enter(OptionsScreen, title);
  ButtonDown(303, 256);
  Tick(3);
  EXPECT_EQ(Game->SoundVolume, 3);
  EXPECT_FALSE(platform::ChannelPlaying(OptionsScreen->ChannelClick));
}

TEST_F(OptionsTest, TheToggleSwitchesTheDisplayAndKeepsItsNameAndPlace) {
  Game->FullScreen = 7;  // a hand-edited settings file
  Enter(OptionsScreen, title);
  const TButtonPtr toggle = Button(u"fullscreen");
  EXPECT_EQ(toggle->image->name, u"ON");
  for (int expect : {0, 1}) {  // (in full screen the window is desktop-sized: clicks land elsewhere)
    Click(495, 420);
    Tick();
    EXPECT_EQ(Game->FullScreen, expect);
    EXPECT_NE(SettingsText().find("FULL SCREEN=" + std::to_string(expect)), std::string::npos);
    ASSERT_EQ(Button(u"fullscreen"), toggle);
    EXPECT_EQ(toggle->name, u"FULLSCREEN");
    EXPECT_EQ(toggle->image->name, expect ? u"ON" : u"OFF");
    EXPECT_EQ(toggle->x, 455.0f);
    EXPECT_EQ(toggle->y, 403.0f);
    EXPECT_EQ(toggle->SoundClick, OptionsScreen->Menu->SoundClick);
    Tick();
  }
}

// Each caption on the drawn screen stands out at least 4.5:1 from what is drawn behind it, lies
// on no control, and the slider captions are centred over their sliders.
TEST_F(OptionsTest, CaptionsReadClearlyBesideWhatTheyName) {
  Enter(OptionsScreen, title);
  TOptionsScreen& o = *OptionsScreen;
  struct Caption { TGameImagePtr* label; const char* name; TSlider* slider; };
  const Caption captions[] = {{&o.OptionsLabel, "heading", nullptr}, {&o.MusicLabel, "music", o.MusicSlider.get()},
                              {&o.SoundLabel, "sound", o.SoundSlider.get()}, {&o.DetailLabel, "detail", o.DetailSlider.get()},
                              {&o.FullscreenLabel, "full screen", nullptr}};
  const auto frame = [&] {
    o.Draw();
    return platform::GrabPixmap(0, 0, 800, 600);
  };
  for (const Caption& c : captions) {
    SCOPED_TRACE(c.name);
    const platform::PixmapPtr with = frame();
    platform::ImagePtr picture = std::move((*c.label)->image);
    const platform::PixmapPtr without = frame();
    (*c.label)->image = std::move(picture);
    const testrig::DrawnChange k = testrig::CompareFrames(*with, *without);
    ASSERT_GT(k.count, 100);
    EXPECT_GE(k.contrast, 4.5);
    const auto clear = [&](float x, float y, int w, int h) {
      return k.right < x || k.left >= x + static_cast<float>(w) || k.bottom < y || k.top >= y + static_cast<float>(h);
    };
    for (const TButtonPtr& b : o.Menu->Items()) {
      EXPECT_TRUE(clear(b->x, b->y, b->w, b->h)) << platform::ToUtf8(b->name);
    }
    for (const TSlider* s : {o.MusicSlider.get(), o.SoundSlider.get(), o.DetailSlider.get()}) {
      EXPECT_TRUE(clear(s->x, s->y, s->w, s->h));
    }
    if (c.slider) {
      EXPECT_NEAR((k.left + k.right + 1) / 2.0, c.slider->x + c.slider->w / 2.0, 2.0);
    }
  }
}

TEST_F(OptionsTest, AQuitRequestKeepsTheDraggedValues) {
  for (const char16_t* where : {u"options", u"credits"}) {
    std::filesystem::remove(platform::ToUtf8(Game->Ini.FileName) + ".ini");
    Game->InstantExit = 0;
    Enter(OptionsScreen, title);
    Drag(413, 256);
    if (String(where) == u"credits") {
      Click(414, 474);
      ASSERT_GT(TickUntil(CreditsScreen), 0);
    }
    testrig::Post(platform::EVENT_WINDOWCLOSE);
    Tick();
    EXPECT_EQ(Game->DestinationTScreen.get(), static_cast<TScreen*>(Game->ExitScreen.get()));
    EXPECT_NE(SettingsText().find("SOUND VOLUME=40"), std::string::npos) << platform::ToUtf8(where);
    Game->GameFade = std::make_shared<TGameFade>();
    Game->DestinationTScreen.reset();
    Game->CurrentTScreen->Kill();
  }
}

TEST_F(OptionsTest, CreditsLeadBackToTheOptionsAndWriteNothing) {
  for (int way : {0, 1, 2}) {
    Enter(CreditsScreen, OptionsScreen);
    Tick();
    CreditsScreen->Draw();
    if (way == 0) Click(414, 530);
    if (way == 1) Key(KEY_ENTER);
    if (way == 2) Key(KEY_ESCAPE);
    Tick();
    EXPECT_TRUE(Game->GameFade->Active) << way;
    EXPECT_EQ(Game->GameFade->Channel, nullptr);
    EXPECT_GT(TickUntil(OptionsScreen), 0) << way;
    EXPECT_EQ(OptionsScreen->Destination, title);
    EXPECT_FALSE(!SettingsText().empty());
    OptionsScreen->Kill();
  }
  // Every line fits the page's 340-pixel rule in the real font.
  platform::SetImageFont(MainFontSmall);
  for (const auto& line : TCreditsScreen::Lines) {
    EXPECT_LE(platform::TextWidth(line.text), 340) << platform::ToUtf8(line.text);
  }
}

}  // namespace
}  // namespace screentest
