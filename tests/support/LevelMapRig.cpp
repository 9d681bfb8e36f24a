#include "LevelMapRig.h"

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "gfx/TSprite.h"
#include "play/TGameScreen.h"
#include "screens/TTitleScreen.h"

namespace screentest {

void LevelMapRig::SetUp() {
  ScreenTest::SetUp();
  if (IsSkipped()) return;
  map = LevelSelectScreen;
  profile = UseProfile(u"Heather", 1);
  for (const char16_t* star : {u"starinactive", u"staractive"}) images->Load(star, String(), -1, 1);
  sounds = std::make_shared<TSoundBank>(Game->SoundPath);
  for (const char16_t* sound : {u"tornadomap", u"invalid"}) sounds->Load(sound);
}

void LevelMapRig::EnterAt(int level, int unlocked, bool finishZoom) {
  profile->CurrentLevel = level;
  profile->LockedLevel = unlocked + 1;
  profile->Save();
  GameScreen->GameStart();
  Enter(map, TitleScreen);
  if (finishZoom) Tick(100);
}

void LevelMapRig::ClickChapter(int c) {
  const auto& p = map->Coords[static_cast<size_t>(c - 1)];
  Click(static_cast<int>(p->X + map->ScrollX), static_cast<int>(p->Y + map->ScrollY));
  Tick();
}

int LevelMapRig::SavedLevel() {
  auto saved = TProfile::Create(u"Heather");
  saved->Load();
  return saved->CurrentLevel;
}

void LevelMapRig::CloudsAway() {
  for (const auto& cloud : map->Clouds) {
    if (cloud) cloud->x = -1000.0f;
  }
}

}  // namespace screentest
