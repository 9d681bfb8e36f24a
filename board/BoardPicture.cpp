#include "board/BoardPicture.h"

#include <sstream>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "board/TGemList.h"

namespace {

constexpr char kBonusChars[] = "LHTSPAK";  // types 8..14

// The gem type of a piece character; 0 for an empty cell, -2 for a hole, -3 when unknown.
int PieceType(char c) {
  if (c >= '1' && c <= '7') return c - '0';
  for (int i = 0; i < 7; ++i) {
    if (kBonusChars[i] == c) return 8 + i;
  }
  if (c == '.') return 0;
  if (c == '#') return -2;
  return -3;
}

}  // namespace

char PieceChar(int type) {
  if (type >= 1 && type <= 7) return static_cast<char>('0' + type);
  if (type >= 8 && type <= 14) return kBonusChars[type - 8];
  if (type == -1) return 'x';
  return '?';
}

std::shared_ptr<TGameGrid> BuildBoard(const std::string& picture, const std::vector<int>& colours,
                                      const std::vector<int>& bonus) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(picture);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream cells(line);
    std::vector<std::string> row;
    std::string cell;
    while (cells >> cell) row.push_back(cell);
    if (!row.empty()) rows.push_back(row);
  }
  if (rows.empty() || rows.size() > GRID_HEIGHT) return nullptr;
  const size_t width = rows[0].size();
  for (const auto& row : rows) {
    if (row.size() != width || width > GRID_WIDTH) return nullptr;
    for (const std::string& cell : row) {
      if (PieceType(cell[0]) == -3) return nullptr;
      if (cell.find_first_not_of("ba*t", 1) != std::string::npos) return nullptr;
    }
  }

  GameGrid = TGameGrid::Create();
  TGameGrid& board = *GameGrid;
  board.Clear();
  TGameGrid::PossBonusClear();
  for (int b : bonus) {
    if (PossBonusCount < POSS_BONUS_SLOTS) PossBonus[static_cast<size_t>(PossBonusCount++)] = b;
  }
  PossGems.fill(0);
  for (size_t i = 0; i < colours.size() && i < PossGems.size(); ++i) PossGems[i] = colours[i];
  board.levelwidth = static_cast<int>(width);
  board.levelheight = static_cast<int>(rows.size());
  board.Centre();
  board.CreateCells();
  GemList = std::make_shared<TGemList>();
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      const std::string& text = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
      TCell& cell = *Grid[static_cast<size_t>(x)][static_cast<size_t>(y)];
      const int type = PieceType(text[0]);
      if (type == -2) continue;
      cell.active = 1;
      const bool armour = text.find('a') != std::string::npos;
      cell.gold = armour || text.find('b') != std::string::npos ? 1 : 0;
      cell.armour = armour ? 1 : 0;
      board.Gold += cell.gold + cell.armour;
      if (type <= 0) continue;
      TGemPtr gem = TGem::Make(x, y, type, 0);
      if (text.find('*') != std::string::npos) {
        gem->locked = 1;
        cell.gemlocked = 1;
        ++board.Locked;
      }
      if (text.find('t') != std::string::npos && type <= TGem::kLastColour) gem->Tumblet = 1;
      cell.Gem = gem;
      GemList->Add(gem);
    }
  }
  GemList->SortAll();
  board.IntroColumn = board.levelwidth;  // no sweep running, as after the level's intro
  board.TopRowYCalc();
  board.FindEdges();
  return GameGrid;
}

std::string BoardPicture() {
  if (!GameGrid) return "(no board)\n";
  const TGameGrid& board = *GameGrid;
  std::string out;
  for (int y = 0; y < board.levelheight; ++y) {
    for (int x = 0; x < board.levelwidth; ++x) {
      const TCell* cell = GridAt(x, y);
      std::string text;
      if (!cell || !cell->active) {
        text = "#";
      } else {
        text = cell->Gem ? std::string(1, PieceChar(cell->Gem->GemType)) : ".";
        if (cell->armour) {
          text += 'a';
        } else if (cell->gold) {
          text += 'b';
        }
        if (cell->Gem && cell->Gem->locked) text += '*';
        if (cell->Gem && cell->Gem->Tumblet) text += 't';
      }
      if (x > 0) out += ' ';
      out += text;
    }
    out += '\n';
  }
  return out;
}
