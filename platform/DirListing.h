#pragma once
// An open folder listing (see ReadDir in platform/FileSystem.h).
#include <dirent.h>

#include <string>

#include "platform/String.h"

namespace platform {

class DirListing {
 public:
  explicit DirListing(DIR* dir) : dir_(dir) {}
  ~DirListing();
  DirListing(const DirListing&) = delete;
  DirListing& operator=(const DirListing&) = delete;

  // The next name in the system's order, "" at the end or once closed.
  String Next();
  void Close();

 private:
  DIR* dir_ = nullptr;
};

}  // namespace platform
