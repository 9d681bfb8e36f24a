#include "ui/TDialogTextInput.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/Input.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TScreen.h"
#include "gfx/ScreenEffects.h"
#include "gfx/TColor.h"
#include "platform/Graphics.h"
#include "text/TLabel.h"
#include "text/TShadow.h"
#include "ui/TDialogOK.h"
#include "ui/TMenu.h"
#include "ui/TTextInput.h"

TDialogTextInputPtr TDialogTextInput::Create(const String& caption, const String& text,
                                             int maxLength, const platform::ImagePtr& background,
                                             int width, int px, int py, int maxPixelWidth,
                                             const String& buttonName) {
  auto dialog = std::make_shared<TDialogTextInput>();
  dialog->Init(caption, background, width, 0, px, py);
  dialog->Text = TLabel::CreateSpecial(text, 0.0f, 0.0f, 0, 0, 0);
  dialog->BoxColor = TColor::Create(0, 0, 0, 1.0f);
  dialog->TextInput = std::make_shared<TTextInput>();
  dialog->TextInput->MaxLength = maxLength;
  dialog->TextInput->MaxPixelWidth = maxPixelWidth;
  dialog->ButtonName = buttonName;
  return dialog;
}

int TDialogTextInput::MenuCreate(int cancel, int gap) {
  MakeMenu();
  if (ButtonName.empty()) {
    if (cancel == 0) {
      Menu->AddQuick(u"OK", String());
    } else {
      Menu->AddPair(u"OK", u"Cancel", gap, String());
    }
  } else {
    Menu->AddQuick(ButtonName, u"OK");
    if (cancel != 0) Menu->AddQuick(ButtonName, u"Cancel");
    Menu->MakeRow(gap);
  }
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->OKButton = 1;
  PlaceMenuOnce();
  return 0;
}

int TDialogTextInput::SetupText(const platform::ImageFontPtr& font,
                                const std::shared_ptr<TColor>& colour,
                                const std::shared_ptr<TShadow>& shadow, int fixedWidth,
                                const std::shared_ptr<TBitmapFont>& bitmapFont) {
  Text->Init(font, colour, shadow, fixedWidth, bitmapFont, nullptr, String());
  Text->CalcSize();
  TextInput->Init(font, Text->Text, static_cast<int>(Text->X), static_cast<int>(Text->Y), bitmapFont);
  Game->BlockKeys = 0;  // until Start
  if (Text->Color) {
    TextInput->TextCol = std::make_shared<TColor>(*Text->Color);
  }
  TextInput->TextShadow = Text->Shadow ? std::make_shared<TShadow>(*Text->Shadow) : nullptr;
  TextInput->DrawDots = fixedWidth;
  TextInput->AllowNull = AllowNull;
  if (!Menu || !Menu->FindButton(u"Cancel")) TextInput->AllowEscToAbort = 0;
  if (Menu) {
    if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->OKButtonUseSpace = 0;
  }
  MenuPosition();
  return 0;
}

int TDialogTextInput::Start() {
  TDialog::Start();
  Game->BlockKeys = 1;
  return 0;
}

int TDialogTextInput::CalcSize() {
  TDialog::CalcSize();
  if (!Background && Caption && Text) {
    const int row = Menu ? Menu->CalcHeight() : 0;
    h = static_cast<int>(2.0f * Border + 2.0f * Gap + (Caption->H + Text->H) + row);
  }
  return 0;
}

int TDialogTextInput::SetLabelsXY() {
  TDialog::SetLabelsXY();
  if (!Text || !Caption) return 0;
  if (TextOX == 0 && TextOY == 0) {
    Text->X = static_cast<float>(x + BoxBorderH + TextBorder);
    Text->Y = Caption->Y + Caption->H + static_cast<float>(Gap);
  } else {
    Text->X = static_cast<float>(TextOX);
    Text->Y = static_cast<float>(TextOY);
  }
  if (TextInput) {
    TextInput->X = static_cast<int>(Text->X);
    TextInput->Y = static_cast<int>(Text->Y + static_cast<float>(TextYOffset));
  }
  return 0;
}

int TDialogTextInput::MenuPosition() { return PlaceMenuAtBottom(); }

int TDialogTextInput::ProcessOKClickedFunc() {
  if (!OKClickedFunc) return 1;
  const int r = OKClickedFunc(*this);
  if (r < 1) {
    Active = 1;
    return 0;
  }
  return r;
}

int TDialogTextInput::OKClickTest() {
  TextInput->ForceDraw = 1;
  String& text = TextInput->Text;
  if (UppercaseFirstChar == 1 && !text.empty()) text.replace(0, 1, ccUpper(text.substr(0, 1)));
  if (ErrorCheckFunc) {
    String message;
    if (ErrorCheckFunc(text, message) == -1) {
      if (ErrorDialogFunc) {
        DialogOK = ErrorDialogFunc(message);
        if (DialogOK) DialogOK->ReenableEscapeKey = 0;
      } else {
        // No box of the owner's: the blocking one, then straight back to typing.
        ShowBlockingMessage(message);
        TextInput->Reset();
        Game->FixedRateLogic->Init();
      }
      Game->BlockKeys = 1;
      return 0;
    }
  }
  if (AllowNull == 0 && TTextInput::IsBlank(text)) {
    Game->BlockKeys = 1;
    return 0;
  }
  return 1;
}

int TDialogTextInput::OKClick() {
  ccFlushAll();
  return Close(1);
}

int TDialogTextInput::CancelClick() {
  TextInput->ForceDraw = 1;
  ccFlushAll();
  return Close(-1);
}

int TDialogTextInput::ClickSound() {
  if (!Menu) return 0;
  if (const TButtonPtr ok = Menu->FindButton(u"OK")) ok->PlayClick();
  return 0;
}

int TDialogTextInput::Manage() {
  if (Active == 0 || !Menu || !TextInput) return 0;
  if (OKClickedScreen) {
    if (OKClickedScreen->Logic() != 1) return 0;
    OKClickedScreen->Kill();
    OKClickedScreen = nullptr;
    Menu->ClearStates();
    // The owner ends the dialog on this result: give the escape flag back now.
    CloseResultTemp = 1;
    Finalise();
    return 1;
  }
  if (OKClickedDialog) {
    if (OKClickedDialog->Manage() == 0) return 0;
    OKClickedDialog->Kill();
    OKClickedDialog = nullptr;
    Menu->ClearStates();
    return OKClick();
  }
  if (DialogOK) {
    if (DialogOK->Manage() == 0) return 0;
    DialogOK->Kill();
    DialogOK = nullptr;
    Menu->ClearStates();
    Menu->ManageNoSound(0.0f, 0.0f);
    TextInput->Reset();
  }

  ManageTransitions();
  if (CloseResult != 0) return CloseResult;
  if (Disabled == 1 || Transitioning == 2) Menu->ManageFixedGlowOnly();
  if (Transitioning != 0) return 0;

  const TButtonPtr ok = Menu->FindButton(u"OK");
  const TButtonPtr cancel = Menu->FindButton(u"Cancel");
  const int typed = TextInput->Manage();
  if (typed == 1) {
    if (ok) ok->SimulateClick();
    if (OKClickTest() == 0) return 0;
    if (ProcessOKClickedFunc() == 0) return 0;
    return OKClick();
  }
  if (typed == -1) {
    if (cancel) cancel->SimulateClick();
    return CancelClick();
  }
  Menu->Manage(0.0f, 0.0f);
  if (Menu->Clicked(u"OK") != 0 && OKClickTest() != 0) {
    TextInput->Finish();
    if (ProcessOKClickedFunc() != 0) return OKClick();
    return 0;
  }
  if (cancel) {
    const bool clicked = Menu->Clicked(u"Cancel") != 0;
    if (clicked || (cancel->Active != 0 && KeyHit(KEY_ESCAPE) != 0)) {
      TextInput->Finish();
      if (!clicked) ClickSound();
      return CancelClick();
    }
  }
  return 0;
}

int TDialogTextInput::Draw() {
  if (DrawDisabled == 0) {
    if (TDialog::Draw() == 0) return 0;
    if (DrawBox == 1 && Text) {
      if (BoxColor) BoxColor->Apply();
      platform::DrawRect(static_cast<float>(x + BoxBorderH) + OffsetX,
                         Text->Y - static_cast<float>(BoxBorderV) + OffsetY,
                         static_cast<float>(w - 2 * BoxBorderH),
                         static_cast<float>(2 * BoxBorderV) + Text->H);
      TColor::Restore();
    }
    if (TextInput) {
      TextInput->OffsetX = OffsetX;
      TextInput->OffsetY = OffsetY;
      TextInput->Draw();
    }
    if (DialogOK && DialogOK->Active != 0) {
      if (DimWhenShowingDialogs == 1) ccDimScreen(0.5f);
      DialogOK->Draw();
    }
  }
  if (OKClickedScreen) OKClickedScreen->Draw();
  if (OKClickedDialog) OKClickedDialog->Draw();
  return 1;
}

int TDialogTextInput::Kill() {
  // Let go while typing (or while its error box is up): the application gets its keys back.
  if (TextInput && TextInput->Active != 0) TextInput->Finish();
  if (Active != 0) Game->BlockKeys = 0;
  if (DialogOK) {
    DialogOK->Kill();
    DialogOK = nullptr;
  }
  if (OKClickedDialog) {
    OKClickedDialog->Kill();
    OKClickedDialog = nullptr;
  }
  TDialog::Kill();
  if (Text) Text->Kill();
  BoxColor = nullptr;
  return 0;
}
