// The shipped level files against the house format, the per-level rules and the set rules;
// and every rule shown to bite: a shipped file broken once is rejected with the rule, the
// file and the line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "LevelValidator.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;
using levels::Problem;

namespace {

const std::string kShipped = std::string(LV_SOURCE_DIR) + "/data/levels";

std::string Shipped(int n) { return testrig::ReadFileBytes(kShipped + "/" + std::to_string(n) + ".txt"); }

std::string Listing(const std::vector<Problem>& problems) {
    std::string s;
    for (const auto& p : problems) s += p.ToString() + "\n";
    return s;
}

std::vector<Problem> CheckOne(const std::string& bytes, int n) {
    std::vector<Problem> problems;
    const auto level = levels::ParseLevel(bytes, n, "data/levels/" + std::to_string(n) + ".txt", problems);
    levels::CheckLevel(level, problems);
    return problems;
}

bool Names(const std::vector<Problem>& problems, const std::string& where, int line, const std::string& rule) {
    for (const auto& p : problems)
        if (p.where == where && p.line == line && p.rule == rule) return true;
    return false;
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
struct CellCode {
    int x, y;
    std::string code;
};
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

struct BadFile {
    const char* what;
    int level;  // the shipped level it starts from (0: the bytes are made from nothing)
    std::function<std::string(std::string)> mutate;
    const char* rule;
    int line;
};

}  // namespace

TEST(ShippedLevels, PassEveryRuleAndWriteTheGallery) {
    std::vector<levels::Level> all;
    const auto problems = levels::ValidateFolder(kShipped, "data/levels", &all);
    EXPECT_TRUE(problems.empty()) << Listing(problems);
    ASSERT_EQ(all.size(), 50u);

    const fs::path gallery = fs::path(LV_BINARY_DIR) / "levels" / "gallery.txt";
    fs::create_directories(gallery.parent_path());
    std::ofstream(gallery, std::ios::binary) << levels::Gallery(all);
    EXPECT_GT(fs::file_size(gallery), 5000u);
}

TEST(BadLevelFiles, EachRuleRejectsItsMutationAtItsLine) {
    const std::string wide8 = "1,1,1,1,1,1,1,1,1";
    const std::vector<BadFile> table = {
        {"no name line", 4, [](std::string b) { auto l = Lines(b); l.erase(l.begin()); return Join(l); }, "F1", 1},
        {"REM without a comma", 4, SetLine(1, "REM The Meadow"), "F1", 1},
        {"time 0", 4, SetLine(2, "0"), "F2", 2},
        {"bonus 15", 4, SetLine(3, "15"), "F3", 3},
        {"empty bonus entry", 4, SetLine(3, "8,,9"), "F3", 3},
        {"space in the bonus line", 4, SetLine(3, "8, 9"), "F3", 3},
        {"keys only", 5, SetLine(3, "14,14"), "R7", 3},
        {"a key without locks", 11, SetLine(3, "14"), "R7", 3},
        {"17 bonus entries", 12, SetLine(3, Repeat("10", 17)), "F3", 3},
        {"21 bonus entries", 12, SetLine(3, Repeat("11", 21)), "F3", 3},
        {"size 16,10", 4, SetLine(4, "16,10"), "F4", 4},
        {"size 0,5", 4, SetLine(4, "0,5"), "F4", 4},
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
         }, "F7", 2},
        {"a byte-order mark", 4, [](std::string b) { return "\xEF\xBB\xBF" + b; }, "F7", 1},
        {"no final LF", 4, [](std::string b) { b.pop_back(); return b; }, "F7", 12},
        {"an empty file", 4, [](std::string) { return std::string(); }, "F7", 1},
        {"no layer", 1, [](std::string b) {
             auto l = Lines(b);
             for (size_t i = 5; i < l.size(); ++i)
                 for (char& c : l[i]) if (c == '1') c = '0';
             return Join(l);  // "0" holes everywhere but the plain lane: no layer left
         }, "R1", 6},
        {"a layer in a 2-cell stretch", 16, SetCells({{2, 0, "0"}, {0, 2, "0"}}), "R2", 6},
        {"a lock no run reaches", 2, SetCells({{0, 5, "0"}, {2, 5, "0"}, {1, 4, "0"}}), "R3", 11},
        {"a fully locked row", 2, SetLine(11, "2,2,2,2,2,2,2,2"), "R4", 11},
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
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        const int n = row.level ? row.level : 30;
        const std::string path = "data/levels/" + std::to_string(n) + ".txt";
        const std::string original = row.level ? Shipped(row.level) : std::string();
        if (row.level) {
            EXPECT_TRUE(CheckOne(original, n).empty()) << Listing(CheckOne(original, n));
        }
        const std::string bad = row.mutate(original);
        const auto problems = CheckOne(bad, n);
        EXPECT_TRUE(Names(problems, path, row.line, row.rule))
            << "expected " << path << ":" << row.line << ": " << row.rule << "\ngot:\n" << Listing(problems);
    }
}

TEST(BadLevelFolders, EachSetRuleNamesItsFault) {
    struct Variant {
        const char* what;
        std::function<void(const std::string& dir)> change;
        const char* where;  // "" for the folder
        int line;
        const char* rule;
    };
    auto write = [](const std::string& dir, int n, const std::string& bytes) {
        testrig::WriteFileBytes(dir + "/" + std::to_string(n) + ".txt", bytes);
    };
    const std::vector<Variant> variants = {
        {"an editor backup", [](const std::string& d) { testrig::WriteFileBytes(d + "/7.txt~", Shipped(7)); }, "", 0, "S1"},
        {"a missing level", [](const std::string& d) { fs::remove(d + "/33.txt"); }, "", 0, "S1"},
        {"a repeated name", [&](const std::string& d) { write(d, 8, SetLine(1, "REM,MILLRACE FORD")(Shipped(8))); },
         "8.txt", 1, "S2"},
        {"a code no level uses", [&](const std::string& d) {
             // Level 50's lantern-lit merlon is the set's only colour preset 7.
             write(d, 50, SetCells({{0, 0, "1"}})(Shipped(50)));
         }, "", 0, "S3"},
        {"too few levels without bonus", [&](const std::string& d) { write(d, 38, SetLine(3, "8")(Shipped(38))); }, "", 0, "S4"},
        {"a repeated shape", [&](const std::string& d) {
             auto l = Lines(Shipped(6));
             l[0] = "REM,Copied Green";
             write(d, 12, Join(l));
         }, "12.txt", 6, "S5"},
        {"too few generous levels", [&](const std::string& d) {
             // No one file can break this rule: every roomy, rich level loses its pieces.
             for (int n = 1; n <= 50; ++n) {
                 std::vector<Problem> ignored;
                 const auto level = levels::ParseLevel(Shipped(n), n, "x", ignored);
                 if (level.Class() == levels::Character::Generous) write(d, n, SetLine(3, "0")(Shipped(n)));
             }
         }, "", 0, "S6"},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.what);
        const std::string dir = testrig::MakeTempDir("levels");
        for (int n = 1; n <= 50; ++n) write(dir, n, Shipped(n));
        v.change(dir);
        const auto problems = levels::ValidateFolder(dir, "data/levels");
        const std::string where = std::string("data/levels") + (*v.where ? std::string("/") + v.where : "");
        EXPECT_TRUE(Names(problems, where, v.line, v.rule))
            << "expected " << where << ":" << v.line << ": " << v.rule << "\ngot:\n" << Listing(problems);
    }
}
