#pragma once
// A drop-shadow setting shared by fonts, dialogs, the text input and the pointer: offsets in
// pixels and the strength of the black copy.
#include <memory>

class TShadow {
 public:
  float X = 1.0f;
  float Y = 1.0f;
  float Alpha = 0.5f;

  virtual ~TShadow() = default;

  static std::shared_ptr<TShadow> Create(float x, float y, float alpha);
  virtual int Init(float x, float y, float alpha);
  // Makes this the text shadow of every following shadowed text draw (ccShadowTextSet).
  virtual int ApplyToText() const;
  virtual int Copy(const TShadow& other);
  // Black at Alpha, for the shadow copy of an image or box; the caller offsets that copy.
  virtual int Apply() const;
  // White at alpha 1.0; reads no field.
  virtual int Restore() const;
};
using TShadowPtr = std::shared_ptr<TShadow>;
