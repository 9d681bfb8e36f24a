#pragma once
// One entry of the high-score table.
#include "platform/String.h"

class THighScore {
 public:
  THighScore() = default;
  THighScore(const String& name, int score, int level);
  virtual ~THighScore() = default;

  String name;
  int score = 0;
  int level = 0;
};
