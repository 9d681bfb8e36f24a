// Counters, counter lists, sine counters and flashers, all per tick at Delta 1.
#include <cmath>

#include "GfxTestSupport.h"
#include "gfx/CounterHelpers.h"
#include "gfx/TCounter.h"
#include "gfx/TCounterList.h"
#include "gfx/TFlasher.h"
#include "gfx/TSineCounter.h"

namespace {

using CounterTest = gfxtest::GfxTest;

TEST_F(CounterTest, CounterEndsOnItsLastTickOnly) {
  auto c = TCounter::Create(1000, 1);
  EXPECT_EQ(c->CounterLength, 200);
  EXPECT_FLOAT_EQ(c->GetRatio(), 1.0f);
  for (int t = 1; t < 200; ++t) ASSERT_EQ(c->Manage(), 0) << t;
  EXPECT_EQ(c->Manage(), 1);
  EXPECT_EQ(c->Active, 0);
  for (int t = 0; t < 10; ++t) EXPECT_EQ(c->Manage(), 0);
}

TEST_F(CounterTest, StopWithoutClearKeepsCounting) {
  auto c = TCounter::Create(50, 1);  // 10 ticks
  c->Manage();
  c->Stop(0);
  EXPECT_EQ(c->Active, 0);
  EXPECT_FLOAT_EQ(c->Counter, 9);
  for (int t = 0; t < 8; ++t) EXPECT_EQ(c->Manage(), 0);
  EXPECT_EQ(c->Manage(), 1);
  auto d = TCounter::Create(50, 1);
  d->Stop(1);
  EXPECT_EQ(d->Manage(), 0);
}

TEST_F(CounterTest, CounterShorterThanATickStillEnds) {
  auto c = TCounter::Create(3, 1);  // 0 whole ticks
  EXPECT_EQ(c->CounterLength, 0);
  EXPECT_EQ(c->Manage(), 1);
  EXPECT_EQ(c->Manage(), 0);
  auto idle = TCounter::Create(3, 0);
  EXPECT_EQ(idle->Manage(), 0);
}

TEST_F(CounterTest, CounterListRemovesEndedCountersOnlyWhenAsked) {
  TCounterList keep;
  keep.AddNew(10);  // 2 ticks
  keep.AddNew(5);   // 1 tick
  keep.Manage(0);
  keep.Manage(0);
  EXPECT_EQ(keep.Count(), 2);

  TCounterList list;
  auto longer = list.AddNew(15);  // 3 ticks
  list.AddNew(5);
  list.AddNew(10);
  list.Manage(1);
  EXPECT_EQ(list.Count(), 2);
  list.Manage(1);
  EXPECT_EQ(list.Count(), 1);
  list.Manage(1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(longer->Active, 0);
}

TEST(SineCounter, WrapsOnceAndRunsOnce) {
  Delta = 1.0f;
  auto s = TSineCounter::Create(0, 360, 100, 0);
  s->Counter = 300;
  EXPECT_EQ(s->Manage(), 1);
  EXPECT_FLOAT_EQ(s->Counter, 40);
  EXPECT_NEAR(s->ratio, std::sin(40.0 * 3.14159265358979 / 180.0), 1e-5);

  auto once = TSineCounter::Create(0, 360, -2, 1);
  once->SetCounter(1);
  EXPECT_EQ(once->Manage(), 1);
  EXPECT_FLOAT_EQ(once->Counter, 0);
  EXPECT_FLOAT_EQ(once->ratio, 0);
  EXPECT_EQ(once->Active, 0);
  EXPECT_EQ(once->Manage(), 0);

  // Exactly at the end point wraps to the start.
  auto edge = TSineCounter::Create(0, 360, 10, 0);
  edge->Counter = 350;
  edge->Manage();
  EXPECT_FLOAT_EQ(edge->Counter, 0);

  // Init keeps Active.
  once->Init(0, 90, 1, 0);
  EXPECT_EQ(once->Active, 0);
}

TEST_F(CounterTest, FlasherTimeline) {
  // 400 ticks in all, 40 on, 20 off, a 100-tick delay.
  auto f = TFlasher::Create(2000, 200, 100, 500);
  EXPECT_EQ(f->OnLength, 40);
  EXPECT_EQ(f->OffLength, 20);
  EXPECT_EQ(f->DelayEnd, 300);
  int firstOff = 0;
  int backOn = 0;
  int firstDone = 0;
  for (int t = 1; t <= 420; ++t) {
    const int prev = f->FlashState;
    const int done = f->Manage();
    if (!firstOff && prev == 1 && f->FlashState == 0) firstOff = t;
    if (firstOff && !backOn && prev == 0 && f->FlashState == 1) backOn = t;
    if (done && !firstDone) firstDone = t;
  }
  EXPECT_EQ(firstOff, 140);
  EXPECT_EQ(backOn, 161);
  EXPECT_EQ(firstDone, 400);

  auto zero = TFlasher::Create(0, 10, 10, 0);
  EXPECT_EQ(zero->Manage(), 1);
  zero->SetToOff();
  EXPECT_EQ(zero->FlashState, 0);
}

TEST_F(CounterTest, SecondsToGameUnits) { EXPECT_EQ(ccSecondsToGameUnits(2), 400); }

}  // namespace
