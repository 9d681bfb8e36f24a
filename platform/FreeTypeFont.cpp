#include "platform/FreeTypeFont.h"

#include <algorithm>
#include <cstdint>

#include FT_TRUETYPE_TABLES_H

namespace platform {

namespace {

constexpr int kMaxPixelSize = 1024;
constexpr int kMaxPrerenderSize = 128;

// One library for the run; fonts loaded before the display opens need it as much as later ones.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

// 26.6 fixed point to whole pixels.
int FloorPixels(FT_Pos v) { return static_cast<int>(v >= 0 ? v / 64 : -((-v + 63) / 64)); }
int CeilPixels(FT_Pos v) { return -FloorPixels(-v); }

}  // namespace

std::shared_ptr<FreeTypeFont> FreeTypeFont::Create(std::string bytes, int size, int style) {
  if (bytes.empty() || size <= 0 || size > kMaxPixelSize || !Library()) return nullptr;
  auto font = std::make_shared<FreeTypeFont>(std::move(bytes), size, style);
  if (!font->Open()) return nullptr;
  return font;
}

FreeTypeFont::FreeTypeFont(std::string bytes, int size, int style)
    : bytes_(std::move(bytes)), size_(size), style_(style) {}

FreeTypeFont::~FreeTypeFont() {
  if (face_) FT_Done_Face(face_);
}

bool FreeTypeFont::Open() {
  if (FT_New_Memory_Face(Library(), reinterpret_cast<const FT_Byte*>(bytes_.data()),
                         static_cast<FT_Long>(bytes_.size()), 0, &face_) != 0) {
    face_ = nullptr;
    return false;
  }
  if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(size_)) != 0) return false;
  // One line height for every text: the sized face's own, ascender to descender. The baseline
  // sits at the face's clipping ascent where that is deeper, so a line placed by its top keeps
  // the room above its capitals that layouts for such fonts allow for; the descent gives up
  // that room, and the few glyphs that reach further down hang below the line unclipped.
  const FT_Size_Metrics& metrics = face_->size->metrics;
  ascender_ = CeilPixels(metrics.ascender);
  height_ = ascender_ - FloorPixels(metrics.descender);
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
    ascender_ = std::max(ascender_, CeilPixels(FT_MulFix(os2->usWinAscent, metrics.y_scale)));
  }
  height_ = std::max(height_, ascender_);
  if (height_ <= 0) {
    ascender_ = size_;
    height_ = size_;
  }
  // Rendered now, so the first frame that shows text does not stall (huge sizes stay lazy).
  if (size_ <= kMaxPrerenderSize) {
    for (char16_t c = 32; c < 127; ++c) GetGlyph(c);
    for (char16_t c = 160; c < 256; ++c) GetGlyph(c);
  }
  return true;
}

const Glyph* FreeTypeFont::GetGlyph(char16_t c) {
  Entry& entry = c < latin1_.size() ? latin1_[c] : others_[c];
  if (!entry.known) Render(c, entry);
  return entry.present ? &entry.glyph : nullptr;
}

void FreeTypeFont::Render(char16_t c, Entry& entry) {
  entry.known = true;
  entry.present = false;
  // Style bits other than smooth are accepted but not synthesised; the game uses smooth only.
  const bool smooth = (style_ & 4) != 0;
  const FT_UInt index = FT_Get_Char_Index(face_, c);
  if (index == 0) return;
  if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | (smooth ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO)) != 0)
    return;
  const FT_GlyphSlot slot = face_->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  Glyph& glyph = entry.glyph;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.gx = slot->bitmap_left;
  glyph.gy = ascender_ - slot->bitmap_top;
  glyph.frame = 0;
  glyph.image = nullptr;
  const int width = static_cast<int>(bitmap.width), rows = static_cast<int>(bitmap.rows);
  if (width > 0 && rows > 0 && bitmap.buffer &&
      (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || bitmap.pixel_mode == FT_PIXEL_MODE_MONO)) {
    auto image = std::make_shared<Image>(width, rows, 1, smooth ? FILTEREDIMAGE : 0);
    image->handleX = 0;
    image->handleY = 0;
    Pixmap& pixmap = *image->frames[0];
    const int levels = std::max(bitmap.num_grays - 1, 1);
    for (int y = 0; y < rows; ++y) {
      const int pitch = bitmap.pitch;
      const unsigned char* line =
          pitch >= 0 ? bitmap.buffer + static_cast<ptrdiff_t>(y) * pitch
                     : bitmap.buffer + static_cast<ptrdiff_t>(rows - 1 - y) * -pitch;
      for (int x = 0; x < width; ++x) {
        uint32_t coverage;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
          coverage = ((line[x >> 3] >> (7 - (x & 7))) & 1) ? 255u : 0u;
        else
          coverage = static_cast<uint32_t>(line[x]) * 255u / static_cast<uint32_t>(levels);
        pixmap.WritePixel(x, y, (std::min(coverage, 255u) << 24) | 0x00FFFFFFu);
      }
    }
    glyph.image = std::move(image);
  }
  entry.present = true;
}

}  // namespace platform
