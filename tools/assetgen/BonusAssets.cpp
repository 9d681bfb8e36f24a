#include <string>

#include "Generators.h"
#include "BonusPainter.h"
#include "Registry.h"

namespace assetgen {

void registerBonusAssets(Registry& r) {
    for (int type = 8; type <= 14; ++type) {
        const std::string base = "Data/graphics/bonus" + std::to_string(type);
        r.strip(base + "idle.png", [type](Canvas& c, int f, const Asset& a) { BonusPainter::idleFrame(c, type, f, a.frames); });
        r.strip(base + "activate.png",
                [type](Canvas& c, int f, const Asset& a) { BonusPainter::activateFrame(c, type, f, a.frames); });
    }
}

}  // namespace assetgen
