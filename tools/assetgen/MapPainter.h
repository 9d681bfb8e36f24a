#pragma once
#include "Canvas.h"

namespace assetgen {

// The large painted map of the Vale with its ten chapter sites and the
// winding path between them.
class MapPainter {
public:
    static constexpr int kSites = 10;
    static const Pt kSite[kSites];

    static void paint(Canvas& c);
};

}  // namespace assetgen
