#include "core/Startup.h"

#include "board/TBonusList.h"
#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/StartupSteps.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "gfx/TParticleList.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Stream.h"
#include "platform/System.h"
#include "text/TDateTime.h"

namespace {

std::function<void()> mainLoopHook;
LoadedHook loadedHook = nullptr;

}  // namespace

void SetMainLoopHook(std::function<void()> hook) { mainLoopHook = std::move(hook); }

void SetLoadedHook(LoadedHook hook) { loadedHook = hook; }

int ForceIniSettings() {
  Game->PortalSplash = 0;
  Game->IniFill();
  Game->Ini.Save();
  return 0;
}

int CleanUp() {
  if (Game) Game->Kill();
  return 0;
}

void Shutdown() {
  TGame::MakeGoodExit();
  platform::ShowMouse();
  CleanUp();
  platform::End(0);
}

int RunLanternVale() {
  platform::InitRuntime();

  ccCreateMutex(u"LanternVale");
  FULLNAME = u"Lantern Vale " + VERSION_NO + u" - Quillfern Games";
  platform::AppTitle(FULLNAME);

  ScreenWidth = 800;
  ScreenHeight = 600;
  ccGraphicalErrors = 0;

  Keys.fill(0);
  KeyStates.fill(0);
  charQueue.fill(0);
  charPut = 0;
  charGet = 0;
  ccPolledInputState = 0;
  TDateTime::FillNameTables();
  CreateParticleLists();
  HouseList = std::make_shared<TBonusList>();

  Game = std::make_shared<TGame>();
  Game->DataInAppBundle = 1;
  Game->SetSubPathWrapper(u"Quillfern Games/Lantern Vale", 1);
  Game->LockUserFolder(1);
  Game->CheckGoodExit();
  // A save cut short by a kill leaves its temporary file beside its target; nothing else would
  // ever remove it.
  platform::RemoveStaleTempFiles(Game->SubPath);
  platform::RemoveStaleTempFiles(Game->ProfilePath);
  Game->Init(0, 1);
  ForceIniSettings();
  Game->ChannelsCreate(16);
  Game->DebugDisplayX = 5;
  Game->DebugDisplayY = 95;
  Game->SetEscapeSound(u"buttonclick");
  Game->MaxLevels = 50;
  Game->IgnoreFrameworkKeys = 1;
  Game->IgnoreDebugKey = 1;

  CreateBanks();
  LoadFonts();
  CreateScreens();

  ccGraphicalErrors = 1;
  Game->GraphicsCreate(0);

  platform::SeedRnd(platform::MilliSecs());
  platform::HideMouse();

  ShowSplashes();
  LoadData();
  if (loadedHook) loadedHook();

  ccFlushAll();
  Game->DebugReset();
  Game->FixedRateLogic->Init();
  Game->NoTimingTicks = 3;

  for (;;) {
    if (mainLoopHook) mainLoopHook();
    if (Game->MainLogicLoop() == -1) Shutdown();
    Game->ScreenDraw();
  }
}
