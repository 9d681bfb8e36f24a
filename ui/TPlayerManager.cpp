#include "ui/TPlayerManager.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/MathHelpers.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TBox.h"
#include "gfx/TGameImage.h"
#include "platform/FileSystem.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TListBox.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"

TPlayerManagerPtr TPlayerManager::Create(const String& caption, const platform::ImagePtr& background,
                                         int width, int px, int py, int limit,
                                         const String& buttonPicture) {
  auto manager = std::make_shared<TPlayerManager>();
  manager->Init(caption, background, width, 0, 0, 0);
  manager->ListBox = TListBox::Create(10, 5, 0, 1, 500);
  manager->MenuCreate(0, buttonPicture);
  manager->Limit = limit;
  manager->ListBox->Limit = limit;
  manager->FillList();
  manager->HighlightCurrentPlayer();
  manager->x = px;
  manager->y = py;
  return manager;
}

int TPlayerManager::SelectProfile(const String& name) {
  Game->ProfileName = name;
  Game->CurrentProfile = TProfile::Create(name);
  Game->CurrentProfile->Load();
  Game->IniUpdate(1);
  return 0;
}

int TPlayerManager::MenuCreate(int, const String& buttonPicture) {
  MakeMenu();
  for (const char16_t* name : {u"OK", u"Create", u"Delete", u"Cancel"}) {
    if (buttonPicture.empty()) {
      Menu->AddQuick(name, String());
    } else {
      Menu->AddQuick(buttonPicture, name);
    }
  }
  Menu->MakeRow(ButtonGap);
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->OKButton = 1;
  PlaceMenuOnce();
  return 0;
}

int TPlayerManager::Start() {
  TDialog::Start();
  BoxSize();
  return 0;
}

int TPlayerManager::CalcSize() { return TDialog::CalcSize(); }

int TPlayerManager::MenuPosition() { return PlaceMenuAtBottom(); }

int TPlayerManager::CalcListBoxLineHeight() {
  ListBox->CalcLineHeight();
  ListBox->LineHeight += LineHeightAddition;
  return 0;
}

int TPlayerManager::BoxSize() {
  if (!ListBox || !ListBox->Box || !Caption || !Menu) return 0;
  const float captionH = Caption->H;
  int boxH = static_cast<int>(static_cast<float>(h - 2 * Border) - captionH -
                              static_cast<float>(Menu->CalcHeight() + 2 * BoxBorderV));
  if (LimitBoxHeightToMaxItems != 0) {
    CalcListBoxLineHeight();
    boxH = ListBox->LineHeight * Limit;
  }
  ListBox->SetCoords(static_cast<float>(x + BoxBorderH),
                     static_cast<float>(y + Border) + captionH + static_cast<float>(BoxBorderV),
                     static_cast<float>(w - 2 * BoxBorderH), static_cast<float>(boxH));
  if (LimitBoxHeightToMaxItems == 0) CalcListBoxLineHeight();
  Menu->CalcTop();
  const int space = static_cast<int>(Menu->y - (Caption->Y + captionH));
  ListBox->Box->X += static_cast<float>(BoxXTweak);
  if (BoxY != 0) {
    ListBox->Box->Y = static_cast<float>(BoxY);
  } else {
    ListBox->Box->Y = static_cast<float>((space - static_cast<int>(ListBox->Box->H)) / 2) +
                      Caption->Y + captionH;
  }
  return 0;
}

int TPlayerManager::FillList() {
  // Name order, so the list and "the first profile" are the same on every run and system.
  ListBox->Strings = Game->ProfileNames();
  return 0;
}

int TPlayerManager::HighlightCurrentPlayer() {
  ListBox->ClearIndex();
  if (Game->CurrentProfile) {
    ListBox->SetIndex(ccListStringIndex(ListBox->Strings, Game->CurrentProfile->Name));
  }
  return 0;
}

int TPlayerManager::ShowMessage(const String& message) {
  if (ErrorDialogFunc) {
    DialogOK = ErrorDialogFunc(message);
    // The manager still holds Escape for the screen.
    if (DialogOK) DialogOK->ReenableEscapeKey = 0;
  } else {
    ShowBlockingMessage(message);
  }
  return 0;
}

int TPlayerManager::CreateProfile() {
  if (Limit > 0 && ListBox->Count() >= Limit) {
    ShowMessage(MessageCannotCreate);
    return 0;
  }
  if (!EnterNamePromptFunc) return 0;
  EnterName = EnterNamePromptFunc(1);
  if (!EnterName) return 0;
  EnterName->TextInput->UppercaseFirstCharAsTyped = UpperFirstChar;
  EnterName->TextInput->MakeCharsFileNameSafe();
  EnterName->TextInput->BannedChars += ExtraBannedChars;
  if (EnterName->Menu) EnterName->Menu->ManageNoSound(0.0f, 0.0f);
  EnterName->Start();
  EnterName->ReenableEscapeKey = 0;
  return 1;
}

int TPlayerManager::DeleteProfileCheck() {
  if (ListBox->Index == -1) return 0;
  if (ListBox->Count() == 1) {
    ShowMessage(MessageCannotDelete);
    return 0;
  }
  if (DialogYesNoFunc) {
    DialogYesNo = DialogYesNoFunc(MessageConfirmDelete);
    if (DialogYesNo) DialogYesNo->ReenableEscapeKey = 0;
  } else {
    // No way to ask: nothing is deleted.
    ccEnablePolledInput();
    ccDisablePolledInput();
  }
  return 0;
}

int TPlayerManager::DeleteProfile() {
  const String name = ListBox->Value;
  if (DeleteProfileUserFunction) DeleteProfileUserFunction(name);
  platform::DeleteFile(Game->ProfilePath + name + u".dat");
  int index = ListBox->Index;
  ListBox->ClearIndex();
  FillList();
  if (ListBox->Count() <= index) --index;
  ListBox->SetIndex(index);
  return 0;
}

int TPlayerManager::OKClick() {
  if (ListBox->Index == -1) return 0;
  SelectProfile(ListBox->Value);
  Close(1);
  return 1;
}

int TPlayerManager::CancelClick() {
  // The current player was deleted: the first one left takes over (none left: nothing changes).
  if (Game->CurrentProfile && !ListBox->Strings.empty() &&
      ccListStringIndex(ListBox->Strings, Game->CurrentProfile->Name) == -1) {
    SelectProfile(ListBox->Strings.front());
  }
  Close(-1);
  return -1;
}

int TPlayerManager::ClickSound() {
  if (!Menu) return 0;
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->PlayClick();
  return 0;
}

int TPlayerManager::SettleMenu() {
  Menu->ManageNoSound(0.0f, 0.0f);
  Menu->ClearMouseClick();
  return 0;
}

int TPlayerManager::Manage() {
  if (Active == 0 || !Menu || !ListBox) return 0;
  if (DialogOK) {
    if (DialogOK->Manage() == 0) {
      Menu->ManageFixedGlowOnly();
      return 0;
    }
    DialogOK->Kill();
    DialogOK = nullptr;
    SettleMenu();
  }
  if (DialogYesNo) {
    const int answer = DialogYesNo->Manage();
    if (answer == 0) {
      Menu->ManageFixedGlowOnly();
      return 0;
    }
    DialogYesNo->Kill();
    DialogYesNo = nullptr;
    SettleMenu();
    if (answer == 1) DeleteProfile();
  }
  if (EnterName) {
    const int answer = EnterName->Manage();
    if (answer == 0) {
      Menu->ManageFixedGlowOnly();
      return 0;
    }
    if (answer == 1) {
      String name = EnterName->TextInput->Text;
      if (UpperFirstChar != 0 && !name.empty()) name.replace(0, 1, ccUpper(name.substr(0, 1)));
      if (CreateProfileFunc) CreateProfileFunc(name);
      FillList();
      HighlightCurrentPlayer();
      if (AutoAcceptAfterCreate != 0) {
        EnterName->Kill();
        EnterName = nullptr;
        return OKClick();
      }
    }
    EnterName->Kill();
    EnterName = nullptr;
    SettleMenu();
  }

  if (ManageCore() == 0) return 0;
  if (CloseResult != 0) return CloseResult;
  ListBox->Manage();
  if (ListBox->DoubleClicked != -1) {
    ListBox->GetDoubleClicked();
    ClickSound();
    return OKClick();
  }
  if (Menu->Clicked(u"OK") != 0) return OKClick();
  if (KeyHit(KEY_ESCAPE) != 0) {
    ClickSound();
    return CancelClick();
  }
  if (Menu->Clicked(u"Cancel") != 0) return CancelClick();
  if (Menu->Clicked(u"Create") != 0 && CreateProfile() == 0) return 0;
  if (Menu->Clicked(u"Delete") != 0 || KeyHit(KEY_DELETE) != 0) DeleteProfileCheck();
  return 0;
}

int TPlayerManager::Draw() {
  if (DrawDisabled == 0) {
    if (Active != 0 && DimWhenActive == 1) ccDimScreen(0.5f);
    MenuShow = 0;
    if (TDialog::Draw() == 0) return 0;
    if (ListBox) ListBox->Draw();
    if (FrontFrame) FrontFrame->Draw(static_cast<float>(FrontFrameX), static_cast<float>(FrontFrameY), 0, nullptr);
    if (Header) Header->Draw(static_cast<float>(HeaderX), static_cast<float>(HeaderY), 0, nullptr);
    if (Menu) Menu->Draw(0.0f, 0.0f);
    if (EnterName && EnterName->Active != 0 &&
        (DimWhenShowingDialogs == 1 || DimWhenShowingEnterNamePrompt == 1)) {
      ccDimScreen(0.5f);
    }
    const bool boxOpen = (DialogOK && DialogOK->Active != 0) || (DialogYesNo && DialogYesNo->Active != 0);
    if (boxOpen && DimWhenShowingDialogs == 1) ccDimScreen(0.5f);
  }
  if (EnterName) EnterName->Draw();
  if (DialogOK) DialogOK->Draw();
  if (DialogYesNo) DialogYesNo->Draw();
  return 1;
}

int TPlayerManager::Kill() {
  for (const std::shared_ptr<TDialog>& sub : {std::shared_ptr<TDialog>(EnterName),
                                              std::shared_ptr<TDialog>(DialogOK),
                                              std::shared_ptr<TDialog>(DialogYesNo)}) {
    if (sub) sub->Kill();
  }
  EnterName = nullptr;
  DialogOK = nullptr;
  DialogYesNo = nullptr;
  TDialog::Kill();
  if (ListBox) ListBox->Kill();
  FrontFrame = nullptr;
  Header = nullptr;
  return 0;
}
