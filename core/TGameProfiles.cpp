// TGame: the profiles folder as a whole.
#include <vector>

#include "core/ErrorPath.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "platform/FileSystem.h"

namespace {

// A profile file: extension exactly "dat", compared with case (".dat" alone included). A
// folder or a FIFO of that name is none: it holds no player and cannot be read as one.
bool IsProfileEntry(const String& folder, const String& entry) {
  return entry != u"." && entry != u".." && platform::ExtractExt(entry) == u"dat" &&
         platform::IsRegularFile(folder + entry);
}

}  // namespace

int TGame::DeleteAllProfiles() {
  platform::DirPtr dir = platform::ReadDir(ProfilePath);
  if (!dir) return 0;  // nothing that can be listed, nothing to delete
  // Names first, deletions after: a listing is not walked while it changes.
  std::vector<String> doomed;
  for (String entry = platform::NextFile(dir); !entry.empty(); entry = platform::NextFile(dir)) {
    if (IsProfileEntry(ProfilePath, entry)) doomed.push_back(entry);
  }
  platform::CloseDir(dir);
  for (const String& entry : doomed) platform::DeleteFile(ProfilePath + entry);
  return 0;
}

int TGame::ProfileFolderInUse() {
  platform::DirPtr dir = platform::ReadDir(ProfilePath);
  if (!dir) {
    ccRunTimeError(u"Failed to read directory '" + ProfilePath + u"'", 1);
    return 0;
  }
  int inUse = 0;
  for (String entry = platform::NextFile(dir); !entry.empty(); entry = platform::NextFile(dir)) {
    if (entry != u".dat" && IsProfileEntry(ProfilePath, entry)) {
      inUse = 1;
      break;
    }
  }
  platform::CloseDir(dir);
  return inUse;
}

std::vector<String> TGame::ProfileNames() const {
  std::vector<String> names;
  for (const String& entry : platform::ListDir(ProfilePath)) {
    if (!IsProfileEntry(ProfilePath, entry)) continue;
    String name = platform::StripExt(entry);
    // ".dat" alone (or anything that could not be saved again) is no profile.
    if (TProfile::ValidName(name)) names.push_back(std::move(name));
  }
  return names;
}
