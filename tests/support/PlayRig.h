#pragma once
// The headless rig of the play-screen tests: a fresh Game on the silent audio driver and a fake
// clock, reading the generated data folder, with the shared pictures and sounds of the play
// screen in the banks, the five fonts, an open 800 by 600 display, a channel pool that records
// what was played and a user folder of its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/String.h"
#include "ui/UiFixture.h"

namespace playtest {

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One logic tick of length 1 through fn, after the frame loop's clearing of clicks.
  void Tick(const std::function<void()>& fn, int n = 1);
  // A click of the left button for the coming tick, at (x, y).
  void Click(int x, int y);
  void Key(int code);
  uint32_t PixelAt(int x, int y);
  // A fresh profile of that name made current and written.
  void UseProfile(const String& name);

  std::shared_ptr<uitest::RecordingChannels> channels;
  std::string userDir;  // no closing slash
};

}  // namespace playtest
