#pragma once
#include <string>

#include "Canvas.h"

namespace assetgen {

// RGBA PNG with a real alpha channel and no time or text chunks, so equal
// pixels give equal bytes.
class PngWriter {
public:
    static void write(const Canvas& c, const std::string& path);
};

}  // namespace assetgen
