#include "screens/TOutroScreen.h"

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TExitScreen.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/TSoundBank.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TGameFade.h"
#include "gfx/TGameImage.h"
#include "gfx/TImageBank.h"
#include "gfx/TSineCounter.h"
#include "platform/Graphics.h"
#include "ui/TLoadingScreen.h"

std::shared_ptr<TOutroScreen> OutroScreen;

TOutroScreen::TOutroScreen() : glow(TSineCounter::Create(0.0f, 360.0f, 1.0f, 0)) {
  name = u"outro";
}
TOutroScreen::~TOutroScreen() = default;

int TOutroScreen::Load() {
  name = u"outro";
  if (Game->LoadingScreen) Game->LoadingScreen->DrawLoading(1);
  ImageLoad(u"outropic.jpg", 0, 1);
  ClickImage = images->Find(u"click");
  glow->Speed = 1.5f;
  return 0;
}

int TOutroScreen::Start() {
  Leaving = 0;
  return TScreen::Start();
}

int TOutroScreen::Kill() {
  TScreen::Kill();
  ClickImage.reset();
  if (ClickChannel) {
    platform::StopChannel(ClickChannel);
    ClickChannel.reset();
  }
  return 0;
}

int TOutroScreen::Logic() {
  TScreen::Logic();
  glow->Manage();
  if (Leaving != 0 || MegaClick() == 0) return 0;
  Leaving = 1;
  if (const std::shared_ptr<TGameSound> click = sounds->Find(u"buttonclick")) {
    if (!ClickChannel) ClickChannel = platform::AllocChannel();
    click->PlayInChannel(ClickChannel, 0.0f);
  }
  Game->GameFade->Init(FADE_SPEED, 1, Game->MusicChannel, 1, 0, nullptr);
  Game->DestinationTScreen = Game->ExitScreen;
  return 0;
}

float TOutroScreen::PromptY() const {
  const int h = ClickImage ? ClickImage->h : 0;
  return static_cast<float>(ScreenHeight - h / 2 - 5);
}

int TOutroScreen::Draw() {
  TScreen::Draw();
  if (!ClickImage) return 0;
  const float x = static_cast<float>(ScreenWidth / 2);
  const float y = PromptY();
  platform::SetBlend(platform::ALPHABLEND);
  platform::DrawImage(ClickImage->image, x, y, 0);
  ccDrawImageLight(ClickImage->image, x, y, (1.0f - glow->ratio) * 0.25f, 1.0f, 1.0f, 1.0f, 0);
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetColor(255, 255, 255);
  return 0;
}

int TOutroScreen::SetEscDestination() {
  Game->DestinationTScreen = Game->ExitScreen;
  return 0;
}
