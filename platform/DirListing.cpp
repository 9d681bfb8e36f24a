#include "platform/DirListing.h"

namespace platform {

namespace {

bool ValidUtf8(std::string_view s) {
  const std::string round = ToUtf8(FromUtf8(s));
  return round == s;
}

}  // namespace

DirListing::~DirListing() { Close(); }

String DirListing::Next() {
  if (!dir_) return String();
  for (;;) {
    const dirent* e = ::readdir(dir_);
    if (!e) {
      Close();
      return String();
    }
    const std::string_view name(e->d_name);
    if (name.empty()) continue;
    // Names are UTF-8 by convention; anything else is shown byte for byte.
    return ValidUtf8(name) ? FromUtf8(name) : FromLatin1(name);
  }
}

void DirListing::Close() {
  if (dir_) {
    ::closedir(dir_);
    dir_ = nullptr;
  }
}

}  // namespace platform
