#pragma once
// The game-over screen's name entry: decides whether the run's score earns a place in the
// table and, when it does, takes the name and enters it once. It also draws the screen's menu.
#include <memory>

class TMenu;
class TTextInput;
class THighScoreEntry;
using THighScoreEntryPtr = std::shared_ptr<THighScoreEntry>;

class THighScoreEntry {
 public:
  THighScoreEntry();
  virtual ~THighScoreEntry();

  std::shared_ptr<TTextInput> InputName;
  int HighScore = 0;
  std::shared_ptr<TMenu> Menu;
  int TopY = 330;
  // Set once the name has gone into the table. The field marks itself done when it takes
  // Enter, before it reports it, so its Done cannot tell whether the name was entered.
  int Entered = 0;

  // Qualifies the player's score and, when it qualifies, opens the name field.
  static THighScoreEntryPtr Create(const std::shared_ptr<TMenu>& menu);
  // Whether a score earns a place: at least the lowest entry's, or any score while the table
  // is short of ten entries.
  static bool Qualifies(int score);
  virtual int Manage();
  virtual int Finish();
  // Enters the name once, when the score qualifies, and closes the field.
  virtual int FinishAndAdd();
  virtual int AddToHighScores();
  virtual int Draw();
  virtual int Active();
};
