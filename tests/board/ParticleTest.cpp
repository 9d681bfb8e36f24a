// The board's particle makers: counts by detail, the Tumblet streak, chain links and shards;
// and the board's pictures, sounds and channels.
#include "BoardFixture.h"
#include "board/BoardParticles.h"
#include "core/TChannelArray.h"
#include "core/TGameChannel.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "platform/Image.h"

namespace boardtest {
namespace {

using ParticleTest = BoardTest;

TEST_F(ParticleTest, ScaledCountsFollowTheDetailSetting) {
  struct Maker {
    const char* name;
    int (*make)(float, float, int);
    TParticleList* list;
  };
  const Maker makers[] = {{"unlock", UnlockParticlesMake, Particles.get()},
                          {"sparkle", SparkleParticlesMake, Particles.get()},
                          {"fire", FireParticlesMake, Particles.get()},
                          {"chain", ChainParticlesMake, AnimatedParticles.get()},
                          {"star", StarParticlesMake, Particles.get()},
                          {"tumblet", TumbletParticles, Particles.get()}};
  struct Detail {
    int detail, n, expected;
  };
  const Detail details[] = {{0, 20, 0},  {33, 4, 1},   {50, 20, 10},
                            {99, 1, 0},  {100, 20, 20}, {100, 1, 1}};
  for (const Maker& m : makers) {
    for (const Detail& d : details) {
      Game->Particles = d.detail;
      m.list->Clear();
      m.make(400, 300, d.n);
      EXPECT_EQ(m.list->Count(), d.expected) << m.name << " at " << d.detail;
    }
  }
  // Unscaled: the gauge sparkle and the four shards.
  Game->Particles = 0;
  Particles->Clear();
  GaugeParticleMake(10, 10);
  EXPECT_EQ(Particles->Count(), 1);
  AnimatedParticles->Clear();
  ShardParticlesMake(10, 10, TGem::ShardImages[1]);
  EXPECT_EQ(AnimatedParticles->Count(), 4);
}

TEST_F(ParticleTest, TheTumbletStreakAndItsGaugeStep) {
  TumbletParticles(330, 27, 20);
  ASSERT_EQ(Particles->Count(), 20);
  Particles->ForEach([](const TParticlePtr& p) {
    EXPECT_EQ(p->dx, 0.0f);
    EXPECT_EQ(p->dy, 0.0f);
    EXPECT_NEAR(p->x, 330, 15.5);
    EXPECT_NEAR(p->y, 27, 15.5);
    EXPECT_EQ(p->LifeCounter, 200.0f);
    EXPECT_EQ(p->image, ParticleImages[11]);
  });
  EXPECT_EQ(host->Count("AddGaugeStep"), 1);
  // From elsewhere the streak reaches the gauge in 200 ticks.
  Particles->Clear();
  TumbletParticles(530, 427, 1);
  const TParticlePtr p = Particles->First();
  EXPECT_FLOAT_EQ(p->dx, -1.0f);
  EXPECT_FLOAT_EQ(p->dy, -2.0f);
  // A scripted offset lands exactly: y is drawn first.
  Particles->Clear();
  ASSERT_TRUE(platform::PushRnd(-15, 15, 4.0));
  ASSERT_TRUE(platform::PushRnd(-15, 15, -7.0));
  TumbletParticles(100, 100, 1);
  EXPECT_EQ(Particles->First()->y, 104.0f);
  EXPECT_EQ(Particles->First()->x, 93.0f);
  // The gauge step comes due 200 ticks later.
  TGameGrid& board = Build("1 2");
  board.DropGemsFlag = 0;
  Tick(199);
  EXPECT_EQ(board.DiagonalGauge, 0);
  Tick();
  EXPECT_EQ(board.DiagonalGauge, 3);
}

TEST_F(ParticleTest, ChainLinksAndShards) {
  ChainParticlesMake(200, 200, 20);
  AnimatedParticles->ForEach([](const TParticlePtr& p) {
    EXPECT_EQ(p->FadeLength, 0.0f);
    EXPECT_EQ(p->LifeCounter, 0.0f);
    EXPECT_EQ(p->DoLightBlend, 0);
    EXPECT_NE(p->DoRotate, 0);
    EXPECT_GE(p->AnimCounter, 1.0f);
    EXPECT_LE(p->AnimCounter, static_cast<float>(p->AnimLength - 1));
  });
  AnimatedParticles->Clear();
  ShardParticlesMake(100, 100, TGem::ShardImages[3]);
  std::vector<std::tuple<float, float, float>> shards;
  AnimatedParticles->ForEach([&](const TParticlePtr& p) { shards.emplace_back(p->dx, p->dy, p->Rotation); });
  const std::vector<std::tuple<float, float, float>> expected = {
      {-1.5f, 1.5f, -135.0f}, {1.5f, 1.5f, 135.0f}, {1.5f, -1.5f, 45.0f}, {-1.5f, -1.5f, -45.0f}};
  EXPECT_EQ(shards, expected);
}

TEST_F(ParticleTest, BoardPicturesSoundsAndChannels) {
  for (int size : {50, 55, 60}) {
    platform::ImagePtr cursor = platform::CreateImage(size, size, 1, 0);
    images->Insert(TGameImage::CreateFromImage(cursor, u"cursor", 0));
    Build("1 2");
    const int handle = (size - 50) / 2;
    EXPECT_EQ(GameGrid->CursorImage->image->handleX, static_cast<float>(handle)) << size;
    EXPECT_EQ(GameGrid->CursorImage->image->handleY, static_cast<float>(handle)) << size;
  }
  const std::shared_ptr<TGameChannel> first = TGameGrid::Channels->First();
  EXPECT_EQ(GameGrid->LandChannel, first);
  EXPECT_EQ(first->Reserved, 1);
  EXPECT_EQ(TGameGrid::Channels->MaxVol, 8.0f);
  Build("3 4");
  EXPECT_EQ(GameGrid->LandChannel, first);  // each board takes it again
  GameGrid->Kill();
  EXPECT_EQ(GameGrid->LandChannel, nullptr);
  EXPECT_EQ(images->Find(u"CuRsOr"), images->Find(u"cursor"));
  EXPECT_EQ(GameGrid->MatchSound->name, u"MATCHBRICK");
  EXPECT_EQ(GameGrid->SoundNoMore->name, u"ALARM");
  // A name missing from a bank is the bank's fatal error.
  sounds->Clear();
  EXPECT_EQ(FatalMessageOf([] { TGameGrid::Create(); }),
            "Sound 'CLICK' was not found in the SoundBank");
  images->Clear();
  EXPECT_EQ(FatalMessageOf([] { TGameGrid::Create(); }),
            "Image 'CURSOR' was Not found in the ImageBank");
}

}  // namespace
}  // namespace boardtest
