#include "core/TSoundBank.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "platform/FileSystem.h"
#include "text/StringHelpers.h"

std::shared_ptr<TSoundBank> sounds;

TSoundBank::TSoundBank(const String& path) {
  if (!path.empty()) SetPath(path);
}

int TSoundBank::SetPath(const String& path) {
  Path = ccAddSlash(path);
  return 0;
}

int TSoundBank::Load(const String& name, float pitch, float volume, const String& key,
                     int flags) {
  const String ext = platform::ExtractExt(name);
  const String file = Path + platform::StripExt(name) + (ext.empty() ? Ext : u"." + ext);
  auto s = TGameSound::Create(file, flags);
  s->pitch = pitch;
  s->volume = volume;
  if (!key.empty()) s->name = ccUpper(key);
  items_[s->name] = s;
  return 0;
}

std::shared_ptr<TGameSound> TSoundBank::Find(const String& name) {
  const String key = ccUpper(name);
  auto it = items_.find(key);
  if (it != items_.end()) return it->second;
  if (ShowErrors) ccRunTimeError(u"Sound '" + key + u"' was not found in the SoundBank", 1);
  return nullptr;
}

int TSoundBank::Insert(const std::shared_ptr<TGameSound>& sound) {
  if (!sound) return 0;
  items_.insert_or_assign(ccUpper(sound->name), sound);
  return 1;
}
