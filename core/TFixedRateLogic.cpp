#include "core/TFixedRateLogic.h"

#include <cmath>

#include "core/Globals.h"
#include "core/Platform.h"
#include "core/TGame.h"
#include "platform/Clock.h"

int TFixedRateLogic::Init() {
  CalcMS();
  LastTime = platform::MilliSecs();
  NumTicks = 0;
  LastNumTicks = 1.0;
  SetDelta(1.0f);
  TTrackingVar::Init();
  First = FirstMax;
  return 0;
}

int TFixedRateLogic::Create() {
  History.assign(static_cast<size_t>(HistorySizeMax), 0);
  return 0;
}

int TFixedRateLogic::CalcMS() {
  const int rate = static_cast<int>(Framerate);
  MS = rate > 0 ? 1000.0f / static_cast<float>(rate) : 1000.0f;
  return 0;
}

int TFixedRateLogic::SetThreshold(int ms) {
  Threshold = ms;
  return 0;
}

int TFixedRateLogic::Calc() {
  if (Game && Game->Fast) {
    NumTicks = 1.0;
  } else {
    if (Game && Game->FullScreen == 0) {
      int wx = 0;
      int wy = 0;
      ccGetWindowOriginOSX(wx, wy);
      wy = ccFixMacWindowY(wy, Game->DesktopHeight, Game->WindowHeight);
      if (wx != Game->WindowX || wy != Game->WindowY) {
        Game->SetWindowCoords();
        Game->SetClientCoords();
      }
    }
    const double now = platform::MilliSecs();
    if (LastTime > now) {
      NumTicks = LastNumTicks;
    } else {
      TmpMS = now - LastTime;
      if (TmpMS > Threshold) TmpMS = Threshold;
      double average = TmpMS;
      if (First >= 1) {
        --First;
      } else {
        if (static_cast<int>(History.size()) < HistorySizeMax) History.resize(HistorySizeMax, 0);
        if (HistorySize < 1) HistorySize = 1;
        History[static_cast<size_t>(HistoryCounter)] = static_cast<int>(TmpMS);
        long long sum = 0;
        for (int i = 0; i < HistorySize; ++i) sum += History[static_cast<size_t>(i)];
        average = static_cast<double>(sum) / HistorySize;
        ++HistoryCounter;
        if (HistorySize < HistorySizeMax) ++HistorySize;
        if (HistoryCounter >= HistorySize) HistoryCounter = 0;
      }
      if (JitterCorrection == 0) {
        NumTicks = TmpMS / MS;
      } else {
        if (IgnoreHistoryOnSpeedChange != 0 && Game && Game->VSync == 1 &&
            (TmpMS < average - 1 || TmpMS > average + 1)) {
          average = TmpMS;
        }
        NumTicks = average / MS;
      }
    }
    LastTime = now;
    LastNumTicks = NumTicks;
    if (NumTicks > maximum) maximum = static_cast<int>(NumTicks);
  }
  Current = static_cast<int>(NumTicks);
  return 0;
}

int TFixedRateLogic::SetDelta(float x) {
  Delta = x * DeltaMultiplier;
  FullDelta = x;
  return 0;
}

int TFixedRateLogic::SetDefaultFramerate(int hz) {
  FramerateDefault = hz;
  Framerate = static_cast<float>(hz);
  return 0;
}

int TFixedRateLogic::HistoryClear() {
  for (int i = 0; i < HistorySize && i < static_cast<int>(History.size()); ++i) {
    History[static_cast<size_t>(i)] = 0;
  }
  HistorySize = 1;
  HistoryCounter = 0;
  return 0;
}
