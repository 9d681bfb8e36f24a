// The cost of drawing one frame of the front-end screens on the software renderer (headless),
// with the generated data folder: the level map at rest (map, ten markers with their glows,
// stars, captions, five clouds) and during the exit zoom (the whole map scaled), the
// instructions page in its swap phase, and, for the baseline of the same run, a plain 800 by
// 600 background copy.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "board/TCell.h"
#include "board/TGem.h"
#include "board/TPlayer.h"
#include "gfx/TParticleList.h"
#include "play/TGameScreen.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TLevelSelectScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "Headless.h"

namespace {

// A Game reading the generated data folder, with the map entered and its entry zoom done.
struct MapScene {
  MapScene() {
    platform::SetAudioDriver(u"None");
    platform::Graphics(800, 600, 0);
    platform::AutoMidHandle(true);
    const String data = S(std::string(LV_RESOURCES_DIR) + "/");
    const String user = S(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                          "/lv-screenbench/");
    Game = std::make_shared<TGame>();
    Game->SubPath = user;
    Game->ProfilePath = user + u"profiles/";
    platform::CreateDir(user);
    platform::CreateDir(Game->ProfilePath);
    Game->Ini.FileName = user + u"bench";
    Game->DataPrefix = data;
    Game->ImagePath = data + u"Data/graphics/";
    Game->MenuPath = data + u"Data/menus/";
    Game->SoundPath = data + u"Data/sound/";
    Game->MusicPath = data + u"Data/music/";
    Game->FixedRateLogic->Create();
    Game->FixedRateLogic->Init();
    Game->ChannelsCreate(16);
    images = std::make_shared<TImageBank>();
    images->SetPath(Game->ImagePath);
    for (const char16_t* star : {u"starinactive", u"staractive"}) images->Load(star, String(), -1, 1);
    sounds = std::make_shared<TSoundBank>(Game->SoundPath);
    for (const char16_t* sound : {u"tornadomap", u"invalid"}) sounds->Load(sound);
    LoadGameFonts(data + u"Data/fonts/", 0);
    TitleScreen = std::make_shared<TTitleScreen>();
    // The map shows the run of the play screen's player: every chapter open.
    GameScreen = std::make_shared<TGameScreen>();
    GameScreen->Player->Level = 50;
    GameScreen->Player->Unlocked = 50;
    map = std::make_shared<TLevelSelectScreen>();
    Game->LastTScreen = TitleScreen;
    map->PreStart();
    Delta = 1.0f;
    for (int t = 0; t < 120; ++t) map->Logic();
    Game->Mouse->x = 400;
    Game->Mouse->y = 300;
    map->MOIndex = 0;
  }
  std::shared_ptr<TLevelSelectScreen> map;
};

MapScene& Scene() {
  static MapScene scene;
  return scene;
}

void BM_BackgroundCopy(benchmark::State& state) {
  MapScene& scene = Scene();
  for (auto _ : state) {
    platform::SetBlend(platform::SOLIDBLEND);
    platform::SetScale(1, 1);
    platform::DrawImage(scene.map->Image, 0, 0);
  }
}
BENCHMARK(BM_BackgroundCopy)->Unit(benchmark::kMicrosecond);

void BM_MapFrameAtRest(benchmark::State& state) {
  MapScene& scene = Scene();
  scene.map->ZoomIn = 1;
  scene.map->Zoom->Active = 0;
  scene.map->Scale = 0;
  for (auto _ : state) scene.map->Draw();
}
BENCHMARK(BM_MapFrameAtRest)->Unit(benchmark::kMicrosecond);

void BM_MapFrameZooming(benchmark::State& state) {
  MapScene& scene = Scene();
  scene.map->ZoomIn = 0;
  scene.map->Zoom = TAnimation::Create(500, 1, 0, 0, 0);
  scene.map->Zoom->Start();
  scene.map->Zoom->Counter = scene.map->Zoom->Length[0] / 2;
  scene.map->Scale = scene.map->CalcScale(0);
  for (auto _ : state) scene.map->Draw();
}
BENCHMARK(BM_MapFrameZooming)->Unit(benchmark::kMicrosecond);

void BM_InstructionsFrame(benchmark::State& state) {
  Scene();
  for (const char16_t* name : {u"cursor", u"particlering", u"xinactive", u"xactive2", u"cell",
                               u"cellrightside", u"cellbottom", u"cellcorner", u"cellpane", u"brick",
                               u"armour"}) {
    images->Load(name, String(), -1, 0);
  }
  images->LoadAnim(u"gems", 50, 50, 0, 14, -1, 0);
  images->LoadAnim(u"tumblet7", 50, 50, 0, 23, -1, 0);
  images->LoadAnim(u"tumblet7falling", 80, 80, 0, 23, -1, 0);
  images->Load(u"brickparticle", u"brickmid", -1, 1);
  TCell::CellImage = images->Find(u"cell");
  TCell::CellRightSideImage = images->Find(u"cellrightside");
  TCell::CellBottomImage = images->Find(u"cellbottom");
  TCell::CellCornerImage = images->Find(u"cellcorner");
  TCell::CellPaneImage = images->Find(u"cellpane");
  TCell::BrickImage = images->Find(u"brick");
  TCell::ArmourImage = images->Find(u"armour");
  TGem::TumbletImages[7] = images->Find(u"tumblet7");
  TGem::TumbletFallingImages[7] = images->Find(u"tumblet7falling");
  CreateParticleLists();
  auto page = std::make_shared<TInstructionsScreen>();
  page->PreStart();
  Delta = 1.0f;
  for (int t = 0; t < 300; ++t) page->Logic();  // into the swap phase
  for (auto _ : state) page->Draw();
  page->Kill();
}
BENCHMARK(BM_InstructionsFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  const int result = bench::RunHeadless(argc, argv);
  GameScreen.reset();
  Game.reset();
  return result;
}
