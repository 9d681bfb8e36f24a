#include "Palette.h"

namespace assetgen {

namespace {
// Each colour at its own lightness, in steps a player without colour vision still tells apart
// (purple, red, blue, green, orange, yellow, white from dark to light); the red leans to rose
// and the green to teal so that neither takes the brick's colour for a deuteranope.
const uint32_t kGem[7] = {0xe02060, 0x18b078, 0x2f86ff, 0xf8cc28, 0x7424c8, 0xff9c3c, 0xf2f6fc};
const uint32_t kGemLight[7] = {0xff98b8, 0x98f0cc, 0xa8d4ff, 0xfff4a8, 0xc8a0ff, 0xffd8a0, 0xffffff};
const uint32_t kGemDark[7] = {0x780a2e, 0x0a5a3c, 0x10388a, 0xa0780a, 0x3a0c70, 0xa04a08, 0x7e8aa8};
int idx(int type) { return (type < 1 || type > 7) ? 0 : type - 1; }
}  // namespace

Color Palette::gem(int type) { return Color::hex(kGem[idx(type)]); }
Color Palette::gemLight(int type) { return Color::hex(kGemLight[idx(type)]); }
Color Palette::gemDark(int type) { return Color::hex(kGemDark[idx(type)]); }

}  // namespace assetgen
