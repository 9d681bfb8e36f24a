#pragma once
// Pixmaps (pixels in memory) and images (frames drawn by the renderer).
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/String.h"

namespace platform {

// 32-bit pixels, 0xAARRGGBB, unpremultiplied, row-major, no padding.
class Pixmap {
 public:
  Pixmap() = default;
  Pixmap(int width, int height, uint32_t fill = 0);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Outside the pixmap: 0.
  uint32_t ReadPixel(int x, int y) const;
  void WritePixel(int x, int y, uint32_t argb);
  uint32_t* Pixels() { return pixels_.data(); }
  const uint32_t* Pixels() const { return pixels_.data(); }
  // Whether the source picture carried an alpha channel (masking applies only without one).
  bool HasAlpha() const { return hasAlpha_; }
  void SetHasAlpha(bool on) { hasAlpha_ = on; }
  std::shared_ptr<Pixmap> Copy() const;
  // A w by h region (clipped), transparent outside the source.
  std::shared_ptr<Pixmap> Region(int x, int y, int w, int h) const;

 private:
  int width_ = 0;
  int height_ = 0;
  bool hasAlpha_ = true;
  std::vector<uint32_t> pixels_;
};
using PixmapPtr = std::shared_ptr<Pixmap>;

// PNG or JPEG (by content), through the project's streams. nullptr on failure.
PixmapPtr LoadPixmap(StringView path);
PixmapPtr LoadPixmapFromMemory(const void* data, size_t size);
// compression 0..9.
bool SavePixmapPNG(const Pixmap& pixmap, StringView path, int compression = 9);

enum ImageFlags { MASKEDIMAGE = 1, FILTEREDIMAGE = 2, MIPMAPPEDIMAGE = 4, DEFAULT_IMAGE_FLAGS = -1 };

class ImageTextures;  // renderer side, owned by the image

// An image: one or more frames of equal size, a handle (the point put at the draw position)
// and its load flags. Textures are made on first draw (or CreateFrames; in a window, pictures
// read from files at once) and survive display changes. Once a frame is a texture of a
// window's renderer its pixels are let go (the texture is the one copy); LockImage brings
// them back and they stay from then on.
class Image {
 public:
  Image(int width, int height, int frames, int flags);
  ~Image();
  int width = 0;
  int height = 0;
  float handleX = 0;
  float handleY = 0;
  int flags = 0;  // after resolving -1
  uint32_t maskColor = 0;  // 0x00RRGGBB captured at load time
  std::vector<PixmapPtr> frames;  // a frame let go is null: LockImage reads it
  // Set once the pixels have been asked for again: they are no longer let go.
  bool keepPixels = false;
  // Whether the pixels let go came with an alpha channel (they come back the same).
  bool pixelsHadAlpha = true;
  int FrameCount() const { return static_cast<int>(frames.size()); }
  // Renderer side; platform use only.
  std::unique_ptr<ImageTextures> textures;
  // Marks a frame's pixels changed so its texture is rebuilt.
  void Invalidate(int frame);
};
using ImagePtr = std::shared_ptr<Image>;

// flags: 1 masked, 2 filtered, 4 mipmapped; -1 = the default (3); 0 = none.
ImagePtr LoadImage(StringView path, int flags = DEFAULT_IMAGE_FLAGS);
// Cells cut left to right, then top to bottom; fails when the picture holds fewer than first+count.
ImagePtr LoadAnimImage(StringView path, int cellWidth, int cellHeight, int firstCell, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadImageFromPixmap(const PixmapPtr& pixmap, int flags = DEFAULT_IMAGE_FLAGS);
// Blank (transparent black) frames.
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = DEFAULT_IMAGE_FLAGS);

void SetImageHandle(const ImagePtr& image, float x, float y);
void MidHandleImage(const ImagePtr& image);
// While on, every image loaded or created gets a centred handle. Off at start.
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();
// Pictures without alpha loaded masked lose exactly the pixels of this colour. Black at start.
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
int ImageWidth(const ImagePtr& image);
int ImageHeight(const ImagePtr& image);

// The frame's pixels for reading or writing; UnlockImage makes the change visible. Pixels let
// go in a window are read back from the frame's texture (null only when that fails), and the
// image keeps them from then on.
PixmapPtr LockImage(const ImagePtr& image, int frame = 0);
void UnlockImage(const ImagePtr& image, int frame = 0);
// Uploads the textures now (no-op without a display).
void CreateFrames(const ImagePtr& image);

}  // namespace platform
