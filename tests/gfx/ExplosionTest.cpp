// Generator lists and explosions.
#include <vector>

#include "GfxTestSupport.h"
#include "gfx/TExplosionList.h"
#include "gfx/TGameImage.h"
#include "gfx/TParticleGeneratorList.h"

namespace {

class ExplosionTest : public gfxtest::GfxTest {};

TEST_F(ExplosionTest, GeneratorListKeepsAGeneratorUntilItsLastEmission) {
  TParticleGeneratorList list;
  std::vector<int> ticks;
  int tick = 0;
  auto record = [&](TParticleGenerator&) {
    ticks.push_back(tick);
    return 0;
  };
  list.Add(0, 0, 5, 100, record);
  for (tick = 1; tick <= 100; ++tick) {
    list.Manage();
    // Invariant: a generator is in the list exactly while emissions are still to come.
    ASSERT_EQ(list.Count(), ticks.size() < 5 ? 1 : 0) << tick;
  }
  EXPECT_EQ(ticks, (std::vector<int>{0, 20, 40, 60, 80}));

  ticks.clear();
  tick = 0;
  auto single = list.Add(0, 0, 1, 100, record);
  EXPECT_EQ(ticks.size(), 1u);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(single);

  // Generators that all finish in one tick leave in the same walk; a stopped one stays.
  for (int i = 0; i < 4; ++i) list.Add(0, 0, 2, 5, record);
  auto stopped = list.Add(0, 0, 3, 5, record);
  stopped->Active = 0;
  list.Manage();
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(ExplosionTest, ExplosionsPlayOnceAndLeave) {
  OpenDisplay();
  auto strip = platform::CreateImage(4, 4, 10, 0);
  auto image = TGameImage::CreateFromImage(strip, u"boom", 0);
  auto list = std::make_shared<TExplosionList>();
  auto e = list->AddNew(10, 10, image);
  e->StartAnim(500, 10);
  std::vector<int> frames;
  int ticks = 0;
  while (list->Count() > 0 && ticks < 1000) {
    list->Draw();
    if (frames.empty() || frames.back() != e->GetAnimFrame()) frames.push_back(e->GetAnimFrame());
    list->Manage();
    ++ticks;
  }
  EXPECT_EQ(ticks, 100);
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // Killed again, or never in a list: nothing happens.
  e->Kill();
  TExplosion::Create(image, 0, 0)->Kill();
  auto quick = list->AddNew(0, 0, image);
  list->Manage();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(quick->Explosions.lock());

  // Drawn in list order: the later one covers the earlier.
  auto red = TGameImage::CreateFromImage(gfxtest::SolidImage(10, 10, 0xFFFF0000u), u"r", 0);
  auto blue = TGameImage::CreateFromImage(gfxtest::SolidImage(10, 10, 0xFF0000FFu), u"b", 0);
  list->AddNew(100, 100, red);
  list->AddNew(105, 100, blue);
  platform::Cls();
  list->Draw();
  EXPECT_PIXEL_NEAR(Pixel(102, 102), 0xFFFF0000u);
  EXPECT_PIXEL_NEAR(Pixel(107, 102), 0xFF0000FFu);
}

}  // namespace
