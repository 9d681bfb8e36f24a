// The play screen's frame: background, board, brick road, the heads-up bar with its gauge and
// status texts, the corner buttons, the effects and the three scrolls; and the slide-out of the
// outro's last 1500 ms.
#include <algorithm>
#include <cmath>

#include "board/TGameGrid.h"
#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TParticleList.h"
#include "gfx/TSprite.h"
#include "play/TBoardLayer.h"
#include "play/TGameMenu.h"
#include "play/TGameScreen.h"
#include "play/THintScroll.h"
#include "play/TLevelCompleteScreen.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TMenu.h"

namespace {

constexpr int kSlideMs = 1500;
constexpr float kHUDSlide = 150.0f;
constexpr float kRoadSlide = 100.0f;
constexpr float kCornerY = 8.0f;
constexpr float kPi = 3.14159265358979f;

}  // namespace

float TGameScreen::SlideFactor() {
  if (!OutroAnim || OutroAnim->Active == 0) return 0.0f;
  const float length = Game->CalcAnimLength(kSlideMs);
  const float r = OutroAnim->Counter;
  return r < length ? 1.0f - r / length : 0.0f;
}

int TGameScreen::Draw() {
  BoardLayer->Draw(Image, GameGrid.get());  // the background and the board's floor
  if (GameGrid) GameGrid->DrawPieces();
  BrickRoadDraw();
  BackgroundParticles->Draw();
  HUDDraw();
  if (LevelCompleteScreen->Active == 0) Menu->Draw(0, 0);
  Particles->Draw();
  AnimatedParticles->Draw();
  Tumblets->Draw();
  ScoreParticles->Draw();
  DiagonalTextDraw();
  HintScroll->Draw();
  GameMenu->Draw();
  LevelCompleteScreen->Draw();
  return 0;
}

float TGameScreen::GetHUDY() {
  const float f = SlideFactor();
  if (f <= 0.0f) return 0.0f;
  Menu->SetY(kCornerY - kHUDSlide * f);
  return -kHUDSlide * f;
}

int TGameScreen::BrickRoadDraw() {
  const float y = static_cast<float>(ScreenHeight - BrickRoad->h) + kRoadSlide * SlideFactor();
  platform::DrawImage(BrickRoad->image, 0.0f, y);
  return 0;
}

int TGameScreen::HUDDraw() {
  if (LevelCompleteScreen->Active != 0) return 0;
  const float y = GetHUDY();
  platform::DrawImage(UI->image, 0.0f, y);
  Player->ScoreDraw(115.0f, y + 6.0f);
  Player->LevelDraw(480.0f, y + 19.0f);
  Player->TimeDraw(640.0f, y + 19.0f);
  StatusTextDraw();
  XDraw(y);
  return 1;
}

int TGameScreen::XDraw(float y) {
  const float gx = static_cast<float>(DiagonalGaugeX);
  const float gy = y + static_cast<float>(DiagonalGaugeY);
  const int gauge = GameGrid ? GameGrid->DiagonalGauge : 0;
  const float max = GameGrid ? GameGrid->DiagonalGaugeMax : 5.0f;
  if (gauge < 1) {
    platform::DrawImage(XInactiveImage->image, gx, gy);
  } else if (static_cast<float>(gauge) >= max) {
    platform::DrawImage(XActive2Image->image, gx, gy);
  } else {
    const int h = XInactiveImage->h;
    const float w = static_cast<float>(XInactiveImage->w);
    const int k = ccRound(static_cast<float>(h) * static_cast<float>(gauge) / max);
    ccDrawImageArea(XInactiveImage->image, gx, gy, 0.0f, 0.0f, w, static_cast<float>(h - k), 0);
    ccDrawImageArea(XActive1Image->image, gx, gy + static_cast<float>(h - k), 0.0f,
                    static_cast<float>(h - k), w, static_cast<float>(k), 0);
  }
  return 0;
}

int TGameScreen::StatusTextDraw() {
  const float length = Game->CalcAnimLength(kSlideMs);
  if (OutroAnim->Active != 0 && OutroAnim->Counter < length) {
    const float q = OutroAnim->Counter / length;
    WellDone->ScaleX = 1.0f;
    WellDone->ScaleY = q > 0.65f ? 1.0f + 5.0f * (1.0f - std::cos((q - 0.65f) * 2.0f * kPi)) : 1.0f;
    WellDone->Draw();
  }
  if (IntroAnim->Active != 0 && HintScroll->Active == 0) {
    const float q = IntroAnim->GetRatio();
    Go->ScaleX = 1.0f + 2.0f * q;
    Go->ScaleY = Go->ScaleX;
    Go->Alpha = std::min(1.0f, 1.5f * q);
    Go->Draw();
    platform::SetAlpha(1.0f);
  }
  if (GameGrid && GameGrid->NoMore != 0 && GameGrid->JiggleDirection == 0) {
    // In the gold and dark brown outline of the painted captions ("Go!", "Well done!"): on its
    // own the gold goes under a bright sky and the gems flying behind it.
    const float y = static_cast<float>(ScreenHeight / 2 - 80);
    const int blend = platform::GetBlend();
    platform::SetBlend(platform::ALPHABLEND);
    platform::SetAlpha(1.0f);
    platform::SetImageFont(MainFont);
    if (NoMoreMovesOutline) {
      platform::SetColor(58, 30, 14);
      const int width = platform::TextWidth(NoMoreMovesText);
      platform::DrawImage(NoMoreMovesOutline, static_cast<float>(ScreenWidth - width) / 2.0f, y);
    }
    platform::SetColor(255, 214, 110);
    ccDrawTextCentre(NoMoreMovesText, y, 0, 0);
    platform::SetColor(255, 255, 255);
    platform::SetBlend(blend);
  }
  return 0;
}

int TGameScreen::DiagonalTextDraw() {
  if (!GameGrid || GameGrid->DiagonalTextCounter <= 0 || HintScroll->Active != 0) return 0;
  const float q = GameGrid->DiagonalTextCounter / static_cast<float>(GameGrid->DiagonalTextLength);
  platform::SetImageFont(UIFont);
  ccTextAlpha = std::min(1.0f, 4.0f * q);
  if (q > 0.75f) {
    const float scale = 1.0f + 2.0f * (q - 0.75f);
    platform::SetScale(scale, scale);
  }
  ccShadowTextSet(2.0f, 2.0f, 0.4f);
  ccDrawTextCentre(u"Diagonal Move Ready", 50.0f, 1, 0);
  ccTextAlpha = 1.0f;
  platform::SetScale(1.0f, 1.0f);
  return 0;
}
