#include "screens/TCreditsScreen.h"

#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/TGameFade.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "screens/DialogFunctions.h"
#include "screens/TOptionsScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TMenu.h"

std::shared_ptr<TCreditsScreen> CreditsScreen;

const std::array<TCreditsScreen::Line, 11> TCreditsScreen::Lines = {{
    {u"Producer/Designer: Hazel Quillfern", 152},
    {u"Programmer: Tobin Lanternwright", 187},
    {u"3D Artist: Moss Cobblewick", 222},
    {u"2D Artist: Fern Inkwhistle", 257},
    {u"Music: Rowan Fiddlesby", 292},
    {u"Sound Engineer: Echo Pebbleton", 327},
    {u"Tumblet Voices: The Tumblets", 362},
    {u"Testers:", 397},
    {u"Juniper Thistledown", 419},
    {u"Quill Ambervale", 441},
    {u"Sorrel Brightwater", 463},
}};

TCreditsScreen::TCreditsScreen() = default;
TCreditsScreen::~TCreditsScreen() = default;

int TCreditsScreen::Load() {
  name = u"credits";
  ImageLoad(u"book open.jpg", 0, 1);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  if (auto ok = Menu->FindButton(u"OK")) ok->MoveBy(14.0f, -30.0f);
  Game->FadeMusic = 0;
  return 0;
}

int TCreditsScreen::Logic() {
  TScreen::Logic();
  if (Menu->Clicked(u"ok")) {
    Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = OptionsScreen;
  }
  return 0;
}

int TCreditsScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::DrawImage(Image, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);
  ccShadowTextSet(1.0f, 1.0f, 0.4f);
  platform::SetColor(255, 255, 255);
  const float cx = static_cast<float>(ScreenWidth / 2 + 14);
  platform::SetImageFont(MapFont);
  ccDrawTextCentred(u"Credits", cx, 65.0f, 1, 1);
  platform::DrawRect(245, 125, 340, 1);
  platform::SetColor(0, 0, 0);
  platform::DrawRect(246, 126, 340, 1);
  platform::SetColor(255, 255, 255);
  platform::SetImageFont(MainFontSmall);
  for (const Line& line : Lines) ccDrawTextCentred(line.text, cx, static_cast<float>(line.top), 1, 1);
  Menu->Draw(0, 0);
  return 0;
}

int TCreditsScreen::SetEscDestination() {
  Game->DestinationTScreen = OptionsScreen;
  return 0;
}
