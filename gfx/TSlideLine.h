#pragma once
// A timeline that carries a point along a chain of straight segments, one per phase, and can
// draw a line of text there. Before Start and after its last phase the point rests at the last
// phase's end, so a line drawn before it runs already stands at its destination.
#include <array>
#include <memory>

#include "gfx/TAnimation.h"
#include "gfx/TColor.h"
#include "platform/String.h"

class TSlideLine;
using TSlideLinePtr = std::shared_ptr<TSlideLine>;

class TSlideLine : public TAnimation {
 public:
  TSlideLine();

  std::array<float, MAX_PHASES> StartX{};
  std::array<float, MAX_PHASES> StartY{};
  std::array<float, MAX_PHASES> EndX{};
  std::array<float, MAX_PHASES> EndY{};
  float DX = 0;
  float DY = 0;
  String text;
  // Black at construction; a list replaces it with its own shared colour.
  TColorPtr Color;
  std::shared_ptr<void> AttachedObject;

  // One phase of lengthMs from the start point to the end point; not started.
  virtual int InitLine(const String& lineText, int sx, int sy, int ex, int ey, int lengthMs);
  // Appends a phase with its segment; a full line is left unchanged.
  virtual int AddPhaseSpecial(int sx, int sy, int ex, int ey, int lengthMs);
  virtual int CalcDistance();
  virtual float GetX();
  virtual float GetY();
  virtual int Draw();
  virtual int AttachObject(std::shared_ptr<void> object);
  int Manage() override;

 private:
  size_t PhaseIndex() const;
  size_t LastIndex() const;
};
