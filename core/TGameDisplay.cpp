// TGame: the display and window, suspend and resume, quit requests and the pause picture.
#include <algorithm>
#include <string>

#include "core/ErrorPath.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TScreen.h"
#include "gfx/TColor.h"
#include "gfx/TSprite.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/System.h"

namespace {

String Num(int v) { return S(std::to_string(v)); }

}  // namespace

int TGame::ChooseDisplaySize(int desktopHeight, int fullScreen, int logicalWidth,
                             int logicalHeight, int& width, int& height) {
  static const int sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}};
  const int limit = fullScreen ? desktopHeight : desktopHeight - 70;
  width = logicalWidth;
  height = logicalHeight;
  // The table is walked from its last entry to its first.
  int next = 2;
  while (height > limit) {
    if (next < 0) return 0;
    width = sizes[next][0];
    height = sizes[next][1];
    --next;
  }
  return 1;
}

int TGame::GraphicsCreate(int) {
  DebugInt = 100;
  if (platform::CountGraphicsModes() == 0) {
    platform::RuntimeErrorExit(u"No 3D Hardware Found (could not count graphics modes.)");
  }
  DebugInt = 10901;
  DriverDX7 = 0;
  DriverDX9 = 0;
  if (!platform::SetGraphicsDriver()) {
    DebugInt = 111;
    platform::RuntimeErrorExit(u"No DirectX or OpenGL 3D Drivers Found!");
  }
  DebugInt = 10902;
  Driver = 1;
  DebugInt = 110;
  IniUpdate(0);

  DebugInt = 112;
  if (FirstTime) {
    FirstTime = 0;
    DesktopRefreshRate = 60;
    ccGetDesktopSize(DesktopWidth, DesktopHeight);
  }

  DebugInt = 11301;
  if (!ChooseDisplaySize(DesktopHeight, FullScreen, ScreenWidth, ScreenHeight, WindowWidth,
                         WindowHeight)) {
    DebugInt = 11304;
    platform::RuntimeErrorExit(u"Cannot find a suitable resolution. Desktop Resolution= " +
                               Num(DesktopWidth) + u"x" + Num(DesktopHeight));
  }

  if (FullScreen) {
    static const int depths[] = {32, 24, 16};
    static const int steps[] = {114, 115, 116};
    bool open = false;
    for (int i = 0; i < 3 && !open; ++i) {
      DebugInt = steps[i];
      if (platform::GraphicsModeExists(WindowWidth, WindowHeight, depths[i], 0) &&
          ccOpenDisplay(WindowWidth, WindowHeight, depths[i], Hertz)) {
        Depth = depths[i];
        open = true;
      }
    }
    if (!open) {
      DebugInt = 117;
      ForceWindowedMode = 1;
      FullScreen = 0;
    } else {
      DoSetVirtualResolution();
      WindowHandle = 0;
    }
  }
  if (!FullScreen) {
    DebugInt = 118;
    if (!ccOpenDisplay(WindowWidth, WindowHeight, 0, DesktopRefreshRate)) {
      DebugInt = 11801;
      platform::RuntimeErrorExit(u"Cannot create Windowed Mode at " + Num(ScreenWidth) + u"x" +
                                 Num(ScreenHeight) + u" " + Num(DesktopRefreshRate) + u"Hz");
    }
    Depth = 0;
    DoSetVirtualResolution();
    DebugInt = 119;
    WindowHandle = 1;
    DebugInt = 130;
    ccCentreWindowHandle(WindowHandle);
    DebugInt = 131;
    SetWindowCoords();
    SetClientCoords();
    DebugInt = 132;
    ccEnableMinimize(WindowHandle);
  }

  DebugInt = 134;
  ccDisablePolledInput();
  DebugInt = 135;
  SetPriority();
  GameRefreshRate = -1;
  DebugInt = 138;
  ccSetIcon(WindowHandle);
  DebugInt = 139;
  if (!ClsColor) ClsColor = TColor::Create(0, 0, 0, 1.0f);
  platform::SetClsColor(ClsColor->R, ClsColor->G, ClsColor->B);
  return 0;
}

int TGame::DoSetVirtualResolution() {
  if (ScreenHeight != WindowHeight) {
    platform::SetVirtualResolution(ScreenWidth, ScreenHeight);
    platform::SetViewport(0, 0, ScreenWidth, ScreenHeight);
    VirtualRatioX = static_cast<float>(ScreenWidth) / static_cast<float>(WindowWidth);
    VirtualRatioY = static_cast<float>(ScreenHeight) / static_cast<float>(WindowHeight);
    UsingVirtualResolution = 1;
  } else {
    // A display of the logical size after a scaled one: positions are no longer scaled.
    VirtualRatioX = 1.0f;
    VirtualRatioY = 1.0f;
    UsingVirtualResolution = 0;
  }
  return 0;
}

int TGame::SetDXDriver() { return 0; }

int TGame::DoMoveMouse(int x, int y) {
  if (UsingVirtualResolution == 1) {
    platform::MoveMouse(static_cast<int>(static_cast<float>(x) / VirtualRatioX),
                        static_cast<int>(static_cast<float>(y) / VirtualRatioY));
  } else {
    platform::MoveMouse(x, y);
  }
  return 0;
}

int TGame::GetActiveWindowSafe() { return 0; }

int TGame::SetPriority() {
  if (FullScreen) {
    ccSetPriority(FullScreenProcess, FullScreenThread);
  } else {
    ccSetPriority(WindowedProcess, WindowedThread);
  }
  return 0;
}

int TGame::ToggleFullScreen() {
  if (!FullScreen && ForceWindowedMode) return 0;
  // Any non-zero value in the settings file means full screen; flip to exactly 0 or 1.
  FullScreen = FullScreen ? 0 : 1;
  if (FullScreen) {
    if (CustomMousePointer) platform::HideMouse();
  } else {
    platform::EndGraphics();
    platform::PollSystem();
  }
  Mouse->ClearButtons();
  GraphicsCreate(0);
  RestoreMouseCoords();
  IniUpdate(1);
  FixedRateLogic->Init();
  FixedRateLogic->HistoryClear();
  return 0;
}

int TGame::ToggleVSync() {
  VSync = 1 - VSync;
  IniUpdate(1);
  SetFlipSync();
  FixedRateLogic->Init();
  FixedRateLogic->HistoryClear();
  return 0;
}

int TGame::SetDriver(int d) {
  const int wanted = d == 0 ? 0 : 1;
  if (Driver == wanted) return 0;
  Driver = wanted;
  platform::EndGraphics();
  GraphicsCreate(0);
  DoMoveMouse(Mouse->x, Mouse->y);
  IniUpdate(1);
  FixedRateLogic->Init();
  FixedRateLogic->HistoryClear();
  ccFlushAll();
  return 1;
}

int TGame::RestoreMouseCoords() {
  if (FullScreen) {
    Mouse->x = std::clamp(Mouse->x, 0, ScreenWidth - 1);
    Mouse->y = std::clamp(Mouse->y, 0, ScreenHeight - 1);
  }
  DoMoveMouse(Mouse->x, Mouse->y);
  return 0;
}

int TGame::SetGP(int x, int y) {
  gpX = x;
  gpY = y;
  return 0;
}

int TGame::CheckWindow() {
  if (GameTerminated() == -1) return -1;
  if (SuspendedEvent == 0 && Suspended == 1) {
    if (!Paused) {
      if (PausedMusicState == 1) MusicOn();
      if (PausedSpeechState == 1) SpeechOn();
      SetPriority();
    }
    FixedRateLogic->Init();
    Suspended = 0;
    if (CustomMousePointer) platform::HideMouse();
    if (UserResumeFunction) UserResumeFunction();
    ccFlushAll();
  }
  if (SuspendedEvent != 0 && Suspended == 0) {
    if ((PauseOnLossOfFocus || (PauseOnLossOfFullScreenFocus && FullScreen)) && !Paused) {
      Paused = 1;
      Pause();
    }
    // Leaving the foreground unpaused still silences the game as a pause does.
    if (!Paused) Pause();
    Suspended = 1;
    platform::ShowMouse();
    if (UserSuspendFunction) UserSuspendFunction();
  }
  if (!Suspended && !Paused) {
    if (Music == 1 && MusicLooped == 0 && !platform::ChannelPlaying(MusicChannel)) MusicStopped = 1;
    if (Speech == 1 && !platform::ChannelPlaying(SpeechChannel)) SpeechStopped = 1;
    MusicFadeInManage();
    MusicFadeOutManage();
  }
  if (Suspended) platform::Delay(1);
  return 1;
}

int TGame::SetWindowCoords() {
  ccGetWindowOriginOSX(WindowX, WindowY);
  if (!FullScreen) WindowY = ccFixMacWindowY(WindowY, DesktopHeight, WindowHeight);
  return 0;
}

int TGame::SetClientCoords() {
  ccGetWindowOriginOSX(ClientX, ClientY);
  if (!FullScreen) {
    ClientY = ccFixMacWindowY(ClientY, DesktopHeight, WindowHeight);
  } else {
    ClientY = ccFixMacWindowY(ClientY, ScreenHeight, ScreenHeight);
  }
  return 0;
}

int TGame::GameTerminated() {
  if (TerminatedEvent == 0) return 1;
  TerminatedEvent = 0;
  if (TerminatedUserFunction && TerminatedUserFunction() != 0) return 1;
  InstantExit = 1;
  SaveOnQuit();
  return -1;
}

int TGame::SaveOnQuit() {
  if (!CurrentTScreen) return 0;
  if (CurrentProfile && CurrentTScreen->name == u"game") CurrentProfile->Save();
  // The options apply their sliders at once but write them only on leaving: a quit from
  // there (or from the credits reached through them) must not lose what the player set.
  if (CurrentTScreen->name == u"options" || CurrentTScreen->name == u"credits") IniUpdate(1);
  return 0;
}

int TGame::SpritePausedCreate(const std::shared_ptr<TGameImage>& image) {
  SpritePaused = TSprite::Create(image, static_cast<float>(ScreenWidth / 2),
                                 static_cast<float>(ScreenHeight / 2));
  return 0;
}

int TGame::ShowPaused() {
  if (!(Paused || Suspended) || !SpritePaused) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  if (DimWhenPaused) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(0.5f);
    platform::DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
  }
  platform::SetColor(255, 255, 255);
  platform::SetAlpha(1.0f);
  SpritePaused->Draw();
  return 0;
}
