#pragma once
// What the board asks of the play screen that owns it. The board reaches the play screen only
// through BoardHost::Current(); while none is installed an inert host answers (nothing
// active, nothing started, a player record of its own), so the board never meets a missing
// play screen.
#include <memory>

#include "gfx/TGameImage.h"
#include "platform/String.h"

class TPlayer;

class BoardHost {
 public:
  virtual ~BoardHost() = default;

  // The player record of the running game.
  virtual TPlayer& Player() = 0;
  // Non-zero while the level's intro or outro timeline runs.
  virtual int IntroActive() = 0;
  virtual int OutroActive() = 0;
  // Starts the outro when the player is alive and neither timeline runs: 1, else 0.
  virtual int NextLevel() = 0;
  // Gives the run up: lives 0, and the player dies unless already dying.
  virtual int Quit() = 0;
  // Replays the level on a new board (the old one is dropped).
  virtual int RestartLevel() = 0;
  virtual int StartSound() = 0;
  // Restarts the level's intro timeline.
  virtual int StartIntro() = 0;
  virtual int GetChapter() = 0;
  virtual int GetSubLevel() = 0;
  // Play time since the last match back to 0.
  virtual int ResetHintShowCounter() = 0;
  // One delayed step of the diagonal-move gauge.
  virtual int AddGaugeStep(int ms) = 0;
  // The click of the play screen's "menu" button.
  virtual int PlayMenuClick() = 0;
  // Opens the once-only hint page name when the hint scroll is free and the profile's flag
  // is still unspent (spending it). 1 when the page opened.
  virtual int ShowOnceOnlyPage(int flag, const String& name) = 0;
  virtual int SoundGaugeFull() = 0;
  virtual int SoundGaugeEmpty() = 0;
  virtual TGameImagePtr LevelImage() = 0;
  virtual TGameImagePtr TimeImage() = 0;

  // The installed host, or the inert one.
  static BoardHost& Current();
  // Installs host (not owned; it must outlive its installation); null restores the inert one.
  static void Set(BoardHost* host);
};
