#pragma once
// A recording stand-in for the play screen: logs every call the board makes with its tick,
// answers as the play screen would (the outro rule of NextLevel, Quit's death, once-only
// pages spent on the current profile, delayed gauge steps), and lets a test hook
// RestartLevel.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/BoardHost.h"
#include "board/TPlayer.h"

namespace testrig {

class FakePlayScreen : public BoardHost {
 public:
  struct Call {
    long tick;
    std::string name;
    std::string detail;
  };

  FakePlayScreen();

  std::shared_ptr<TPlayer> player;
  int intro = 0;
  int outro = 0;
  int hintScrollFree = 1;
  int chapter = 1;
  int subLevel = 1;
  long tick = 0;  // set by the tick driver
  std::vector<Call> calls;
  std::vector<std::string> pagesOpened;
  std::function<void()> onRestartLevel;
  // Ticks of the fake outro still to run (NextLevel starts 900, as the play screen's 4.5 s);
  // onOutroEnd runs when it ends (a test may load the next board there).
  int outroTicks = 0;
  std::function<void()> onOutroEnd;
  // The level a restart rebuilds (RestartLevel without a hook: the same level, a new fill);
  // 0: none.
  int level = 0;
  int restartSeed = 1;
  std::string failure;  // the first thing the fake could not do (the fixture fails on it)
  TGameImagePtr levelImage;
  TGameImagePtr timeImage;

  TPlayer& Player() override { return *player; }
  int IntroActive() override { return intro; }
  int OutroActive() override { return outro; }
  int NextLevel() override;
  int Quit() override;
  int RestartLevel() override;
  int StartSound() override;
  int StartIntro() override;
  int GetChapter() override { return chapter; }
  int GetSubLevel() override { return subLevel; }
  int ResetHintShowCounter() override;
  int AddGaugeStep(int ms) override;
  int PlayMenuClick() override;
  int ShowOnceOnlyPage(int flag, const String& name) override;
  int SoundGaugeFull() override;
  int SoundGaugeEmpty() override;
  TGameImagePtr LevelImage() override { return levelImage; }
  TGameImagePtr TimeImage() override { return timeImage; }

  // The play screen's own per-tick part: due gauge steps fill the board's gauge, the one that
  // fills it grants the diagonal move.
  void OwnTick();
  // The fake outro's clock; the tick driver calls it at the end of every tick.
  void OutroTick();
  int Count(const std::string& name) const;
  // Ticks at which the named call was made.
  std::vector<long> TicksOf(const std::string& name) const;

 private:
  void Log(const std::string& name, const std::string& detail = "");
  std::vector<float> gaugeSteps_;  // ticks left of each pending step
};

}  // namespace testrig
