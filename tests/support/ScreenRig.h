#pragma once
// The front-end screens headless: the widget fixture's Game (silent driver, fake clock,
// recorded sounds) pointed at the generated data folder for pictures, menus, sounds, music and
// fonts, with a fresh user folder, the screen globals made anew, and input posted as the event
// pump delivers it. Tests skip when the data folder is not built.
#include <memory>
#include <string>

#include "core/TProfile.h"
#include "core/TScreen.h"
#include "support/UiFixture.h"

namespace screentest {

class ScreenTest : public uitest::UiTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // n logic ticks of Delta 1 through the frame loop's logic wrapper.
  void Tick(int n = 1);
  // Ticks until no fade runs (at most `limit`); returns the ticks taken.
  int TicksUntilFadeDone(int limit = 2000);
  // The named profile made current (its file written fresh when missing), at that level, and
  // the run started from it as the title's "play" starts it.
  std::shared_ptr<TProfile> UseProfile(const String& name, int level = 1);
  // The screen switch to `screen` as the frame loop makes it, leaving `from` (null: none).
  void Enter(const std::shared_ptr<TScreen>& screen, const std::shared_ptr<TScreen>& from);

  // A click as the system sends it, read at the next tick (keys: UiTest::Key).
  static void Click(int x, int y, int button = 1);
  // The left button pressed at (x, y) and held, or let go there.
  static void ButtonDown(int x, int y);
  static void ButtonUp(int x, int y);
  // Ticks until `screen` is current (at most `limit`); the ticks taken, or -1.
  int TickUntil(const std::shared_ptr<TScreen>& screen, int limit = 400);
  // A file of the user folder: whether it is there, and its bytes ("" when missing).
  bool HaveUserFile(const std::string& name) const;
  std::string UserFileText(const std::string& name) const;
  // The settings file as the game writes it.
  std::string SettingsText() const;

  std::string userDir;  // with a closing slash
};

}  // namespace screentest
