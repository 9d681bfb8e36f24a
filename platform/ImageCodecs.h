#pragma once
// PNG and JPEG through libpng and libjpeg. Internal to platform/: callers use Image.h.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Image.h"

namespace platform {

// Largest picture accepted, so a hostile header cannot make us allocate gigabytes.
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = int64_t{1} << 25;
// Largest ancillary PNG chunk (text, profile, palette suggestions) libpng may allocate.
constexpr unsigned long kMaxPngChunkBytes = 8ul << 20;
// More scans than any real progressive JPEG has (encoders write about ten).
constexpr int kMaxJpegScans = 500;

// nullptr on anything but a complete, sane picture of that format.
PixmapPtr DecodePng(const uint8_t* data, size_t size);
PixmapPtr DecodeJpeg(const uint8_t* data, size_t size);
bool IsPng(const uint8_t* data, size_t size);
bool IsJpeg(const uint8_t* data, size_t size);
// compression 0..9. RGBA when the pixmap has alpha, else RGB.
bool EncodePng(const Pixmap& pixmap, int compression, std::string& out);

}  // namespace platform
