#include "core/THighScoreList.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "core/ErrorPath.h"
#include "core/Platform.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

namespace {

struct DefaultEntry {
  const char16_t* name;
  int score;
  int level;
};

constexpr std::array<DefaultEntry, 10> kDefaults = {{
    {u"Amelia", 10000, 10},
    {u"Oliver", 9000, 9},
    {u"Hazel", 8000, 8},
    {u"Theo", 7000, 7},
    {u"Iris", 6000, 6},
    {u"Jasper", 5000, 5},
    {u"Maya", 4000, 4},
    {u"Felix", 3000, 3},
    {u"Nora", 2000, 2},
    {u"Edwin", 1000, 1},
}};

int32_t ReadInt32(const std::string& bytes, size_t at) {
  const auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
  return static_cast<int32_t>(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
}

}  // namespace

int THighScoreList::Create(const String& path, int maxNameLength) {
  Clear();
  filepath = path + u".dat";
  MaxNameLength = maxNameLength;
  return 0;
}

int THighScoreList::Add(const String& name, int score, int level) {
  items_.push_back(std::make_shared<THighScore>(name, score, level));
  return 0;
}

int THighScoreList::Insert(const String& name, int score, int level) {
  auto at = std::find_if(items_.begin(), items_.end(),
                         [score](const auto& e) { return e && e->score <= score; });
  items_.insert(at, std::make_shared<THighScore>(name, score, level));
  return 0;
}

int THighScoreList::RemoveLast() {
  if (!items_.empty()) items_.pop_back();
  return 0;
}

int THighScoreList::Load() {
  Clear();
  const int64_t size = platform::FileSize(filepath);
  if (platform::FileType(filepath) == platform::FILETYPE_NONE) {
    CreateDefault();
    return 0;
  }
  std::string bytes;
  const bool read = size >= 0 && size <= MAX_FILE_SIZE && platform::LoadBytes(filepath, bytes);
  if (read) {
    size_t pos = 0;
    while (pos < bytes.size()) {
      const size_t end = bytes.find('\0', pos);
      if (end == std::string::npos || bytes.size() - end - 1 < 8) break;  // cut off: dropped
      String name;
      name.reserve(end - pos);
      for (size_t i = pos; i < end; ++i) {
        name.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) + HIGHSCORE_SHIFT));
      }
      Add(name, ReadInt32(bytes, end + 1), ReadInt32(bytes, end + 5));
      pos = end + 9;
    }
  }
  if (read && (Count() > 0 || bytes.empty())) {
    if (Count() == 0) CreateDefault();  // an empty file holds nothing to keep
    return 0;
  }
  // Nothing usable: keep the old file aside before the default table replaces it.
  Clear();
  String kept;
  if (platform::MoveAside(filepath, &kept)) {
    ccErrorLog(u"Could not read the high-score file '" + filepath + u"'; it was kept as '" + kept +
               u"'");
    CreateDefault();
  } else {
    ccErrorLog(u"Could not read the high-score file '" + filepath + u"'; it was left as it was");
    for (const auto& e : kDefaults) Add(e.name, e.score, e.level);
  }
  return 0;
}

int THighScoreList::Save() {
  std::string bytes;
  for (const auto& e : items_) {
    if (!e) continue;
    for (char16_t c : e->name) {
      const int code = (c < 32 || c > 255) ? '?' : c;
      bytes.push_back(static_cast<char>((code - HIGHSCORE_SHIFT) & 0xFF));
    }
    bytes.push_back('\0');
    for (int32_t v : {static_cast<int32_t>(e->score), static_cast<int32_t>(e->level)}) {
      const auto u = static_cast<uint32_t>(v);
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
    }
  }
  // Written to a temporary file that replaces the old one only when complete.
  if (!platform::SaveBytes(filepath, bytes)) {
    ccRunTimeError(u"Failed to save file " + filepath + ccCannotWriteReason(filepath), 1);
    return 0;
  }
  ccShareFileOSX(filepath);
  return 0;
}

int THighScoreList::CreateDefault() {
  for (const auto& e : kDefaults) Add(e.name, e.score, e.level);
  Save();
  return 0;
}

int THighScoreList::Zero(int count) {
  Clear();
  for (int i = 0; i < count; ++i) Add(u"Empty", 0, 0);
  Save();
  return 0;
}
