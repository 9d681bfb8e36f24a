#include "Generators.h"
#include "GemPainter.h"
#include "BonusPainter.h"
#include "Registry.h"

namespace assetgen {

void registerGemAssets(Registry& r) {
    r.strip("Data/graphics/gems.png", [](Canvas& c, int f, const Asset&) {
        if (f < 7) GemPainter::draw(c, f + 1, 25, 25, GemPainter::kCellRadius);
        else BonusPainter::still(c, f + 1, 25, 25);
    });
}

}  // namespace assetgen
