#pragma once
// Shipped level files broken once each, one per rule of the house format and the per-level
// rules, with the rule and the line the validator must name; the reader must load each one
// without a crash or end through its fatal error.
#include <functional>
#include <string>
#include <vector>

namespace levels {

struct BadFile {
    const char* what;
    int level;  // the shipped level it starts from (0: the bytes are made from nothing)
    std::function<std::string(std::string)> mutate;
    const char* rule;
    int line;
    // The reader ends the program on it with "Error loading file " + path: a size outside the
    // board, or a first line that is no name line, so the size is read from a later line.
    bool fatal = false;
};

std::string ShippedLevel(int n);
std::vector<BadFile> BadFileTable();

// Line editing of level files, for variants.
std::vector<std::string> Lines(const std::string& bytes);
std::string Join(const std::vector<std::string>& lines);
std::function<std::string(std::string)> SetLine(int line, std::string text);
struct CellCode {
    int x, y;
    std::string code;
};
std::function<std::string(std::string)> SetCells(std::vector<CellCode> cells);

}  // namespace levels
