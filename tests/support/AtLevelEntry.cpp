#include "AtLevelEntry.h"

#include "board/TPlayer.h"
#include "core/Startup.h"
#include "core/TGame.h"
#include "play/TGameScreen.h"
#include "screens/DialogFunctions.h"
#include "ui/TLoadingScreen.h"

namespace testrig {

namespace {

int entryLevel = 1;

void EnterLevel() {
  if (!Game->CurrentProfile) CreateProfile(u"Tester");
  GameScreen->GameStart();
  GameScreen->Player->Level = entryLevel;
  Game->LoadingScreen->Destination = GameScreen;
}

}  // namespace

bool InstallAtLevelEntry(int level) {
  if (level < 1 || level > 50) return false;
  entryLevel = level;
  SetLoadedHook(&EnterLevel);
  return true;
}

void RemoveAtLevelEntry() { SetLoadedHook(nullptr); }

}  // namespace testrig
