#pragma once
// Shared set-up for the sprite, image and effect tests: a fresh Game at normal speed with
// Delta 1 on a fake clock, program exits turned into exceptions, the headless display on
// demand, and small picture and sound files written into temporary folders.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

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

inline void DrainEvents() {
  platform::Event e;
  while (platform::PollEvent(e)) {
  }
}

inline void Post(int id, int data = 0, int x = 0, int y = 0) {
  platform::PostEvent(platform::Event{id, data, x, y});
}

inline void ResetDrawingState() {
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetHandle(0.0f, 0.0f);
  platform::SetViewport(0, 0, 800, 600);
}

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
  std::string data;
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&](uint16_t v) {
    data.push_back(static_cast<char>(v & 0xFF));
    data.push_back(static_cast<char>(v >> 8));
  };
  const uint32_t bytes = static_cast<uint32_t>(frames) * 2;
  data += "RIFF";
  u32(36 + bytes);
  data += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  data += "data";
  u32(bytes);
  for (int i = 0; i < frames; ++i) u16(static_cast<uint16_t>((i % 50) * 400));
  testrig::WriteFileBytes(path, data);
}

class GfxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetThrowOnExit(true);
    platform::InitRuntime();
    platform::UseFakeClock(true, 10000);
    platform::SetFakeClockStepPerFlip(0);
    DrainEvents();
    Keys.fill(0);
    KeyStates.fill(0);
    charPut = charGet = 0;
    ccPolledInputState = 0;
    ccGraphicalErrors = 1;
    ccFlipSync = 0;
    ShowErrors = 1;
    Delta = 1.0f;
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
