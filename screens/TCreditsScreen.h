#pragma once
// The credits page, reached from the options screen and always leading back to it.
#include <array>
#include <memory>

#include "core/TScreen.h"

class TCreditsScreen : public TScreen {
 public:
  TCreditsScreen();
  ~TCreditsScreen() override;

  struct Line {
    const char16_t* text;
    int top;
  };
  static const std::array<Line, 11> Lines;

  int Load() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
};

extern std::shared_ptr<TCreditsScreen> CreditsScreen;
