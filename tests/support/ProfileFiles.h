#pragma once
// Player profiles prepared for a test the way the game writes them (through TProfile), in any
// profiles folder, with or without a Game.
#include <functional>
#include <string>

class TProfile;

namespace testrig {

// Writes profilesDir + name + ".dat" with a new player's values, changed by `edit` when given;
// creates the folder.
void WriteProfileFile(const std::string& profilesDir, const std::string& name,
                      const std::function<void(TProfile&)>& edit = nullptr);

// A user folder in which the game starts with a current profile: the settings name it
// (plus any further settings lines) and its file exists.
void PrepareUserWithProfile(const std::string& userDir, const std::string& settingsFile,
                            const std::string& name, const std::string& moreSettings = "");

}  // namespace testrig
