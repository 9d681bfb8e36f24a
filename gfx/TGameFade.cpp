#include "gfx/TGameFade.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"
#include "core/TGameChannel.h"
#include "core/TMousePointer.h"
#include "core/TScreen.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TColor.h"
#include "platform/Graphics.h"

int TGameFade::Init(float lengthMs, int out, const platform::ChannelPtr& channel, int allowAnim,
                    int startCounter, const std::shared_ptr<TGameChannel>& channel2) {
  if (Active) return 0;
  Length = static_cast<int>(Game->CalcAnimLength(static_cast<int>(lengthMs)));
  Counter = static_cast<float>(startCounter);
  Active = 1;
  Out = out;
  ccFlushAll();
  Done = 0;
  Channel = channel;
  Channel2 = channel2;
  AllowAnim = allowAnim;
  FadeInAborted = 0;
  FadeCounterBeforeAbort = 0;
  SetToFullOnAbort = 1;
  AbortKey = -1;
  if (Out) Game->FadeMusic = 1;
  Ratio = Out ? 1.0f : 0.0f;
  if (startCounter > 0) CalcRatio();
  if (Game->Fade == 0 || Game->NoFade == 1) Finish();
  return 1;
}

int TGameFade::Finish() {
  Active = 0;
  Done = 1;
  if (!Out) {
    if (SetToFullOnAbort) Ratio = 1.0f;
    if (FadeInAborted) FadeCounterBeforeAbort = Counter;
  } else {
    Ratio = 0.0f;
  }
  FadeChannels();
  if (Out) {
    if (Channel2) {
      if (Channel2IsGameChannelArray && Game->Channels) {
        Game->Channels->StopGameChannel(Channel2);
      } else if (Channel2->Channel) {
        platform::StopChannel(Channel2->Channel);
      }
      Channel2.reset();
    }
    Game->SpeechStop();
  }
  if (!Out) {
    if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeIn();
  } else {
    if (Game->Fade != 0 && Game->NoFade == 0) {
      // One cleared frame, so the screen being left is not seen again before the switch.
      const auto& cls = Game->ClsColor;
      ccClsNoFlip(cls ? cls->R : 0, cls ? cls->G : 0, cls ? cls->B : 0);
      if (Game->FadeMouse == 0 && Game->Mouse) Game->Mouse->Draw();
      platform::Flip(1);
    }
    if (Game->CurrentTScreen) Game->CurrentTScreen->PostFadeOut();
  }
  Game->NoFade = 0;
  ccFlushAll();
  return 0;
}

int TGameFade::Manage() {
  if (!Active) return 0;
  const int key = KeyPressed();
  const int clicks = Game->Mouse ? Game->Mouse->GetMh(1) : 0;
  if (key >= 0 || clicks > 0) {
    if (!Out) {
      FadeInAborted = 1;
      AbortKey = key;
    }
    Finish();
    return -1;
  }
  Counter += Delta;
  CalcRatio();
  FadeChannels();
  if (Counter >= static_cast<float>(Length)) {
    Finish();
    return 1;
  }
  return 0;
}

int TGameFade::CalcRatio() {
  // A fade shorter than one tick has no middle: it reads as its end.
  const float r = Length > 0 ? std::clamp(Counter / static_cast<float>(Length), 0.0f, 1.0f) : 1.0f;
  Ratio = Out ? 1.0f - r : r;
  return 0;
}

int TGameFade::FadeChannels() {
  if (Channel) {
    platform::SetChannelVolume(Channel,
                               Ratio * (static_cast<float>(Game->GetMusicVolume()) / 100.0f));
  }
  if (Channel2 && Channel2->Channel) {
    platform::SetChannelVolume(Channel2->Channel,
                               (static_cast<float>(Game->SoundVolume) / 100.0f) * Ratio);
  }
  if (Game->SpeechChannel) {
    platform::SetChannelVolume(Game->SpeechChannel,
                               (static_cast<float>(Game->SpeechVolume) / 100.0f) * Ratio);
  }
  return 0;
}

int TGameFade::Draw() {
  if (!Active) return 0;
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetAlpha(1.0f - Ratio);
  const auto& cls = Game->ClsColor;
  platform::SetColor(cls ? cls->R : 0, cls ? cls->G : 0, cls ? cls->B : 0);
  platform::DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
  platform::SetAlpha(1.0f);
  platform::SetColor(255, 255, 255);
  return 0;
}

int TGameFade::GetDone() {
  if (Done) {
    Done = 0;
    return 1;
  }
  return 0;
}
