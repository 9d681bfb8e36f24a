#include <string>

#include "Generators.h"
#include "Registry.h"
#include "TumbletPainter.h"

namespace assetgen {

void registerTumbletAssets(Registry& r) {
    for (int type = 1; type <= 7; ++type) {
        const std::string base = "Data/graphics/";
        const std::string n = std::to_string(type);
        r.strip(base + "tumblet" + n + ".png",
                [type](Canvas& c, int f, const Asset& a) { TumbletPainter::inGemFrame(c, type, f, a.frames); });
        r.strip(base + "tumblet" + n + "falling.png",
                [type](Canvas& c, int f, const Asset& a) { TumbletPainter::fallingFrame(c, type, f, a.frames); });
        r.strip(base + "tumblet" + n + "running.png",
                [type](Canvas& c, int f, const Asset& a) { TumbletPainter::runningFrame(c, type, f, a.frames); });
        r.strip(base + "shard" + n + ".png",
                [type](Canvas& c, int f, const Asset& a) { TumbletPainter::shardFrame(c, type, f, a.frames); });
    }
}

}  // namespace assetgen
