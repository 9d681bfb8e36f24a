#pragma once
// A seeded player that clears a level through the real board with whole mouse clicks, acting
// only when the board is at rest, and cross-checking the board while it plays: predicted
// swaps stand, the no-more-moves sequence starts exactly when its own search finds nothing,
// the level ends exactly when the last layer goes, layers never come back but by a restart.
#include <cstdint>
#include <string>
#include <vector>

#include "support/autoplay/MoveSearch.h"

class TGameGrid;

namespace autoplay {

struct RunOptions {
  std::string levelsDir;  // ending in a slash; the level is levelsDir + n + ".txt"
  std::string workDir;    // an empty writable folder for the stub pictures
  long maxTicks = 300000;
  // The invariant checker after every tick, not only at rest and every 50th tick.
  bool checkEveryTick = false;
};

struct RunResult {
  int level = 0;
  int seed = 0;
  bool cleared = false;
  long ticks = 0;  // board ticks from the first to the one in which the level ended
  int moves = 0;   // swaps that stood plus pieces used
  int piecesUsed = 0;
  int restarts = 0;
  int refusedSwaps = 0;
  int score = 0;
  int goldLeft = 0;
  int firstFills = 0;  // fills of the first level start
  uint64_t fileHash = 0;
  std::vector<std::string> failures;  // broken cross-checks, the first few
  std::string finalGrid;              // the board picture at the end
};

// The board as the search sees it (the current Grid). A bursting gem reads -1.
Snapshot TakeSnapshot(const TGameGrid& board);

// Plays level `level` from seed `seed` in a fresh world (torn down afterwards).
RunResult PlayLevel(int level, int seed, const RunOptions& options);

// The seeds every autoplayed level is measured on: the curve rules hold on their medians and
// worst cases, so there must be enough of them that one unlucky seed cannot move a median.
struct SeedRange {
  int first = 1, last = 40;
  bool Valid() const { return first >= 1 && last >= first; }
  int Count() const { return last - first + 1; }
};
constexpr SeedRange kCurveSeeds{};
// kCurveSeeds, or the range LV_AUTOPLAY_SEEDS gives as "first-last" (invalid when it does not
// read so).
SeedRange SeedsFromEnvironment();
SeedRange ParseSeeds(const std::string& text);
// Where the rows of these seeds go under the build folder: "levels" for the curve's own
// seeds, "levels/seeds-41-60" for others.
std::string RowsFolder(const SeedRange& seeds);

// FNV-1a 64 of a file's bytes (0 when it cannot be read).
uint64_t FileHash(const std::string& path);
// One row of the per-level table: level, seed, cleared, ticks, moves, pieces used, restarts,
// refused swaps, score, Gold left, file hash (hex), tab separated.
std::string Row(const RunResult& r);
std::string RowHeader();

}  // namespace autoplay
