#pragma once
// One player's saved progress, one file per player: ProfilePath + Name + ".dat", 440 bytes,
// little-endian (the five counters stored with fixed offsets, TimeTaken as a double, three
// ints, then the hint flags; a hook may append data).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Stream.h"
#include "platform/String.h"

class TProfile {
 public:
  static constexpr int MAX_HINTS = 100;
  // Size of the record without hook data.
  static constexpr int FILE_SIZE = 40 + 4 * MAX_HINTS;

  // Added to the counters when stored (wrapping modulo 2^32). Never change: stored files
  // depend on them.
  static constexpr uint32_t CURRENT_LEVEL_OFFSET = 0x3c71d5;
  static constexpr uint32_t LOCKED_LEVEL_OFFSET = 0x5e2b19;
  static constexpr uint32_t SCORE_OFFSET = 0x1d7a6c3;
  static constexpr uint32_t LIVES_OFFSET = 0x63f08a;
  static constexpr uint32_t KILLS_OFFSET = 0x2c9d54;

  virtual ~TProfile() = default;

  String Name;
  int CurrentLevel = 0;
  int LockedLevel = 0;
  int Score = 0;
  int Lives = 0;
  int Kills = 0;
  double TimeTaken = 0.0;
  int Difficulty = 0;
  int TipsFlag = 0;
  int InstructionsFlag = 0;
  std::array<int, MAX_HINTS> HintsShown{};
  std::function<int(const platform::StreamPtr&)> SaveUserFunction;
  std::function<int(const platform::StreamPtr&)> LoadUserFunction;
  static std::function<void(const std::shared_ptr<TProfile>&)> CreateUserFunction;

  // A new profile with the defaults of Init; reads and writes nothing.
  static std::shared_ptr<TProfile> Create(const String& name);
  virtual int Init(const String& name);
  virtual int ClearHints();
  // Writes the file (a file that cannot be written is fatal). 0, or -1 when the name cannot
  // be a file name (nothing is written).
  virtual int Save();
  // 1 when a file was read; 0 when there was none (then the current values are written);
  // -1 when the name cannot be a file name (nothing is read or written). A file too short to
  // hold the fixed part is copied aside to its path + ".bad" and treated as missing.
  virtual int Load();
  virtual int HintsSet(int value);
  // 1 the first time a hint is asked for (the flag is then set, and saved when save != 0);
  // 0 afterwards, and for an index outside 0..MAX_HINTS - 1.
  virtual int ShowHint(int index, int save);

  // Game->ProfilePath + Name + ".dat".
  String FilePath() const;
  // A name that can be a profile file's base name inside the profiles folder: not empty,
  // not "." or "..", no "/", "\" or control character (NUL included), and short enough for a
  // file name.
  static bool ValidName(StringView name);
};
