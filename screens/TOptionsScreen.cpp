#include "screens/TOptionsScreen.h"

#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "gfx/TGameFade.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "screens/TCreditsScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TMenu.h"
#include "ui/TSlider.h"

std::shared_ptr<TOptionsScreen> OptionsScreen;

namespace {

TGameImagePtr LoadLabel(const String& file) {
  // Placed by their top-left corners, whatever the global handle mode is.
  TGameImagePtr label = TGameImage::Create(Game->MenuPath + file, -1, 0);
  label->MidHandle(0);
  return label;
}

int FadeTo(const std::shared_ptr<TScreen>& destination) {
  Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
  Game->DestinationTScreen = destination;
  return 0;
}

}  // namespace

TOptionsScreen::TOptionsScreen() = default;
TOptionsScreen::~TOptionsScreen() = default;

std::shared_ptr<TScreen> TOptionsScreen::LeaveTo() const {
  if (Destination) return Destination;
  return TitleScreen;
}

int TOptionsScreen::Load() {
  name = u"options";
  ImageLoad(u"book open.jpg", 0, 1);
  OptionsLabel = LoadLabel(u"OptionsTop.png");
  MusicLabel = LoadLabel(u"Music.png");
  SoundLabel = LoadLabel(u"Sound.png");
  DetailLabel = LoadLabel(u"Details.png");
  FullscreenLabel = LoadLabel(u"FullScreen.png");

  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 10);
  LoadToggle(Game->FullScreen, u"fullscreen");
  if (auto toggle = Menu->FindButton(u"fullscreen")) {
    toggle->MoveTo(toggle->x + 95.0f, 403.0f);
  }
  OKButtonCreate(Menu);
  if (auto ok = Menu->FindButton(u"OK")) ok->MoveBy(14.0f, -30.0f);
  Menu->AddQuick(u"credits", String());
  if (auto credits = Menu->FindButton(u"Credits")) credits->MoveTo(credits->x + 14.0f, 454.0f);

  // A settings file may hold anything: bring the live values into range before they are shown
  // (the setters clamp), so that OK writes exactly what the sliders show.
  Game->MusicSetVolume(Game->MusicVolume, 0);
  Game->SoundSetVolume(Game->SoundVolume, 0);
  Game->ParticlesSet(Game->Particles, 0);

  const int sx = ScreenWidth / 2 - 126;
  MusicSlider = TSlider::CreateSpecial(u"slider", u"Dot", sx, 150, 20, u"Music", 5);
  SoundSlider = TSlider::CreateSpecial(u"slider", u"Dot", sx, 246, 20, u"Sound", 5);
  DetailSlider = TSlider::CreateSpecial(u"slider", u"Dot", sx, 342, 20, u"Detail", 5);
  MusicSlider->SetValue(Game->MusicVolume);
  SoundSlider->SetValue(Game->SoundVolume);
  DetailSlider->SetValue(Game->Particles);

  ChannelClick = platform::AllocChannel();
  Game->FadeMusic = 0;
  return 0;
}

int TOptionsScreen::LoadToggle(int state, const String& buttonName) {
  Menu->AddQuick(state ? u"on" : u"off", buttonName);
  return 0;
}

int TOptionsScreen::ReloadToggleButton(const std::shared_ptr<TButton>& button, int state,
                                       const String& buttonName) {
  if (!button) return 0;
  const String picture = state ? u"on" : u"off";
  button->Load(picture, picture + u"MO", String(), String(), 0, 0, 1);
  button->SetName(buttonName);
  button->SoundMouseOver = Menu->SoundMouseOver;
  button->SoundClick = Menu->SoundClick;
  return 0;
}

int TOptionsScreen::Close() {
  Game->IniUpdate(1);
  Game->FixedRateLogic->Init();
  return 0;
}

int TOptionsScreen::ClickSound() {
  if (!ChannelClick || platform::ChannelPlaying(ChannelClick)) return 0;
  if (Menu && Menu->SoundClick) Menu->SoundClick->PlayInChannel(ChannelClick, 0.0f);
  return 0;
}

int TOptionsScreen::Logic() {
  TScreen::Logic();
  if (MusicSlider->Manage() == 1) Game->MusicSetVolume(MusicSlider->Value, 0);
  if (SoundSlider->Manage() == 1) {
    Game->SoundSetVolume(SoundSlider->Value, 0);
    ClickSound();
  }
  if (DetailSlider->Manage() == 1) Game->ParticlesSet(DetailSlider->Value, 0);
  if (Menu->Clicked(u"fullscreen")) {
    Game->ToggleFullScreen();
    ReloadToggleButton(Menu->FindButton(u"fullscreen"), Game->FullScreen, u"fullscreen");
  }
  if (Menu->Clicked(u"vsync")) {
    Game->ToggleVSync();
    ReloadToggleButton(Menu->FindButton(u"vsync"), Game->VSync, u"vsync");
  }
  if (Menu->Clicked(u"credits")) FadeTo(CreditsScreen);
  if (Menu->Clicked(u"ok")) {
    FadeTo(LeaveTo());
    Close();
  }
  return 0;
}

int TOptionsScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::DrawImage(Image, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);
  Menu->Draw(0, 0);
  MusicSlider->Draw();
  SoundSlider->Draw();
  DetailSlider->Draw();
  const float lx = static_cast<float>(ScreenWidth / 2 + 14);
  platform::DrawImage(OptionsLabel->image, lx, 80);
  platform::DrawImage(MusicLabel->image, lx, 130);
  platform::DrawImage(SoundLabel->image, lx, 226);
  platform::DrawImage(DetailLabel->image, lx, 322);
  platform::DrawImage(FullscreenLabel->image, static_cast<float>(ScreenWidth / 2 - 51), 418);
  return 0;
}

int TOptionsScreen::SetEscDestination() {
  Game->DestinationTScreen = LeaveTo();
  Close();
  return 0;
}

int TOptionsScreen::Kill() {
  TScreen::Kill();
  SoundLabel.reset();
  MusicLabel.reset();
  DetailLabel.reset();
  FullscreenLabel.reset();
  MusicSlider.reset();
  SoundSlider.reset();
  DetailSlider.reset();
  if (ChannelClick) platform::StopChannel(ChannelClick);
  ChannelClick.reset();
  return 0;
}
