#pragma once
// Draws a picture under any affine map straight into 32-bit ARGB pixels, for the software
// renderer: each target row is scanned only over the span whose pixel centres map inside the
// source rectangle, so turning a picture costs about what copying it does. Internal to platform/.
#include <cstdint>

namespace platform {

class SoftwareRaster {
 public:
  struct Target {
    uint32_t* pixels;
    int pitch;  // in pixels
    int clipX0, clipY0, clipX1, clipY1;  // [x0, x1) by [y0, y1)
  };
  struct Source {
    const uint32_t* pixels;
    int pitch;  // in pixels
    int x0, y0, x1, y1;  // the texels that may be read, [x0, x1) by [y0, y1)
    bool filtered;       // bilinear, else nearest
  };
  struct Paint {
    uint8_t r, g, b, a;  // tint and alpha
    int blend;           // a BlendMode
    int maskThreshold;   // MASKBLEND: texel alpha from which the texel is drawn opaque
  };
  // Texel coordinates of a target position: s = s0 + sX * x + sY * y, t likewise.
  struct Map {
    double s0, sX, sY;
    double t0, tX, tY;
  };

  // Scans the target box [x0, x1) by [y0, y1). With `boxIsCoverage` every pixel of the box is
  // drawn (texel coordinates clamped into the source); else only those whose centre maps inside.
  static void Draw(const Target& target, const Source& source, const Paint& paint, const Map& map,
                   int x0, int y0, int x1, int y1, bool boxIsCoverage);

  // The two things a frame spends most of its pixels on, written to give exactly the pixels
  // SDL's software renderer gives for them, only several times faster.
  // A box [x0, x1) by [y0, y1) filled with the paint's colour and alpha (clipped to the
  // target), for the blends FillServes: alpha, light and shade. The others are plain stores,
  // which SDL's fill does as fast.
  static bool FillServes(int blend);
  static void Fill(const Target& target, const Paint& paint, int x0, int y0, int x1, int y1);
  // A w by h block of a picture copied one to one with its top-left at (x, y) (clipped to the
  // target), for the blends CopyServes: alpha, light and shade.
  static bool CopyServes(int blend);
  static void Copy(const Target& target, const uint32_t* pixels, int pitch, int x, int y, int w,
                   int h, const Paint& paint);

  // Test seam: off, only the 128-bit paths run, as on a processor without the wider registers
  // (both give the same pixels).
  static void AllowWide(bool on);
};

}  // namespace platform
