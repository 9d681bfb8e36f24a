#include "platform/PathCase.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/String.h"

namespace platform {

namespace {

constexpr std::string_view kLittleEndianPrefix = "littleendian::";
constexpr size_t kMaxCacheEntries = 4096;

thread_local size_t gLastWalkSteps = 0;

std::mutex gCacheMutex;
// folder + '\0' + folded name -> the names on disk that match
std::unordered_map<std::string, std::vector<std::string>> gCache;

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// ASCII and Latin-1 letters folded to lower case; enough for the data folder's names.
String Fold(std::string_view name) {
  String s = FromUtf8(name);
  for (char16_t& c : s) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<char16_t>(c + 32);
  }
  return s;
}

std::string Join(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

// The entries of `dir` whose names equal `name` without regard to case, in byte order so
// the choice never depends on the listing order.
std::vector<std::string> FindInFolder(const std::string& dir, const std::string& name) {
  const String folded = Fold(name);
  std::string key = dir;
  key.push_back('\0');
  key += ToUtf8(folded);
  {
    std::lock_guard<std::mutex> lock(gCacheMutex);
    auto it = gCache.find(key);
    if (it != gCache.end()) {
      bool fresh = true;
      for (const std::string& n : it->second) fresh = fresh && Exists(Join(dir, n));
      if (fresh) return it->second;
      gCache.erase(it);
    }
  }
  std::vector<std::string> found;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return found;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view entry(e->d_name);
    if (entry == "." || entry == "..") continue;
    if (Fold(entry) == folded) found.emplace_back(entry);
  }
  ::closedir(d);
  std::sort(found.begin(), found.end());
  if (!found.empty()) {
    std::lock_guard<std::mutex> lock(gCacheMutex);
    if (gCache.size() >= kMaxCacheEntries) gCache.clear();
    gCache[key] = found;
  }
  return found;
}

class Walk {
 public:
  explicit Walk(const std::vector<std::string>& parts) : parts(parts) {}
  const std::vector<std::string>& parts;
  size_t bestDepth = 0;
  std::string bestPath;
  size_t steps = 0;

  // Depth-first over every spelling that exists, so "data/graphics" is found even when the
  // tree holds both "Data/graphics" and "data/" with other files. The deepest partial
  // match is kept for paths of files not yet made.
  bool Run(size_t i, const std::string& current, std::string& out) {
    ++steps;
    while (i < parts.size() && parts[i].empty()) ++i;  // doubled or closing slash
    if (i >= parts.size()) {
      out = current;
      return true;
    }
    if (i > bestDepth || bestPath.empty()) {
      bestDepth = i;
      bestPath = current;
    }
    // A folder reached again by another spelling (through "..", say) with the same rest of
    // the path to go fails again: once tried, never walked twice, so sibling folders that
    // differ only in case cannot make the walk exponential.
    if (!FirstVisit(i, current)) return false;
    const std::string& part = parts[i];
    if (part == "." || part == "..") return Run(i + 1, Join(current, part), out);
    std::vector<std::string> candidates;
    if (Exists(Join(current, part))) candidates.push_back(part);
    for (std::string& c : FindInFolder(current, part)) {
      if (c != part) candidates.push_back(std::move(c));
    }
    for (const std::string& c : candidates) {
      if (Run(i + 1, Join(current, c), out)) return true;
    }
    return false;
  }

 private:
  bool FirstVisit(size_t i, const std::string& folder) {
    struct stat st;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0) return true;
    return tried.emplace(st.st_dev, st.st_ino, i).second;
  }

  std::set<std::tuple<dev_t, ino_t, size_t>> tried;
};

}  // namespace

std::string ResolvePathCaseUtf8(const std::string& path) {
  gLastWalkSteps = 0;
  if (path.empty() || Exists(path)) return path;

  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t slash = path.find('/', start);
    parts.emplace_back(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }

  const std::string root = path[0] == '/' ? "/" : "";
  Walk walk(parts);
  std::string resolved;
  const bool found = walk.Run(0, root, resolved);
  gLastWalkSteps = walk.steps;
  if (!found) {
    // Keep the part that exists and the rest as given.
    resolved = walk.bestPath;
    for (size_t i = walk.bestDepth; i < parts.size(); ++i) {
      if (!parts[i].empty()) resolved = Join(resolved, parts[i]);
    }
  }
  // Nothing spelled differently: hand back the caller's own path (doubled slashes and all).
  std::string asGiven = root;
  for (const std::string& part : parts) {
    if (!part.empty()) asGiven = Join(asGiven, part);
  }
  if (resolved.empty() || resolved == asGiven) return path;
  if (path.back() == '/' && resolved.back() != '/') resolved.push_back('/');
  return resolved;
}

std::string StripStreamPrefix(const std::string& path) {
  if (path.size() >= kLittleEndianPrefix.size() &&
      std::string_view(path).substr(0, kLittleEndianPrefix.size()) == kLittleEndianPrefix) {
    return path.substr(kLittleEndianPrefix.size());
  }
  return path;
}

size_t LastPathCaseWalkSteps() { return gLastWalkSteps; }

void ClearPathCaseCache() {
  std::lock_guard<std::mutex> lock(gCacheMutex);
  gCache.clear();
}

}  // namespace platform
