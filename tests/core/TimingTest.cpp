// Frame timing: ticks per frame, Delta, the history, the first-frames rule and restarts.
#include "CoreFixture.h"

using namespace coretest;

namespace {

class TimingTest : public CoreTest {
 protected:
  TFixedRateLogic& Clock() { return *Game->FixedRateLogic; }

  // One frame of `ms` milliseconds through the clock alone.
  double Frame(int ms) {
    platform::AdvanceFakeClock(ms);
    Clock().Calc();
    return Clock().NumTicks;
  }

  // Lets the five history-free frames after Init pass.
  void PassFirstFrames(int ms = 5) {
    for (int i = 0; i < 5; ++i) Frame(ms);
    ASSERT_EQ(Clock().First, 0);
  }
};

TEST_F(TimingTest, LongFrameIsCappedAtFiftyMilliseconds) {
  EXPECT_DOUBLE_EQ(Frame(120), 10.0);
  EXPECT_EQ(Clock().Current, 10);
  EXPECT_EQ(Clock().maximum, 10);
}

TEST_F(TimingTest, SevenMillisecondFrameRunsAWholeAndAFractionalStep) {
  Game->VSync = 0;
  auto screen = StartScreen();
  platform::AdvanceFakeClock(7);
  ASSERT_EQ(Game->MainLogicLoop(), 1);
  EXPECT_NEAR(Clock().NumTicks, 1.4, 1e-9);
  ASSERT_EQ(screen->deltas.size(), 2u);
  EXPECT_FLOAT_EQ(screen->deltas[0], 1.0f);
  EXPECT_NEAR(screen->deltas[1], 0.4f, 1e-6);
}

TEST_F(TimingTest, TwoAndAHalfTicksGiveDeltasOneOneHalf) {
  Game->VSync = 0;
  auto screen = StartScreen();
  PassFirstFrames();
  Frame(12);
  // The history now averages 12 and 13 ms: 2.5 ticks.
  platform::AdvanceFakeClock(13);
  ASSERT_EQ(Game->MainLogicLoop(), 1);
  EXPECT_DOUBLE_EQ(Clock().NumTicks, 2.5);
  EXPECT_EQ(screen->deltas, (std::vector<float>{1.0f, 1.0f, 0.5f}));
}

TEST_F(TimingTest, SixthFrameAfterInitIsTheFirstToWriteTheHistory) {
  for (int i = 0; i < 5; ++i) {
    Frame(9);
    EXPECT_EQ(Clock().History[0], 0) << "frame " << i + 1;
    EXPECT_EQ(Clock().HistorySize, 1);
  }
  Frame(9);
  EXPECT_EQ(Clock().History[0], 9);
  EXPECT_EQ(Clock().HistorySize, 2);
  EXPECT_EQ(Clock().HistoryCounter, 1);
}

TEST_F(TimingTest, HistoryRingWrapsAfterFiftyFrames) {
  PassFirstFrames();
  for (int i = 0; i < 50; ++i) Frame(10);
  EXPECT_EQ(Clock().HistorySize, 50);
  EXPECT_EQ(Clock().HistoryCounter, 0);
  Frame(20);
  EXPECT_EQ(Clock().History[0], 20);
  // 49 frames of 10 ms and one of 20 ms; vsync replaces nothing within 1 ms of 10.2.
  Game->VSync = 0;
  EXPECT_NEAR(Frame(10), (48 * 10 + 20 + 10) / 50.0 / 5.0, 1e-9);
}

TEST_F(TimingTest, VSyncKeepsTheAverageWithinOneMillisecondAndReplacesItBeyond) {
  Game->VSync = 1;
  PassFirstFrames();
  for (int ms : {17, 17, 16, 17, 16, 17, 17, 16, 17, 16}) Frame(ms);  // average 16.6
  const double kept = Frame(16);
  EXPECT_NEAR(kept, (166.0 + 16.0) / 11.0 / 5.0, 1e-9);  // the average, not 16 / 5
  EXPECT_NE(kept, 16.0 / 5.0);
  EXPECT_DOUBLE_EQ(Frame(33), 33.0 / 5.0);
}

TEST_F(TimingTest, ClockGoingBackwardsRepeatsTheLastTickCount) {
  Frame(15);
  Clock().LastTime = platform::MilliSecs() + 100;
  EXPECT_DOUBLE_EQ(Frame(0), 3.0);
}

TEST_F(TimingTest, DurationConversions) {
  EXPECT_FLOAT_EQ(Game->CalcAnimLength(500), 100.0f);
  EXPECT_FLOAT_EQ(Game->CalcAnimLength(1000), 200.0f);
  EXPECT_EQ(Game->CalcMilliSecsFromFrames(3, 0), 15);
  Game->SlowMotionOn();
  EXPECT_FLOAT_EQ(Clock().MS, 20.0f);
  EXPECT_FLOAT_EQ(Game->CalcAnimLength(1000), 200.0f);
  EXPECT_EQ(Game->CalcMilliSecsFromFrames(3, 1), 15);
  EXPECT_EQ(Game->CalcMilliSecsFromFrames(3, 0), 60);
  Game->SlowMotionOff();
  EXPECT_FLOAT_EQ(Clock().MS, 5.0f);
}

TEST_F(TimingTest, FastModeRunsOneTickPerFrameAndFastOffOnlyUndoesIt) {
  ccFlipSync = 1;
  Game->FastOff();
  EXPECT_EQ(ccFlipSync, 1);
  EXPECT_EQ(Game->Fast, 0);
  Game->FastOn();
  EXPECT_EQ(ccFlipSync, 0);
  EXPECT_DOUBLE_EQ(Frame(40), 1.0);
  Game->FastOff();
  EXPECT_EQ(ccFlipSync, 1);
}

TEST_F(TimingTest, RestartsAfterBlockingStepsLoseTheTimeSpent) {
  auto screen = StartScreen();
  // A long blocking step (loading the next screen), then entering it.
  platform::AdvanceFakeClock(3000);
  auto next = StartScreen(u"next");
  EXPECT_EQ(Clock().First, 5);
  EXPECT_DOUBLE_EQ(Frame(5), 1.0);

  platform::AdvanceFakeClock(3000);
  Game->Paused = 1;
  Game->TogglePause();  // UnPause restarts the timer
  EXPECT_DOUBLE_EQ(Frame(5), 1.0);

  platform::AdvanceFakeClock(3000);
  Game->ToggleVSync();
  EXPECT_EQ(Clock().HistorySize, 1);
  EXPECT_DOUBLE_EQ(Frame(10), 2.0);
}

TEST_F(TimingTest, NoTimingUsesTheFixedTickCount) {
  Game->NoTiming = 1;
  Game->NoTimingTicks = 3;
  auto screen = StartScreen();
  platform::AdvanceFakeClock(40);
  Game->MainLogicLoop();
  EXPECT_EQ(screen->logics, 3);
}

}  // namespace
