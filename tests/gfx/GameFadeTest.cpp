// The global screen fade: pacing, channels, input that finishes it, and the one screen switch
// each finished fade-out makes.
#include "GfxTestSupport.h"
#include "core/TChannelArray.h"
#include "core/TGameChannel.h"
#include "core/TMousePointer.h"
#include "core/TScreen.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/Channel.h"

namespace {

class CountingScreen : public TScreen {
 public:
  int starts = 0, kills = 0, fadeOuts = 0, fadeIns = 0, logics = 0;
  int Start() override {
    ++starts;
    return TScreen::Start();
  }
  int Kill() override {
    ++kills;
    return TScreen::Kill();
  }
  int PostFadeOut() override { return ++fadeOuts; }
  int PostFadeIn() override { return ++fadeIns; }
  int Logic() override { return ++logics; }
};

float Volume(const platform::ChannelPtr& c) { return c ? c->volume : -1.0f; }

platform::SoundPtr Beep() {
  auto s = std::make_shared<platform::Sound>();
  s->samples.assign(44100, 1000);
  return s;
}

class GameFadeTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    fade = Game->GameFade;
    Game->MusicChannel = platform::AllocChannel();
    Game->SpeechChannel = platform::AllocChannel();
    Game->MusicVolume = 80;
    Game->SpeechVolume = 50;
    Game->SoundVolume = 60;
    Game->Fade = 1;
    from = std::make_shared<CountingScreen>();
    to = std::make_shared<CountingScreen>();
    from->PreStart();
  }
  int Tick() {
    Game->FixedRateLogic->SetDelta(1.0f);
    return Game->LogicWrapper();
  }
  std::shared_ptr<TGameFade> fade;
  std::shared_ptr<CountingScreen> from;
  std::shared_ptr<CountingScreen> to;
};

TEST_F(GameFadeTest, FiveHundredMillisecondsIsAHundredTicks) {
  EXPECT_EQ(fade->Init(500, 1, nullptr, 1, 0, nullptr), 1);
  EXPECT_EQ(fade->Length, 100);
  EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
  EXPECT_EQ(Game->FadeMusic, 1);
  for (int t = 0; t < 50; ++t) EXPECT_EQ(fade->Manage(), 0);
  EXPECT_FLOAT_EQ(fade->Ratio, 0.5f);
  // A second Init while it runs is refused and changes nothing.
  EXPECT_EQ(fade->Init(1500, 0, nullptr, 0, 0, nullptr), 0);
  EXPECT_EQ(fade->Length, 100);
  for (int t = 0; t < 49; ++t) EXPECT_EQ(fade->Manage(), 0);
  EXPECT_EQ(fade->Manage(), 1);
  EXPECT_EQ(fade->Active, 0);
  EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
  EXPECT_EQ(from->fadeOuts, 1);
  EXPECT_EQ(fade->GetDone(), 1);
  EXPECT_EQ(fade->GetDone(), 0);
  EXPECT_EQ(fade->Manage(), 0);
}

TEST_F(GameFadeTest, HalfwayCoverIsDrawnAtHalfAlpha) {
  OpenDisplay();
  Game->ClsColor = TColor::Create(0, 0, 255);
  platform::SetClsColor(255, 255, 255);
  platform::Cls();
  fade->Init(500, 1, nullptr, 1, 0, nullptr);
  for (int t = 0; t < 50; ++t) fade->Manage();
  fade->Draw();
  EXPECT_TRUE(testrig::PixelNear(Pixel(400, 300), 0xFF8080FFu, 3));
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  int r, g, b;
  platform::GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
}

TEST_F(GameFadeTest, ACompletedFadeOutMakesExactlyOneSwitch) {
  Game->DestinationTScreen = to;
  fade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
  for (int t = 0; t < 150; ++t) Tick();
  EXPECT_EQ(to->starts, 1);
  EXPECT_EQ(from->kills, 1);
  EXPECT_EQ(Game->CurrentTScreen, to);
  EXPECT_EQ(from->fadeOuts, 1);
  EXPECT_GT(to->logics, 40);
}

TEST_F(GameFadeTest, FadesOffCompletesInsideInitWithoutAnExtraFrame) {
  OpenDisplay();
  platform::SetFakeClockStepPerFlip(7);
  const int before = platform::MilliSecs();
  Game->Fade = 0;
  Game->DestinationTScreen = to;
  EXPECT_EQ(fade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr), 1);
  EXPECT_EQ(fade->Active, 0);
  EXPECT_EQ(fade->Done, 1);
  EXPECT_EQ(from->fadeOuts, 1);
  EXPECT_EQ(platform::MilliSecs(), before);  // nothing presented
  Tick();  // the switch happens in the next tick
  EXPECT_EQ(to->starts, 1);
  for (int t = 0; t < 5; ++t) Tick();
  EXPECT_EQ(to->starts, 1);

  // NoFade lasts for one fade.
  Game->Fade = 1;
  Game->NoFade = 1;
  Game->DestinationTScreen = from;
  fade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
  EXPECT_EQ(fade->Active, 0);
  EXPECT_EQ(Game->NoFade, 0);
  EXPECT_EQ(platform::MilliSecs(), before);
}

TEST_F(GameFadeTest, WithFadesOnTheFinishPresentsOneClearedFrame) {
  OpenDisplay();
  platform::SetFakeClockStepPerFlip(7);
  const int before = platform::MilliSecs();
  fade->Init(10, 1, nullptr, 1, 0, nullptr);  // 2 ticks
  fade->Manage();
  EXPECT_EQ(platform::MilliSecs(), before);
  fade->Manage();
  EXPECT_EQ(platform::MilliSecs(), before + 7);
}

TEST_F(GameFadeTest, ChannelsFollowTheFadeWithRealDivisions) {
  auto pool = TChannelArray::Create(2);
  Game->Channels = pool;
  auto effect = pool->First();
  platform::PlaySound(Beep(), effect->Channel);
  platform::PlaySound(Beep(), Game->SpeechChannel);
  fade->Init(500, 1, Game->MusicChannel, 1, 0, effect);
  for (int t = 0; t < 25; ++t) fade->Manage();
  EXPECT_NEAR(Volume(Game->MusicChannel), 0.75f * 0.8f, 1e-5);
  EXPECT_NEAR(Volume(effect->Channel), 0.6f * 0.75f, 1e-5);
  EXPECT_NEAR(Volume(Game->SpeechChannel), 0.5f * 0.75f, 1e-5);
  const platform::ChannelPtr effectChannel = effect->Channel;
  for (int t = 0; t < 75; ++t) fade->Manage();
  EXPECT_FLOAT_EQ(Volume(Game->MusicChannel), 0.0f);
  EXPECT_FALSE(platform::ChannelPlaying(effectChannel));  // stopped through the pool
  EXPECT_FALSE(platform::ChannelPlaying(Game->SpeechChannel));
  EXPECT_EQ(fade->Channel2, nullptr);
}

TEST_F(GameFadeTest, AKeyFinishesAFadeOutAndTheSwitchFollows) {
  Game->DestinationTScreen = to;
  platform::PlaySound(Beep(), Game->SpeechChannel);
  fade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
  Tick();
  gfxtest::Post(platform::EVENT_KEYDOWN, 65);
  Tick();
  EXPECT_EQ(fade->Active, 0);
  EXPECT_FLOAT_EQ(Volume(Game->MusicChannel), 0.0f);
  EXPECT_FALSE(platform::ChannelPlaying(Game->SpeechChannel));
  EXPECT_EQ(to->starts, 1);
  EXPECT_EQ(Keys[65], 0);  // the key reaches no screen
}

TEST_F(GameFadeTest, AClickCutsAFadeInShort) {
  fade->Init(500, 0, nullptr, 1, 0, nullptr);
  EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
  for (int t = 0; t < 10; ++t) fade->Manage();
  Game->Mouse->h1 = 1;
  Game->Mouse->CalcButtonTotals();
  EXPECT_EQ(fade->Manage(), -1);
  EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
  EXPECT_EQ(fade->FadeInAborted, 1);
  EXPECT_EQ(fade->AbortKey, -1);
  EXPECT_FLOAT_EQ(fade->FadeCounterBeforeAbort, 10);
  EXPECT_EQ(Game->Mouse->mh, 0);
  EXPECT_EQ(from->fadeIns, 1);
  EXPECT_EQ(from->fadeOuts, 0);

  fade->Init(500, 0, nullptr, 1, 0, nullptr);
  Keys[32] = 2;  // pressed twice: not "exactly once"
  EXPECT_EQ(fade->Manage(), 0);
  Keys[32] = 0;
  Keys[13] = 1;
  EXPECT_EQ(fade->Manage(), -1);
  EXPECT_EQ(fade->AbortKey, 13);
}

TEST_F(GameFadeTest, StartCounterAndZeroLength) {
  fade->Init(500, 0, nullptr, 1, 50, nullptr);
  EXPECT_FLOAT_EQ(fade->Ratio, 0.5f);
  fade->Finish();
  // Under one tick: the ratio is its end value, never NaN, and the first Manage completes.
  fade->Init(3, 1, nullptr, 1, 1, nullptr);
  EXPECT_EQ(fade->Length, 0);
  EXPECT_FLOAT_EQ(fade->Ratio, 0.0f);
  EXPECT_EQ(fade->Manage(), 1);
  fade->Init(3, 1, nullptr, 1, 0, nullptr);
  EXPECT_FLOAT_EQ(fade->Ratio, 1.0f);
  EXPECT_EQ(fade->Manage(), 1);
}

TEST_F(GameFadeTest, InitFlushesInput) {
  Keys[70] = 1;
  Game->Mouse->h1 = 1;
  Game->Mouse->CalcButtonTotals();
  fade->Init(500, 1, nullptr, 1, 0, nullptr);
  EXPECT_EQ(Keys[70], 0);
  EXPECT_EQ(Game->Mouse->mh, 0);
  EXPECT_EQ(fade->Manage(), 0);
}

}  // namespace
