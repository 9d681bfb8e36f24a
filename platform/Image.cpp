#include "platform/Image.h"

#include <algorithm>

#include "platform/ImageCodecs.h"
#include "platform/ImageTextures.h"
#include "platform/Renderer.h"
#include "platform/Stream.h"

namespace platform {

namespace {

bool g_autoMidHandle = false;
uint32_t g_maskColor = 0;  // 0x00RRGGBB

int ResolveFlags(int flags) { return flags == DEFAULT_IMAGE_FLAGS ? (MASKEDIMAGE | FILTEREDIMAGE) : flags; }

// Pictures without an alpha channel lose exactly the pixels of the mask colour.
void ApplyMask(Pixmap& pixmap, uint32_t maskColor) {
  uint32_t* p = pixmap.Pixels();
  const size_t count = static_cast<size_t>(pixmap.Width()) * static_cast<size_t>(pixmap.Height());
  for (size_t i = 0; i < count; ++i)
    if ((p[i] & 0x00FFFFFFu) == maskColor) p[i] &= 0x00FFFFFFu;
}

// Every frame gets its drawing slot with the image, so no draw has to make one.
ImagePtr WithSlots(ImagePtr image) {
  image->textures = std::make_unique<ImageTextures>(image->FrameCount());
  return image;
}

// A picture read from a file becomes a texture at once in a window, so its pixels are let go
// before the next picture is decoded rather than all living until their first draw.
ImagePtr UploadAndDropPixels(ImagePtr image) {
  if (!Renderer::Get().Software()) Renderer::Get().Upload(*image);
  return image;
}

// Takes ownership of a freshly decoded pixmap.
ImagePtr ImageFromOwnedPixmap(PixmapPtr pixmap, int flags) {
  if (!pixmap || pixmap->Width() <= 0 || pixmap->Height() <= 0) return nullptr;
  flags = ResolveFlags(flags);
  auto image = std::make_shared<Image>(pixmap->Width(), pixmap->Height(), 0, flags);
  image->maskColor = g_maskColor;
  if ((flags & MASKEDIMAGE) && !pixmap->HasAlpha()) ApplyMask(*pixmap, image->maskColor);
  image->frames.push_back(std::move(pixmap));
  return WithSlots(std::move(image));
}

}  // namespace

// --- Pixmap ---

Pixmap::Pixmap(int width, int height, uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

uint32_t Pixmap::ReadPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Pixmap::WritePixel(int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = argb;
}

std::shared_ptr<Pixmap> Pixmap::Copy() const { return std::make_shared<Pixmap>(*this); }

std::shared_ptr<Pixmap> Pixmap::Region(int x, int y, int w, int h) const {
  auto out = std::make_shared<Pixmap>(w, h, 0u);
  out->hasAlpha_ = hasAlpha_;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + out->width_, width_), y1 = std::min(y + out->height_, height_);
  for (int row = y0; row < y1; ++row)
    for (int col = x0; col < x1; ++col)
      out->pixels_[static_cast<size_t>(row - y) * static_cast<size_t>(out->width_) +
                   static_cast<size_t>(col - x)] =
          pixels_[static_cast<size_t>(row) * static_cast<size_t>(width_) + static_cast<size_t>(col)];
  return out;
}

PixmapPtr LoadPixmapFromMemory(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (IsPng(bytes, size)) return DecodePng(bytes, size);
  if (IsJpeg(bytes, size)) return DecodeJpeg(bytes, size);
  return nullptr;
}

PixmapPtr LoadPixmap(StringView path) {
  std::string bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  return LoadPixmapFromMemory(bytes.data(), bytes.size());
}

bool SavePixmapPNG(const Pixmap& pixmap, StringView path, int compression) {
  std::string bytes;
  return EncodePng(pixmap, compression, bytes) && SaveBytes(path, bytes);
}

// --- Image ---

Image::Image(int width, int height, int frameCount, int flags)
    : width(std::max(width, 0)), height(std::max(height, 0)), flags(ResolveFlags(flags)) {
  for (int i = 0; i < frameCount; ++i) frames.push_back(std::make_shared<Pixmap>(this->width, this->height, 0u));
  if (g_autoMidHandle) {
    handleX = static_cast<float>(this->width) / 2;
    handleY = static_cast<float>(this->height) / 2;
  }
}

Image::~Image() = default;

void Image::Invalidate(int frame) {
  if (textures) textures->Invalidate(frame);
}

ImagePtr LoadImage(StringView path, int flags) {
  ImagePtr image = ImageFromOwnedPixmap(LoadPixmap(path), flags);
  return image ? UploadAndDropPixels(std::move(image)) : nullptr;
}

ImagePtr LoadImageFromPixmap(const PixmapPtr& pixmap, int flags) {
  if (!pixmap) return nullptr;
  return ImageFromOwnedPixmap(pixmap->Copy(), flags);
}

ImagePtr LoadAnimImage(StringView path, int cellWidth, int cellHeight, int firstCell, int count,
                       int flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || count <= 0) return nullptr;
  PixmapPtr sheet = LoadPixmap(path);
  if (!sheet) return nullptr;
  const int across = sheet->Width() / cellWidth;
  const int down = sheet->Height() / cellHeight;
  if (static_cast<int64_t>(firstCell) + count > static_cast<int64_t>(across) * down) return nullptr;
  flags = ResolveFlags(flags);
  auto image = std::make_shared<Image>(cellWidth, cellHeight, 0, flags);
  image->maskColor = g_maskColor;
  if ((flags & MASKEDIMAGE) && !sheet->HasAlpha()) ApplyMask(*sheet, image->maskColor);
  for (int cell = firstCell; cell < firstCell + count; ++cell)
    image->frames.push_back(
        sheet->Region((cell % across) * cellWidth, (cell / across) * cellHeight, cellWidth, cellHeight));
  return UploadAndDropPixels(WithSlots(std::move(image)));
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  if (static_cast<int64_t>(width) * height * frames > kMaxPicturePixels) return nullptr;
  auto image = std::make_shared<Image>(width, height, frames, flags);
  image->maskColor = g_maskColor;
  return WithSlots(std::move(image));
}

void SetImageHandle(const ImagePtr& image, float x, float y) {
  if (!image) return;
  image->handleX = x;
  image->handleY = y;
}

void MidHandleImage(const ImagePtr& image) {
  if (!image) return;
  image->handleX = static_cast<float>(image->width) / 2;
  image->handleY = static_cast<float>(image->height) / 2;
}

void AutoMidHandle(bool on) { g_autoMidHandle = on; }

bool AutoMidHandleEnabled() { return g_autoMidHandle; }

void SetMaskColor(int r, int g, int b) {
  g_maskColor = (static_cast<uint32_t>(std::clamp(r, 0, 255)) << 16) |
                (static_cast<uint32_t>(std::clamp(g, 0, 255)) << 8) |
                static_cast<uint32_t>(std::clamp(b, 0, 255));
}

void GetMaskColor(int& r, int& g, int& b) {
  r = static_cast<int>((g_maskColor >> 16) & 0xFF);
  g = static_cast<int>((g_maskColor >> 8) & 0xFF);
  b = static_cast<int>(g_maskColor & 0xFF);
}

int ImageWidth(const ImagePtr& image) { return image ? image->width : 0; }

int ImageHeight(const ImagePtr& image) { return image ? image->height : 0; }

PixmapPtr LockImage(const ImagePtr& image, int frame) {
  if (!image || frame < 0 || frame >= image->FrameCount()) return nullptr;
  Renderer::Get().RestorePixels(*image, frame);
  return image->frames[static_cast<size_t>(frame)];
}

void UnlockImage(const ImagePtr& image, int frame) {
  if (image) image->Invalidate(frame);
}

void CreateFrames(const ImagePtr& image) {
  if (image) Renderer::Get().Upload(*image);
}

}  // namespace platform
