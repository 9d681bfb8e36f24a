#include "FrameworkState.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "platform/Audio.h"
#include "core/Input.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "platform/System.h"

namespace testrig {

void DrainEvents() {
  platform::Event e;
  while (platform::PollEvent(e)) {
  }
}

void Post(int id, int data, int x, int y) { platform::PostEvent(platform::Event{id, data, x, y}); }

void ResetFrameworkGlobals() {
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
  Delta = 1.0f;
}

void NewQuietGame(const std::string& root) {
  ResetFrameworkGlobals();
  platform::SetAudioDriver(u"None");
  ccGraphicalErrors = 0;
  ShowErrors = 1;
  ScreenWidth = 800;
  ScreenHeight = 600;
  const String r = S(root);
  Game = std::make_shared<TGame>();
  Game->SubPath = r;
  ccErrorPath = r;
  Game->ImagePath = r + u"images/";
  Game->MenuPath = r + u"menus/";
  Game->SoundPath = r + u"sound/";
  Game->MusicPath = r + u"music/";
  Game->ProfilePath = r + u"profiles/";
  Game->Ini.FileName = r + u"LanternVale";
  Game->FixedRateLogic->Create();
  Game->FixedRateLogic->Init();
  Game->MusicChannel = platform::AllocChannel();
  Game->Mouse->x = -100;
  Game->Mouse->y = -100;
}

void ResetDrawingState() {
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  platform::SetScale(1.0f, 1.0f);
  platform::SetRotation(0.0f);
  platform::SetOrigin(0.0f, 0.0f);
  platform::SetHandle(0.0f, 0.0f);
  platform::SetViewport(0, 0, 800, 600);
  platform::SetImageFont(nullptr);
}

String FatalNotice(const std::function<void()>& run) {
  platform::SetThrowOnExit(true);
  String notice;
  platform::SetNoticeHook([&](StringView text) { notice = String(text); });
  // The notice path, not the game's own error box (which would wait for a key).
  const int graphicalBefore = ccGraphicalErrors;
  ccGraphicalErrors = 0;
  struct Unhook {
    int graphical;
    ~Unhook() {
      platform::SetNoticeHook(nullptr);
      ccGraphicalErrors = graphical;
    }
  } unhook{graphicalBefore};
  try {
    run();
  } catch (const platform::ProgramExit&) {
    return notice.empty() ? String(u"<ended without a notice>") : notice;
  }
  return String();
}

}  // namespace testrig
