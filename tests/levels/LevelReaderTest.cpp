// The game's own level reader against the validator's, on every shipped level; and the
// broken files read by the game: each one loads without touching memory outside the board,
// or ends through the fatal error that names the file.

#include <gtest/gtest.h>

#include <set>

#include "BadLevelFiles.h"
#include "LevelValidator.h"
#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "platform/System.h"
#include "support/TestRig.h"
#include "board/TGem.h"
#include "platform/Clock.h"
#include "support/autoplay/AutoHost.h"
#include "support/autoplay/AutoPlayer.h"
#include "support/board/BoardDriver.h"

namespace {

// The world of the board rig, reading levels the way the game does: from the data folder.
void UseDataFolder(const std::string& dataPrefix) {
    Game->DataPrefix = S(dataPrefix);
    Game->LevelsPath = Game->DataPrefix + u"data/levels/";
}

}  // namespace

TEST(LevelReader, AgreesWithTheValidatorOnEveryShippedLevel) {
    std::vector<levels::Level> all;
    ASSERT_TRUE(levels::ValidateFolder(std::string(LV_SOURCE_DIR) + "/data/levels", "data/levels", &all).empty());
    testrig::SetUpBoardWorld(testrig::MakeTempDir("reader"));
    UseDataFolder(std::string(LV_SOURCE_DIR) + "/");
    for (const levels::Level& l : all) {
        SCOPED_TRACE(l.path);
        GameGrid = TGameGrid::Create();
        GameGrid->Load(l.number);
        const TGameGrid& g = *GameGrid;
        EXPECT_EQ(g.levelwidth, l.width);
        EXPECT_EQ(g.levelheight, l.height);
        EXPECT_EQ(g.Gold, l.Gold());
        EXPECT_EQ(g.Locked, l.LockedCells());
        EXPECT_EQ(std::vector<int>(PossBonus.begin(), PossBonus.begin() + PossBonusCount), l.bonus);
        std::set<int> colours(PossGems.begin(), PossGems.begin() + PossGemsCount);
        EXPECT_EQ(colours.size(), 5u);
        EXPECT_GE(*colours.begin(), 1);
        EXPECT_LE(*colours.rbegin(), 7);
        for (int y = 0; y < GRID_HEIGHT; ++y)
            for (int x = 0; x < GRID_WIDTH; ++x) {
                const TCell* cell = GridAt(x, y);
                if (x >= l.width || y >= l.height) {
                    EXPECT_EQ(cell, nullptr) << x << "," << y;
                    continue;
                }
                ASSERT_NE(cell, nullptr) << x << "," << y;
                const int code = l.At(x, y);
                EXPECT_EQ((std::vector<int>{cell->active, cell->gold, cell->armour, cell->gemlocked, cell->bonus}),
                          (std::vector<int>{levels::IsActive(code), levels::IsLayered(code), levels::HasArmour(code),
                                            levels::IsLocked(code), levels::PresetType(code)}))
                    << "cell " << x << "," << y << " code " << code;
            }
    }
    testrig::TearDownBoardWorld();
}

TEST(LevelFill, EveryLevelOpensWithAMoveAndNoReadyRun) {
    std::vector<levels::Level> all;
    ASSERT_TRUE(levels::ValidateFolder(std::string(LV_SOURCE_DIR) + "/data/levels", "data/levels", &all).empty());
    testrig::SetUpBoardWorld(testrig::MakeTempDir("fill"));
    UseDataFolder(std::string(LV_SOURCE_DIR) + "/");
    Game->Particles = 0;
    autoplay::AutoHost host;
    BoardHost::Set(&host);
    for (const levels::Level& l : all) {
        SCOPED_TRACE(l.path);
        std::vector<int> fills;
        for (int seed = 1; seed <= 20; ++seed) {
            platform::SeedRnd(seed);
            host.Player().Level = l.number;
            host.LevelStart();
            fills.push_back(host.fills);
            EXPECT_LE(host.fills, 50) << "seed " << seed;
            // The first fill of the board must already hold no run: the pedestals of the
            // colour presets at work.
            const autoplay::Snapshot s = autoplay::TakeSnapshot(*GameGrid);
            std::array<uint8_t, autoplay::kCols * autoplay::kRows> marked{};
            if (host.fills == 1) {
                EXPECT_EQ(autoplay::MarkRuns(s.type, s.width, s.height, marked), 0) << "seed " << seed;
            }
            for (int y = 0; y < l.height; ++y)
                for (int x = 0; x < l.width; ++x) {
                    const int code = l.At(x, y);
                    const TCell* cell = GridAt(x, y);
                    ASSERT_NE(cell, nullptr);
                    const TGem* gem = cell->Gem.get();
                    ASSERT_EQ(gem != nullptr, levels::IsActive(code)) << x << "," << y;
                    if (!gem) continue;
                    EXPECT_EQ(gem->locked != 0, levels::IsLocked(code)) << x << "," << y;
                    if (levels::PresetType(code) > 0) {
                        EXPECT_EQ(gem->GemType, levels::PresetType(code)) << x << "," << y;
                    }
                }
        }
        std::sort(fills.begin(), fills.end());
        EXPECT_EQ(fills[fills.size() / 2], 1);
    }
    BoardHost::Set(nullptr);
    GameGrid.reset();
    GemList.reset();
    testrig::TearDownBoardWorld();
}

TEST(BadLevelFiles, PlayOrEndThroughTheFatalErrorNamingTheFile) {
    for (const levels::BadFile& row : levels::BadFileTable()) {
        SCOPED_TRACE(row.what);
        const std::string data = testrig::MakeTempDir("data") + "/";
        const std::string path = data + "data/levels/1.txt";
        testrig::WriteFileBytes(path, row.mutate(row.level ? levels::ShippedLevel(row.level) : std::string()));

        autoplay::RunOptions options;
        options.levelsDir = data + "data/levels/";
        options.workDir = testrig::MakeTempDir("world");
        options.maxTicks = 2000;
        options.checkEveryTick = true;
        testing::internal::CaptureStderr();
        bool ended = false;
        autoplay::RunResult run;
        try {
            run = autoplay::PlayLevel(1, 1, options);
        } catch (const platform::ProgramExit&) {
            ended = true;
        }
        const std::string notice = testing::internal::GetCapturedStderr();
        if (row.fatal) {
            EXPECT_TRUE(ended);
            EXPECT_NE(notice.find("Error loading file " + path), std::string::npos) << notice;
        } else if (ended) {
            // Only a layout where no move can ever exist may end, and its message names it.
            EXPECT_NE(notice.find("fills of " + path), std::string::npos) << notice;
        } else {
            std::string failures;
            for (const std::string& f : run.failures) failures += "\n  " + f;
            EXPECT_TRUE(run.failures.empty()) << failures;
        }
    }
}
