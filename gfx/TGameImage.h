#pragma once
// A runtime image (one picture or a strip of frames) with an upper-case name, its cell size
// and its handle state. The handle belongs to the shared runtime image: MidHandle changes it
// for every holder.
#include <memory>

#include "platform/Image.h"
#include "platform/String.h"

class TShadow;
class TGameImage;
using TGameImagePtr = std::shared_ptr<TGameImage>;

class TGameImage {
 public:
  virtual ~TGameImage() = default;

  String name;
  platform::ImagePtr image;
  int w = 0;  // one frame's cell for a strip
  int h = 0;
  float w2 = 0;  // w div 2
  float h2 = 0;
  int midhandled = 0;
  int tag = 0;

  // Non-zero: every Load and LoadAnim creates the textures at once.
  static int AutoPrecache;

  // Bytes the frames take: w x h x 4 x frames.
  virtual int CalcRAM() const;
  // The same with w and h rounded up to powers of two.
  virtual int CalcVRAM() const;
  static TGameImagePtr Create(const String& path, int flags, int mid);
  // Load when count is below 2, else LoadAnim.
  static TGameImagePtr CreateAuto(const String& path, int cellWidth, int cellHeight,
                                  int firstCell, int count, int flags, int mid);
  // Wraps an image already loaded; the name is kept as given.
  static TGameImagePtr CreateFromImage(const platform::ImagePtr& image, const String& name,
                                       int mid);
  // With a shadow: black at its alpha at the offset, then alpha 1 and white (a caller's alpha
  // is lost); then the frame at (x, y).
  virtual int Draw(float x, float y, int frame, const std::shared_ptr<TShadow>& shadow);
  virtual int GetSize();
  // A picture that does not load is fatal ("Error loading bitmap " + path).
  virtual int Load(const String& path, int flags, int mid);
  virtual int LoadAnim(const String& path, int cellWidth, int cellHeight, int firstCell, int count,
                       int flags, int mid);
  virtual int MidHandle(int on);
  virtual int Precache();
};
