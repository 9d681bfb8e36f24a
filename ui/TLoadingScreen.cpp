#include "ui/TLoadingScreen.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "ui/TButton.h"
#include "ui/TLoadingBar.h"

TLoadingScreen::TLoadingScreen() : LoadingBar(std::make_shared<TLoadingBar>()) {}
TLoadingScreen::~TLoadingScreen() = default;

int TLoadingScreen::SpecialLoad(const String& background, const String& bar, const String& text) {
  name = u"loading";
  ImageLoad(background, 0, 1);
  if (!LoadingBar) LoadingBar = std::make_shared<TLoadingBar>();
  if (!bar.empty()) {
    const String stem = platform::StripExt(bar);
    const String ext = platform::ExtractExt(bar);
    const String emptyPath = Game->ImagePath + stem + u"empty." + ext;
    const String finalPath = Game->ImagePath + stem + u"final." + ext;
    const platform::ImagePtr empty = ccFileExists(emptyPath) ? ccLoadBitmap(emptyPath, -1) : nullptr;
    const platform::ImagePtr final = ccFileExists(finalPath) ? ccLoadBitmap(finalPath, -1) : nullptr;
    LoadingBar->Init(ccLoadBitmap(Game->ImagePath + bar, -1), empty, final);
  }
  LoadingTextImage = ccLoadBitmap(Game->ImagePath + text, -1);
  platform::MidHandleImage(LoadingTextImage);
  LoadingX = ScreenWidth / 2;
  LoadingY = ScreenHeight / 2;
  Finished = 0;
  Game->MusicNone();
  return 0;
}

int TLoadingScreen::SetSteps(int steps) {
  if (LoadingBar) LoadingBar->SetSteps(steps);
  return 0;
}

int TLoadingScreen::SetClickHereButton(const String& picture, const String& mouseOverPicture,
                                       const String& mouseOverSound, const String& clickSound,
                                       int y) {
  ClickHereButton = std::make_shared<TButton>();
  ClickHereButton->Load(picture, mouseOverPicture, mouseOverSound, clickSound, 0, 0, 1);
  ClickHereButton->CentreX(static_cast<float>(y));
  ClickHereButton->OKButton = 1;
  return 0;
}

int TLoadingScreen::Progress() {
  if (!LoadingBar) return 0;
  LoadingBar->Progress();
  Finished = LoadingBar->Finished;
  if (Finished != 0) {
    ccFlushAll();
    // Presses made while loading still wait in the system queue; they must not count either.
    platform::DrainInputEvents();
    Game->Mouse->UpdateCoords();
  }
  return 0;
}

int TLoadingScreen::DrawLoading(int mode) {
  if (mode != 0) platform::Cls();
  if (mode == 0 || (mode == 1 && Game->Music == 1)) {
    const platform::ImagePtr& picture =
        (LoadingTextImage2 && DrawLoadingTextImage2 != 0) ? LoadingTextImage2 : LoadingTextImage;
    if (picture) {
      platform::SetBlend(platform::ALPHABLEND);
      platform::DrawImage(picture, static_cast<float>(LoadingX), static_cast<float>(LoadingY), 0);
    }
  }
  if (mode != 0) {
    if (Game->FadeMouse == 0) Game->Mouse->Draw();
    platform::Flip(1);
  }
  return 0;
}

int TLoadingScreen::Start() {
  TScreen::Start();
  if (EscapeCloses == 0) Game->IgnoreEscapeKey = 1;
  return 0;
}

int TLoadingScreen::Kill() {
  TScreen::Kill();
  LoadingBar.reset();
  LoadingTextImage2.reset();
  if (ClickHereButton) {
    ClickHereButton->Kill();
    ClickHereButton.reset();
  }
  if (CustomKillFunction) CustomKillFunction();
  return 0;
}

int TLoadingScreen::Logic() {
  bool leave = !ClickHereButton;
  if (ClickHereButton) {
    // Read before the button can consume the press: a click anywhere leads on.
    const int hits = Game->Mouse->GetMh(0);
    ClickHereButton->Manage();
    const bool viaButton = ClickHereButton->Clicked != 0;
    leave = viaButton || hits != 0 || (EscapeCloses == 0 && KeyHit(KEY_ESCAPE) != 0);
    if (leave && !viaButton) ClickHereButton->SimulateClick();
  }
  if (leave) {
    Game->GameFade->Init(static_cast<float>(FADE_SPEED), 1,
                         FadeMusic == 1 ? Game->MusicChannel : platform::ChannelPtr(), 0, 0,
                         nullptr);
    Game->DestinationTScreen = Destination;
  }
  return 0;
}

int TLoadingScreen::Draw() {
  TScreen::Draw();
  if (Finished == 0 || !ClickHereButton) {
    if (LoadingBar) LoadingBar->Draw();
    platform::SetBlend(platform::ALPHABLEND);
    if (Finished == 0) DrawLoading(0);
  } else {
    if (LoadingBar && LoadingBar->FinalImage) LoadingBar->Draw();
    ClickHereButton->Draw();
  }
  if (CustomDrawFunction) CustomDrawFunction();
  return 0;
}
