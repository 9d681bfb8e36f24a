#pragma once
// The strict checker of the shipped level files. It has a reader of its own, deliberately
// independent of TGameGrid::Load and stricter than it: the house format, rules that keep
// every level winnable and fair, and rules over the whole set of fifty. Every problem names
// the file and the line ("data/levels/17.txt:3: F3 bonus entry 15 is outside 8..14").
#include <cstdint>
#include <string>
#include <vector>

namespace levels {

constexpr int kLevelCount = 50;

// Cell codes by what they put in the cell.
inline bool IsActive(int code) { return code != 0; }
inline bool IsLayered(int code) { return code != 0 && code != -1; }
inline bool IsLocked(int code) { return code == 2 || code == 4; }
inline bool HasArmour(int code) { return code == 3 || code == 4 || code >= 21; }
inline bool IsPiecePreset(int code) { return (code >= 8 && code <= 14) || (code >= 28 && code <= 34); }
inline bool IsColourPreset(int code) { return code >= 21 && code <= 27; }
inline bool IsPreset(int code) { return code >= 8; }
inline int LayersOf(int code) { return IsLayered(code) ? (HasArmour(code) ? 2 : 1) : 0; }
// The gem type a preset code puts in its cell, 0 for none.
inline int PresetType(int code) { return code >= 21 ? code - 20 : (code >= 8 ? code : 0); }

enum class Character { None, Generous, Tight };
const char* CharacterName(Character c);

struct Level {
    int number = 0;             // from the file name
    std::string path;           // as messages name it, e.g. "data/levels/17.txt"
    std::string bytes;
    std::string name;
    int time = 0;
    bool noBonus = false;       // the bonus line is "0"
    std::vector<int> bonus;
    int width = 0, height = 0;
    std::vector<int> cells;     // row-major, 0 where the file has no code
    int bonusLine = 3, sizeLine = 4, firstCellLine = 6;
    bool shaped = false;        // the size is valid, so the shape rules apply

    int At(int x, int y) const { return cells[static_cast<size_t>(y * width + x)]; }
    bool ActiveAt(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && IsActive(At(x, y)); }
    int Gold() const;
    int LockedCells() const;
    int ActiveCells() const;
    int LayeredCells() const;
    int PiecePresets() const;
    int Richness() const { return static_cast<int>(bonus.size()) + PiecePresets(); }
    // Length of the horizontal or vertical stretch of active cells through (x, y).
    int RowStretch(int x, int y) const;
    int ColumnStretch(int x, int y) const;
    // The most stretches any one column is split into.
    int MostColumnStretches() const;
    // 4-connected groups of active cells, each as a list of cell indexes in row-major order.
    std::vector<std::vector<int>> Islands() const;
    bool HasHole() const;
    bool HasRing() const;  // a group of holes that touches no edge of the board
    Character Class() const;
    std::string BonusText() const;
};

struct Problem {
    std::string where;  // a file, or the folder for a set rule
    int line = 0;       // from 1; 0 when the problem belongs to no line
    std::string rule;   // "F3", "R6", "S2", ...
    std::string text;
    std::string ToString() const;
};

// Reads one file in the house format (rules F1 to F7).
Level ParseLevel(const std::string& bytes, int number, const std::string& path, std::vector<Problem>& problems);
// The per-level rules R1 to R10 (those that need only this level).
void CheckLevel(const Level& level, std::vector<Problem>& problems);
// The set rules S1 to S6 and the set part of R9. `files` is every name in the folder.
void CheckSet(const std::vector<Level>& levels, const std::vector<std::string>& files, const std::string& folder,
              std::vector<Problem>& problems);

// Reads and checks a whole folder; `shownAs` is the folder as messages name it.
std::vector<Problem> ValidateFolder(const std::string& dir, const std::string& shownAs,
                                    std::vector<Level>* levels = nullptr);

// A readable picture of every level, one character per cell, with a legend at the top.
std::string Gallery(const std::vector<Level>& levels);
char CellChar(int code);

uint64_t Fnv1a64(const std::string& bytes);

}  // namespace levels
