#pragma once
// The sound bank: sound effects loaded once and found again by upper-cased name.
#include <map>
#include <memory>

#include "core/TGameSound.h"
#include "platform/String.h"

class TSoundBank {
 public:
  using Map = std::map<String, std::shared_ptr<TGameSound>>;

  explicit TSoundBank(const String& path = String());
  virtual ~TSoundBank() = default;

  String Path;           // folder of the sound files, with a closing slash
  String Ext = u".wav";  // used when a name has none

  // Path = path with a closing slash. Returns 0.
  virtual int SetPath(const String& path);
  // Loads Path + name (its own extension, else Ext), sets pitch and volume, and stores it
  // under the upper-cased key when one is given, else under its file name. A sound already
  // stored under that key is replaced. A file that does not load is fatal. Returns 0.
  virtual int Load(const String& name, float pitch = 1.0f, float volume = 1.0f,
                   const String& key = String(), int flags = 0);
  // The sound stored under the upper-cased name. A missing name is fatal while ShowErrors is
  // set, else the empty object.
  virtual std::shared_ptr<TGameSound> Find(const String& name);

  // Stores a sound made elsewhere under its upper-cased name, replacing one of that key.
  virtual int Insert(const std::shared_ptr<TGameSound>& sound);
  // Iteration in key order.
  Map::const_iterator begin() const { return items_.begin(); }
  Map::const_iterator end() const { return items_.end(); }
  size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }

 private:
  Map items_;
};

// The program's one sound bank, made at start-up and pointed at the sound folder.
extern std::shared_ptr<TSoundBank> sounds;
