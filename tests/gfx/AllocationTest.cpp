// Per-tick and per-frame sprite and particle work allocates nothing once running.
#include "GfxTestSupport.h"
#include "support/AllocationCounter.h"
#include "gfx/TAnimation.h"
#include "gfx/TGameImage.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticleList.h"
#include "gfx/TSprite.h"

namespace {

class AllocationTest : public gfxtest::GfxTest {
 protected:
  long Count(const std::function<void()>& body) { return testrig::CountAllocations(body); }
};

TEST_F(AllocationTest, ParticleTicksAndFramesAllocateNothing) {
  OpenDisplay();
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"spark", 1);
  auto list = std::make_shared<TParticleList>();
  for (int i = 0; i < 300; ++i) {
    auto p = list->AddNew(100 + i, 300, image, 0.1f, -0.2f, 0.01f, 5000, i % 2, 1, 2, 1.0f, 0.001f,
                          0, i % 3 == 0 ? 1 : 0);
    p->SetupAnim(4, 400, 0, 0, 0, 0, 1);
    p->SetGlow(3, 0, 3, 0.2f, 0.8f);
    p->Shadow = i % 5 == 0;
  }
  // Warm the renderer's scratch buffers and the textures.
  list->Manage();
  list->Draw();
  const long n = Count([&] {
    for (int t = 0; t < 20; ++t) {
      list->Manage();
      list->ForEach([](const TParticlePtr& p) { p->ManageGlow(); });
      list->Draw();
    }
  });
  EXPECT_EQ(n, 0);
  EXPECT_EQ(list->Count(), 300);
  // The counter does see allocations: making a particle is one.
  EXPECT_GT(Count([&] { list->AddNew(1, 1, image, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0); }), 0);
}

TEST_F(AllocationTest, DyingParticlesFreeWithoutAllocating) {
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"spark", 1);
  auto list = std::make_shared<TParticleList>();
  for (int i = 0; i < 200; ++i) list->AddNew(100, 100, image, 0, 0, 0, 0, 0, 0, 0, 1.0f, 0, 5 * (1 + i % 7), 0);
  const long n = Count([&] {
    for (int t = 0; t < 10; ++t) list->Move();
  });
  EXPECT_EQ(n, 0);
  EXPECT_EQ(list->Count(), 0);
}

// The largest burst the board makes (a horn clearing a row at full detail) dies, and the
// next one as large is made from its particles.
TEST_F(AllocationTest, ABurstMadeAfterOneAsLargeDiedAllocatesNothing) {
  auto image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"spark", 1);
  auto list = std::make_shared<TParticleList>();
  auto burst = [&] {
    for (int i = 0; i < 500; ++i) {
      list->AddNew(100, 100, image, 0.5f, -1, 0.02f, 0, 1, 1, 2, 0.5f, 0, 50, 0)->SetTint(255, 128, i % 256);
    }
  };
  burst();
  for (int t = 0; t < 10; ++t) list->Move();
  ASSERT_EQ(list->Count(), 0);
  EXPECT_EQ(Count(burst), 0);
  EXPECT_EQ(list->Count(), 500);
}

TEST_F(AllocationTest, SpriteTimelineAndBankLookupsAllocateNothing) {
  OpenDisplay();
  auto bank = std::make_shared<TImageBank>();
  bank->Insert(TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"A LONG IMAGE NAME", 1));
  auto sprite = TSprite::Create(bank->Find(u"a long image name"), 200, 200);
  sprite->SetupAnim(3, 300, 0, 0, 0, 1, 1);
  sprite->SetupRotation(2, 0, 1, 0);
  sprite->SetGlow(3, 0, 5, 0, 1);
  sprite->Color = TColor::Create(200, 100, 50);
  sprite->Shadow = 1;
  auto timeline = TAnimation::Create(500, 0, 0, 1, 1);
  timeline->Start();
  sprite->Draw();
  const long n = Count([&] {
    for (int t = 0; t < 50; ++t) {
      sprite->Move();
      sprite->ManageAnim();
      sprite->ManageRotation();
      sprite->ManageGlow();
      timeline->Manage();
      sprite->Alpha = timeline->GetRatioSine();
      sprite->Draw();
      sprite->RoundCoords = t % 2;
      EXPECT_NE(bank->Find(u"A Long Image Name"), nullptr);
    }
  });
  EXPECT_EQ(n, 0);
}

}  // namespace
