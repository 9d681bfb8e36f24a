#include "BadLevelFiles.h"

#include <sstream>

#include "support/TestRig.h"

namespace levels {

std::string ShippedLevel(int n) {
    return testrig::ReadFileBytes(std::string(LV_SOURCE_DIR) + "/data/levels/" + std::to_string(n) + ".txt");
}

// Line editing of a level file (LF lines, final LF kept).
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> out;
    std::stringstream ss(bytes);
    std::string line;
    while (std::getline(ss, line)) out.push_back(line);
    return out;
}
std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}
std::function<std::string(std::string)> SetLine(int line, std::string text) {
    return [=](std::string b) {
        auto l = Lines(b);
        l[static_cast<size_t>(line - 1)] = text;
        return Join(l);
    };
}
// Sets the code of cell (x, y) of a file with its name line.
std::function<std::string(std::string)> SetCells(std::vector<CellCode> cells) {
    return [=](std::string b) {
        auto l = Lines(b);
        for (const auto& [x, y, code] : cells) {
            std::vector<std::string> codes;
            std::stringstream row(l[static_cast<size_t>(5 + y)]);
            std::string c;
            while (std::getline(row, c, ',')) codes.push_back(c);
            codes[static_cast<size_t>(x)] = code;
            std::string joined;
            for (size_t i = 0; i < codes.size(); ++i) joined += (i ? "," : "") + codes[i];
            l[static_cast<size_t>(5 + y)] = joined;
        }
        return Join(l);
    };
}

namespace {

std::string Repeat(const std::string& entry, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += (i ? "," : "") + entry;
    return s;
}

// A 6 by 6 board of bricks and holes in a checkerboard: no two cells touch, so no move exists.
std::string Checkerboard() {
    std::string s = "REM,Checkerboard\n120\n8\n6,6\n0,0\n";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) s += std::string((x + y) % 2 ? "0" : "1") + (x < 5 ? "," : "\n");
    return s;
}

}  // namespace

std::vector<BadFile> BadFileTable() {
    const std::string wide8 = "1,1,1,1,1,1,1,1,1";
    return {
        {"no name line", 4, [](std::string b) { auto l = Lines(b); l.erase(l.begin()); return Join(l); }, "F1", 1},
        {"REM without a comma", 4, SetLine(1, "REM The Meadow"), "F1", 1, true},
        {"time 0", 4, SetLine(2, "0"), "F2", 2},
        {"bonus 15", 4, SetLine(3, "15"), "F3", 3},
        {"empty bonus entry", 4, SetLine(3, "8,,9"), "F3", 3},
        {"space in the bonus line", 4, SetLine(3, "8, 9"), "F3", 3},
        {"keys only", 5, SetLine(3, "14,14"), "R7", 3},
        {"a key without locks", 11, SetLine(3, "14"), "R7", 3},
        {"a single key", 2, SetLine(3, "14"), "R7", 3},
        {"17 bonus entries", 12, SetLine(3, Repeat("10", 17)), "F3", 3},
        {"21 bonus entries", 12, SetLine(3, Repeat("11", 21)), "F3", 3},
        {"size 16,10", 4, SetLine(4, "16,10"), "F4", 4, true},
        {"size 0,5", 4, SetLine(4, "0,5"), "F4", 4, true},
        {"size 2,9", 4, SetLine(4, "2,9"), "F4", 4},
        {"offset 1,0", 4, SetLine(5, "1,0"), "F5", 5},
        {"a row of W + 1 codes", 4, SetLine(8, wide8), "F6", 8},
        {"H + 1 rows", 4, [](std::string b) { return b + "1,1,1,1,1,1,1,1\n"; }, "F6", 13},
        {"a missing row", 4, [](std::string b) { auto l = Lines(b); l.pop_back(); return Join(l); }, "F6", 12},
        {"code 5", 4, SetCells({{1, 1, "5"}}), "F6", 7},
        {"code -2", 4, SetCells({{2, 2, "-2"}}), "F6", 8},
        {"code 15", 12, SetCells({{0, 5, "15"}}), "F6", 11},
        {"code 40", 12, SetCells({{1, 6, "40"}}), "F6", 12},
        {"code +1", 4, SetLine(7, "+1,1,1,1,1,1,1,1"), "F6", 7},
        {"code $1F", 12, SetCells({{0, 0, "$1F"}}), "F6", 6},
        {"CR LF endings", 4, [](std::string b) { std::string o; for (char c : b) o += c == '\n' ? std::string("\r\n") : std::string(1, c); return o; }, "F7", 1},
        {"a NUL byte", 4, [](std::string b) {
             b[b.find('\n') + 1] = '\0';
             return b;
         }, "F7", 2, true},
        {"a byte-order mark", 4, [](std::string b) { return "\xEF\xBB\xBF" + b; }, "F7", 1, true},
        {"no final LF", 4, [](std::string b) { b.pop_back(); return b; }, "F7", 12},
        {"an empty file", 4, [](std::string) { return std::string(); }, "F7", 1, true},
        {"no layer", 1, [](std::string b) {
             auto l = Lines(b);
             for (size_t i = 5; i < l.size(); ++i)
                 for (char& c : l[i]) if (c == '1') c = '0';
             return Join(l);  // "0" holes everywhere but the plain lane: no layer left
         }, "R1", 6},
        {"a layer in a 2-cell stretch", 16, SetCells({{2, 0, "0"}, {0, 2, "0"}}), "R2", 6},
        {"a lock no run reaches", 2, SetCells({{0, 5, "0"}, {2, 5, "0"}, {1, 4, "0"}}), "R3", 11},
        {"a fully locked row", 2, SetLine(11, "2,2,2,2,2,2,2,2"), "R4", 11},
        {"a lock over another in one column", 2, SetCells({{1, 3, "2"}}), "R10", 11},
        // Each of the two bottom locks can open only in a run with the other.
        {"two locks that only open each other", 2, SetCells({{1, 4, "0"}, {2, 4, "0"}, {3, 5, "0"}, {2, 5, "2"}}), "R10", 11},
        {"an island without a 4x4 block", 22, SetLine(14, "0,0,0,0,0,0,0,0,0,0,0,0"), "R5", 11},
        {"a colour preset beside a drawn gem", 23, SetCells({{0, 0, "1"}}), "R6", 6},
        {"a piece before its level", 1, SetLine(3, "8,12"), "R8", 3},
        {"a height of 10 at level 20", 20, [](std::string b) {
             auto l = Lines(b);
             l[3] = "12,10";
             l.push_back(l.back());
             l.push_back(l.back());
             return Join(l);
         }, "R9", 4},
        {"a 6x6 checkerboard of holes", 0, [](std::string) { return Checkerboard(); }, "R5", 6},
    };
}

}  // namespace levels
