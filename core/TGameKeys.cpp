// TGame: the application keys, pause and the pause fade of the music.
#include <algorithm>
#include <string>

#include "core/Globals.h"
#include "core/Input.h"
#include "core/Platform.h"
#include "core/TDebugVar.h"
#include "core/TExitScreen.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TScreen.h"
#include "gfx/TGameFade.h"
#include "platform/Audio.h"
#include "platform/System.h"

namespace {

bool CommandDown() { return KeyDown(KEY_LCOMMAND) || KeyDown(KEY_RCOMMAND); }

}  // namespace

int TGame::ReadKeys() {
  // 1. Quit request from the system.
  if (CheckWindow() == -1) {
    if (FadeOnExit == 0) return -1;
    // The exit fade does not advance while paused or suspended: end at once instead
    // (the profile was saved by the quit check).
    if (Paused || Suspended) return -1;
    InstantExit = 0;
    if (!GameFade->Init(static_cast<float>(FADE_SPEED), 1, MusicChannel, 1, 0, nullptr) &&
        !GameFade->Out) {
      // A running fade-in would never lead anywhere: end it and fade out instead. A running
      // fade-out simply ends at the exit screen.
      GameFade->Finish();
      GameFade->Init(static_cast<float>(FADE_SPEED), 1, MusicChannel, 1, 0, nullptr);
    }
    DestinationTScreen = ExitScreen;
  }
  // 2. A click resumes a paused game, even while the keys are blocked.
  if (Paused && Mouse->GetMh(1)) TogglePause();
  // 3.
  if (BlockKeys) return 0;
  // 4. Pause key.
  if (IgnorePauseKey == 0 && KeyHit(FRAMEWORK_PAUSE_KEY)) TogglePause();
  // 5. Escape.
  if (KeyHit(KEY_ESCAPE)) {
    if (Fading()) {
      if (!GameFade->Out) {
        GameFade->FadeInAborted = 1;
        GameFade->AbortKey = 0;
      }
      GameFade->Finish();
    } else if (Paused) {
      Paused = 0;
      UnPause();
      ccFlushAll();
    } else if (IgnoreEscapeKey == 0) {
      EscapeSoundPlay();
      int length = 0;
      if (CurrentTScreen) {
        length = CurrentTScreen->SetEscDestination();
      } else {
        DestinationTScreen = ExitScreen;
      }
      if (length == 0) length = FADE_SPEED;
      if (FadeMusic == 0) {
        GameFade->Init(static_cast<float>(length), 1, nullptr, 1, 0, nullptr);
        FadeMusic = 1;
      } else {
        GameFade->Init(static_cast<float>(length), 1, MusicChannel, 1, 0, nullptr);
      }
    } else {
      Keys[KEY_ESCAPE] = 1;
    }
  }
  // 6. Full screen: Alt+Enter or Command+Shift+F, held.
  if (((KeyDown(KEY_LALT) || KeyDown(KEY_RALT)) && KeyDown(KEY_ENTER)) ||
      (CommandDown() && ccShiftDown() && KeyDown(KEY_F))) {
    ToggleFullScreen();
    FlushKeys();
  }
  // 7. Command+Q quits at once.
  if (KeyDown(KEY_Q) && CommandDown()) {
    InstantExit = 1;
    SaveOnQuit();
  }
  // 8. Framework keys.
  if (IgnoreFrameworkKeys == 0) {
    if (KeyHit(FRAMEWORK_VOLUME_DOWN_KEY)) {
      SoundChangeVolume(-10);
      MusicChangeVolume(-10);
      SpeechChangeVolume(-10);
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_VOLUME_UP_KEY)) {
      SoundChangeVolume(10);
      MusicChangeVolume(10);
      SpeechChangeVolume(10);
      FlushKeys();
    }
    if (KeyDown(FRAMEWORK_EXIT_KEY) && ccControlDown()) {
      InstantExit = 1;
      SaveOnQuit();
    }
    if (KeyHit(FRAMEWORK_FULLSCREEN_KEY)) {
      ToggleFullScreen();
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_BOSS_KEY)) {
      ccMinimiseWindow();
      PostDraw();
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_MUSIC_KEY)) {
      ToggleMusic();
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_SOUND_KEY)) {
      ToggleSound();
      FlushKeys();
    }
    if (Debug && KeyHit(FRAMEWORK_FAST_KEY)) {
      if (Fast == 0) {
        FastOn();
        SlowMotionOff();
      } else {
        FastOff();
      }
      FlushKeys();
    }
    if (Debug && KeyHit(FRAMEWORK_SLOW_KEY)) {
      if (SlowMotion == 0) {
        SlowMotionOn();
        FastOff();
      } else {
        SlowMotionOff();
      }
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_SCREENSHOT_KEY)) TakeScreenshot();
    if (Debug && KeyHit(FRAMEWORK_FLIPSYNC_KEY)) {
      ++ccFlipSync;
      if (ccFlipSync == 2) ccFlipSync = -1;
      FlushKeys();
    }
    if (Debug && KeyHit(FRAMEWORK_NOTIMING_KEY)) {
      NoTiming = 1 - NoTiming;
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_VSYNC_KEY)) {
      ToggleVSync();
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_GRAPHICS_KEY)) {
      SetDriver(Driver == 0 ? 1 : 0);
      FlushKeys();
    }
    if (KeyHit(FRAMEWORK_SOUNDDRIVER_KEY)) {
      String next;
      if (SoundDriver == u"FreeAudio") next = u"DirectSound";
      if (SoundDriver == u"DirectSound") next = u"OpenAL Generic Software";
      if (SoundDriver == u"OpenAL Generic Software") next = u"FreeAudio";
      if (SoundDriver == u"None") next = u"FreeAudio";
      if (!next.empty()) ChangeSoundDriver(next, 1);
      FlushKeys();
    }
  }
  // 9. Debug keys.
  if (IgnoreDebugKey == 0) {
    if (KeyHit(FRAMEWORK_DEBUG_KEY)) {
      Debug = 1 - Debug;
      if (Debug) {
        DebugReset();
        LogicTime->Init();
        DebugShowFPSOnly = ccShiftDown() ? 1 : 0;
      }
      FlushKeys();
    }
    if (GraphicPlacement) {
      if (KeyHit(KEY_LEFT)) --gpX;
      if (KeyHit(KEY_RIGHT)) ++gpX;
      if (KeyHit(KEY_UP)) --gpY;
      if (KeyHit(KEY_DOWN)) ++gpY;
    }
    if (KeyHit(FRAMEWORK_STORE_COORDS_KEY)) {
      storedX = Mouse->x;
      storedY = Mouse->y;
    }
    if (KeyHit(FRAMEWORK_OUTPUT_COORDS_KEY)) {
      platform::Print(S(std::to_string(Mouse->x) + "," + std::to_string(Mouse->y)));
      EscapeSoundPlay();
    }
  }
  // 10. The screen's own keys.
  if (!Paused && !Suspended && CurrentTScreen) CurrentTScreen->SpecificKeys();
  return 1;
}

int TGame::TogglePause() {
  Paused = 1 - Paused;
  if (Paused == 0) {
    UnPause();
  } else {
    Pause();
  }
  ccFlushAll();
  return 0;
}

int TGame::Pause() {
  PausedMusicState = Music;
  PausedSpeechState = Speech;
  if (Music) MusicOff();
  if (Speech) SpeechOff();
  if (PausedUserFunction) PausedUserFunction();
  ccSetPriority(0, 0);
  return 0;
}

int TGame::UnPause() {
  if (PausedMusicState == 1) MusicOn();
  if (PausedSpeechState == 1) SpeechOn();
  SetPriority();
  FixedRateLogic->Init();
  return 0;
}

float TGame::PauseFadeCalc() {
  const float length = CalcAnimLength(static_cast<int>(PauseFadeLength));
  return length > 0 ? (length - PauseFadeCounter) / length : 1.0f;
}

int TGame::PauseFadeApply() {
  float v = 1.0f;
  if (PauseFadeLength > 0) {
    v = PauseFadeCalc();
    if (PauseFadeDirection == 0) v = 1.0f - v;
  }
  if (MusicChannel) {
    platform::SetChannelVolume(MusicChannel, static_cast<float>(GetMusicVolume()) / 100.0f * v);
  }
  return 0;
}

int TGame::PauseFadeManage() {
  if (PauseFadeCounter > 0) {
    PauseFadeCounter = std::max(0.0f, PauseFadeCounter - Delta);
    PauseFadeApply();
  }
  return 0;
}

int TGame::Fading() { return GameFade->Active; }

int TGame::FadeOff() {
  NoFade = 1;
  return 0;
}
