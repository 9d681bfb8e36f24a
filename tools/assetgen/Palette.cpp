#include "Palette.h"

namespace assetgen {

namespace {
const uint32_t kGem[7] = {0xe8344a, 0x2fbf5a, 0x2f7cf0, 0xffcc2a, 0xa04ee0, 0xff8a24, 0xe8eef8};
const uint32_t kGemLight[7] = {0xff9aa6, 0x9cf5b0, 0x9fd0ff, 0xfff1a0, 0xdcb0ff, 0xffcf8c, 0xffffff};
const uint32_t kGemDark[7] = {0x7a0f24, 0x0d5a2c, 0x112f8a, 0xa0680a, 0x4a1784, 0x9a3a06, 0x7e8aa8};
int idx(int type) { return (type < 1 || type > 7) ? 0 : type - 1; }
}  // namespace

Color Palette::gem(int type) { return Color::hex(kGem[idx(type)]); }
Color Palette::gemLight(int type) { return Color::hex(kGemLight[idx(type)]); }
Color Palette::gemDark(int type) { return Color::hex(kGemDark[idx(type)]); }

}  // namespace assetgen
