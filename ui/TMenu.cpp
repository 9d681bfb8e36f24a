#include "ui/TMenu.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "core/TGameSound.h"
#include "core/TMousePointer.h"
#include "gfx/TGameFade.h"
#include "text/TLabel.h"

TMenuPtr TMenu::Create(const String& moSound, const String& clickSound, float mx, float my,
                       int gap) {
  auto menu = std::make_shared<TMenu>();
  menu->Init(moSound, clickSound, mx, my, gap);
  return menu;
}

int TMenu::Init(const String& moSound, const String& clickSound, float mx, float my, int gap) {
  items_.clear();
  x = mx;
  y = my;
  Gap = gap;
  AddGap = 0;
  h = 0;
  NextY = static_cast<int>(my);
  MouseOverName.clear();
  ClickedName.clear();
  if (!moSound.empty()) SoundMouseOver = TGameSound::Create(Game->SoundPath + moSound + SoundExt, 0);
  if (!clickSound.empty()) SoundClick = TGameSound::Create(Game->SoundPath + clickSound + SoundExt, 0);
  return 0;
}

int TMenu::Kill() {
  for (const TButtonPtr& button : items_) button->Kill();
  items_.clear();
  return 0;
}

int TMenu::SetButtonCaptionRoundCoords(int round, int roundX, int roundY) {
  for (const TButtonPtr& button : items_) {
    if (!button->Caption) continue;
    button->Caption->RoundCoords = round;
    button->Caption->RoundXCoord = roundX;
    button->Caption->RoundYCoord = roundY;
  }
  return 0;
}

int TMenu::SetShadow(int on, float dx, float dy, float alpha) {
  Shadow = on;
  ShadowX = dx;
  ShadowY = dy;
  ShadowAlpha = alpha;
  return 0;
}

int TMenu::ChangeShadow(int on, float dx, float dy, float alpha) {
  ResetShadow(on, dx, dy, alpha);
  SetShadow(on, dx, dy, alpha);
  return 0;
}

int TMenu::SetAlpha(float alpha) {
  for (const TButtonPtr& button : items_) button->Alpha = alpha;
  return 0;
}

int TMenu::ResetShadow(int on, float dx, float dy, float alpha) {
  for (const TButtonPtr& button : items_) button->SetShadow(on, dx, dy, alpha);
  return 0;
}

TButtonPtr TMenu::AddNew(const String& picture, const String& moPicture, const String& name,
                         int frameWidth, int frameHeight, int frames) {
  TButtonPtr button = DoAddNew(picture, moPicture, name, frameWidth, frameHeight, frames);
  IncreaseHeight(button);
  return button;
}

TButtonPtr TMenu::DoAddNew(const String& picture, const String& moPicture, const String& name,
                           int frameWidth, int frameHeight, int frames) {
  auto button = std::make_shared<TButton>();
  button->UseMenuPath = 1;
  button->Load(picture, moPicture, String(), String(), frameWidth, frameHeight, frames);
  button->CentreX(static_cast<float>(NextY));
  button->SoundMouseOver = SoundMouseOver;
  button->SoundClick = SoundClick;
  button->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
  if (!name.empty()) button->name = ccUpper(name);
  items_.push_back(button);
  return button;
}

int TMenu::IncreaseHeight(const TButtonPtr& button) {
  if (!button) return 0;
  NextY += button->h + Gap;
  h += button->h;
  if (AddGap == 0) {
    AddGap = 1;
  } else {
    h += Gap;
  }
  return 0;
}

TButtonPtr TMenu::AddQuick(const String& picture, const String& name) {
  return AddNew(picture, picture + u"MO", name, 0, 0, 1);
}

TButtonPtr TMenu::AddQuickAuto(const String& picture, const String& name) {
  TButtonPtr button = AddQuick(picture, name);
  if (ccFileExists(Game->MenuPath + picture + u"_disabled" + TButton::Ext)) {
    button->LoadDisabled(picture + u"_disabled");
  }
  if (ccFileExists(Game->MenuPath + picture + u"_down" + TButton::Ext)) {
    button->LoadMouseClick(picture + u"_down", 200);
  }
  return button;
}

int TMenu::AddPair(const String& left, const String& right, int gap, const String& name) {
  TButtonPtr l = DoAddNew(left, left + u"MO", String(), 0, 0, 1);
  TButtonPtr r = DoAddNew(right, right + u"MO", String(), 0, 0, 1);
  if (!name.empty()) {
    const String prefix = ccUpper(name);
    l->name = prefix + l->name;
    r->name = prefix + r->name;
  }
  // Written directly: the pair's captions and hit boxes stay where they were.
  r->x = l->x + static_cast<float>(l->w) + static_cast<float>(gap);
  IncreaseHeight(l->h > r->h ? l : r);
  return 0;
}

TButtonPtr TMenu::FindButton(const String& name) {
  const String key = ccUpper(name);
  for (const TButtonPtr& button : items_) {
    if (button->name == key) return button;
  }
  return nullptr;
}

// ---------------------------------------------------------------- layout

int TMenu::StoreOriginalCoords() {
  for (const TButtonPtr& button : items_) button->StoreOriginalCoords();
  OX = x;
  OY = y;
  return 0;
}

int TMenu::SetX(float newX) {
  CalcLeft();
  const float d = newX - x;
  for (const TButtonPtr& button : items_) button->MoveBy(d, 0.0f);
  x = newX;
  return 0;
}

int TMenu::SetY(float newY) {
  CalcTop();
  const float d = newY - y;
  for (const TButtonPtr& button : items_) button->MoveBy(0.0f, d);
  y = newY;
  return 0;
}

int TMenu::SetPairX(const String& left, const String& right, int newX) {
  TButtonPtr l = FindButton(left);
  if (!l) return 0;
  const int d = static_cast<int>(static_cast<float>(newX) - l->x);
  l->x = static_cast<float>(newX);
  TButtonPtr r = FindButton(right);
  if (r) r->x += static_cast<float>(d);
  return 0;
}

int TMenu::ScaleMenu(float sx, float sy) {
  for (const TButtonPtr& button : items_) {
    button->ScaleX = sx;
    button->ScaleY = sy;
    button->x = x + (button->ox - x) * sx;
    button->y = y + (button->oy - y) * sy;
  }
  return 0;
}

int TMenu::CalcCoords() {
  CalcLeft();
  CalcTop();
  return 0;
}

int TMenu::CalcLeft() {
  float left = 10000.0f;
  for (const TButtonPtr& button : items_) {
    if (button->x < left) left = button->x;
  }
  x = left;
  return 0;
}

int TMenu::CalcTop() {
  float top = 10000.0f;
  for (const TButtonPtr& button : items_) {
    if (button->y < top) top = button->y;
  }
  y = top;
  return 0;
}

int TMenu::CalcWidth() {
  int lo = 10000;
  int hi = -10000;
  for (const TButtonPtr& button : items_) {
    if (button->x < static_cast<float>(lo)) lo = static_cast<int>(button->x);
    const float right = button->x + static_cast<float>(button->w);
    if (right > static_cast<float>(hi)) hi = static_cast<int>(right);
  }
  w = hi - lo;
  return w;
}

int TMenu::CalcHeight() {
  int lo = 10000;
  int hi = -10000;
  for (const TButtonPtr& button : items_) {
    if (button->y < static_cast<float>(lo)) lo = static_cast<int>(button->y);
    const float bottom = button->y + static_cast<float>(button->h);
    if (bottom > static_cast<float>(hi)) hi = static_cast<int>(bottom);
  }
  h = hi - lo;
  return h;
}

int TMenu::CentreHoriz() {
  CalcWidth();
  return SetX(static_cast<float>((ScreenWidth - w) / 2));
}

int TMenu::CentreVert() {
  CalcHeight();
  return SetY(static_cast<float>((ScreenHeight - h) / 2));
}

int TMenu::Centre() {
  CentreHoriz();
  CentreVert();
  return 0;
}

int TMenu::MakeColumn(int gap) {
  int t = 0;
  for (const TButtonPtr& button : items_) {
    t += button->h + gap;
    button->MoveTo(0.0f, static_cast<float>(t));
  }
  return Centre();
}

int TMenu::MakeRow(int gap) {
  int t = 0;
  for (const TButtonPtr& button : items_) {
    t += button->w + gap;
    button->MoveTo(static_cast<float>(t), 0.0f);
  }
  return Centre();
}

// ---------------------------------------------------------------- state resets

int TMenu::ClearStates() {
  ClearGlow();
  ClearMouseClick();
  ClearMouseOver();
  ClearScale();
  return 0;
}

int TMenu::ClearScale() {
  for (const TButtonPtr& button : items_) button->ScaleOnMO = 1.0f;
  return 0;
}

int TMenu::ClearGlow() {
  for (const TButtonPtr& button : items_) button->Glow = 0.0f;
  return 0;
}

int TMenu::ClearMouseClick() {
  for (const TButtonPtr& button : items_) {
    button->Clicked = 0;
    button->MouseClickCounter = 0.0f;
  }
  return 0;
}

int TMenu::ClearMouseOver() {
  for (const TButtonPtr& button : items_) button->MouseOver = 0;
  return 0;
}

// ---------------------------------------------------------------- queries

int TMenu::Clicked(const String& name) {
  // No button is ever named "": an empty query must not match "nothing clicked".
  if (name.empty() || ClickedName.empty()) return 0;
  if (ccUpper(name) != ClickedName) return 0;
  if (ClearClickedName != 0) ClickedName.clear();
  return 1;
}

int TMenu::MouseOver(const String& name) {
  if (name.empty() || MouseOverName.empty()) return 0;
  if (ccUpper(name) != MouseOverName) return 0;
  if (ClearMouseOverName != 0) MouseOverName.clear();
  return 1;
}

// ---------------------------------------------------------------- per tick and per frame

int TMenu::ManageNoSound(float offsetX, float offsetY) {
  NoSound = 1;
  Manage(offsetX, offsetY);
  NoSound = 0;
  return 0;
}

int TMenu::Precache() {
  for (const TButtonPtr& button : items_) button->Precache();
  return 0;
}

int TMenu::Manage(float offsetX, float offsetY) {
  if ((Game->GameFade && Game->GameFade->Active != 0) || AcceptInput == 0) {
    ManageFixedGlowOnly();
    return 0;
  }
  if (Game->Mouse->Active == 0) return 0;
  MouseOverName.clear();
  ClickedName.clear();
  for (const TButtonPtr& button : items_) {
    button->offx = offsetX;
    button->offy = offsetY;
    if (NoSound == 1) {
      button->ManageNoSound();
    } else {
      button->Manage();
    }
    if (button->MouseOver != 0) MouseOverName = button->name;
    if (button->Clicked != 0) ClickedName = button->name;
  }
  return 1;
}

int TMenu::ManageFixedGlowOnly() {
  for (const TButtonPtr& button : items_) {
    if (button->FixedGlowOnMO == 1) button->ManageGlow();
  }
  return 0;
}

int TMenu::ManageScaleOnMO() {
  for (const TButtonPtr& button : items_) button->ManageScaleOnMO();
  return 0;
}

int TMenu::Draw(float offsetX, float offsetY) {
  for (const TButtonPtr& button : items_) {
    button->offx = offsetX;
    button->offy = offsetY;
    button->Draw();
  }
  return 0;
}
