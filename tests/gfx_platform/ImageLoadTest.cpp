// Pictures through the project's streams: PNG and JPEG decoding, masking, animation strips,
// handles, and hostile files.
#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <jpeglib.h>

#include <sys/resource.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "GfxFixture.h"
#include "platform/Stream.h"

using namespace platform;

namespace {

std::string TempPath(const std::string& name) { return testrig::MakeTempDir("img") + "/" + name; }

// A PNG written directly with libpng, for the colour types SavePixmapPNG never produces.
std::string EncodeRawPng(int w, int h, int colorType, int bitDepth, const std::vector<uint8_t>& data,
                         const std::vector<png_color>& palette = {},
                         const std::vector<uint8_t>& trns = {}) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep bytes, png_size_t n) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(bytes), n);
      },
      nullptr);
  png_set_IHDR(png, info, w, h, bitDepth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!trns.empty()) png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
  const size_t rowBytes = data.size() / static_cast<size_t>(h);
  std::vector<png_bytep> rows;
  for (int y = 0; y < h; ++y) rows.push_back(const_cast<png_bytep>(data.data() + y * rowBytes));
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A baseline JPEG of 8 by 8 blocks of flat colour (exact after decoding up to rounding), or a
// progressive one by libjpeg's own script or the scans given.
std::string EncodeJpeg(int w, int h, const std::vector<uint8_t>& rgb, bool progressive = false,
                       const std::vector<jpeg_scan_info>& scans = {}, bool adobe = false) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  if (!scans.empty()) {
    jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);  // the scans given name one component
    cinfo.scan_info = scans.data();
    cinfo.num_scans = static_cast<int>(scans.size());
  }
  cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + cinfo.next_scanline * w * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

// 16 by 8: a black block on the left, a white one on the right.
std::string BlackWhiteJpeg() {
  std::vector<uint8_t> rgb(16 * 8 * 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      for (int c = 0; c < 3; ++c) rgb[(y * 16 + x) * 3 + c] = x < 8 ? 0 : 255;
  return EncodeJpeg(16, 8, rgb);
}

// One PNG chunk: length, type, data and CRC.
std::string PngChunk(const char* type, const std::string& data) {
  std::string chunk;
  const uint32_t length = static_cast<uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<char>(length >> shift));
  chunk += std::string(type, 4) + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), static_cast<uInt>(chunk.size() - 4));
  for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(static_cast<char>(crc >> shift));
  return chunk;
}

// The largest resident size this process has reached, in bytes.
long PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024L;
}

PixmapPtr Checker(bool alpha) {
  auto p = std::make_shared<Pixmap>(4, 2, 0u);
  p->WritePixel(0, 0, 0xFF000000u);  // black: the default mask colour
  p->WritePixel(1, 0, 0xFFFF00FFu);  // magenta
  p->WritePixel(2, 0, 0xFF010000u);  // almost black
  p->WritePixel(3, 0, 0xFF336699u);
  p->WritePixel(0, 1, alpha ? 0x00123456u : 0xFF000000u);  // transparent, colour kept
  p->WritePixel(1, 1, alpha ? 0x80FFFFFFu : 0xFFFFFFFFu);
  p->WritePixel(2, 1, 0xFF000000u);
  p->WritePixel(3, 1, 0xFFFF00FFu);
  p->SetHasAlpha(alpha);
  return p;
}

}  // namespace

TEST(ImageLoad, PngRoundTripKeepsEveryPixelIncludingTransparentOnes) {
  const std::string path = TempPath("rgba.png");
  PixmapPtr original = Checker(true);
  ASSERT_TRUE(SavePixmapPNG(*original, S(path)));
  PixmapPtr loaded = LoadPixmap(S(path));
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded->HasAlpha());
  ASSERT_EQ(loaded->Width(), 4);
  ASSERT_EQ(loaded->Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(loaded->ReadPixel(x, y), original->ReadPixel(x, y)) << x << "," << y;
  EXPECT_EQ(loaded->ReadPixel(-1, 0), 0u);
  EXPECT_EQ(loaded->ReadPixel(4, 0), 0u);
}

TEST(ImageLoad, PngWithoutAlphaIsMaskedByTheMaskColourOnly) {
  const std::string path = TempPath("rgb.png");
  ASSERT_TRUE(SavePixmapPNG(*Checker(false), S(path)));
  PixmapPtr plain = LoadPixmap(S(path));
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->HasAlpha());

  ImagePtr masked = LoadImage(S(path));  // default flags: masked + filtered
  ASSERT_TRUE(masked);
  EXPECT_EQ(masked->flags, MASKEDIMAGE | FILTEREDIMAGE);
  const Pixmap& m = *masked->frames[0];
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const uint32_t p = plain->ReadPixel(x, y);
      const uint32_t expected = (p & 0xFFFFFFu) == 0 ? (p & 0xFFFFFFu) : p;
      EXPECT_EQ(m.ReadPixel(x, y), expected) << x << "," << y;
    }

  ImagePtr unmasked = LoadImage(S(path), 0);
  EXPECT_EQ(unmasked->frames[0]->ReadPixel(0, 0), 0xFF000000u);

  // Another mask colour, captured when the picture is loaded.
  SetMaskColor(255, 0, 255);
  ImagePtr magenta = LoadImage(S(path), MASKEDIMAGE);
  SetMaskColor(0, 0, 0);
  EXPECT_EQ(magenta->maskColor, 0xFF00FFu);
  EXPECT_EQ(magenta->frames[0]->ReadPixel(1, 0), 0x00FF00FFu);
  EXPECT_EQ(magenta->frames[0]->ReadPixel(3, 1), 0x00FF00FFu);
  EXPECT_EQ(magenta->frames[0]->ReadPixel(0, 0), 0xFF000000u);
  int r, g, b;
  GetMaskColor(r, g, b);
  EXPECT_EQ(r + g + b, 0);
}

TEST(ImageLoad, PicturesWithAlphaAreNeverMasked) {
  const std::string path = TempPath("alpha.png");
  ASSERT_TRUE(SavePixmapPNG(*Checker(true), S(path)));
  ImagePtr image = LoadImage(S(path), MASKEDIMAGE);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->frames[0]->ReadPixel(0, 0), 0xFF000000u);
  EXPECT_EQ(image->frames[0]->ReadPixel(0, 1), 0x00123456u);
}

TEST(ImageLoad, PaletteGreyAndSixteenBitPngsExpandToArgb) {
  // A palette picture whose tRNS chunk makes entry 0 transparent: that is an alpha channel.
  const std::vector<png_color> palette = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}};
  const std::string indexed =
      EncodeRawPng(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}, palette, std::vector<uint8_t>{0});
  PixmapPtr p = LoadPixmapFromMemory(indexed.data(), indexed.size());
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->HasAlpha());
  EXPECT_EQ(p->ReadPixel(0, 0), 0x00000000u);
  EXPECT_EQ(p->ReadPixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(p->ReadPixel(2, 0), 0xFF0000FFu);

  const std::string grey = EncodeRawPng(2, 1, PNG_COLOR_TYPE_GRAY, 16, {0x80, 0x00, 0xFF, 0xFF});
  p = LoadPixmapFromMemory(grey.data(), grey.size());
  ASSERT_TRUE(p);
  EXPECT_FALSE(p->HasAlpha());
  EXPECT_EQ(p->ReadPixel(0, 0), 0xFF808080u);
  EXPECT_EQ(p->ReadPixel(1, 0), 0xFFFFFFFFu);

  const std::string greyAlpha = EncodeRawPng(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80});
  p = LoadPixmapFromMemory(greyAlpha.data(), greyAlpha.size());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->ReadPixel(0, 0), 0x80404040u);
}

TEST(ImageLoad, JpegDecodesAndIsMaskedAsAPictureWithoutAlpha) {
  const std::string path = TempPath("blocks.jpg");
  testrig::WriteFileBytes(path, BlackWhiteJpeg());
  PixmapPtr pixmap = LoadPixmap(S(path));
  ASSERT_TRUE(pixmap);
  EXPECT_FALSE(pixmap->HasAlpha());
  EXPECT_EQ(pixmap->Width(), 16);
  EXPECT_EQ(pixmap->Height(), 8);
  EXPECT_PIXEL_NEAR(pixmap->ReadPixel(3, 3), 0xFF000000u);
  EXPECT_PIXEL_NEAR(pixmap->ReadPixel(12, 3), 0xFFFFFFFFu);

  ImagePtr image = LoadImage(S(path));
  ASSERT_TRUE(image);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint32_t p = image->frames[0]->ReadPixel(x, y);
      EXPECT_EQ(p >> 24, (pixmap->ReadPixel(x, y) & 0xFFFFFFu) == 0 ? 0u : 255u) << x << "," << y;
    }
}

TEST(ImageLoad, AnimImageCutsCellsRowByRow) {
  // Three cells across, two down, each 4 by 2 and filled with its own number.
  Pixmap sheet(12, 4, 0u);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 12; ++x) sheet.WritePixel(x, y, 0xFF000000u | static_cast<uint32_t>((y / 2) * 3 + x / 4 + 1));
  const std::string path = TempPath("strip.png");
  ASSERT_TRUE(SavePixmapPNG(sheet, S(path)));

  ImagePtr anim = LoadAnimImage(S(path), 4, 2, 1, 4, 0);
  ASSERT_TRUE(anim);
  ASSERT_EQ(anim->FrameCount(), 4);
  EXPECT_EQ(ImageWidth(anim), 4);
  EXPECT_EQ(ImageHeight(anim), 2);
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(anim->frames[f]->ReadPixel(0, 0), 0xFF000000u | static_cast<uint32_t>(f + 2)) << f;
    EXPECT_EQ(anim->frames[f]->ReadPixel(3, 1), 0xFF000000u | static_cast<uint32_t>(f + 2)) << f;
  }
  EXPECT_TRUE(LoadAnimImage(S(path), 4, 2, 0, 6, 0));
  EXPECT_FALSE(LoadAnimImage(S(path), 4, 2, 1, 6, 0));  // one cell short
  EXPECT_FALSE(LoadAnimImage(S(path), 5, 2, 0, 6, 0));  // only two cells fit across
  EXPECT_FALSE(LoadAnimImage(S(path), 0, 2, 0, 1, 0));
  EXPECT_FALSE(LoadAnimImage(S(path), 4, 2, -1, 2, 0));
  EXPECT_FALSE(LoadAnimImage(S(path), 4, 2, 0, 0, 0));
}

TEST(ImageLoad, AutoMidHandleIsOffUntilSet) {
  const std::string path = TempPath("handle.png");
  ASSERT_TRUE(SavePixmapPNG(Pixmap(10, 6, 0xFFFFFFFFu), S(path)));
  EXPECT_FALSE(AutoMidHandleEnabled());
  ImagePtr plain = LoadImage(S(path));
  EXPECT_EQ(plain->handleX, 0.0f);
  EXPECT_EQ(plain->handleY, 0.0f);
  AutoMidHandle(true);
  ImagePtr centred = LoadImage(S(path));
  ImagePtr created = CreateImage(7, 3);
  ImagePtr anim = LoadAnimImage(S(path), 5, 3, 0, 4);
  AutoMidHandle(false);
  EXPECT_EQ(centred->handleX, 5.0f);
  EXPECT_EQ(centred->handleY, 3.0f);
  EXPECT_EQ(created->handleX, 3.5f);
  EXPECT_EQ(created->handleY, 1.5f);
  EXPECT_EQ(anim->handleX, 2.5f);
  EXPECT_EQ(LoadImage(S(path))->handleX, 0.0f);
  SetImageHandle(plain, 1, 2);
  EXPECT_EQ(plain->handleY, 2.0f);
  MidHandleImage(plain);
  EXPECT_EQ(plain->handleX, 5.0f);
}

TEST(ImageLoad, CreateImageIsTransparentBlack) {
  ImagePtr image = CreateImage(3, 2, 2, -1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->FrameCount(), 2);
  EXPECT_EQ(image->flags, 3);
  EXPECT_EQ(image->frames[1]->ReadPixel(2, 1), 0u);
  EXPECT_FALSE(CreateImage(0, 2));
  EXPECT_FALSE(CreateImage(2, 2, 0));
  EXPECT_FALSE(CreateImage(100000, 100000));
  EXPECT_FALSE(LockImage(image, 2));
  EXPECT_FALSE(LockImage(nullptr, 0));
  EXPECT_EQ(ImageWidth(nullptr), 0);
}

TEST(ImageLoad, BrokenFilesFailWithoutCrashing) {
  EXPECT_FALSE(LoadPixmap(S(TempPath("missing.png"))));
  EXPECT_FALSE(LoadImage(S(TempPath("missing.png"))));
  EXPECT_FALSE(LoadAnimImage(S(TempPath("missing.png")), 1, 1, 0, 1));
  EXPECT_FALSE(LoadPixmapFromMemory(nullptr, 0));
  EXPECT_FALSE(LoadPixmapFromMemory("", 0));
  EXPECT_FALSE(LoadPixmapFromMemory("GIF89a....", 10));

  std::string png;
  {
    const std::string path = TempPath("whole.png");
    Pixmap big(64, 64, 0u);
    for (int i = 0; i < 64 * 64; ++i) big.Pixels()[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u);
    ASSERT_TRUE(SavePixmapPNG(big, S(path)));
    png = testrig::ReadFileBytes(path);
  }
  // Cut anywhere: header, mid-chunk, just before the end.
  for (const size_t cut : {size_t{4}, size_t{8}, size_t{20}, size_t{33}, png.size() / 2, png.size() - 13})
    EXPECT_FALSE(LoadPixmapFromMemory(png.data(), cut)) << cut;
  // Corrupted image data.
  std::string flipped = png;
  for (size_t i = 60; i < flipped.size() - 20; i += 7) flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
  EXPECT_FALSE(LoadPixmapFromMemory(flipped.data(), flipped.size()));
  // A header that claims a picture far too large to allocate.
  std::string huge = png;
  huge[16] = 0x00;
  huge[17] = 0x01;  // width 65536 + ...
  EXPECT_FALSE(LoadPixmapFromMemory(huge.data(), huge.size()));
  std::string wide = EncodeRawPng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {0});
  wide[16] = 0x7F;  // width near 2^31
  EXPECT_FALSE(LoadPixmapFromMemory(wide.data(), wide.size()));

  const std::string jpeg = BlackWhiteJpeg();
  for (const size_t cut : {size_t{3}, size_t{40}, jpeg.size() / 2, jpeg.size() - 2})
    EXPECT_FALSE(LoadPixmapFromMemory(jpeg.data(), cut)) << cut;
  std::string garbage = jpeg.substr(0, 3) + std::string(200, '\x11');
  EXPECT_FALSE(LoadPixmapFromMemory(garbage.data(), garbage.size()));
  // A file on disk that is cut short fails through the stream path as well.
  const std::string path = TempPath("cut.jpg");
  testrig::WriteFileBytes(path, jpeg.substr(0, jpeg.size() / 2));
  EXPECT_FALSE(LoadImage(S(path)));
}

TEST(ImageLoad, PixmapRegionAndCopy) {
  Pixmap p(3, 3, 0u);
  p.WritePixel(2, 2, 0xFFABCDEFu);
  p.WritePixel(5, 5, 1u);  // outside: ignored
  PixmapPtr region = p.Region(1, 1, 4, 4);
  EXPECT_EQ(region->Width(), 4);
  EXPECT_EQ(region->ReadPixel(1, 1), 0xFFABCDEFu);
  EXPECT_EQ(region->ReadPixel(3, 3), 0u);
  PixmapPtr copy = p.Copy();
  copy->WritePixel(2, 2, 0u);
  EXPECT_EQ(p.ReadPixel(2, 2), 0xFFABCDEFu);
  Pixmap negative(-5, 3);
  EXPECT_EQ(negative.Width(), 0);
}

TEST(ImageLoad, HostilePicturesAreRefusedWithoutLargeAllocations) {
  const std::string png = EncodeRawPng(2, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(12, 0x80));
  const size_t ihdrEnd = 8 + 25;

  // A text chunk that declares 1.9 GB: the file ends right after its header (41 bytes).
  std::string hugeText = png.substr(0, ihdrEnd) + std::string("\x71\x00\x00\x00tEXt", 8);
  // One that is really there but larger than any picture's text needs.
  std::string bigText = png.substr(0, ihdrEnd) +
                        PngChunk("tEXt", std::string("Comment\0", 8) + std::string(9 << 20, 'x')) +
                        png.substr(ihdrEnd);
  std::string smallText = png.substr(0, ihdrEnd) +
                          PngChunk("tEXt", std::string("Comment\0", 8) + "drawn by hand") +
                          png.substr(ihdrEnd);

  // A baseline header for 16384 by 2048 with no image data after the scan header.
  std::string flat(16 * 16 * 3, '\x60');
  const std::string baseline = EncodeJpeg(16, 16, std::vector<uint8_t>(flat.begin(), flat.end()));
  const size_t sof = baseline.find("\xFF\xC0");
  const size_t sos = baseline.find("\xFF\xDA");
  ASSERT_NE(sof, std::string::npos);
  ASSERT_NE(sos, std::string::npos);
  const size_t sosLength = (static_cast<uint8_t>(baseline[sos + 2]) << 8) | static_cast<uint8_t>(baseline[sos + 3]);
  std::string headerOnly = baseline.substr(0, sos + 2 + sosLength) + "\xFF\xD9";
  headerOnly[sof + 5] = '\x08';  // height 2048
  headerOnly[sof + 6] = '\x00';
  headerOnly[sof + 7] = '\x40';  // width 16384
  headerOnly[sof + 8] = '\x00';

  // A progressive grey picture refined one bit at a time over every coefficient: 704 scans,
  // nearly all of them empty, each a pass over the image for the decoder.
  std::vector<jpeg_scan_info> scans;
  for (int band = 0; band <= 63; ++band)
    for (int al = 10; al >= 0; --al) scans.push_back({1, {0, 0, 0, 0}, band, band, al == 10 ? 0 : al + 1, al});
  std::vector<uint8_t> grey(16 * 16 * 3, 0x60);
  const std::string manyScans = EncodeJpeg(16, 16, grey, true, scans);
  const std::string progressive = EncodeJpeg(16, 16, grey, true);

  // An Adobe marker with a colour transform code nobody knows: a harmless warning.
  std::string adobe = EncodeJpeg(16, 16, grey, false, {}, true);
  const size_t app14 = adobe.find("Adobe");
  ASSERT_NE(app14, std::string::npos);
  adobe[app14 + 11] = '\x07';

  const struct {
    const char* what;
    const std::string& bytes;
    bool loads;
  } cases[] = {
      {"valid PNG", png, true},
      {"small text chunk", smallText, true},
      {"text chunk past the end", hugeText, false},
      {"9 MB text chunk", bigText, false},
      {"valid baseline JPEG", baseline, true},
      {"valid progressive JPEG", progressive, true},
      {"unknown Adobe transform", adobe, true},
      {"JPEG header without data", headerOnly, false},
      {"704 progressive scans", manyScans, false},
  };
  EXPECT_EQ(hugeText.size(), 41u);
  EXPECT_GT(manyScans.size(), 0u);
  const long peakBefore = PeakResidentBytes();
  for (const auto& c : cases) {
    PixmapPtr p = LoadPixmapFromMemory(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(static_cast<bool>(p), c.loads) << c.what;
    if (p) {
      EXPECT_PIXEL_NEAR(p->ReadPixel(1, 1), c.bytes[1] == 'P' ? 0xFF808080u : 0xFF606060u) << c.what;
    }
  }
  // Refusing costs no more than the bytes at hand (the 9 MB chunk is read once, in place).
  EXPECT_LT(PeakResidentBytes() - peakBefore, 48L << 20);
}
