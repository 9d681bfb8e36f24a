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

TEST(BadLevelFiles, LoadWithoutACrashOrEndThroughTheFatalError) {
    for (const levels::BadFile& row : levels::BadFileTable()) {
        SCOPED_TRACE(row.what);
        testrig::SetUpBoardWorld(testrig::MakeTempDir("world"));
        const std::string data = testrig::MakeTempDir("data") + "/";
        const std::string path = data + "data/levels/1.txt";
        testrig::WriteFileBytes(path, row.mutate(row.level ? levels::ShippedLevel(row.level) : std::string()));
        UseDataFolder(data);

        GameGrid = TGameGrid::Create();
        testing::internal::CaptureStderr();
        bool ended = false;
        try {
            GameGrid->Load(1);
        } catch (const platform::ProgramExit&) {
            ended = true;
        }
        const std::string notice = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ended, row.fatal) << notice;
        if (row.fatal) {
            EXPECT_NE(notice.find("Error loading file " + path), std::string::npos) << notice;
        } else {
            // The level plays on the rig's fill: the board's invariants hold on every tick.
            testrig::FillRunFree(1);
            EXPECT_EQ(testrig::Tick(2000), "");
        }
        testrig::TearDownBoardWorld();
    }
}
