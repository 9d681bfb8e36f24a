#include "screens/DialogFunctions.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/TColor.h"
#include "platform/FileSystem.h"
#include "text/GameFonts.h"
#include "text/TLabel.h"
#include "text/TShadow.h"
#include "ui/TButton.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"
#include "ui/TPlayerManager.h"
#include "ui/TTextInput.h"

namespace {

constexpr int kErrorFoot = 12;  // error box's gap to the screen's lower edge

// Box shadow, caption style, start and a fresh frame timer: what the error box and the
// question share.
void StyleAndStart(TDialog& dialog, int r, int g, int b, bool low = false) {
  dialog.Shadow = TShadow::Create(3.0f, 3.0f, 0.4f);
  // Night-dark, so that the red of an error reads as well as white does (a mid grey leaves
  // red text barely visible).
  dialog.DialogColor = TColor::Create(18, 14, 30, 1.0f);
  dialog.SetupCaption(MainFontSmall, TColor::Create(r, g, b, 1.0f), TShadow::Create(1.0f, 1.0f, 0.6f),
                      nullptr);
  if (low) {
    // An error answers what was typed: it stands at the foot of the screen, clear of the name
    // prompt's question and of the name itself, which the player is to mend.
    dialog.CalcAll();
    dialog.MenuPosition();
    dialog.Centre = 0;
    dialog.x = (ScreenWidth - dialog.w) / 2;
    dialog.y = ScreenHeight - dialog.h - kErrorFoot;
  }
  dialog.Start();
  Game->FixedRateLogic->Init();
}

}  // namespace

int OKButtonCreate(const std::shared_ptr<TMenu>& menu) {
  if (!menu) return 0;
  const TButtonPtr ok = menu->AddNew(u"OK", u"OKMO", String(), 0, 0, 1);
  ok->OKButton = 1;
  ok->CentreX(static_cast<float>(ScreenHeight - ok->h - 15));
  return 0;
}

std::shared_ptr<TDialogOK> ErrorDialog(const String& message) {
  auto dialog = TDialogOK::Create(message, nullptr, 0, 0, 0, String());
  StyleAndStart(*dialog, 255, 0, 0, true);
  return dialog;
}

std::shared_ptr<TDialogYesNo> MakeDialogYesNo(const String& question) {
  auto dialog = TDialogYesNo::Create(question, nullptr, 0, 0, 0, 1, 50, String());
  StyleAndStart(*dialog, 255, 255, 255);
  return dialog;
}

std::shared_ptr<TDialogTextInput> EnterNamePrompt(int withCancel) {
  Game->FixedRateLogic->Init();
  const platform::ImagePtr panel = ccLoadBitmap(Game->ImagePath + u"whatisyourname.png");
  auto prompt = TDialogTextInput::Create(String(), String(), 12, panel, 0, 0, 0, 0, String());
  prompt->TextInput->MakeCharsFileNameSafe();
  prompt->DrawHighlight = 0;
  prompt->Gap = 38;
  prompt->MenuCreate(withCancel, 20);
  prompt->Shadow = TShadow::Create(3.0f, 3.0f, 0.4f);
  prompt->SetupCaption(MainFontSmall, TColor::Create(0, 255, 0, 1.0f),
                       TShadow::Create(1.0f, 1.0f, 0.6f), nullptr);
  if (const TButtonPtr ok = prompt->Menu->FindButton(u"OK")) {
    ok->LoadImages(u"OK2", u"OK2MO", 0, 0, 1);
    ok->Init();
  }
  prompt->SetupText(MapFont, TColor::Create(255, 255, 255, 1.0f), TShadow::Create(1.0f, 1.0f, 0.6f),
                    0, nullptr);
  // The panel's picture has its own place for the name: pinned from where the layout put it
  // with the default margins, before the strip is widened.
  prompt->TextOX = static_cast<int>(prompt->Text->X + 46.0f);
  prompt->TextOY = static_cast<int>(prompt->Text->Y + 125.0f);
  prompt->BoxColor = TColor::Create(0, 0, 0, 0.3f);
  prompt->TextInput->CursorCol = TColor::Create(255, 255, 255, 1.0f);
  prompt->BoxBorderH = 50;
  prompt->ErrorCheckFunc = CheckPlayerName;
  prompt->ErrorDialogFunc = ErrorDialog;
  prompt->MenuPosition();
  prompt->MenuOX = static_cast<int>(prompt->Menu->x);
  prompt->MenuOY = 418;
  Game->FixedRateLogic->Init();
  return prompt;
}

int CheckPlayerName(const String& name, String& message) {
  // Existence only: nothing is opened, so a read-only profile still counts, and the file
  // layer's case-blind matching makes "bob" the same player as "Bob". Only a regular file is a
  // player's, as in the list: a FIFO or a folder of that name is moved aside when the player is
  // made.
  if (!TProfile::ValidName(name)) {
    message = u"Error: this name cannot be used!";
    return -1;
  }
  if (platform::IsRegularFile(Game->ProfilePath + name + u".dat")) {
    message = u"Error: a profile with this name already exists!";
    return -1;
  }
  message.clear();
  return 1;
}

int CreateProfile(const String& name) { return TPlayerManager::SelectProfile(name); }
