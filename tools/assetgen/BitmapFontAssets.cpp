// A bitmap font for the tests: the game's font at 24 px rendered by FreeType into one 512 x 256
// page (white glyphs, coverage in alpha, as the runtime's own image fonts are made) and its
// description in the usual text layout. Advances are rounded as the runtime rounds them, so an
// ASCII text measures the same in both fonts.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "Canvas.h"
#include "FontFace.h"
#include "Generators.h"
#include "Registry.h"

namespace assetgen {

namespace {

constexpr int kPixelSize = 24;
constexpr int kPageW = 512;
constexpr int kPageH = 256;
constexpr int kPadding = 1;

struct Glyph {
    int code = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int xoffset = 0, yoffset = 0, xadvance = 0;
    std::vector<uint8_t> coverage;  // width * height
};

struct Layout {
    int lineHeight = 0;
    int base = 0;
    std::vector<Glyph> glyphs;
};

std::vector<int> Codes() {
    std::vector<int> codes;
    for (int c = 32; c <= 126; ++c) codes.push_back(c);
    for (int c = 160; c <= 255; ++c) codes.push_back(c);
    for (int c : {0x20AC, 0x201A, 0x201E, 0x2026, 0x2020, 0x2021, 0x2030, 0x0152, 0x0153, 0x2018,
                  0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x2122, 0x0178})
        codes.push_back(c);
    return codes;
}

int CeilPixels(FT_Pos v) { return static_cast<int>((v + 63) >> 6); }
int FloorPixels(FT_Pos v) { return static_cast<int>(v >> 6); }

// Rendered and packed in rows; the same every time, so the page and its description agree.
Layout MakeLayout() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType init failed");
    FT_Face face = nullptr;
    if (FT_New_Face(library, FontFace::path().c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        throw std::runtime_error("cannot open font " + FontFace::path());
    }
    Layout layout;
    try {
        if (FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0) throw std::runtime_error("cannot size the font");
        const FT_Size_Metrics& metrics = face->size->metrics;
        layout.base = CeilPixels(metrics.ascender);
        layout.lineHeight = layout.base - FloorPixels(metrics.descender);
        int penX = kPadding, penY = kPadding, rowH = 0;
        for (int code : Codes()) {
            const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
            if (index == 0) continue;
            if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
            const FT_GlyphSlot slot = face->glyph;
            const FT_Bitmap& bitmap = slot->bitmap;
            Glyph g;
            g.code = code;
            g.width = static_cast<int>(bitmap.width);
            g.height = static_cast<int>(bitmap.rows);
            g.xoffset = slot->bitmap_left;
            g.yoffset = layout.base - slot->bitmap_top;
            g.xadvance = static_cast<int>((slot->advance.x + 32) >> 6);
            if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) g.width = g.height = 0;
            const int levels = std::max(bitmap.num_grays - 1, 1);
            g.coverage.resize(static_cast<size_t>(g.width) * g.height);
            for (int y = 0; y < g.height; ++y) {
                const unsigned char* line = bitmap.pitch >= 0
                                                ? bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch
                                                : bitmap.buffer + static_cast<ptrdiff_t>(g.height - 1 - y) * -bitmap.pitch;
                for (int x = 0; x < g.width; ++x)
                    g.coverage[static_cast<size_t>(y) * g.width + x] =
                        static_cast<uint8_t>(std::min(255, line[x] * 255 / levels));
            }
            if (penX + g.width + kPadding > kPageW) {
                penX = kPadding;
                penY += rowH + kPadding;
                rowH = 0;
            }
            if (penY + g.height + kPadding > kPageH) throw std::runtime_error("the glyphs do not fit the page");
            g.x = penX;
            g.y = penY;
            penX += g.width + kPadding;
            rowH = std::max(rowH, g.height);
            layout.glyphs.push_back(std::move(g));
        }
    } catch (...) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return layout;
}

void paintPage(Canvas& c, const Asset&) {
    const Layout layout = MakeLayout();
    c.clear();
    for (const Glyph& g : layout.glyphs) {
        for (int y = 0; y < g.height; ++y) {
            uint32_t* row = c.row(g.y + y);
            for (int x = 0; x < g.width; ++x) {
                // Premultiplied white: every channel carries the coverage.
                const uint32_t a = g.coverage[static_cast<size_t>(y) * g.width + x];
                row[g.x + x] = (a << 24) | (a << 16) | (a << 8) | a;
            }
        }
    }
}

std::string describe(const Asset&) {
    const Layout layout = MakeLayout();
    std::string out;
    out += "info face=\"caccamel\" size=" + std::to_string(kPixelSize) +
           " bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=" +
           std::to_string(kPadding) + "," + std::to_string(kPadding) + "\r\n";
    out += "common lineHeight=" + std::to_string(layout.lineHeight) + " base=" + std::to_string(layout.base) +
           " scaleW=" + std::to_string(kPageW) + " scaleH=" + std::to_string(kPageH) + " pages=1 packed=0\r\n";
    out += "page id=0 file=\"lanternbitmap.png\"\r\n";
    out += "chars count=" + std::to_string(layout.glyphs.size()) + "\r\n";
    for (const Glyph& g : layout.glyphs) {
        out += "char id=" + std::to_string(g.code) + " x=" + std::to_string(g.x) + " y=" + std::to_string(g.y) +
               " width=" + std::to_string(g.width) + " height=" + std::to_string(g.height) +
               " xoffset=" + std::to_string(g.xoffset) + " yoffset=" + std::to_string(g.yoffset) +
               " xadvance=" + std::to_string(g.xadvance) + " page=0 chnl=15\r\n";
    }
    // Kerning pairs are part of the layout; the runtime's reader stops at them by design.
    out += "kernings count=2\r\n";
    out += "kerning first=65 second=86 amount=-1\r\n";
    out += "kerning first=86 second=65 amount=-1\r\n";
    return out;
}

}  // namespace

void registerBitmapFontAssets(Registry& r) {
    r.image("fonts/lanternbitmap.png", paintPage);
    r.text("fonts/lanternbitmap.fnt", describe);
}

}  // namespace assetgen
