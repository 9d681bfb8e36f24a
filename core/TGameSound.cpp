#include "core/TGameSound.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "platform/FileSystem.h"

std::shared_ptr<TGameSound> TGameSound::Create(const String& path, int flags) {
  auto s = std::make_shared<TGameSound>();
  s->Load(path, flags);
  return s;
}

int TGameSound::Load(const String& path, int flags) {
  name = ccUpper(platform::StripAll(path));
  sound = ccLoadSample(path, flags);
  return 0;
}

int TGameSound::PlayInChannel(platform::ChannelPtr& channel, float pan) {
  if (!Game) return 0;
  // A sound not held by a shared_ptr (a plain member) still plays: the call is synchronous,
  // so a non-owning handle is enough.
  std::shared_ptr<TGameSound> self = weak_from_this().lock();
  if (!self) self = std::shared_ptr<TGameSound>(std::shared_ptr<TGameSound>(), this);
  Game->GameSoundPlay(channel, self, pan);
  return 0;
}
