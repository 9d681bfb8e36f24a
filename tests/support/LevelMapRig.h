#pragma once
// The level map headless: the screen rig with the map's bank pictures and sounds, a profile
// "Heather", and the map entered from the title at a given level.
#include <memory>

#include "screens/TLevelSelectScreen.h"
#include "support/ScreenRig.h"

namespace screentest {

class LevelMapRig : public ScreenTest {
 protected:
  void SetUp() override;
  // Enters the map from the title with the player at level / unlocked; runs the entry zoom.
  void EnterAt(int level, int unlocked, bool finishZoom = true);
  // A click on chapter c's marker where the map shows it now, read at the next tick.
  void ClickChapter(int c);
  // The level the profile file holds.
  int SavedLevel();
  // The clouds moved off the screen, out of a picture's way.
  void CloudsAway();

  std::shared_ptr<TLevelSelectScreen> map;
  std::shared_ptr<TProfile> profile;
};

}  // namespace screentest
