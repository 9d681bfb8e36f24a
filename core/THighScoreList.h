#pragma once
// The high-score table, best first, kept in one file: entries one after another to the end
// of the file, each the name's bytes (character code minus HIGHSCORE_SHIFT), a 0 byte, then
// score and level as little-endian int32.
#include <memory>
#include <vector>

#include "core/THighScore.h"
#include "platform/String.h"

class THighScoreList {
 public:
  using List = std::vector<std::shared_ptr<THighScore>>;

  // Subtracted from every name character when stored. Never change: stored files depend on
  // it. Below 32, so no typeable character encodes to the 0 terminator.
  static constexpr int HIGHSCORE_SHIFT = 11;
  // A longer file is not a high-score table.
  static constexpr long long MAX_FILE_SIZE = 1 << 20;

  virtual ~THighScoreList() = default;

  String filepath;  // path + ".dat"
  int MaxNameLength = 10;

  // Empties the table; filepath = path + ".dat". Reads nothing. Returns 0.
  virtual int Create(const String& path, int maxNameLength);
  // Appends, wherever the score would rank. Returns 0.
  virtual int Add(const String& name, int score, int level);
  // Before the first entry whose score is lower or equal (the newest of equal scores ranks
  // first), else last. The table grows by one. Returns 0.
  virtual int Insert(const String& name, int score, int level);
  // Reads the file in its order. No file: the default table, written. A cut-off last entry
  // is dropped. A file that cannot be read, or holds no whole entry, is copied aside to
  // filepath + ".bad" and replaced by the default table. Returns 0.
  virtual int Load();
  // Writes the whole table (a file that cannot be written is fatal). A character that would
  // not survive (a control character or one above 255) is stored as "?". Returns 0.
  virtual int Save();
  // Appends the ten default entries and saves. Returns 0.
  virtual int CreateDefault();
  // count entries "Empty", 0, 0, saved. Returns 0.
  virtual int Zero(int count);

  // The ordered list.
  const List& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  std::shared_ptr<THighScore> First() const { return items_.empty() ? nullptr : items_.front(); }
  std::shared_ptr<THighScore> Last() const { return items_.empty() ? nullptr : items_.back(); }
  // Removes the last entry (none: nothing). Returns 0.
  int RemoveLast();
  void Clear() { items_.clear(); }
  List::const_iterator begin() const { return items_.begin(); }
  List::const_iterator end() const { return items_.end(); }

 private:
  List items_;
};
