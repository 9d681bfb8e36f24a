#pragma once
#include <string>
#include <vector>

#include "Asset.h"
#include "Canvas.h"

namespace assetgen {

// Every picture scaled down on one labelled grid, for looking the set over.
class ContactSheet {
public:
    static constexpr int kThumbW = 190, kThumbH = 130;

    // Strips are folded into a grid of frames before scaling.
    static Canvas thumbnail(const Canvas& full, const Asset& a);
    static void write(const std::vector<std::pair<std::string, Canvas>>& thumbs, const std::string& path);
};

}  // namespace assetgen
