#include "screens/DialogFunctions.h"

#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/TColor.h"
#include "platform/FileSystem.h"
#include "text/GameFonts.h"
#include "text/TShadow.h"
#include "ui/TButton.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogYesNo.h"
#include "ui/TMenu.h"

namespace {

// Box shadow, caption style, start and a fresh frame timer: what the error box and the
// question share.
void StyleAndStart(TDialog& dialog, int r, int g, int b) {
  dialog.Shadow = TShadow::Create(3.0f, 3.0f, 0.4f);
  dialog.SetupCaption(MainFontSmall, TColor::Create(r, g, b, 1.0f), TShadow::Create(1.0f, 1.0f, 0.6f),
                      nullptr);
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
  StyleAndStart(*dialog, 255, 0, 0);
  return dialog;
}

std::shared_ptr<TDialogYesNo> MakeDialogYesNo(const String& question) {
  auto dialog = TDialogYesNo::Create(question, nullptr, 0, 0, 0, 1, 50, String());
  StyleAndStart(*dialog, 255, 255, 255);
  return dialog;
}

int CheckPlayerName(const String& name, String& message) {
  // Existence only: nothing is opened, so a read-only profile still counts, and the file
  // layer's case-blind matching makes "bob" the same player as "Bob".
  if (!TProfile::ValidName(name)) {
    message = u"Error: this name cannot be used!";
    return -1;
  }
  if (platform::FileType(Game->ProfilePath + name + u".dat") != platform::FILETYPE_NONE) {
    message = u"Error: a profile with this name already exists!";
    return -1;
  }
  message.clear();
  return 1;
}

int CreateProfile(const String& name) {
  Game->ProfileName = name;
  Game->CurrentProfile = TProfile::Create(name);
  Game->CurrentProfile->Load();
  Game->IniUpdate(1);
  return 0;
}
