#include "gfx/TSlideLine.h"

#include <algorithm>

#include "platform/Font.h"

TSlideLine::TSlideLine() : Color(TColor::Create(0, 0, 0, 1.0f)) {}

size_t TSlideLine::PhaseIndex() const {
  return static_cast<size_t>(std::clamp(CurrentPhase, 0, MAX_PHASES - 1));
}

size_t TSlideLine::LastIndex() const {
  return static_cast<size_t>(std::clamp(TotalPhases - 1, 0, MAX_PHASES - 1));
}

int TSlideLine::InitLine(const String& lineText, int sx, int sy, int ex, int ey, int lengthMs) {
  Init(lengthMs, 0, 0, 0, 0);
  text = lineText;
  StartX[0] = static_cast<float>(sx);
  StartY[0] = static_cast<float>(sy);
  EndX[0] = static_cast<float>(ex);
  EndY[0] = static_cast<float>(ey);
  CalcDistance();
  return 0;
}

int TSlideLine::AddPhaseSpecial(int sx, int sy, int ex, int ey, int lengthMs) {
  // A 51st segment would be written past the arrays.
  if (TotalPhases >= MAX_PHASES) return 0;
  const auto i = static_cast<size_t>(TotalPhases);
  StartX[i] = static_cast<float>(sx);
  StartY[i] = static_cast<float>(sy);
  EndX[i] = static_cast<float>(ex);
  EndY[i] = static_cast<float>(ey);
  AddPhase(lengthMs);
  return 0;
}

int TSlideLine::CalcDistance() {
  const size_t i = PhaseIndex();
  DX = EndX[i] - StartX[i];
  DY = EndY[i] - StartY[i];
  return 0;
}

float TSlideLine::GetX() {
  if (!Active) return EndX[LastIndex()];
  return StartX[PhaseIndex()] + (1.0f - GetRatio()) * DX;
}

float TSlideLine::GetY() {
  if (!Active) return EndY[LastIndex()];
  return StartY[PhaseIndex()] + (1.0f - GetRatio()) * DY;
}

int TSlideLine::Manage() {
  if (TAnimation::Manage() == 1) CalcDistance();
  return 0;
}

int TSlideLine::Draw() {
  if (Color) Color->Apply();
  platform::DrawText(text, GetX(), GetY());
  TColor::Restore();
  return 0;
}

int TSlideLine::AttachObject(std::shared_ptr<void> object) {
  AttachedObject = std::move(object);
  return 0;
}
