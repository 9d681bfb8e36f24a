// Flip(1) on a display whose driver does not wait for the vertical blank: the runtime sleeps
// to the refresh period instead. Time is the fake clock, so every sleep is exact.
#include "GfxFixture.h"
#include "platform/Clock.h"
#include "platform/FramePacer.h"

using namespace platform;

namespace {

class PacingTest : public gfxtest::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    UseFakeClock(true, 5000);
    PaceHeadlessFlips(true);  // the headless renderer has no swap interval: refused
  }
  void TearDown() override {
    Flip(0);  // forget the pacing for the next test
    PaceHeadlessFlips(false);
    UseFakeClock(false);
    DisplayTest::TearDown();
  }

  // How long one Flip slept (the fake clock moves only by the sleep).
  static int SleptBy(int sync) {
    const int before = MilliSecs();
    Flip(sync);
    return MilliSecs() - before;
  }
};

TEST_F(PacingTest, RefusedSwapIntervalSleepsToTheFramePeriodAndSoDoesFlipZero) {
  EXPECT_EQ(SleptBy(1), 0);  // the first paced frame counts from now
  // Frames drawn in no time: each Flip(1) waits out the rest of its 1/60 s.
  int total = 0;
  for (int i = 0; i < 60; ++i) {
    const int slept = SleptBy(1);
    EXPECT_TRUE(slept == 16 || slept == 17) << slept;
    total += slept;
  }
  EXPECT_NEAR(total, 1000, 1);
  // A frame that took part of the period itself sleeps only for the rest.
  AdvanceFakeClock(10);
  EXPECT_NEAR(SleptBy(1), 7, 1);
  // "VSYNC=0" presents at once, then sleeps the rest of the period all the same.
  EXPECT_EQ(SleptBy(0), 0);
  for (int i = 0; i < 60; ++i) {
    const int slept = SleptBy(0);
    EXPECT_TRUE(slept == 16 || slept == 17) << slept;
  }
}

TEST(FramePacer, WatchesAnAcceptedSwapIntervalAndPacesOnlyWhenItDoesNotHold) {
  const struct {
    const char* what;
    int frameMs;  // time between presents without any sleep
    int hz;
    bool paces;
  } cases[] = {
      {"vsync holds at 60 Hz", 17, 60, false},
      {"vsync holds at 144 Hz", 7, 144, false},
      {"a slow machine", 40, 60, false},
      {"ignored: 600 presents a second", 2, 60, true},
      {"ignored, refresh unknown", 1, 0, true},
      {"ignored, absurd refresh reported", 1, 100000, true},
  };
  for (const auto& c : cases) {
    FramePacer pacer;
    int now = 1000;
    int slept = 0;
    for (int frame = 0; frame < 3 * FramePacer::kWatchedFrames; ++frame) {
      now += c.frameMs;
      const int ms = pacer.AfterPresent(1, true, now, c.hz);
      now += ms;
      slept += ms;
    }
    EXPECT_EQ(pacer.Pacing(), c.paces) << c.what;
    EXPECT_EQ(slept > 0, c.paces) << c.what;
    // Flip(0) paces whatever was seen, and back at Flip(1) the interval is watched afresh.
    EXPECT_EQ(pacer.AfterPresent(0, true, now, c.hz), 0) << c.what;
    EXPECT_TRUE(pacer.Pacing()) << c.what;
    pacer.AfterPresent(1, true, now + c.frameMs, c.hz);
    EXPECT_FALSE(pacer.Pacing()) << c.what;
  }
}

TEST(FramePacer, FlipZeroKeepsPresentsAPeriodApartAndNeverHoldsBackASlowFrame) {
  const struct {
    int workMs;  // drawing time of a frame
    int hz;
    double spacingMs;  // between presents, once running
  } cases[] = {{0, 60, 1000.0 / 60}, {5, 60, 1000.0 / 60}, {16, 60, 1000.0 / 60},
               {30, 60, 30}, {3, 120, 1000.0 / 120}, {0, 0, 1000.0 / 60}};
  for (const auto& c : cases) {
    FramePacer pacer;
    int now = 1000;
    int first = 0;
    const int frames = 120;
    for (int frame = 0; frame < frames; ++frame) {
      now += c.workMs;
      if (frame == 10) first = now;
      now += pacer.AfterPresent(0, true, now, c.hz);
    }
    const double spacing = static_cast<double>(now - first) / (frames - 10);
    EXPECT_NEAR(spacing, c.spacingMs, 0.5) << c.workMs << " ms at " << c.hz << " Hz";
    EXPECT_FALSE(pacer.FrameDue(now)) << "just presented";
    EXPECT_TRUE(pacer.FrameDue(now + static_cast<int>(c.spacingMs) + 1));
  }
}

}  // namespace
