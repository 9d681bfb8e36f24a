#include "core/TGame.h"

#include <cmath>

#include "core/ErrorPath.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/TDebugVar.h"
#include "core/TExitScreen.h"
#include "core/TFPSCounter.h"
#include "core/TFixedRateLogic.h"
#include "core/THighScoreList.h"
#include "core/TMousePointer.h"
#include "core/TScreen.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TGameFade.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/Graphics.h"
#include "ui/TLoadingScreen.h"

TGame::TGame()
    : VersionNumber(VERSION_NO),
      FixedRateLogic(std::make_shared<TFixedRateLogic>()),
      LoadingScreen(std::make_shared<TLoadingScreen>()),
      ExitScreen(std::make_shared<TExitScreen>()),
      GameFade(std::make_shared<TGameFade>()),
      LogicTime(std::make_shared<TDebugVar>()),
      DrawTime(std::make_shared<TDebugVar>()),
      CodeTime(std::make_shared<TDebugVar>()),
      FPS(std::make_shared<TFPSCounter>()),
      Mouse(std::make_shared<TMousePointer>()),
      HighScores(std::make_shared<THighScoreList>()) {
  PausedMusicState = Music;
  PausedSpeechState = Speech;
}

TGame::~TGame() = default;

int TGame::Init(int driverChoice, int rootFlag) {
  DebugInt = 1;
  platform::SeedRnd(platform::MilliSecs());
  FixedRateLogic->Label = u"Ticks   ";
  LogicTime->Label = u"Logic   ";
  DrawTime->Label = u"Draw    ";
  CodeTime->Label = u"Code    ";
  FPS->Label = u"FPS     ";

  if (UseCorrectPath != 0) {
    DebugInt = 1001;
    CreateUserFolder(rootFlag);
  }

  DebugInt = 3;
  const String app = ccAppFileNonDebug();
  Ini.FileName = UseCorrectPath == 0 ? platform::StripExt(app) : SubPath + platform::StripAll(app);

  DebugInt = 4;
  IniFill();

  DebugInt = 5;
  const String settings = Ini.FileName + u".ini";
  const String defaults = DataPrefix + u"data/Default.ini";
  if (!ccFileExists(settings) && platform::FileType(defaults) == platform::FILETYPE_FILE) {
    DebugInt = 5001;
    platform::CopyFile(defaults, settings);
    ccShareFileOSX(settings);
  }

  DebugInt = 5002;
  Ini.Load();

  DebugInt = 6;
  IniExtract();

  DebugInt = 6001;
  if (!platform::ReadDir(ProfilePath)) {
    DebugInt = 6002;
    if (!platform::CreateDir(ProfilePath, false)) {
      ccRunTimeError(u"Cannot create shared profiles folder " + ProfilePath + u": " +
                         platform::LastWriteError() + u".",
                     1);
    }
    ccShareFileOSX(ProfilePath);
  }

  DebugInt = 7;
  SetFlipSync();

  DebugInt = 8001;
  String driver;
  bool setDriver = true;
  switch (driverChoice <= 0 ? 0 : driverChoice) {
    case 0:
      driver = SoundDriver == u"None" ? String(u"FreeAudio") : SoundDriver;
      break;
    case 1:
      driver = u"FreeAudio";
      break;
    case 2:
      driver = u"DirectSound";
      break;
    case 3:
      driver = u"OpenAL Generic Software";
      break;
    default:
      setDriver = false;
      break;
  }
  if (setDriver) ChangeSoundDriver(driver, 0);

  DebugInt = 8004;
  FixedRateLogic->Create();

  DebugInt = 2;
  MusicChannel = platform::AllocChannel();
  SpeechChannel = platform::AllocChannel();
  EscapeChannel = platform::AllocChannel();

  DebugInt = 9;
  return 0;
}

int TGame::Kill() {
  for (platform::ChannelPtr* channel : {&MusicChannel, &SpeechChannel, &EscapeChannel}) {
    if (*channel) platform::StopChannel(*channel);
    channel->reset();
  }
  ChannelsKill();
  return 0;
}

// ---------------------------------------------------------------- frame loop

int TGame::MainLogicLoop() {
  FixedRateLogic->Calc();
  if (NoTiming) FixedRateLogic->NumTicks = NoTimingTicks;
  LogicTime->Start();
  const double ticks = FixedRateLogic->NumTicks;
  const int whole = static_cast<int>(std::floor(ticks));
  for (int i = 0; i < whole; ++i) {
    FixedRateLogic->SetDelta(1.0f);
    if (LogicWrapper() == -1) return -1;
  }
  const double fraction = std::fmod(ticks, 1.0);
  if (fraction > 0) {
    FixedRateLogic->SetDelta(static_cast<float>(fraction));
    if (LogicWrapper() == -1) return -1;
  }
  LogicTime->Calc();
  return 1;
}

int TGame::LogicWrapper() {
  Mouse->ClearMouseHit();
  Mouse->Manage();
  DoPeekEvent();
  ReadKeys();
  if (InstantExit) return -1;
  if (Paused || Suspended) return 0;
  GameFade->Manage();
  if (!Fading() || GameFade->AllowAnim) {
    ScreenChange();
    // A switch to the exit screen ends the run at once: the exit screen never runs or draws.
    if (InstantExit) return -1;
    if (CurrentTScreen) CurrentTScreen->Logic();
    if (Fade == 0) {
      ScreenChange();
      if (InstantExit) return -1;
    }
  }
  return 1;
}

int TGame::DoPeekEvent() {
  platform::Event event;
  while (platform::PollEvent(event)) {
    switch (event.id) {
      case platform::EVENT_MOUSEMOVE: {
        // Full screen shows the display mode scaled on the desktop: back to mode pixels first.
        int x = event.x;
        int y = event.y;
        platform::WindowToGraphics(event.x, event.y, x, y);
        if (UsingVirtualResolution) {
          Mouse->x = ccRound(static_cast<float>(x) * VirtualRatioX);
          Mouse->y = ccRound(static_cast<float>(y) * VirtualRatioY);
        } else {
          Mouse->x = x;
          Mouse->y = y;
        }
        break;
      }
      case platform::EVENT_MOUSEDOWN:
        Mouse->ClearMouseHit();
        if (event.data == 1) {
          Mouse->b1 = 1;
          ++Mouse->h1;
        } else if (event.data == 2) {
          Mouse->b2 = 1;
          ++Mouse->h2;
        } else if (event.data == 3) {
          Mouse->b3 = 1;
          ++Mouse->h3;
        }
        Mouse->CalcButtonTotals();
        break;
      case platform::EVENT_MOUSEUP:
        if (event.data == 1) Mouse->b1 = 0;
        if (event.data == 2) Mouse->b2 = 0;
        if (event.data == 3) Mouse->b3 = 0;
        Mouse->CalcButtonTotals();
        break;
      case platform::EVENT_MOUSEWHEEL:
        Mouse->z += event.data;
        break;
      case platform::EVENT_KEYDOWN:
        if (event.data >= 0 && event.data < KEY_COUNT) {
          KeyStates[static_cast<size_t>(event.data)] = 1;
          ++Keys[static_cast<size_t>(event.data)];
        }
        break;
      case platform::EVENT_KEYUP:
        if (event.data >= 0 && event.data < KEY_COUNT) {
          KeyStates[static_cast<size_t>(event.data)] = 0;
        }
        break;
      case platform::EVENT_KEYCHAR:
        if (charPut - charGet < CHAR_QUEUE_SIZE) {
          charQueue[static_cast<size_t>(charPut) % CHAR_QUEUE_SIZE] = event.data;
          ++charPut;
        }
        break;
      case platform::EVENT_APPTERMINATE:
      case platform::EVENT_WINDOWCLOSE:
        TerminatedEvent = 1;
        break;
      case platform::EVENT_APPSUSPEND:
        SuspendedEvent = 1;
        break;
      case platform::EVENT_APPRESUME:
        SuspendedEvent = 0;
        break;
      default:
        break;
    }
  }
  return 0;
}

int TGame::ScreenDraw() {
  DrawTime->Start();
  if (NoDraw) {
    NoDraw = 0;
    return 0;
  }
  // Paused, nothing under the pointer changes from frame to frame: the first paused frame is
  // kept, and the later ones start from it instead of drawing the screen again.
  const bool still = (Paused != 0 || Suspended != 0) && FadeMouse == 0;
  if (!still || !pausedFrameKept_ || !platform::RestoreFrame()) {
    if (CurrentTScreen) CurrentTScreen->Draw();
    if (!Fading()) ShowPaused();
    if (FadeMouse) Mouse->Draw();
    GameFade->Draw();
    if (Fading()) ShowPaused();
    pausedFrameKept_ = still && platform::KeepFrame();
  }
  if (!FadeMouse) Mouse->Draw();
  DrawTime->Calc();
  DebugPrint();
  PostDraw();
  return 0;
}

int TGame::PostDraw() {
  platform::Flip(ccFlipSync);
  return 0;
}

int TGame::ScreenChange() {
  if (!GameFade->GetDone() || !GameFade->Out) return 0;
  const std::shared_ptr<TScreen> current = CurrentTScreen;
  if (current && current->StopKill == 0) current->Kill();
  if (!DestinationTScreen) {
    ccRunTimeError(u"Screen '" + (current ? current->name : String()) +
                       u"' does not have a destination screen set!",
                   1);
    return 0;
  }
  LastTScreen = current;
  if (DestinationTScreen == ExitScreen) {
    InstantExit = 1;
    CurrentTScreen = ExitScreen;
  } else {
    DestinationTScreen->PreStart();
  }
  ccFlushAll();
  return 0;
}

// ---------------------------------------------------------------- debug overlay

int TGame::DebugReset() {
  FixedRateLogic->maximum = 0;
  LogicTime->Init();
  DrawTime->Init();
  CodeTime->Init();
  FPS->Init();
  return 0;
}

