// Channel pools: the order channels are handed out in, what counts as free, volume balancing,
// and the small sound helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "SoundTestSupport.h"
#include "core/Globals.h"
#include "core/SoundFunctions.h"
#include "core/TAmbientSounds.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "gfx/TGameFade.h"

using soundtest::VolumeOf;

namespace {

class ChannelPool : public soundtest::AudioGameTest {
 protected:
  void SetUp() override {
    AudioGameTest::SetUp();
    sound = std::make_shared<TGameSound>();
    sound->name = u"TONE";
    sound->sound = soundtest::Tone();
  }

  // Puts a sound on the channel and starts it, as another player of the pool would.
  void Busy(const std::shared_ptr<TGameChannel>& c) {
    platform::CueSound(soundtest::Tone(), c->Channel);
    platform::ResumeChannel(c->Channel);
  }

  std::shared_ptr<TGameSound> sound;
};

TEST_F(ChannelPool, SilentPoolHandsOutChannelsInTurnStartingAfterTheFirst) {
  auto pool = TChannelArray::Create(16);
  ASSERT_EQ(pool->Count(), 16);
  EXPECT_EQ(pool->Current, pool->ChannelByIndex(1));
  std::vector<std::shared_ptr<TGameChannel>> used;
  for (int i = 0; i < 16; ++i) used.push_back(pool->PlayGameSound(sound, nullptr, 1.0f, 0.0f));
  for (int i = 0; i < 15; ++i) EXPECT_EQ(used[static_cast<size_t>(i)], pool->ChannelByIndex(i + 2)) << i;
  EXPECT_EQ(used[15], pool->ChannelByIndex(1));
  EXPECT_EQ(pool->CountPlaying(), 16);
  // Every channel sounds: the next sound is skipped, not forced onto a busy channel.
  EXPECT_EQ(pool->PlayGameSound(sound, nullptr, 1.0f, 0.0f), nullptr);
  pool->Kill();
}

TEST_F(ChannelPool, ChannelHandedOutLastIsNotOfferedAgainAtOnce) {
  auto pool = TChannelArray::Create(4);
  for (int i = 2; i <= 4; ++i) Busy(pool->ChannelByIndex(i));
  // Only the first (the one handed out last) is silent, and it is not offered.
  EXPECT_EQ(pool->GetChannel(), nullptr);
  EXPECT_EQ(pool->Current, pool->ChannelByIndex(1));
  platform::StopChannel(pool->ChannelByIndex(3)->Channel);
  EXPECT_EQ(pool->GetChannel(), pool->ChannelByIndex(3));
  EXPECT_EQ(pool->Current, pool->ChannelByIndex(3));
  pool->Kill();
}

TEST_F(ChannelPool, ReservedIsNeverOfferedAndPlayWhenFinishedZeroIsOfferedWhilePlaying) {
  auto pool = TChannelArray::Create(3);
  pool->ChannelByIndex(2)->Reserved = 1;
  for (int i = 0; i < 6; ++i) EXPECT_NE(pool->GetChannel(), pool->ChannelByIndex(2));

  auto busy = pool->ChannelByIndex(3);
  Busy(busy);
  busy->PlayWhenFinished = 0;
  pool->Current = pool->ChannelByIndex(1);
  EXPECT_EQ(pool->GetChannel(), busy);
  pool->Kill();
}

TEST_F(ChannelPool, AfterStopGameChannelTheSearchStartsAtTheFirst) {
  auto pool = TChannelArray::Create(4);
  auto second = pool->GetChannel();
  ASSERT_EQ(second, pool->ChannelByIndex(2));
  Busy(second);
  pool->StopGameChannel(second);
  EXPECT_FALSE(platform::ChannelPlaying(second->Channel));
  ASSERT_EQ(pool->Count(), 4);
  for (const auto& c : *pool) EXPECT_NE(c, second);
  EXPECT_EQ(pool->Current, pool->Last());
  EXPECT_NE(pool->Last()->Channel, nullptr);
  EXPECT_EQ(pool->GetChannel(), pool->First());

  // A channel from another pool is stopped, and this pool keeps its size.
  auto stranger = TGameChannel::Create();
  pool->StopGameChannel(stranger);
  EXPECT_EQ(pool->Count(), 4);
  pool->Kill();
}

TEST_F(ChannelPool, BalanceFactorsFollowTheBudget) {
  auto pool = TChannelArray::Create(8);
  EXPECT_FLOAT_EQ(pool->BalanceVolumes(0), 1.0f);  // nothing playing
  const float expected[] = {1.0f, 0.75f, 0.5f, 0.375f};
  for (int n = 1; n <= 4; ++n) {
    Busy(pool->ChannelByIndex(n));
    EXPECT_FLOAT_EQ(pool->BalanceVolumes(0), expected[n - 1]) << n;
  }
  pool->Kill();

  // The application's pool: the budget equals the channel count.
  Game->ChannelsCreate(16);
  ASSERT_EQ(Game->Channels->Count(), 16);
  EXPECT_FLOAT_EQ(Game->Channels->MaxVol, 16.0f);
  for (const auto& c : *Game->Channels) Busy(c);
  EXPECT_FLOAT_EQ(Game->Channels->BalanceVolumes(0), 1.0f);
  EXPECT_FLOAT_EQ(Game->Channels->BalanceVolumes(1), 16.0f / 17.0f);
  Game->ChannelsKill();
  EXPECT_EQ(Game->Channels, nullptr);
}

TEST_F(ChannelPool, NewSoundTurnsThePlayingOnesDownAndKeepsTheBalancedVolume) {
  Game->SoundVolume = 80;
  auto pool = TChannelArray::Create(8);
  auto first = pool->PlayGameSound(sound, nullptr, 0.6f, 0.0f);
  ASSERT_NE(first, nullptr);
  EXPECT_FLOAT_EQ(sound->volume, 0.6f);  // alone: factor 1
  EXPECT_NEAR(VolumeOf(first->Channel), 0.8f * 0.6f, 1e-6);

  auto second = pool->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  ASSERT_NE(second, nullptr);
  EXPECT_FLOAT_EQ(sound->volume, 0.75f);
  EXPECT_NEAR(VolumeOf(first->Channel), 0.8f * 0.6f * 0.75f, 1e-6);
  EXPECT_NEAR(VolumeOf(second->Channel), 0.8f * 0.75f, 1e-6);
  pool->Kill();
}

TEST_F(ChannelPool, PlayingOnASoundingChannelCutsTheOldSound) {
  auto pool = TChannelArray::Create(2);
  auto c = pool->ChannelByIndex(2);
  auto other = std::make_shared<TGameSound>();
  other->sound = soundtest::Tone(2000);
  pool->PlayGameSound(sound, c, 1.0f, 0.0f);
  soundtest::RenderFrames(500);
  ASSERT_GT(platform::ChannelPosition(c->Channel), 0);
  pool->PlayGameSound(other, c, 1.0f, 0.0f);
  EXPECT_EQ(soundtest::SoundOn(c->Channel), other->sound);
  EXPECT_EQ(platform::ChannelPosition(c->Channel), 0);
  EXPECT_EQ(pool->CountPlaying(), 1);
  pool->Kill();
}

TEST_F(ChannelPool, EmptyPoolIsHarmless) {
  auto pool = TChannelArray::Create(0);
  EXPECT_EQ(pool->Count(), 0);
  EXPECT_EQ(pool->Current, nullptr);
  EXPECT_EQ(pool->GetChannel(), nullptr);
  EXPECT_EQ(pool->PlayGameSound(sound, nullptr, 1.0f, 0.0f), nullptr);
  EXPECT_EQ(pool->ChannelByIndex(1), nullptr);
  EXPECT_EQ(pool->CountPlaying(), 0);
  EXPECT_FLOAT_EQ(pool->BalanceVolumes(1), 1.0f);
  EXPECT_EQ(pool->Manage(), 0);
  EXPECT_EQ(pool->StopGameChannel(nullptr), 0);
  EXPECT_EQ(pool->Kill(), 0);
  EXPECT_EQ(pool->PlayGameSound(nullptr, nullptr, 1.0f, 0.0f), nullptr);
}

TEST_F(ChannelPool, ChannelByIndexCountsFromOne) {
  auto pool = TChannelArray::Create(3);
  EXPECT_EQ(pool->ChannelByIndex(-5), pool->First());
  EXPECT_EQ(pool->ChannelByIndex(1), pool->First());
  EXPECT_EQ(pool->ChannelByIndex(3), pool->Last());
  EXPECT_EQ(pool->ChannelByIndex(4), nullptr);
  auto keep = pool->First();
  Busy(keep);
  pool->Kill();
  EXPECT_EQ(pool->Count(), 0);
  EXPECT_EQ(keep->Channel, nullptr);  // released
}

TEST_F(ChannelPool, SoundSwitchedOffPlaysNothingButStillTakesTheChannel) {
  Game->Sound = 0;
  auto pool = TChannelArray::Create(4);
  auto c = pool->PlayGameSound(sound, nullptr, 1.0f, 0.0f);
  ASSERT_NE(c, nullptr);
  EXPECT_FALSE(platform::ChannelPlaying(c->Channel));
  pool->Kill();
}

TEST_F(ChannelPool, EffectsFollowTheGlobalFade) {
  Game->GameFade->Active = 1;
  Game->GameFade->Ratio = 0.5f;
  platform::ChannelPtr channel;
  sound->volume = 1.0f;
  sound->PlayInChannel(channel, 0.0f);
  EXPECT_NEAR(VolumeOf(channel), 0.5f, 1e-6);
  Game->GameFade->Active = 0;
  sound->PlayInChannel(channel, 0.0f);
  EXPECT_NEAR(VolumeOf(channel), 1.0f, 1e-6);
  platform::StopChannel(channel);
}

TEST(SoundFunctions, PanAndNotes) {
  EXPECT_FLOAT_EQ(ccCalcPan(0.0f), -0.5f);
  EXPECT_FLOAT_EQ(ccCalcPan(400.0f), 0.0f);
  EXPECT_FLOAT_EQ(ccCalcPan(800.0f), 0.5f);

  EXPECT_FLOAT_EQ(ccGetMusicalNote(0), 1.0f);
  EXPECT_FLOAT_EQ(ccGetMusicalNote(12), 2.0f);
  EXPECT_FLOAT_EQ(ccGetMusicalNote(-12), 0.5f);

  const int scale[] = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21, 23, 24};
  for (int n = 0; n < 15; ++n) {
    EXPECT_FLOAT_EQ(ccGetMusicalNoteInScaleC(n), ccGetMusicalNote(scale[n])) << n;
  }
  EXPECT_FLOAT_EQ(ccGetMusicalNoteInScaleC(-3), ccGetMusicalNote(-3));
  EXPECT_FLOAT_EQ(ccGetMusicalNoteInScaleC(15), ccGetMusicalNote(25));
  EXPECT_TRUE(std::isfinite(ccGetMusicalNoteInScaleC(-2147483647 - 1)));
  EXPECT_EQ(ccStopChannel(nullptr), 0);
}

TEST_F(ChannelPool, AmbientSoundsRefuseExtraSoundsAndDrawNothingFromAnEmptySet) {
  Game->ChannelsCreate(16);
  TAmbientSounds ambient;
  ambient.Init(0, 100);
  for (int i = 0; i < 10; ++i) ambient.Manage();
  EXPECT_EQ(Game->Channels->CountPlaying(), 0);

  for (int i = 0; i < TAmbientSounds::MAX_SOUNDS; ++i) EXPECT_EQ(ambient.AddSound(sound), 1);
  EXPECT_EQ(ambient.AddSound(sound), 0);
  EXPECT_EQ(ambient.TotalSounds, TAmbientSounds::MAX_SOUNDS);
  ambient.Manage();  // chance 100, interval 0: a draw every tick
  EXPECT_EQ(Game->Channels->CountPlaying(), 1);
  ambient.Kill();
  EXPECT_EQ(ambient.TotalSounds, 0);
}

}  // namespace
