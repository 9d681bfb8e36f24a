#include "Manifest.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {
std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, '\t')) out.push_back(cell);
    return out;
}
int number(const std::string& s) { return (s.empty() || s == "-") ? 0 : std::stoi(s); }
}  // namespace

Manifest Manifest::load(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read manifest " + path);
    Manifest m;
    std::string line;
    int lineNo = 0;
    std::string root = "resources";
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto c = split(line);
        if (c[0] == "@out") {
            if (c.size() < 2 || (c[1] != "resources" && c[1] != "build" && c[1] != "test-data"))
                throw std::runtime_error("manifest line " + std::to_string(lineNo) +
                                         ": @out needs resources, build or test-data");
            root = c[1];
            continue;
        }
        if (c.size() < 8) throw std::runtime_error("manifest line " + std::to_string(lineNo) + ": too few columns");
        Asset a;
        a.path = c[0];
        a.kind = c[1];
        a.width = number(c[2]);
        a.height = number(c[3]);
        a.cellWidth = number(c[4]);
        a.cellHeight = number(c[5]);
        a.frames = std::max(1, number(c[6]));
        if (c[7] != "-") {
            const auto dash = c[7].find('-');
            a.minSeconds = std::stod(c[7].substr(0, dash));
            a.maxSeconds = dash == std::string::npos ? a.minSeconds : std::stod(c[7].substr(dash + 1));
        }
        if (c.size() > 8) a.note = c[8];
        a.root = root;
        if (a.isStrip() && (a.cellWidth * a.frames != a.width || a.cellHeight != a.height))
            throw std::runtime_error("manifest line " + std::to_string(lineNo) + ": strip size does not match cells");
        m.assets_.push_back(a);
    }
    return m;
}

}  // namespace assetgen
