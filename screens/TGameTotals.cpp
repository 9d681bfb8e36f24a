#include "screens/TGameTotals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"

namespace {
constexpr int kDelayMs = 30;
constexpr int kSlideMs = 300;
constexpr int kHoldMs = 500;
const std::array<const char16_t*, 3> kLabels = {u"Total Score", u"Total Kills", u"Total Time"};
// The lines stand 40 pixels apart: the main font's capitals are taller than that, the UI
// font's leave a clear gap.
const platform::ImageFontPtr& TotalsFont() { return UIFont ? UIFont : MainFont; }

String Decimal(long long n) { return S(std::to_string(n)); }
}  // namespace

const TPlayer& TGameTotals::RunPlayer() {
  static const TPlayer kNone;
  return GameScreen && GameScreen->Player ? *GameScreen->Player : kNone;
}

TGameTotalsPtr TGameTotals::Create() {
  auto totals = std::make_shared<TGameTotals>();
  totals->SetSlideLines();
  return totals;
}

long long TGameTotals::Seconds(double ticks) {
  const double ms = Game && Game->FixedRateLogic ? Game->FixedRateLogic->MS : 5.0;
  const double seconds = std::floor(ms * ticks / 1000.0);
  // A damaged or endless run still shows a number.
  if (!(seconds > 0)) return 0;
  return static_cast<long long>(std::min(seconds, 9.0e15));
}

int TGameTotals::SetSlideLines() {
  platform::SetImageFont(TotalsFont());
  const int labelWidth = platform::TextWidth(kLabels[0]);
  w = labelWidth + colgap + platform::TextWidth(Decimal(RunPlayer().Score));
  h = lines * gap;
  col1 = (ScreenWidth - w) / 2;
  col2 = col1 + labelWidth + colgap;
  for (int i = 0; i < lines; ++i) {
    const int y = StartY + i * gap;
    const TSlideLinePtr line = Add(String(), -w, y, -w, y, i * kDelayMs);
    line->AddPhaseSpecial(-w, y, col1, y, kSlideMs);
    line->AddPhaseSpecial(col1, y, col1, y, kHoldMs);
  }
  Start();
  return 0;
}

int TGameTotals::CentreVert() {
  StartY = (ScreenHeight - h) / 2;
  return 0;
}

const String& TGameTotals::ValueText(size_t line, long long value) {
  Shown& s = shown_[line];
  if (!s.made || s.value != value) {
    s.value = value;
    s.text = Decimal(value);
    s.made = true;
  }
  return s.text;
}

int TGameTotals::Draw() {
  platform::SetImageFont(TotalsFont());
  platform::SetBlend(platform::ALPHABLEND);
  ccShadowTextSet(3.0f, 3.0f, 0.4f);
  const TPlayer& player = RunPlayer();
  const std::array<long long, 3> values = {player.Score, player.TotalKills,
                                           Seconds(player.TotalTimeTaken)};
  int i = 0;
  for (const TSlideLinePtr& line : Items()) {
    if (i >= static_cast<int>(kLabels.size())) break;
    const float x = line->GetX();
    const float y = static_cast<float>(StartY + i * gap);
    const bool flashing = line->Active != 0 && line->CurrentPhase == 2;
    const float r = flashing ? line->GetRatio() : 0.0f;
    platform::SetColor(255, 255, flashing ? static_cast<int>(255.0f * r) : 0);
    ccDrawText(kLabels[static_cast<size_t>(i)], x, y, 1, 0);
    platform::SetColor(flashing ? static_cast<int>(255.0f * r) : 0, 255, 255);
    const auto n = static_cast<size_t>(i);
    ccDrawText(ValueText(n, values[n]), x + static_cast<float>(col2 - col1), y, 1, 0);
    ++i;
  }
  platform::SetColor(255, 255, 255);
  return 0;
}
