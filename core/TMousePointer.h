#pragma once
// The mouse state every subsystem reads (position, buttons, this tick's clicks, wheel) and the
// pointer the game draws over everything: a picture, an attached second picture with an
// optional shadow, a sparkle trail and a drawing hook.
#include <functional>
#include <memory>

#include "platform/Image.h"
#include "platform/String.h"

class TParticleList;
class TShadow;

class TMousePointer {
 public:
  TMousePointer();
  virtual ~TMousePointer();

  int Active = 1;
  platform::ImagePtr Image;
  int ImageFrame = 0;
  String Ext = u".png";
  int Rotation = 0;
  platform::ImagePtr Image2;
  int Image2Frame = 0;
  int Image2xoff = 0;
  int Image2yoff = 0;
  float Image2Scale = 1.0f;
  std::shared_ptr<TShadow> Image2Shadow;
  int x = 0;
  int y = 0;
  int z = 0;
  int w = 0;
  int h = 0;
  int b1 = 0;
  int b2 = 0;
  int b3 = 0;
  int mb = 0;
  int h1 = 0;
  int h2 = 0;
  int h3 = 0;
  int mh = 0;
  int offsetx = 0;
  int offsety = 0;
  // The trail hook, called once per logic tick while active.
  std::function<void()> ParticleFunc;
  std::shared_ptr<TParticleList> ParticleList;
  float SparkleCounter = 0;
  int SparkleLength = 15;
  // Extra drawing after the pointer, at its position.
  std::function<void(int, int)> UserDraw;

  virtual int On();
  // Also removes the trail.
  virtual int Off();
  // Image = ImagePath + name + Ext (fatal when missing), handle (offsetx, offsety).
  virtual int Load(const String& name);
  virtual int CalcSize();
  // Fills the state from the runtime's polled input (unused by the game: the pump feeds it).
  virtual int Update();
  // Runs the trail; 0 while inactive.
  virtual int Manage();
  // Re-reads the system cursor relative to the window's client area.
  virtual int UpdateCoords();
  virtual int ClearButtons();
  virtual int ClearMouseHit();
  virtual int GetMb();
  // The clicks since last cleared; consume != 0 clears them after reading.
  virtual int GetMh(int consume);
  virtual int CalcButtonTotals();
  virtual int Draw();
};
