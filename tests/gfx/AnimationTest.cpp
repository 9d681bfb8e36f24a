// Timelines: passes, repeats, ping-pong, held ends, phases and ratios.
#include <cmath>

#include "GfxTestSupport.h"
#include "gfx/TAnimation.h"
#include "gfx/TCrossFade.h"

namespace {

using AnimationTest = gfxtest::GfxTest;

TEST_F(AnimationTest, OnePhaseRunsItsLengthAndStops) {
  auto a = TAnimation::Create(500, 0, 0, 0, 0);
  EXPECT_FLOAT_EQ(a->Length[0], 100);
  EXPECT_EQ(a->Active, 0);  // Create does not start
  a->Start();
  EXPECT_FLOAT_EQ(a->GetRatio(), 1.0f);
  for (int t = 1; t < 100; ++t) {
    ASSERT_EQ(a->Manage(), 0) << t;
    ASSERT_NEAR(a->GetRatio(), (100 - t) / 100.0f, 1e-5);
  }
  EXPECT_EQ(a->Manage(), 1);
  EXPECT_EQ(a->Active, 0);
  EXPECT_EQ(a->Finished, 1);
  EXPECT_FLOAT_EQ(a->GetRatio(), 0.0f);
  EXPECT_EQ(a->Manage(), 0);
}

TEST_F(AnimationTest, HeldEndReadsItsEndValueEveryTick) {
  auto down = TAnimation::Create(50, 1, 0, 0, 0);
  down->Start();
  int ends = 0;
  for (int t = 0; t < 10; ++t) ends += down->Manage();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(down->Active, 1);
  for (int t = 0; t < 3; ++t) EXPECT_EQ(down->Manage(), 1);
  EXPECT_FLOAT_EQ(down->GetRatio(), 0.0f);

  auto up = TAnimation::Create(50, 1, 1, 0, 0);
  up->Start();
  for (int t = 0; t < 11; ++t) up->Manage();
  EXPECT_EQ(up->Finished, 1);
  EXPECT_FLOAT_EQ(up->GetRatio(), 1.0f);
  EXPECT_EQ(up->Manage(), 1);
  EXPECT_FLOAT_EQ(up->GetRatio(), 1.0f);

  // Finished without LeaveActive reads 0 whatever Reverse was.
  auto upOnce = TAnimation::Create(50, 0, 1, 0, 0);
  upOnce->Start();
  for (int t = 0; t < 11; ++t) upOnce->Manage();
  EXPECT_EQ(upOnce->Active, 0);
  EXPECT_FLOAT_EQ(upOnce->GetRatio(), 0.0f);
}

TEST_F(AnimationTest, StartKeepsARunningCounterResetRestarts) {
  auto a = TAnimation::Create(500, 0, 0, 0, 0);
  a->Start();
  for (int t = 0; t < 30; ++t) a->Manage();
  a->Start();
  EXPECT_FLOAT_EQ(a->Counter, 70);
  a->Reset();
  EXPECT_FLOAT_EQ(a->Counter, 100);
}

TEST_F(AnimationTest, RestartOfAHeldMultiPhaseTimelineRunsPhaseZeroAtItsOwnLength) {
  auto a = TAnimation::Create(100, 1, 0, 0, 0);  // 20 ticks
  a->AddPhase(500);  // 100 ticks
  a->Start();
  int ticks = 0;
  while (!a->Finished && ticks < 1000) {
    a->Manage();
    ++ticks;
  }
  EXPECT_EQ(ticks, 120);
  EXPECT_EQ(a->CurrentPhase, 1);
  a->Start();
  EXPECT_EQ(a->CurrentPhase, 0);
  EXPECT_FLOAT_EQ(a->Counter, 20);  // phase 0's length, not the held last phase's
}

TEST_F(AnimationTest, CycleWithLoopTotalAndPingPong) {
  auto plain = TAnimation::Create(50, 0, 0, 1, 0);  // 10 ticks a pass
  plain->LoopTotal = 3;
  plain->Start();
  int ticks = 0;
  while (plain->Active && ticks < 1000) {
    plain->Manage();
    ++ticks;
  }
  EXPECT_EQ(ticks, 30);
  EXPECT_EQ(plain->LoopCount, 3);

  auto swing = TAnimation::Create(50, 0, 0, 1, 1);
  swing->LoopTotal = 3;
  swing->Start();
  std::vector<float> ratios;
  ticks = 0;
  while (swing->Active && ticks < 1000) {
    swing->Manage();
    ratios.push_back(swing->GetRatio());
    ++ticks;
  }
  EXPECT_EQ(ticks, 30);  // out, back, out
  EXPECT_NEAR(ratios[4], 0.5f, 1e-5);   // out: 1 -> 0
  EXPECT_NEAR(ratios[14], 0.5f, 1e-5);  // back: 0 -> 1
  EXPECT_EQ(swing->Reverse, 0);
}

TEST_F(AnimationTest, PingPongCarriesTheOvershoot) {
  auto a = TAnimation::Create(500, 0, 0, 1, 1);  // 100 ticks
  a->Start();
  for (int t = 0; t < 99; ++t) a->Manage();
  Delta = 1.4f;  // 1.0 - 1.4 = -0.4
  EXPECT_EQ(a->Manage(), 1);
  EXPECT_EQ(a->Reverse, 1);
  EXPECT_EQ(a->Direction, 0);
  EXPECT_NEAR(a->Counter, 0.4f, 1e-5);
  Delta = 1.0f;
  // And back at the top the overshoot past the length carries too.
  for (int t = 0; t < 99; ++t) a->Manage();
  EXPECT_NEAR(a->Counter, 99.4f, 1e-3);
  Delta = 1.0f;
  a->Manage();  // 100.4 > 100
  EXPECT_EQ(a->Reverse, 0);
  EXPECT_NEAR(a->Counter, 99.6f, 1e-3);
}

TEST_F(AnimationTest, StopOnARepeatingTimelineStartsTheNextPass) {
  auto a = TAnimation::Create(500, 0, 0, 1, 0);
  a->Start();
  for (int t = 0; t < 10; ++t) a->Manage();
  a->Stop();
  EXPECT_EQ(a->Active, 1);
  EXPECT_EQ(a->LoopCount, 1);
  EXPECT_FLOAT_EQ(a->Counter, 100);
  auto once = TAnimation::Create(500, 0, 0, 0, 0);
  once->Start();
  once->Stop();
  EXPECT_EQ(once->Active, 0);
  EXPECT_EQ(once->Finished, 1);
}

TEST_F(AnimationTest, PhasesInsertAndBound) {
  auto a = TAnimation::Create(100, 0, 0, 0, 0);  // A = 20
  a->AddPhase(200);                              // B = 40
  a->InsertPhase(300, 0);                        // new = 60
  ASSERT_EQ(a->TotalPhases, 3);
  EXPECT_FLOAT_EQ(a->Length[0], 60);
  EXPECT_FLOAT_EQ(a->Length[1], 20);
  EXPECT_FLOAT_EQ(a->Length[2], 40);
  a->InsertPhase(5, 99);  // clamped to the end
  EXPECT_FLOAT_EQ(a->Length[3], 1);
  a->InsertPhase(10, -3);  // clamped to the front
  EXPECT_FLOAT_EQ(a->Length[0], 2);

  auto full = TAnimation::Create(5, 0, 0, 0, 0);
  for (int i = 1; i < TAnimation::MAX_PHASES; ++i) full->AddPhase(5);
  EXPECT_EQ(full->TotalPhases, TAnimation::MAX_PHASES);
  full->AddPhase(999);
  full->InsertPhase(999, 3);
  EXPECT_EQ(full->TotalPhases, TAnimation::MAX_PHASES);
  for (int i = 0; i < TAnimation::MAX_PHASES; ++i) EXPECT_FLOAT_EQ(full->Length[static_cast<size_t>(i)], 1);
}

TEST_F(AnimationTest, MidPassPhaseChangeDropsTheOvershoot) {
  auto a = TAnimation::Create(10, 0, 0, 0, 0);  // 2 ticks
  a->AddPhase(50);                              // 10 ticks
  a->Start();
  a->Manage();
  Delta = 1.5f;
  EXPECT_EQ(a->Manage(), 1);
  EXPECT_EQ(a->CurrentPhase, 1);
  EXPECT_FLOAT_EQ(a->Counter, 10);
}

TEST_F(AnimationTest, FramesAndEasedRatios) {
  auto up = TAnimation::Create(500, 0, 1, 0, 0);
  up->Start();
  EXPECT_EQ(up->GetAnimFrameProper(4), 3);
  for (int t = 0; t < 100; ++t) up->Manage();
  up->Counter = 100;  // at its end
  EXPECT_EQ(up->GetAnimFrameProper(4), 0);

  auto down = TAnimation::Create(500, 0, 0, 0, 0);
  down->Start();
  EXPECT_EQ(down->GetAnimFrame(4), 0);
  down->Counter = 1;
  EXPECT_EQ(down->GetAnimFrame(4), 3);
  down->Counter = 50;
  EXPECT_NEAR(down->GetRatioSine(), std::sin(45.0 * 3.14159265358979 / 180.0), 1e-5);
  EXPECT_NEAR(down->GetRatioInvSine(), std::sin(45.0 * 3.14159265358979 / 180.0), 1e-5);
  EXPECT_NEAR(down->GetRatioSine180(), 0.5f, 1e-5);
  down->Counter = 25;
  EXPECT_NEAR(down->GetRatioInv(), 0.75f, 1e-6);
  EXPECT_NEAR(down->GetRatioInvSine180(), 1.0f - 0.1464f, 1e-4);
}

TEST_F(AnimationTest, PhaseOfNoLengthReadsAsOverNotNaN) {
  auto a = TAnimation::Create(0, 0, 0, 0, 0);
  a->Start();
  EXPECT_FALSE(std::isnan(a->GetRatio()));
  EXPECT_FLOAT_EQ(a->GetRatio(), 0.0f);
  EXPECT_FLOAT_EQ(a->GetRatioInv(), 1.0f);
  EXPECT_EQ(a->GetAnimFrame(5), 4);
  EXPECT_EQ(a->Manage(), 1);  // over at once

  auto up = TAnimation::Create(3, 0, 1, 0, 0);  // 0.6 ticks: a whole-tick length of 0
  up->Start();
  EXPECT_EQ(up->GetAnimFrame(5), 4);
}

TEST_F(AnimationTest, CrossFadeAlphaFollowsTheTimeline) {
  OpenDisplay();
  auto black = gfxtest::SolidImage(10, 10, 0xFF000000u);
  auto white = gfxtest::SolidImage(10, 10, 0xFFFFFFFFu);
  auto fade = TCrossFade::Create(black, white, 1000);
  fade->SetImage1Coords(50, 50);
  fade->SetImage2Coords(50, 50);
  for (int t = 0; t < 100; ++t) fade->Manage();
  fade->Draw();
  EXPECT_TRUE(testrig::PixelNear(Pixel(55, 55), 0xFF808080u, 3));
  EXPECT_EQ(platform::GetBlend(), platform::ALPHABLEND);
  EXPECT_FLOAT_EQ(platform::GetAlpha(), 1.0f);
  for (int t = 0; t < 100; ++t) fade->Manage();
  EXPECT_EQ(fade->Anim->Active, 0);
  fade->Draw();
  EXPECT_PIXEL_NEAR(Pixel(55, 55), 0xFFFFFFFFu);
}

}  // namespace
