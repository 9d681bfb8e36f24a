#pragma once
// The player's run: name, level reached, score, lives, matched gems, freed Tumblets and time,
// for the current level and the whole run; copied to and from the current profile. The play
// screen owns one, advances it every tick and draws three of its figures in its display.
#include <memory>

#include "gfx/TGameImage.h"
#include "gfx/TSprite.h"
#include "platform/String.h"

class TProfile;

class TPlayer : public TSprite {
 public:
  static constexpr int kLastLevel = 50;
  static constexpr int kLastLockedLevel = 52;

  TGameImagePtr ImageLife;
  float DeathCounter = 0;  // ticks left of the death sequence
  int DeathAnimLength = 1000;
  String Name;
  int Alive = 1;
  int Level = 1;
  int Unlocked = 1;  // the highest level reached; the profile stores it plus one
  int Score = 0;
  int LevelStartScore = 0;
  int Lives = 3;
  int Kills = 0;
  int TotalKills = 0;
  int TumbletsFreed = 0;
  int TotalTumbletsFreed = 0;
  int NoChecks = 0;
  int Target = 0;
  float TimeTaken = 0;  // ticks in the current level
  double TotalTimeTaken = 0;

  virtual int InitStats();
  // 0 when profile is null; else 1 (after profile->Load() when load != 0).
  virtual int ReadProfile(const std::shared_ptr<TProfile>& profile, int load);
  virtual int WriteProfile(const std::shared_ptr<TProfile>& profile);
  // Resets the profile's run (not its opened levels or name); saves when asked.
  virtual int ProfileGameOver(const std::shared_ptr<TProfile>& profile, int save);
  virtual int NewLevelStats();
  virtual int ClearCounters();
  virtual int Load();
  // Per tick: the death counter and the level's clock. -1 when the death sequence ended the
  // play screen's tick, else 1.
  virtual int Manage();
  virtual int Die();
  virtual int UpdateTotals();
  virtual int DeathEnd();
  virtual int ScoreDraw(float x, float y);
  virtual int LevelDraw(float x, float y);
  virtual int TimeDraw(float x, float y);
  virtual int KillsAdd(int n);

  // The three display texts: the level's points ("000000"), "chapter - level", "m:ss".
  String ScoreText() const;
  String LevelText() const;
  String TimeText() const;
};
