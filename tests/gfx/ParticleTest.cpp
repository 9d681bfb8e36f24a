// Particles, their phases and generators, and the lists that walk them.
#include <vector>

#include "GfxTestSupport.h"
#include "gfx/TGameImage.h"
#include "gfx/TParticle.h"
#include "gfx/TParticleGenerator.h"
#include "gfx/TParticleList.h"
#include "gfx/TSineCounter.h"

namespace {

class ParticleTest : public gfxtest::GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    image = TGameImage::CreateFromImage(gfxtest::SolidImage(8, 8, 0xFFFFFFFFu), u"p", 1);
    list = std::make_shared<TParticleList>();
  }
  // A still particle at (x, y) with no fade and no life limit.
  TParticlePtr Add(int x = 100, int y = 100, float fadeMs = 0, int lifeMs = 0, int first = 0) {
    return list->AddNew(x, y, image, 0, 0, 0, fadeMs, 0, 0, 0, 1.0f, 0, lifeMs, first);
  }
  TGameImagePtr image;
  TParticleListPtr list;
};

TEST_F(ParticleTest, FadeOutFromCreationComputesAlphaAtDrawTime) {
  OpenDisplay();
  auto p = Add(100, 100, 1000);  // 200 ticks
  for (int t = 0; t < 100; ++t) p->Move();
  EXPECT_FLOAT_EQ(p->Alpha, 1.0f);  // not yet drawn
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
  for (int t = 0; t < 99; ++t) p->Move();
  EXPECT_EQ(list->Count(), 1);
  p->Move();
  EXPECT_FLOAT_EQ(p->Alpha, 0.0f);
  EXPECT_EQ(p->active, 0);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(p->Draw(), 0);
}

TEST_F(ParticleTest, SetFadeInSustainOut) {
  OpenDisplay();
  auto p = Add();
  p->SetFade(200, 0, 400);  // 40 in, 80 out
  EXPECT_FLOAT_EQ(p->Alpha, 0.0f);
  for (int t = 0; t < 20; ++t) p->Move();
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
  for (int t = 0; t < 20; ++t) p->Move();
  EXPECT_FLOAT_EQ(p->Alpha, 1.0f);
  for (int t = 0; t < 40; ++t) p->Move();
  p->Draw();
  EXPECT_FLOAT_EQ(p->Alpha, 0.5f);
  for (int t = 0; t < 39; ++t) p->Move();
  EXPECT_EQ(p->active, 1);
  p->Move();
  EXPECT_EQ(p->active, 0);

  auto held = Add();
  held->SetFade(0, 50, 50);  // 10 held, 10 out
  for (int t = 0; t < 10; ++t) held->Move();
  held->Draw();
  EXPECT_FLOAT_EQ(held->Alpha, 1.0f);
  for (int t = 0; t < 5; ++t) held->Move();
  held->Draw();
  EXPECT_FLOAT_EQ(held->Alpha, 0.5f);
  held->KillOnFade = 0;
  for (int t = 0; t < 5; ++t) held->Move();
  EXPECT_FLOAT_EQ(held->Alpha, 0.0f);
  EXPECT_EQ(held->active, 1);  // not killed by the fade
}

TEST_F(ParticleTest, StartDelayHidesAndFreezesThenStartsInTheSameTick) {
  auto p = Add();
  p->dx = 1;
  int finished = 0;
  p->DelayFinished = [&](TParticle&) { return ++finished; };
  auto phase = p->AddPhase(1000);
  phase->dx = 3;
  p->SetDelay(100);  // 20 ticks
  EXPECT_EQ(p->Hidden, 0);  // set by Move, not SetDelay
  for (int t = 1; t < 20; ++t) {
    p->Move();
    ASSERT_EQ(p->Hidden, 1);
    ASSERT_FLOAT_EQ(p->x, 100);
  }
  p->Move();
  EXPECT_EQ(p->Hidden, 0);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(p->CurrentPhase, phase);
  EXPECT_FLOAT_EQ(p->x, 103);  // moved in the same tick, with the phase's velocity
}

TEST_F(ParticleTest, SpinScaleLifeAndDestination) {
  auto spin = Add();
  spin->DoRotate = -1;
  spin->RotationSpeed = 2;
  spin->Rotation = 1;
  spin->Move();
  EXPECT_FLOAT_EQ(spin->Rotation, 359);

  auto shrink = list->AddNew(100, 100, image, 0, 0, 0, 0, 0, 0, 0, 1.0f, -0.25f, 0, 0);
  for (int t = 1; t < 4; ++t) {
    shrink->Move();
    ASSERT_EQ(shrink->active, 1) << t;
  }
  shrink->Move();
  EXPECT_EQ(shrink->active, 0);

  auto mortal = Add(100, 100, 0, 50);  // 10 ticks
  for (int t = 0; t < 9; ++t) mortal->Move();
  EXPECT_EQ(mortal->active, 1);
  mortal->Move();
  EXPECT_EQ(mortal->active, 0);

  auto traveller = Add(100, 100);
  traveller->dx = 0;
  traveller->DestX = 50;  // below x with dx 0: never reached
  traveller->DestY = 200;
  int reached = 0;
  traveller->DestinationReached = [&](TParticle&) { return ++reached; };
  traveller->Move();
  EXPECT_EQ(reached, 0);
  traveller->DestX = 150;  // x at or below: reached at once, and on every later tick
  traveller->Move();
  traveller->Move();
  EXPECT_EQ(reached, 2);
}

TEST_F(ParticleTest, LeavingTheScreenKillsUnlessAllowed) {
  auto p = Add(805, 100);
  p->Move();
  EXPECT_EQ(p->active, 0);
  auto q = Add(805, 100);
  q->NoOutOfBounds = 1;
  q->Move();
  EXPECT_EQ(q->active, 1);
}

TEST_F(ParticleTest, PhasesRunInOrderAndTheLastOneKills) {
  auto p = Add();
  std::vector<int> ends;
  auto a = p->AddPhase(50);  // 10 ticks
  a->dx = 1;
  a->UserFunction = [&](TParticle&) {
    ends.push_back(1);
    return 0;
  };
  auto b = p->AddPhase(25);  // 5 ticks
  b->dy = 2;
  b->Scale = 2;
  b->Alpha = 0;
  b->SetAngle = 1;
  b->Angle = 45;
  b->UserFunction = [&](TParticle&) {
    ends.push_back(2);
    return 0;
  };
  p->StartPhases();
  EXPECT_EQ(p->CurrentPhase, a);
  for (int t = 0; t < 9; ++t) EXPECT_EQ(p->ManagePhases(), 0);
  EXPECT_EQ(p->ManagePhases(), 1);
  EXPECT_EQ(p->CurrentPhase, b);
  EXPECT_FLOAT_EQ(p->dx, 0);
  EXPECT_FLOAT_EQ(p->dy, 2);
  EXPECT_FLOAT_EQ(p->ScaleX, 2);
  EXPECT_FLOAT_EQ(p->Alpha, 0);
  EXPECT_FLOAT_EQ(p->Rotation, 45);
  for (int t = 0; t < 4; ++t) p->Move();
  EXPECT_EQ(p->active, 1);
  EXPECT_EQ(p->Move(), 0);
  EXPECT_EQ(p->active, 0);
  EXPECT_EQ(ends, (std::vector<int>{1, 2}));
  p->KillPhases();
  EXPECT_TRUE(p->PhaseList.empty());
  EXPECT_EQ(p->CurrentPhase, nullptr);
}

TEST_F(ParticleTest, KillRunsItsHookOnceEvenWhenSeveralEndsCoincide) {
  // Fade-out, shrink and life all end on the same tick.
  auto p = list->AddNew(100, 100, image, 0, 0, 0, 5, 0, 0, 0, 0.25f, -0.25f, 5, 0);
  int kills = 0;
  p->UserKill = [&](TParticle&) { return ++kills; };
  auto attached = Add();
  p->AttachedParticle = attached;
  p->DataObject = std::make_shared<int>(3);
  p->ParticleGenerator = TParticleGenerator::Create(0, 0, 3, 100, nullptr, 0, 0, 0);
  p->Move();
  EXPECT_EQ(p->active, 0);
  EXPECT_EQ(kills, 1);
  EXPECT_EQ(attached->active, 0);
  EXPECT_EQ(p->AttachedParticle, nullptr);
  EXPECT_EQ(p->DataObject, nullptr);
  EXPECT_EQ(p->ParticleGenerator, nullptr);
  EXPECT_EQ(list->Count(), 0);
  p->Kill();
  EXPECT_EQ(kills, 1);
}

TEST_F(ParticleTest, WalkSurvivesEveryParticleDyingAtOnce) {
  std::vector<TParticlePtr> all;
  for (int i = 0; i < 50; ++i) all.push_back(Add(100, 100, 0, 5));  // one tick of life
  int moves = 0;
  for (auto& p : all) p->UserMove = [&](TParticle&) { return ++moves; };
  list->Move();
  EXPECT_EQ(moves, 50);  // none skipped, none twice
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(list->First(), nullptr);
}

TEST_F(ParticleTest, KillingTheNextParticleDuringTheWalk) {
  auto a = Add();
  auto b = Add();
  auto c = Add();
  a->AttachedParticle = b;
  a->LifeCounter = 1;  // dies on this tick, taking b with it
  std::vector<TParticle*> visited;
  for (auto& p : {a, b, c}) {
    p->UserMove = [&visited](TParticle& self) {
      visited.push_back(&self);
      return 0;
    };
  }
  list->Move();
  EXPECT_EQ(visited, (std::vector<TParticle*>{a.get(), c.get()}));
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(list->First(), c);
}

TEST_F(ParticleTest, AppendedDuringAWalkAreReachedPrependedAreNot) {
  auto a = Add();
  int newcomers = 0;
  bool added = false;
  a->UserMove = [&](TParticle&) {
    if (!added) {
      added = true;
      auto back = Add();
      back->UserMove = [&](TParticle&) { return ++newcomers; };
      auto front = Add(100, 100, 0, 0, 1);
      front->UserMove = [&](TParticle&) { return newcomers += 100; };
    }
    return 0;
  };
  list->Move();
  EXPECT_EQ(newcomers, 1);
  EXPECT_EQ(list->Count(), 3);
  // Front first in walking (and drawing) order.
  std::vector<TParticlePtr> order;
  list->ForEach([&](const TParticlePtr& p) { order.push_back(p); });
  EXPECT_NE(order[0], a);
  EXPECT_EQ(order[1], a);
}

TEST_F(ParticleTest, ManageAnimatesOnlyAfterTheDelayAndKillsAfterTheAnimation) {
  auto delayed = Add();
  delayed->dx = 1;
  delayed->SetupAnim(2, 50, 0, 0, 0, 0, 0);
  delayed->KillAfterAnim = 1;
  delayed->SetDelay(50);  // 10 ticks
  for (int t = 0; t < 9; ++t) list->Manage();
  EXPECT_FLOAT_EQ(delayed->x, 100);
  EXPECT_FLOAT_EQ(delayed->AnimCounter, 10);
  list->Manage();
  EXPECT_FLOAT_EQ(delayed->x, 101);
  EXPECT_FLOAT_EQ(delayed->AnimCounter, 9);
  for (int t = 0; t < 8; ++t) list->Manage();
  EXPECT_EQ(delayed->active, 1);
  list->Manage();  // the animation ends
  EXPECT_EQ(delayed->active, 0);
  EXPECT_EQ(list->Count(), 0);

  auto animated = Add();
  animated->SetupAnim(2, 50, 0, 0, 0, 0, 1);
  list->Move();
  EXPECT_FLOAT_EQ(animated->AnimCounter, 10);  // Move does not animate
  list->Animate();
  EXPECT_FLOAT_EQ(animated->AnimCounter, 9);
}

// A list makes its new particles from its dead ones: whatever the old life changed, the
// particle starts as one made from nothing with the same arguments.
TEST_F(ParticleTest, AParticleMadeFromADeadOneStartsLikeANewOne) {
  auto old = list->AddNew(10, 20, image, 1, 2, 0.5f, 300, 1, -1, 4, 2.0f, 0.1f, 400, 0);
  old->SetupAnim(4, 400, 1, 1, 0, 1, 0);
  old->SetGlow(3, 0.5f, 3, 0.2f, 0.8f);
  old->GlowCounter->Manage();
  old->SetTint(1, 2, 3);
  old->AddPhase(100)->Hidden = 1;
  old->StartPhases();
  old->SetDelay(50);
  old->UserMove = [](TParticle&) { return 0; };
  old->DataObject = std::make_shared<int>(7);
  old->Shadow = 1;
  old->Alpha = 0.25f;
  old->Rotation = 33;
  old->NoOutOfBounds = 1;
  old->KillOnFade = 0;
  old->Data1 = 9;
  old->FloatData1 = 9;
  for (int t = 0; t < 5; ++t) old->Move();
  TParticle* const dead = old.get();
  old->Kill();
  old.reset();

  auto again = list->AddNew(30, 40, image, -1, 0.5f, 0.02f, 1000, 0, 1, 2, 0.5f, 0, 0, 0);
  ASSERT_EQ(again.get(), dead) << "the dead particle was not made again";
  auto fresh = std::make_shared<TParticleList>()->AddNew(30, 40, image, -1, 0.5f, 0.02f, 1000, 0,
                                                         1, 2, 0.5f, 0, 0, 0);
  const std::pair<const char*, float (*)(const TParticle&)> kFields[] = {
      {"x", [](const TParticle& p) { return p.x; }},
      {"dy", [](const TParticle& p) { return p.dy; }},
      {"ygravity", [](const TParticle& p) { return p.ygravity; }},
      {"Alpha", [](const TParticle& p) { return p.Alpha; }},
      {"Rotation", [](const TParticle& p) { return p.Rotation; }},
      {"ScaleX", [](const TParticle& p) { return p.ScaleX; }},
      {"ScaleXSpeed", [](const TParticle& p) { return p.ScaleXSpeed; }},
      {"AnimCounter", [](const TParticle& p) { return p.AnimCounter; }},
      {"FrameLength", [](const TParticle& p) { return p.FrameLength; }},
      {"Glow", [](const TParticle& p) { return p.Glow; }},
      {"GlowSpeed", [](const TParticle& p) { return p.GlowSpeed; }},
      {"GlowCounter", [](const TParticle& p) { return p.GlowCounter->Counter + p.GlowCounter->Speed; }},
      {"LifeCounter", [](const TParticle& p) { return p.LifeCounter; }},
      {"FadeCounter", [](const TParticle& p) { return p.FadeCounter; }},
      {"DelayCounter", [](const TParticle& p) { return p.DelayCounter; }},
      {"PhaseCounter", [](const TParticle& p) { return p.PhaseCounter; }},
      {"FloatData1", [](const TParticle& p) { return p.FloatData1; }},
      {"Hidden", [](const TParticle& p) { return static_cast<float>(p.Hidden); }},
      {"Shadow", [](const TParticle& p) { return static_cast<float>(p.Shadow); }},
      {"Loop", [](const TParticle& p) { return static_cast<float>(p.Loop); }},
      {"DoLightBlend", [](const TParticle& p) { return static_cast<float>(p.DoLightBlend); }},
      {"DoScale", [](const TParticle& p) { return static_cast<float>(p.DoScale); }},
      {"NoOutOfBounds", [](const TParticle& p) { return static_cast<float>(p.NoOutOfBounds); }},
      {"KillOnFade", [](const TParticle& p) { return static_cast<float>(p.KillOnFade); }},
      {"Data1", [](const TParticle& p) { return static_cast<float>(p.Data1); }},
      {"phases", [](const TParticle& p) { return static_cast<float>(p.PhaseList.size() + (p.CurrentPhase ? 1 : 0)); }},
      {"hooks", [](const TParticle& p) { return static_cast<float>((p.UserMove ? 1 : 0) + (p.UserKill ? 2 : 0)); }},
      {"tinted", [](const TParticle& p) { return static_cast<float>(p.Color != nullptr); }},
      {"DataObject", [](const TParticle& p) { return static_cast<float>(p.DataObject != nullptr); }},
      {"active", [](const TParticle& p) { return static_cast<float>(p.active); }},
  };
  for (const auto& [name, read] : kFields) EXPECT_EQ(read(*again), read(*fresh)) << name;
  EXPECT_EQ(again->Particles.lock(), list);
  EXPECT_EQ(list->Count(), 1);
}

TEST_F(ParticleTest, FadeAllRemovesAfterItsLength) {
  for (int i = 0; i < 5; ++i) Add();
  list->FadeAll(500);
  for (int t = 0; t < 99; ++t) list->Move();
  EXPECT_EQ(list->Count(), 5);
  list->Move();
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ParticleTest, ClearRunsNoHookAndLeavesParticlesListless) {
  auto a = Add();
  auto b = Add();
  int kills = 0;
  a->UserKill = [&](TParticle&) { return ++kills; };
  a->AttachedParticle = b;
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(kills, 0);
  EXPECT_EQ(b->active, 1);
  EXPECT_EQ(a->Particles.lock(), nullptr);
  // A later kill is harmless for the list it left.
  auto c = Add();
  a->Kill();
  EXPECT_EQ(kills, 1);
  EXPECT_EQ(list->Count(), 1);
  EXPECT_EQ(list->First(), c);
}

TEST_F(ParticleTest, ParticlesDoNotKeepTheirListAlive) {
  auto p = Add();
  std::weak_ptr<TParticleList> weak = list;
  list.reset();
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(p->Kill(), 0);
  EXPECT_EQ(p->active, 0);
}

TEST_F(ParticleTest, LightBlendParticleLeavesAlphaBlendAndFadesOut) {
  OpenDisplay();
  platform::SetBlend(platform::SOLIDBLEND);
  auto bright = list->AddNew(100, 100, image, 0, 0, 0, 1000, 1, 0, 0, 1.0f, 0, 0, 0);
  bright->Draw();
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  const uint32_t before = Pixel(100, 100) & 0xFF;
  platform::Cls();
  for (int t = 0; t < 150; ++t) bright->Move();
  bright->Draw();
  const uint32_t after = Pixel(100, 100) & 0xFF;
  EXPECT_GT(before, 200u);
  EXPECT_LT(after, before / 2);  // a quarter of the fade left
  EXPECT_GT(after, 0u);
  bright->Hidden = 1;
  EXPECT_EQ(bright->Draw(), 0);
}

TEST_F(ParticleTest, GeneratorEmitsByInterval) {
  int made = 0;
  auto make = [&](TParticleGenerator&) { return ++made; };
  auto g = TParticleGenerator::Create(0, 0, 5, 100, make, 0, 0, 1);  // 20 ticks
  EXPECT_EQ(made, 1);
  std::vector<int> ticks;
  for (int t = 1; t <= 100 && g->Active; ++t) {
    const int before = made;
    const int r = g->Manage();
    if (made > before) ticks.push_back(t);
    if (r == 1) break;
  }
  EXPECT_EQ(made, 5);
  EXPECT_EQ(ticks, (std::vector<int>{20, 40, 60, 80}));
  EXPECT_EQ(g->Manage(), -1);

  made = 0;
  auto noNow = TParticleGenerator::Create(0, 0, 3, 100, make, 0, 0, 0);
  for (int t = 0; t < 200; ++t) noNow->Manage();
  EXPECT_EQ(made, 2);

  made = 0;
  auto fast = TParticleGenerator::Create(0, 0, 100, 2.5f, make, 0, 0, 0);
  fast->Manage();
  EXPECT_EQ(made, 2);
  EXPECT_FLOAT_EQ(fast->IntervalCounter, 0.5f);

  made = 0;
  auto never = TParticleGenerator::Create(0, 0, 3, 0, make, 0, 0, 0);
  for (int t = 0; t < 10; ++t) EXPECT_EQ(never->Manage(), 0);
  EXPECT_EQ(made, 0);
}

}  // namespace
