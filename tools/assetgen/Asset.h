#pragma once
#include <string>

namespace assetgen {

// One line of the manifest: a file of the data folder and what it must be.
struct Asset {
    std::string path;   // relative to the resources folder, e.g. "Data/graphics/gems.png"
    std::string kind;   // png, jpg, wav, ogg, font, licence, text, fnt (a bitmap font's description)
    int width = 0, height = 0;
    int cellWidth = 0, cellHeight = 0, frames = 1;
    double minSeconds = 0, maxSeconds = 0;
    std::string note;
    std::string root = "resources";  // "@out" section: resources (the data folder), build, test-data

    bool isPicture() const { return kind == "png" || kind == "jpg"; }
    bool isStrip() const { return kind == "png" && frames > 1; }
};

}  // namespace assetgen
