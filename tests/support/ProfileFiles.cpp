#include "support/ProfileFiles.h"

#include <filesystem>
#include <memory>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "support/TestRig.h"

namespace testrig {

void WriteProfileFile(const std::string& profilesDir, const std::string& name,
                      const std::function<void(TProfile&)>& edit) {
  std::filesystem::create_directories(profilesDir);
  const bool borrowed = static_cast<bool>(Game);
  if (!borrowed) Game = std::make_shared<TGame>();
  const String old = Game->ProfilePath;
  Game->ProfilePath = S(profilesDir);
  const std::shared_ptr<TProfile> profile = TProfile::Create(S(name));
  if (edit) edit(*profile);
  profile->Save();
  Game->ProfilePath = old;
  if (!borrowed) Game.reset();
}

void PrepareUserWithProfile(const std::string& userDir, const std::string& settingsFile,
                            const std::string& name, const std::string& moreSettings) {
  WriteProfileFile(userDir + "profiles/", name);
  WriteFileBytes(settingsFile, "PROFILE NAME=" + name + "\n" + moreSettings);
}

}  // namespace testrig
