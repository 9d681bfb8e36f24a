#include "core/THighScore.h"

THighScore::THighScore(const String& name, int score, int level)
    : name(name), score(score), level(level) {}
