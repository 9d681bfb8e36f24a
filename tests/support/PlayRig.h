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

  // The whole play world: every shared picture and sound loaded as start-up loads them, the
  // board's tables, the particle lists and every screen object, with the board's channel pool
  // recording too; levels come from a folder of the test's own (WriteLevel).
  void LoadWorld();
  void WriteLevel(int level, const std::string& text);
  // Enters the play screen at level as the screen switch does (Load, then Start).
  void EnterLevel(int level);
  // Ticks of the frame loop (events pumped, application keys, the current screen's keys and
  // logic), Delta 1.
  void GameTick(int n = 1);
  // Events as the system sends them, read by the next GameTick.
  void PostClick(int x, int y);
  void PostKey(int code);
  void HoldKey(int code, bool down);
  // Ticks until pred holds (at most limit); the number of ticks, or -1.
  int TicksUntil(const std::function<bool()>& pred, int limit);

  std::shared_ptr<uitest::RecordingChannels> channels;
  std::shared_ptr<uitest::RecordingChannels> boardChannels;
  std::string levelsDir;  // no closing slash
  std::string userDir;  // no closing slash
};

}  // namespace playtest
