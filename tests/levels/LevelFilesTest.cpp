// The shipped level files against the house format, the per-level rules and the set rules;
// and every rule shown to bite: a shipped file broken once is rejected with the rule, the
// file and the line.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "BadLevelFiles.h"
#include "LevelValidator.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;
using levels::Problem;

namespace {

const std::string kShipped = std::string(LV_SOURCE_DIR) + "/data/levels";

using levels::Join;
using levels::Lines;
using levels::SetCells;
using levels::SetLine;
std::string Shipped(int n) { return levels::ShippedLevel(n); }

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
    const auto table = levels::BadFileTable();
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
             // The finial on top of level 50's lantern is the set's only colour preset 7.
             write(d, 50, SetCells({{7, 0, "1"}})(Shipped(50)));
         }, "", 0, "S3"},
        {"too few levels without bonus", [&](const std::string& d) {
             int kept = 0;
             for (int n = 1; n <= 50; ++n)
               if (Lines(Shipped(n))[2] == "0" && ++kept > 2) write(d, n, SetLine(3, "8")(Shipped(n)));
         }, "", 0, "S4"},
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
