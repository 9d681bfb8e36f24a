#pragma once
// The autoplayer's play screen: everything of the real one that bears on play, nothing that
// draws or talks to the player. The level start is the play screen's own load and bounded
// fill; hint pages never open (the board's requests are only recorded); the gauge fills as the
// heads-up effects fill it.
#include <memory>
#include <string>
#include <vector>

#include "board/BoardHost.h"
#include "board/TPlayer.h"
#include "play/TGameScreen.h"

namespace autoplay {

class AutoHost : public BoardHost {
 public:
  AutoHost();

  // The play screen's level start without intro, page or sound: the board loaded for
  // Player().Level and filled until a move exists, the gauge empty, the effect lists cleared.
  void LevelStart();
  // The host's own share of a tick: due gauge steps fill the gauge.
  void GaugeTick();

  TPlayer& Player() override { return *screen_.Player; }
  int IntroActive() override { return 0; }
  int OutroActive() override { return outro; }
  int NextLevel() override;
  int Quit() override;
  int RestartLevel() override;
  int StartSound() override { return 0; }
  int StartIntro() override { return 0; }
  int GetChapter() override { return screen_.GetChapter(); }
  int GetSubLevel() override { return screen_.GetSubLevel(); }
  int ResetHintShowCounter() override { return 0; }
  int AddGaugeStep(int ms) override;
  int PlayMenuClick() override { return 0; }
  int ShowOnceOnlyPage(int flag, const String& name) override;
  int SoundGaugeFull() override { return 0; }
  int SoundGaugeEmpty() override { return 0; }
  TGameImagePtr LevelImage() override { return nullptr; }
  TGameImagePtr TimeImage() override { return nullptr; }

  int outro = 0;
  int restarts = 0;
  int fills = 0;     // fills of the last level start
  long wonAt = -1;   // the tick of the first NextLevel call that was granted
  int goldAtWin = -1;
  long tick = 0;     // kept by the player loop
  std::vector<std::string> pagesAsked;

 private:
  void ClearCounters();

  TGameScreen screen_;  // only its level load and fill are used: they need no window
  std::vector<float> gaugeSteps_;
};

}  // namespace autoplay
