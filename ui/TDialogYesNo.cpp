#include "ui/TDialogYesNo.h"

#include "core/Globals.h"
#include "core/Input.h"
#include "ui/TMenu.h"

namespace {
constexpr int KEY_N = 78;
constexpr int KEY_Y = 89;
}  // namespace

TDialogYesNoPtr TDialogYesNo::Create(const String& text, const platform::ImagePtr& background,
                                     int width, int height, int px, int makeMenu, int buttonGap,
                                     const String& buttonPicture) {
  auto dialog = std::make_shared<TDialogYesNo>();
  dialog->Init(text, background, width, height, px, 0);
  dialog->ButtonGap = buttonGap;
  if (makeMenu != 0) dialog->MenuCreate(dialog->ButtonGap, buttonPicture);
  return dialog;
}

int TDialogYesNo::MenuCreate(int gap, const String& buttonPicture) {
  MakeMenu();
  if (buttonPicture.empty()) {
    Menu->AddPair(u"Yes", u"No", gap, String());
  } else {
    Menu->AddQuick(buttonPicture, u"Yes");
    Menu->AddQuick(buttonPicture, u"No");
    Menu->MakeRow(ButtonGap);
  }
  if (const TButtonPtr yes = Menu->FindButton(u"Yes")) yes->OKButton = 1;
  PlaceMenuOnce();
  return 0;
}

int TDialogYesNo::YesClick() {
  ccFlushAll();
  if (YesFunc) YesFunc();
  return Close(1);
}

int TDialogYesNo::NoClick() {
  ccFlushAll();
  if (NoFunc) NoFunc();
  return Close(-1);
}

int TDialogYesNo::ClickSound() {
  if (!Menu) return 0;
  if (const TButtonPtr yes = Menu->FindButton(u"Yes")) yes->PlayClick();
  return 0;
}

int TDialogYesNo::CalcSize() {
  TDialog::CalcSize();
  FitHeightToButtons(Gap);
  return 0;
}

int TDialogYesNo::MenuPosition() { return PlaceMenuAtBottom(); }

int TDialogYesNo::Manage() {
  if (ManageCore() == 0) return 0;
  if (CloseResult != 0) return CloseResult;
  if (Transitioning != 0 || !Menu) return 0;
  if (KeyHit(KEY_ESCAPE) != 0 || KeyHit(KEY_N) != 0) {
    if (const TButtonPtr no = Menu->FindButton(u"No")) no->SimulateClick();
    return NoClick();
  }
  if (KeyHit(KEY_Y) != 0) {
    if (const TButtonPtr yes = Menu->FindButton(u"Yes")) yes->SimulateClick();
    return YesClick();
  }
  if (Menu->Clicked(u"No") != 0) return NoClick();
  if (Menu->Clicked(u"Yes") != 0) return YesClick();
  return 0;
}
