#pragma once
#include <string>
#include <vector>

#include "Asset.h"

namespace assetgen {

// The list of every file the data folder must hold (tools/assetgen/manifest.tsv).
// Columns: path, kind, width, height, cell width, cell height, frames, seconds
// ("min-max"), note. "-" marks an empty column, "#" starts a comment line. A line "@out<TAB>build"
// starts a section of files written into the build folder instead (desktop icons), "@out<TAB>
// test-data" one written into the build folder's test-data/ (files only tests read);
// "@out<TAB>resources" goes back to the data folder.
class Manifest {
public:
    static Manifest load(const std::string& path);
    const std::vector<Asset>& assets() const { return assets_; }

private:
    std::vector<Asset> assets_;
};

}  // namespace assetgen
