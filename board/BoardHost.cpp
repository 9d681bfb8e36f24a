#include "board/BoardHost.h"

#include "board/TPlayer.h"

namespace {

class InertHost : public BoardHost {
 public:
  TPlayer& Player() override {
    if (!player_) player_ = std::make_shared<TPlayer>();
    return *player_;
  }
  int IntroActive() override { return 0; }
  int OutroActive() override { return 0; }
  int NextLevel() override { return 0; }
  int Quit() override { return 0; }
  int RestartLevel() override { return 0; }
  int StartSound() override { return 0; }
  int StartIntro() override { return 0; }
  int GetChapter() override { return 1; }
  int GetSubLevel() override { return 1; }
  int ResetHintShowCounter() override { return 0; }
  int AddGaugeStep(int) override { return 0; }
  int PlayMenuClick() override { return 0; }
  int ShowOnceOnlyPage(int, const String&) override { return 0; }
  int SoundGaugeFull() override { return 0; }
  int SoundGaugeEmpty() override { return 0; }
  TGameImagePtr LevelImage() override { return nullptr; }
  TGameImagePtr TimeImage() override { return nullptr; }

 private:
  std::shared_ptr<TPlayer> player_;
};

InertHost& Inert() {
  static InertHost host;
  return host;
}

BoardHost* gHost = nullptr;

}  // namespace

BoardHost& BoardHost::Current() { return gHost ? *gHost : Inert(); }

void BoardHost::Set(BoardHost* host) { gHost = host; }
