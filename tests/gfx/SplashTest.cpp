// The blocking splashes under the fake clock with scripted polled input, and the blocking
// screen fade.
#include <set>
#include <vector>

#include "GfxTestSupport.h"
#include "core/TMousePointer.h"
#include "gfx/ScreenEffects.h"
#include "gfx/Splashes.h"
#include "gfx/TFade.h"
#include "gfx/TSplashScreen.h"
#include "platform/Audio.h"
#include "platform/Channel.h"

namespace {

struct Frame {
  int width = 0;   // of the picture shown
  int out = 0;
  float ratio = 0;
  int ms = 0;
  std::shared_ptr<TSplashScreen> splash;
};

class SplashTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    OpenDisplay();
    platform::SetFakeClockStepPerFlip(10);
    data = testrig::MakeTempDir("app");
    Game->DataPrefix = S(data) + u"/";
    Game->SoundVolume = 50;
    SetFadeFrameHook([this](const TFade& fade) {
      Frame f;
      f.width = fade.Image ? platform::ImageWidth(fade.Image) : 0;
      f.out = fade.Out;
      f.ratio = fade.Ratio;
      f.ms = platform::MilliSecs();
      f.splash = SplashBeingShown();
      frames.push_back(f);
      if (onFrame) onFrame(f);
    });
  }
  void TearDown() override {
    SetFadeFrameHook(nullptr);
    frames.clear();
    GfxTest::TearDown();
  }

  // The pictures shown, by width, in order of first appearance.
  std::vector<int> Shown() const {
    std::vector<int> widths;
    for (const Frame& f : frames) {
      if (f.width != 0 && (widths.empty() || widths.back() != f.width)) widths.push_back(f.width);
    }
    return widths;
  }

  void WriteBranding(const std::vector<std::pair<std::string, int>>& files) {
    for (const auto& [name, width] : files) gfxtest::WritePng(data + "/data/branding/" + name, width, 20, 0xFFFFFFFFu);
  }
  void WriteCompanySplashes() {
    gfxtest::WritePng(data + "/data/TallowbySplash.jpg", 300, 30, 0xFF00FF00u);
    gfxtest::WriteWav(data + "/data/tallowbysound.wav");
    gfxtest::WritePng(data + "/data/QuillfernGames.png", 400, 40, 0xFF0000FFu);
    gfxtest::WriteWav(data + "/data/SplashSound.wav");
  }

  std::string data;
  std::vector<Frame> frames;
  std::function<void(const Frame&)> onFrame;
};

TEST_F(SplashTest, BrandingFolderShowsItsNumberedPicturesUntilAGap) {
  WriteBranding({{"splash1.png", 101}, {"splash2.jpg", 102}, {"splash4.png", 104}, {"Splash3.png", 103}});
  const int start = platform::MilliSecs();
  ShowSplashSequence(u"branding", 750, 750, 750);
  EXPECT_EQ(Shown(), (std::vector<int>{101, 102}));
  const int took = platform::MilliSecs() - start;
  // 2250 ms a picture plus a few frames of 10 ms each.
  EXPECT_GE(took, 2 * 2250);
  EXPECT_LE(took, 2 * 2250 + 2 * 100);
  EXPECT_EQ(ccPolledInputState, 0);
  EXPECT_FALSE(platform::PolledInputEnabled());
}

TEST_F(SplashTest, PngIsChosenOverJpgWhateverTheListingOrder) {
  WriteBranding({{"splash1.jpg", 150}, {"splash1.png", 151}, {"splash2.jpg", 152}, {"splash2.png", 153}});
  ShowSplashSequence(u"branding", 100, 100, 100);
  EXPECT_EQ(Shown(), (std::vector<int>{151, 153}));
}

TEST_F(SplashTest, PictureFadesInHoldsAndFadesOutOnTheClock) {
  WriteBranding({{"splash1.png", 120}});
  const int start = platform::MilliSecs();
  ShowSplashSequence(u"branding", 750, 750, 750);
  ASSERT_FALSE(frames.empty());
  // Alpha rises through the fade-in with the clock, holds at 1, then falls.
  for (const Frame& f : frames) {
    if (f.out == 0 && f.splash) {
      const float expected = std::min(1.0f, static_cast<float>(f.ms - 10 - start - 10) / 750.0f);
      EXPECT_NEAR(f.ratio, std::max(0.0f, expected), 0.03f) << f.ms - start;
    }
    if (f.out == -1) {
      EXPECT_FLOAT_EQ(f.ratio, 1.0f);
    }
  }
  EXPECT_FLOAT_EQ(frames.back().ratio, 0.0f);  // the last frame shows the picture at alpha 0
  EXPECT_EQ(platform::GetBlend(), platform::SOLIDBLEND);
}

TEST_F(SplashTest, StartUpSequenceWithFadesOnShowsAllThreeAndTimesThem) {
  WriteBranding({{"splash1.png", 101}});
  WriteCompanySplashes();
  Game->Fade = 1;
  Game->Sound = 1;
  std::set<platform::ChannelPtr> makerChannels;
  platform::ChannelPtr copublisher;
  onFrame = [&](const Frame& f) {
    if (!f.splash || !f.splash->Channel) return;
    if (f.splash->FadeSound == 1) {
      makerChannels.insert(f.splash->Channel);
      EXPECT_FLOAT_EQ(f.splash->Channel->rate, 0.9f);
      EXPECT_NEAR(f.splash->Channel->volume, 0.5f * f.ratio, 1e-4);
    } else {
      copublisher = f.splash->Channel;
      EXPECT_FLOAT_EQ(f.splash->Channel->volume, 1.0f);  // full volume, not faded
    }
  };
  const int start = platform::MilliSecs();
  ShowStartupSplashes();
  EXPECT_EQ(Shown(), (std::vector<int>{101, 300, 400}));
  const int took = platform::MilliSecs() - start;
  EXPECT_GE(took, 2250 + 2500 + 4000);
  EXPECT_LE(took, 2250 + 2500 + 4000 + 3 * 100);
  ASSERT_EQ(makerChannels.size(), 1u);
  EXPECT_FALSE(platform::ChannelPlaying(*makerChannels.begin()));
  ASSERT_NE(copublisher, nullptr);
  EXPECT_FALSE(platform::ChannelPlaying(copublisher));
}

TEST_F(SplashTest, AClickSkipsTheCoPublisherSplashAndStopsItsSound) {
  WriteBranding({{"splash1.png", 101}});
  WriteCompanySplashes();
  Game->Fade = 1;
  Game->Sound = 0;
  int fadeInFrames = 0;
  platform::ChannelPtr copublisher;
  bool makerCued = false;
  onFrame = [&](const Frame& f) {
    if (f.width == 300 && f.out == 0 && ++fadeInFrames == 5) {
      copublisher = f.splash->Channel;
      EXPECT_TRUE(platform::ChannelPlaying(copublisher));  // plays even with sound off
      gfxtest::Post(platform::EVENT_MOUSEDOWN, 1, 10, 10);
      gfxtest::Post(platform::EVENT_MOUSEUP, 1, 10, 10);
    }
    if (f.width == 400 && f.splash->Channel) makerCued = true;
    if (f.width == 400) gfxtest::Post(platform::EVENT_KEYUP, 66);  // stray input meanwhile
  };
  ShowStartupSplashes();
  EXPECT_EQ(Shown(), (std::vector<int>{101, 300, 400}));
  int copublisherFrames = 0;
  for (const Frame& f : frames) copublisherFrames += f.width == 300 ? 1 : 0;
  EXPECT_EQ(copublisherFrames, 5);  // cut at the next pass of the loop
  ASSERT_NE(copublisher, nullptr);
  EXPECT_FALSE(platform::ChannelPlaying(copublisher));
  EXPECT_FALSE(makerCued);  // the maker's logo is silent with sound off
  // Afterwards: the event-driven input is back and nothing from the splashes is queued.
  EXPECT_EQ(ccPolledInputState, 0);
  EXPECT_FALSE(platform::PolledInputEnabled());
  EXPECT_FALSE(platform::PeekEvent());
  EXPECT_EQ(Game->Mouse->mh, 0);
}

TEST_F(SplashTest, FadesOffShowsTheBrandingOnly) {
  WriteBranding({{"splash1.png", 101}});
  WriteCompanySplashes();
  Game->Fade = 0;
  ShowStartupSplashes();
  EXPECT_EQ(Shown(), (std::vector<int>{101}));
}

TEST_F(SplashTest, PolledInputLeftOnWhenItWasOnBefore) {
  WriteBranding({{"splash1.png", 101}});
  ccEnablePolledInput();
  ShowSplashSequence(u"branding", 50, 50, 50);
  EXPECT_EQ(ccPolledInputState, 1);
  EXPECT_TRUE(platform::PolledInputEnabled());
}

TEST_F(SplashTest, AKeySkipsOneBrandingPictureAndTheNextFollows) {
  WriteBranding({{"splash1.png", 101}, {"splash2.png", 102}});
  onFrame = [&](const Frame& f) {
    if (f.width == 101 && f.out == -1) gfxtest::Post(platform::EVENT_KEYDOWN, 32);
  };
  ShowSplashSequence(u"branding", 300, 300, 300);
  EXPECT_EQ(Shown(), (std::vector<int>{101, 102}));
  int holdFrames = 0;
  for (const Frame& f : frames) holdFrames += (f.width == 101 && f.out == -1) ? 1 : 0;
  EXPECT_EQ(holdFrames, 1);
}

TEST_F(SplashTest, MissingBrandingFolderIsFatal) {
  String shown;
  SetErrorBoxHook([&](const String& message) {
    shown = message;
    return true;
  });
  EXPECT_THROW(ShowStartupSplashes(), platform::ProgramExit);
  EXPECT_EQ(shown, u"Failed to read splash folder '" + Game->DataPrefix + u"data/branding/'");
}

TEST_F(SplashTest, MissingMakerLogoIsFatal) {
  WriteBranding({{"splash1.png", 101}});
  gfxtest::WritePng(data + "/data/TallowbySplash.jpg", 300, 30, 0xFF00FF00u);
  gfxtest::WriteWav(data + "/data/tallowbysound.wav");
  gfxtest::WritePng(data + "/data/QuillfernGames.png", 400, 40, 0xFF0000FFu);
  Game->Fade = 1;
  Game->Sound = 0;  // the sound is loaded all the same
  String shown;
  SetErrorBoxHook([&](const String& message) {
    shown = message;
    return true;
  });
  EXPECT_THROW(ShowStartupSplashes(), platform::ProgramExit);
  EXPECT_EQ(shown, u"Error loading sample " + Game->DataPrefix + u"data/SplashSound.wav");
}

TEST_F(SplashTest, ShippedDataRunsTheWholeSequence) {
  if (!testrig::HaveResources()) GTEST_SKIP() << "no generated data folder";
  Game->DataPrefix = S(testrig::ResourcesDir());
  Game->Fade = 1;
  Game->Sound = 1;
  ShowStartupSplashes();
  std::vector<TSplashScreen*> splashes;
  for (const Frame& f : frames) {
    if (f.splash && (splashes.empty() || splashes.back() != f.splash.get())) splashes.push_back(f.splash.get());
  }
  EXPECT_GE(splashes.size(), 3u);  // at least one branding picture, then the two companies
  EXPECT_EQ(splashes.back()->FadeSound, 1);  // the maker's logo last
  EXPECT_EQ(ccPolledInputState, 0);
}

TEST_F(SplashTest, ZeroTimesKeepTheDefaults) {
  gfxtest::WritePng(data + "/data/logo.png", 50, 50, 0xFFFFFFFFu);
  TSplashScreen splash;
  splash.Init(Game->DataPrefix + u"data/logo.png", u"", 1, 0, 0, 0, 0);
  EXPECT_FLOAT_EQ(splash.TimeIn, 2000);
  EXPECT_FLOAT_EQ(splash.TimeFull, 1000);
  EXPECT_FLOAT_EQ(splash.TimeOut, 2000);
  splash.CleanUp();
  EXPECT_EQ(ccPolledInputState, 0);
}

TEST_F(SplashTest, FadeScreenFadesTheBackBufferOut) {
  platform::SetClsColor(0, 0, 0);
  platform::SetBlend(platform::SOLIDBLEND);
  platform::SetColor(255, 255, 255);
  platform::DrawRect(0, 0, 800, 600);
  ccFadeScreen(200, 1, nullptr);
  ASSERT_GE(frames.size(), 10u);
  EXPECT_NEAR(frames.front().ratio, 1.0f, 0.1f);
  EXPECT_FLOAT_EQ(frames.back().ratio, 0.0f);
  EXPECT_PIXEL_NEAR(Pixel(400, 300), 0xFF000000u);
  EXPECT_EQ(platform::GetBlend(), platform::SOLIDBLEND);
}

TEST_F(SplashTest, ScreenClearsAndDimming) {
  platform::SetFakeClockStepPerFlip(1);
  ccFlipSync = 0;
  const int before = platform::MilliSecs();
  ccClsVSync(10, 20, 30);  // presents even with vertical sync off
  EXPECT_EQ(platform::MilliSecs(), before + 1);
  EXPECT_PIXEL_NEAR(Pixel(5, 5), 0xFF0A141Eu);
  ccClsNoFlip(200, 0, 0);
  EXPECT_EQ(platform::MilliSecs(), before + 1);
  EXPECT_PIXEL_NEAR(Pixel(5, 5), 0xFFC80000u);
  ccDimScreen(0.5f);
  EXPECT_TRUE(testrig::PixelNear(Pixel(5, 5), 0xFF640000u, 3));
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  ccDimArea(1.0f, 0, 0, 10, 10);
  EXPECT_PIXEL_NEAR(Pixel(5, 5), 0xFF000000u);
  EXPECT_TRUE(testrig::PixelNear(Pixel(15, 5), 0xFF640000u, 3));
  ccRestoreSolidMode();
  EXPECT_EQ(platform::GetBlend(), platform::SOLIDBLEND);
}

}  // namespace
