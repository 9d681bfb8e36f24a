#include "core/LoadData.h"

#include <iterator>

#include "board/BoardParticles.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/StartupSteps.h"
#include "core/TGame.h"
#include "core/THighScoreList.h"
#include "core/TMousePointer.h"
#include "core/TSoundBank.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TImageBank.h"
#include "platform/Image.h"
#include "screens/TTitleScreen.h"
#include "ui/TButton.h"
#include "ui/TLoadingBar.h"
#include "ui/TLoadingScreen.h"

namespace {

constexpr int kTopLeft = 0;
constexpr int kCentred = 1;
constexpr int kDefaultFlags = -1;

// One picture into the bank, then one bar step.
TGameImagePtr Picture(const String& file, const String& key, int mid) {
  TGameImagePtr image = images->Load(file, key, kDefaultFlags, mid);
  Game->MoveBar();
  return image;
}

TGameImagePtr Strip(const String& file, int cellWidth, int cellHeight, int frames, int mid) {
  TGameImagePtr image = images->LoadAnim(file, cellWidth, cellHeight, 0, frames, kDefaultFlags, mid);
  Game->MoveBar();
  return image;
}

}  // namespace

int LoadSounds() {
  struct Entry {
    const char16_t* name;
    float pitch;
  };
  static constexpr Entry kSounds[] = {
      {u"buttonclick", 1.0f}, {u"click", 1.0f},      {u"clickrev", 0.9f},   {u"invalid", 1.0f},
      {u"swap", 1.0f},        {u"failed", 1.0f},     {u"matchbrick", 1.0f}, {u"matchnobrick", 1.0f},
      {u"lockedclick", 1.0f}, {u"unlock", 1.0f},     {u"land", 1.0f},       {u"hint", 1.4f},
      {u"levelstart", 1.0f},  {u"levelend", 1.0f},   {u"alarm", 0.7f},      {u"echopop", 1.0f},
      {u"tornadomap", 1.0f},  {u"scroll", 1.8f},     {u"lion", 1.0f},       {u"star", 1.0f},
      {u"axebrick", 1.0f},    {u"axenobrick", 1.0f}, {u"paintpot", 1.0f},   {u"horn", 1.0f},
      {u"tornado", 1.0f},     {u"tumblet1", 1.3f},   {u"tumblet2", 1.3f},   {u"tumblet3", 1.2f},
      {u"tumblet4", 1.3f},    {u"tumblet5", 1.3f},   {u"tumblet6", 1.3f},   {u"tumblet7", 1.3f},
      {u"gaugefull1", 1.0f},  {u"gaugeempty", 1.0f},
  };
  static_assert(std::size(kSounds) == kSharedSoundLoads);
  for (const Entry& entry : kSounds) {
    sounds->Load(entry.name, entry.pitch, 1.0f);
    Game->MoveBar();
  }
  return 0;
}

int LoadImages() {
  // Pictures without alpha loaded masked lose their pure black.
  platform::SetMaskColor(0, 0, 0);

  Game->Mouse->Load(u"pointer");
  Game->MoveBar();
  Picture(u"pointer", String(), kTopLeft);
  Picture(u"pointersmall", String(), kTopLeft);
  Game->SpritePausedCreate(Picture(u"paused", String(), kCentred));
  Strip(u"gems", 50, 50, 14, kTopLeft);
  Strip(u"chainstrip", 50, 50, 7, kTopLeft);
  Picture(u"lock", String(), kTopLeft);
  for (const char16_t* cell : {u"cell", u"cellrightside", u"cellbottom", u"cellcorner", u"cellpane"}) {
    Picture(cell, String(), kTopLeft);
  }
  Picture(u"brick", String(), kTopLeft);
  Picture(u"brickparticle", u"brickmid", kCentred);
  Picture(u"armour", String(), kTopLeft);
  Picture(u"armourparticle", u"armourmid", kCentred);
  Picture(u"armourparticle2", String(), kCentred);
  Picture(u"cursor", String(), kTopLeft);
  Picture(u"bonushighlight", String(), kTopLeft);
  Picture(u"bonushighlightmid", String(), kTopLeft);
  Picture(u"diagonalmask", String(), kCentred);
  for (int n = TGem::kFirstBonus; n <= TGem::kLastBonus; ++n) {
    const String bonus = u"bonus" + ccIntToString(n);
    const auto slot = static_cast<size_t>(n);
    Strip(bonus + u"idle", 50, 50, TGem::BonusIdleFrames[slot], kTopLeft);
    Strip(bonus + u"activate", 50, 50, TGem::BonusActivateFrames[slot], kTopLeft);
  }
  for (int n = 1; n <= 7; ++n) {
    const String colour = ccIntToString(n);
    Strip(u"tumblet" + colour, 50, 50, 23, kTopLeft);
    Strip(u"tumblet" + colour + u"falling", 80, 80, 23, kTopLeft);
    Strip(u"tumblet" + colour + u"running", 80, 80, 23, kTopLeft);
    Strip(u"shard" + colour, 20, 20, 9, kTopLeft)->MidHandle(1);
  }
  Picture(u"brickroad", String(), kTopLeft);
  Picture(u"UI.png", String(), kTopLeft);
  Picture(u"time.png", String(), kCentred);
  Picture(u"level.png", String(), kCentred);
  for (const char16_t* x : {u"xactive1.png", u"xactive2.png", u"xinactive.png"}) {
    Picture(x, String(), kCentred);
  }
  Picture(u"particlering", String(), kCentred);
  Picture(u"particle6", u"particle1", kCentred);
  Picture(u"particle7", u"particle2", kCentred);
  Picture(u"particle8", u"particle11", kCentred);
  for (const char16_t* score : {u"score10", u"score20", u"score30", u"score40", u"score50",
                                u"score60", u"score70", u"score80", u"score100"}) {
    Picture(score, String(), kCentred);
  }
  Strip(u"particlechainlink", 50, 50, 9, kCentred);
  Picture(u"starinactive", String(), kCentred);
  Picture(u"staractive", String(), kCentred);
  Picture(u"click", String(), kCentred);
  Picture(u"scrolltop", String(), kCentred);
  Picture(u"scrollbottom", String(), kCentred);
  return 0;
}

int LoadData() {
  // Every picture loaded from here on, for the rest of the run, gets a centred handle unless
  // its loader says otherwise.
  platform::AutoMidHandle(true);
  ccClsVSync(0, 0, 0);

  const std::shared_ptr<TLoadingScreen>& loading = Game->LoadingScreen;
  loading->SpecialLoad(u"loadingscreen.jpg", u"LoadingBar.png", u"loading.png");
  loading->LoadingBar->Centre(ScreenHeight - 70);
  loading->LoadingBar->Mode = 1;
  loading->LoadingY = ScreenHeight - 120;
  loading->SetSteps(kSharedSoundLoads + kSharedImageLoads + 2);
  loading->SetClickHereButton(u"clickhere", u"clickhereMO", u"buttonMO", u"buttonClick",
                              Game->Region == 1 ? ScreenHeight - 74 : ScreenHeight - 66);
  loading->ClickHereButton->SetShadow(1, 3.0f, 3.0f, 0.4f);
  loading->Draw();  // presented by the first bar step
  loading->Destination = TitleScreen;

  TGem::InitArrays();
  LoadSounds();
  LoadImages();

  Game->HighScores->Create(Game->SubPath + u"vale", 10);
  Game->HighScores->Load();
  Game->MoveBar();

  TitleScreen->SpecialLoad(1, 1);
  Game->MoveBar();

  TGem::Load();
  TCell::Load();
  TGameGrid::CreateChannels();

  // Current directly: the loading screen was set up above, not by its Load and Start.
  Game->CurrentTScreen = loading;
  Game->MusicPlay(1, 0, 0);

  Game->Mouse->ParticleFunc = [] { PointerParticles(); };
  PointerParticle = images->Find(u"particle1");
  return 0;
}
