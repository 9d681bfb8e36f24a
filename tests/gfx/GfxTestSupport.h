#pragma once
// Shared set-up for the sprite, image and effect tests: a fresh Game at normal speed with
// Delta 1 on a fake clock, program exits turned into exceptions, the headless display on
// demand, and small picture and sound files written into temporary folders.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/AudioFiles.h"
#include "support/FrameworkState.h"
#include "support/TestRig.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "gfx/TColor.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/System.h"

namespace gfxtest {

using testrig::DrainEvents;
using testrig::Post;
using testrig::ResetDrawingState;

// A pixmap of one colour.
inline platform::PixmapPtr SolidPixmap(int w, int h, uint32_t argb) {
  auto p = std::make_shared<platform::Pixmap>(w, h, argb);
  return p;
}

// One frame of one colour, no flags.
inline platform::ImagePtr SolidImage(int w, int h, uint32_t argb) {
  return platform::LoadImageFromPixmap(SolidPixmap(w, h, argb), 0);
}

// Writes a w by h PNG of one colour (the decoder tells PNG from JPEG by content, so the same
// bytes may stand in for a ".jpg").
inline void WritePng(const std::string& path, int w, int h, uint32_t argb) {
  testrig::WriteFileBytes(path, "");
  ASSERT_TRUE(platform::SavePixmapPNG(*SolidPixmap(w, h, argb), S(path)));
}

// A short 16-bit mono PCM WAV.
inline void WriteWav(const std::string& path, int frames = 4410) {
  std::vector<int16_t> samples;
  for (int i = 0; i < frames; ++i) samples.push_back(static_cast<int16_t>((i % 50) * 400));
  const std::string data = testrig::WavChunk("data", testrig::Pcm16(samples));
  testrig::WriteFileBytes(path, testrig::WavFile(testrig::WavFmt(1, 22050, 16) + data));
}

class GfxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testrig::ResetFrameworkGlobals();
    ccFlipSync = 0;
    ShowErrors = 1;
    Game = std::make_shared<TGame>();
    Game->FixedRateLogic->Create();
    Game->FixedRateLogic->Init();
    Game->ClsColor = TColor::Create(0, 0, 0);
    Game->FullScreen = 1;  // the pointer does not chase the system cursor
    userDir = testrig::MakeTempDir("user");
    ccErrorPath = S(userDir) + u"/";
  }

  void TearDown() override {
    SetErrorBoxHook(nullptr);
    if (platform::GraphicsOpen()) ResetDrawingState();
    DrainEvents();
    Game.reset();
    platform::SetFakeClockStepPerFlip(0);
    platform::UseFakeClock(false);
    ccPolledInputState = 0;
    platform::DisablePolledInput();
    Delta = 1.0f;
  }

  // The headless display (dummy driver, software renderer), cleared to black.
  void OpenDisplay() {
    if (!platform::GraphicsOpen()) {
      ASSERT_TRUE(platform::Graphics(800, 600, 0));
    }
    ResetDrawingState();
    platform::SetClsColor(0, 0, 0);
    platform::Cls();
  }

  static uint32_t Pixel(int x, int y) { return platform::GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); }

  std::string userDir;
};

}  // namespace gfxtest
