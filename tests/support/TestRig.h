#pragma once
// The headless test rig. Every test executable runs with SDL's dummy video and audio drivers,
// the software renderer, and HOME and XDG_DATA_HOME pointing at a fresh temporary folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/Image.h"
#include "platform/String.h"

namespace testrig {

// The temporary folder that stands in for the user's home (and XDG data home) for this run.
const std::string& TempHome();
// A new empty folder under TempHome(), unique per call; no closing slash.
std::string MakeTempDir(const std::string& hint = "t");
// Writes bytes to a file, creating parent folders.
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// The generated data folder (build/Resources/) with a closing slash; "" when not built.
std::string ResourcesDir();
bool HaveResources();

// Compares one channel-wise with a tolerance (default +-2 per channel).
::testing::AssertionResult PixelNear(uint32_t actual, uint32_t expected, int tolerance = 2);

// Relative luminance of a pixel (0 black, 1 white), as the contrast ratios here reckon it.
double Luminance(uint32_t argb);

// What one drawn element does to a frame: the pixels that differ between a frame drawn with it
// and one drawn without it, their bounding box, and how they stand out from what lies behind
// them: the contrast ratio (relative luminance, (L1 + 0.05) / (L2 + 0.05)) that the strongest
// quarter of them reach, where an element's letters are.
struct DrawnChange {
  int count = 0;
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; right < left when none
  double contrast = 1.0;
};
DrawnChange CompareFrames(const platform::Pixmap& with, const platform::Pixmap& without);

}  // namespace testrig

#define EXPECT_PIXEL_NEAR(actual, expected) EXPECT_TRUE(::testrig::PixelNear((actual), (expected)))
