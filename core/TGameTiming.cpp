// TGame: durations in ticks, fast mode, slow motion and the flip sync.
#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"

int TGame::FastOn() {
  Fast = 1;
  LastFlipSync = ccFlipSync;
  ccFlipSync = 0;
  FixedRateLogic->Init();
  FixedRateLogic->HistoryClear();
  return 0;
}

int TGame::FastOff() {
  if (Fast != 1) return 0;
  Fast = 0;
  ccFlipSync = LastFlipSync;
  FixedRateLogic->Init();
  FixedRateLogic->HistoryClear();
  return 0;
}

int TGame::SlowMotionOn() {
  SlowMotion = 1;
  CurrentSpeed = SlowMotionSpeed;
  FixedRateLogic->Framerate = static_cast<float>(FixedRateLogic->FramerateDefault) * SlowMotionSpeed;
  FixedRateLogic->CalcMS();
  FixedRateLogic->Init();
  return 0;
}

int TGame::SlowMotionOff() {
  SlowMotion = 0;
  CurrentSpeed = 1.0f;
  FixedRateLogic->Framerate = static_cast<float>(FixedRateLogic->FramerateDefault);
  FixedRateLogic->CalcMS();
  FixedRateLogic->Init();
  return 0;
}

int TGame::SetFlipSync() {
  ccFlipSync = VSync != 0 ? 1 : 0;
  return 0;
}

float TGame::CalcAnimLength(int ms) { return CalcAnimLengthFromFloat(static_cast<float>(ms)); }

float TGame::CalcAnimLengthFromFloat(float ms) {
  if (FixedRateLogic->MS <= 0) FixedRateLogic->CalcMS();
  return ms / FixedRateLogic->MS / CurrentSpeed;
}

int TGame::CalcMilliSecsFromFrames(int ticks, int useSpeed) {
  if (FixedRateLogic->MS <= 0) FixedRateLogic->CalcMS();
  const float speed = useSpeed != 0 ? CurrentSpeed : 1.0f;
  return static_cast<int>(static_cast<float>(ticks) * FixedRateLogic->MS * speed);
}
