// The application icon at each size the desktop asks for: a paper lantern glowing over a
// night-blue medallion with a gold rim, on a transparent background.

#include <algorithm>
#include <cmath>
#include <string>

#include "Canvas.h"
#include "Color.h"
#include "Generators.h"
#include "Registry.h"
#include "SceneKit.h"

namespace assetgen {

namespace {

void paintIcon(Canvas& c, const Asset& a) {
    const double n = a.width;
    const double cx = n / 2, cy = n / 2, r = n * 0.46;
    c.clear();
    c.circle(cx, cy, r);
    c.fillRadial(cx, cy * 0.9, r * 0.1, r, {{0, Color::hex(0x3a2a6a)}, {0.7, Color::hex(0x1a1840)}, {1, Color::hex(0x0e0c26)}}, true);
    c.strokePath(Color::hex(0xe8b850), std::max(1.0, n * 0.045));
    // Small sizes keep only the lantern; larger ones get a few stars.
    if (n >= 48) {
        for (int k = 0; k < 5; ++k) {
            const double sx = cx + r * 0.55 * std::cos(0.9 + k * 1.3), sy = cy + r * 0.5 * std::sin(0.9 + k * 1.3) - r * 0.2;
            c.star(sx, sy, n * 0.025, n * 0.01, 4);
            c.fillPath(Color::hex(0xfff4c0, 0.9));
        }
    }
    SceneKit::paperLantern(c, cx, cy + n * 0.03, n * 0.17, Color::hex(0xffa040));
    // Keep the glow inside the medallion: the corners stay transparent.
    Canvas mask(a.width, a.height);
    mask.circle(cx, cy, r + std::max(1.0, n * 0.03));
    mask.fillPath(Color::hex(0xffffff));
    for (int y = 0; y < a.height; ++y) {
        uint32_t* row = c.row(y);
        const uint32_t* m = mask.row(y);
        for (int x = 0; x < a.width; ++x) {
            const uint32_t keep = m[x] >> 24;
            const uint32_t p = row[x];
            // Premultiplied pixels: scaling every channel scales the alpha with them.
            auto scale = [&](int shift) { return ((((p >> shift) & 0xFF) * keep + 127) / 255) << shift; };
            row[x] = scale(24) | scale(16) | scale(8) | scale(0);
        }
    }
}

}  // namespace

void registerIconAssets(Registry& r) {
    for (int n : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string size = std::to_string(n) + "x" + std::to_string(n);
        r.image("icons/hicolor/" + size + "/apps/com.quillferngames.LanternVale.png", paintIcon);
    }
}

}  // namespace assetgen
