#pragma once
// The one global screen fade (Game->GameFade). A screen that wants to leave starts a fade-out;
// the screen switch happens when it completes. While it runs the screen is covered by the
// clear colour at 1 - Ratio, and the music (and speech) channels fade with it.
#include <memory>

#include "platform/Audio.h"

class TGameChannel;

class TGameFade {
 public:
  virtual ~TGameFade() = default;

  int Length = 0;  // whole logic ticks
  float Counter = 0;
  int Active = 0;
  int Out = 1;
  float Ratio = 0;
  int Done = 0;
  platform::ChannelPtr Channel;
  std::shared_ptr<TGameChannel> Channel2;
  int Channel2IsGameChannelArray = 1;
  int AllowAnim = 0;
  int FadeInAborted = 0;
  float FadeCounterBeforeAbort = 0;
  int SetToFullOnAbort = 1;
  int AbortKey = 0;

  // 1 when started, 0 when a fade already runs. With fades off it completes at once.
  virtual int Init(float lengthMs, int out, const platform::ChannelPtr& channel, int allowAnim,
                   int startCounter, const std::shared_ptr<TGameChannel>& channel2);
  virtual int Finish();
  // 1 completed this tick, -1 finished by a key or click, else 0.
  virtual int Manage();
  virtual int CalcRatio();
  virtual int FadeChannels();
  virtual int Draw();
  // 1 once after each finished fade.
  virtual int GetDone();
};
