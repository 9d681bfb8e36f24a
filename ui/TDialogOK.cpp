#include "ui/TDialogOK.h"

#include "core/Globals.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "ui/TMenu.h"

TDialogOKPtr TDialogOK::Create(const String& text, const platform::ImagePtr& background, int width,
                               int height, int px, const String& buttonPicture) {
  auto dialog = std::make_shared<TDialogOK>();
  dialog->Init(text, background, width, height, px, 0);
  dialog->MenuCreate(buttonPicture);
  return dialog;
}

int TDialogOK::MenuCreate(const String& buttonPicture) {
  MakeMenu();
  const TButtonPtr ok = buttonPicture.empty() ? Menu->AddQuick(u"OK", String())
                                              : Menu->AddQuick(buttonPicture, u"OK");
  ok->OKButton = 1;
  PlaceMenuOnce();
  return 0;
}

int TDialogOK::OKClick() {
  ccFlushAll();
  return Close(1);
}

int TDialogOK::CalcSize() {
  TDialog::CalcSize();
  FitHeightToButtons(Gap);
  return 0;
}

int TDialogOK::MenuPosition() { return PlaceMenuAtBottom(); }

int TDialogOK::Manage() {
  if (ManageCore() == 0) return 0;
  if (CloseResult != 0) return CloseResult;
  if (Transitioning != 0 || !Menu) return 0;
  if (KeyHit(KEY_ESCAPE) != 0 || (ClickAnywhereCloses == 1 && Game->Mouse->GetMh(1) != 0)) {
    if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->SimulateClick();
    return OKClick();
  }
  if (Menu->Clicked(u"OK") != 0) return OKClick();
  return 0;
}
