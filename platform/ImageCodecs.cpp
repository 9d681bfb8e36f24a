#include "platform/ImageCodecs.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace platform {

// libpng and libjpeg report errors by longjmp. Each function that calls setjmp below holds
// nothing with a destructor, so jumping out of the libraries skips no C++ cleanup.

namespace {

bool SaneSize(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide &&
         w * h <= kMaxPicturePixels;
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// --- PNG ---

struct PngSource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void PngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > source->size - source->pos) png_error(png, "truncated");
  std::memcpy(out, source->data + source->pos, count);
  source->pos += count;
}

void PngWrite(png_structp png, png_bytep data, png_size_t count) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), count);
}

void PngFlush(png_structp) {}

[[noreturn]] void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void PngWarn(png_structp, png_const_charp) {}

// Every chunk must fit in the data we hold: libpng would otherwise allocate (and zero) what a
// tiny file merely declares before finding out the bytes are not there.
bool PngChunksFit(const uint8_t* data, size_t size) {
  size_t pos = 8;
  while (size - pos >= 8) {
    const uint32_t length = BigEndian32(data + pos);
    if (length > 0x7FFFFFFFu || length + size_t{12} > size - pos) return false;
    if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
    pos += length + size_t{12};
  }
  return false;  // no IEND: cut short
}

bool PngReadAll(png_structp png, png_infop info, PngSource* source) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, PngRead);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  // On read, libpng only warns about an ancillary chunk too large to hold or a damaged profile;
  // here a damaged file is a failed load, and no text chunk needs more than a few megabytes.
  png_set_benign_errors(png, 0);
  png_set_chunk_malloc_max(png, kMaxPngChunkBytes);
  // 8-bit RGB or RGBA whatever the file holds; tRNS becomes a real alpha channel.
  png_read_png(png, info,
               PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_PACKING | PNG_TRANSFORM_EXPAND |
                   PNG_TRANSFORM_GRAY_TO_RGB,
               nullptr);
  return true;
}

bool PngWriteAll(png_structp png, png_infop info, std::string* out, png_uint_32 width,
                 png_uint_32 height, bool alpha, int compression, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, PngWrite, PngFlush);
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, compression);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

// --- JPEG ---

struct JpegErrors {
  jpeg_error_mgr manager;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  bool decoding;  // past the headers: the scans are being read
};

[[noreturn]] void JpegFail(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

// Warnings that mean the image data is missing or damaged. libjpeg decodes on through them,
// padding with grey, so a header with no data at all would "load" as a blank picture.
bool DamagedData(int code, bool decoding) {
  switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
      return true;
    case JWRN_EXTRANEOUS_DATA:
      // Padding between header segments is harmless; garbage after a scan's data is not.
      return decoding;
    default:
      return false;
  }
}

void JpegMessage(j_common_ptr cinfo, int level) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  if (level < 0 && DamagedData(cinfo->err->msg_code, errors->decoding))
    std::longjmp(errors->jump, 1);
}

// A progressive file may hold any number of scans, each of which costs a pass over the image.
void JpegProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans)
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

void JpegSilent(j_common_ptr) {}

bool JpegHeader(jpeg_decompress_struct* cinfo, JpegErrors* errors, const uint8_t* data, size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(cinfo);  // clears everything but the error manager
  errors->progress.progress_monitor = JpegProgress;
  cinfo->progress = &errors->progress;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  return true;
}

uint32_t* NewJpegPixmap(PixmapPtr* out, JDIMENSION width, JDIMENSION height) {
  *out = std::make_shared<Pixmap>(static_cast<int>(width), static_cast<int>(height), 0u);
  return (*out)->Pixels();
}

bool JpegPixels(jpeg_decompress_struct* cinfo, JpegErrors* errors, PixmapPtr* out,
                JDIMENSION width, JDIMENSION height) {
  if (setjmp(errors->jump)) return false;
  errors->decoding = true;
  jpeg_start_decompress(cinfo);
  const int components = cinfo->output_components;
  if (cinfo->output_width != width || cinfo->output_height != height ||
      (components != 3 && components != 4))
    return false;
  JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                               width * static_cast<JDIMENSION>(components), 1);
  // Adobe writes CMYK inverted, which is what nearly every CMYK JPEG is.
  const bool inverted = cinfo->saw_Adobe_marker;
  uint32_t* pixels = nullptr;
  while (cinfo->output_scanline < height) {
    const size_t y = cinfo->output_scanline;
    if (jpeg_read_scanlines(cinfo, row, 1) != 1) return false;
    // Made once the first row has decoded, so a header with no data behind it costs nothing.
    if (!pixels) pixels = NewJpegPixmap(out, width, height);
    uint32_t* dst = pixels + y * width;
    const JSAMPLE* p = row[0];
    for (JDIMENSION x = 0; x < width; ++x, p += components) {
      uint32_t r, g, b;
      if (components == 3) {
        r = p[0];
        g = p[1];
        b = p[2];
      } else {
        uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          y = 255 - y;
          k = 255 - k;
        }
        r = c * k / 255;
        g = m * k / 255;
        b = y * k / 255;
      }
      dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(cinfo);
  return pixels != nullptr;
}

}  // namespace

bool IsPng(const uint8_t* data, size_t size) {
  return data && size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool IsJpeg(const uint8_t* data, size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

PixmapPtr DecodePng(const uint8_t* data, size_t size) {
  if (!IsPng(data, size)) return nullptr;
  // The first chunk must be IHDR; refuse absurd sizes before libpng allocates the rows.
  if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return nullptr;
  if (!SaneSize(BigEndian32(data + 16), BigEndian32(data + 20))) return nullptr;
  if (!PngChunksFit(data, size)) return nullptr;

  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngWarn);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  PngSource source{data, size, 0};
  PixmapPtr result;
  if (PngReadAll(png, info, &source)) {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    const int channels = png_get_channels(png, info);
    png_bytepp rows = png_get_rows(png, info);
    if (rows && bitDepth == 8 && (channels == 3 || channels == 4) && SaneSize(width, height)) {
      result = std::make_shared<Pixmap>(static_cast<int>(width), static_cast<int>(height), 0u);
      uint32_t* dst = result->Pixels();
      for (png_uint_32 y = 0; y < height; ++y) {
        const png_byte* p = rows[y];
        for (png_uint_32 x = 0; x < width; ++x, p += channels) {
          const uint32_t a = channels == 4 ? p[3] : 0xFFu;
          *dst++ = (a << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | uint32_t{p[2]};
        }
      }
      result->SetHasAlpha(channels == 4);
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return result;
}

PixmapPtr DecodeJpeg(const uint8_t* data, size_t size) {
  if (!IsJpeg(data, size)) return nullptr;
  jpeg_decompress_struct cinfo{};
  JpegErrors errors{};
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = JpegFail;
  errors.manager.emit_message = JpegMessage;
  errors.manager.output_message = JpegSilent;
  PixmapPtr result;
  if (JpegHeader(&cinfo, &errors, data, size) && SaneSize(cinfo.image_width, cinfo.image_height)) {
    PixmapPtr pixmap;
    if (JpegPixels(&cinfo, &errors, &pixmap, cinfo.image_width, cinfo.image_height)) {
      pixmap->SetHasAlpha(false);
      result = std::move(pixmap);
    }
  }
  jpeg_destroy_decompress(&cinfo);
  return result;
}

bool EncodePng(const Pixmap& pixmap, int compression, std::string& out) {
  const int width = pixmap.Width(), height = pixmap.Height();
  if (width <= 0 || height <= 0) return false;
  const bool alpha = pixmap.HasAlpha();
  const size_t channels = alpha ? 4 : 3;
  std::vector<png_byte> bytes(static_cast<size_t>(width) * static_cast<size_t>(height) * channels);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  const uint32_t* src = pixmap.Pixels();
  png_byte* dst = bytes.data();
  for (int y = 0; y < height; ++y) {
    rows[static_cast<size_t>(y)] = dst;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = *src++;
      *dst++ = static_cast<png_byte>(p >> 16);
      *dst++ = static_cast<png_byte>(p >> 8);
      *dst++ = static_cast<png_byte>(p);
      if (alpha) *dst++ = static_cast<png_byte>(p >> 24);
    }
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngWarn);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  out.clear();
  const bool ok = PngWriteAll(png, info, &out, static_cast<png_uint_32>(width),
                              static_cast<png_uint_32>(height), alpha,
                              std::clamp(compression, 0, 9), rows.data());
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace platform
