#pragma once
// An image font rendered by FreeType from a TrueType/OpenType file held in memory. Glyphs are
// white pictures with coverage in alpha; Latin-1 is rendered at load, the rest on first use.
// Needs no display. Internal to platform/: callers use LoadImageFont in Font.h.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Font.h"

namespace platform {

class FreeTypeFont : public ImageFont {
 public:
  // nullptr when the bytes are no font or the size is unusable.
  static std::shared_ptr<FreeTypeFont> Create(std::string bytes, int size, int style);
  FreeTypeFont(std::string bytes, int size, int style);
  ~FreeTypeFont() override;
  FreeTypeFont(const FreeTypeFont&) = delete;
  FreeTypeFont& operator=(const FreeTypeFont&) = delete;

  const Glyph* GetGlyph(char16_t c) override;
  int Height() const override { return height_; }
  int Size() const override { return size_; }

 private:
  struct Entry {
    bool known = false;    // looked up already
    bool present = false;  // the face has a glyph for it
    Glyph glyph;
  };
  bool Open();
  void Render(char16_t c, Entry& entry);

  std::string bytes_;  // the face reads from these for as long as it lives
  FT_Face face_ = nullptr;
  int size_;
  int style_;
  int ascender_ = 0;  // whole pixels above the baseline
  int height_ = 0;
  std::array<Entry, 256> latin1_;
  std::unordered_map<char16_t, Entry> others_;
};

}  // namespace platform
