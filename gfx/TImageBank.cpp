#include "gfx/TImageBank.h"

#include <cstdint>

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/IniFunctions.h"
#include "gfx/DrawHelpers.h"
#include "platform/FileSystem.h"
#include "text/StringHelpers.h"

TImageBankPtr images = std::make_shared<TImageBank>();

namespace {
char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }
}  // namespace

bool TImageBank::UpperLess::operator()(StringView a, StringView b) const {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = UpperAscii(a[i]);
    const char16_t y = UpperAscii(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

int TImageBank::CalcRAM() const {
  int64_t bytes = 0;
  for (const auto& [key, image] : items_) {
    if (image) bytes += image->CalcRAM();
  }
  return static_cast<int>(bytes / 1024);
}

int TImageBank::CalcVRAM() const {
  int64_t bytes = 0;
  for (const auto& [key, image] : items_) {
    if (image) bytes += image->CalcVRAM();
  }
  return static_cast<int>(bytes / 1024);
}

int TImageBank::SetPath(const String& path) {
  Path = ccAddSlash(path);
  return 0;
}

TGameImagePtr TImageBank::Load(const String& file, const String& name, int flags, int mid) {
  auto image = std::make_shared<TGameImage>();
  String ext = u"." + platform::ExtractExt(file);
  if (ext == u".") ext = Ext;
  image->Load(Path + platform::StripExt(file) + ext, flags, mid);
  if (!name.empty()) image->name = ccUpper(name);
  Insert(image);
  return image;
}

TGameImagePtr TImageBank::LoadNoMid(const String& file, const String& name, int flags) {
  return Load(file, name, flags, 0);
}

TGameImagePtr TImageBank::LoadAnim(const String& file, int cellWidth, int cellHeight,
                                   int firstCell, int count, int flags, int mid) {
  auto image = std::make_shared<TGameImage>();
  image->LoadAnim(Path + file + Ext, cellWidth, cellHeight, firstCell, count, flags,
                  mid == 1 ? 1 : 0);
  Insert(image);
  return image;
}

TGameImagePtr TImageBank::Find(StringView name) const {
  const auto it = items_.find(name);
  if (it != items_.end()) return it->second;
  if (ShowErrors != 0) {
    ccRunTimeError(u"Image '" + ccUpper(name) + u"' was Not found in the ImageBank", 1);
  }
  return nullptr;
}

platform::ImagePtr TImageBank::FindTImage(StringView name) const {
  const auto it = items_.find(name);
  if (it == items_.end() || !it->second) return nullptr;
  return it->second->image;
}

int TImageBank::Precache() {
  for (const auto& [key, image] : items_) {
    if (image) ccCreateFrames(image->image);
  }
  return 0;
}

int TImageBank::Insert(const TGameImagePtr& image) {
  if (!image) return 0;
  items_.insert_or_assign(ccUpper(image->name), image);
  return 1;
}
