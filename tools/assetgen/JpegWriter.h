#pragma once
#include <string>

#include "Canvas.h"

namespace assetgen {

// Opaque JPEG. Near-black is lifted first: a picture without alpha loses its
// pure-black pixels to the loader's mask.
class JpegWriter {
public:
    static void write(Canvas& c, const std::string& path, int quality = 90);
};

}  // namespace assetgen
