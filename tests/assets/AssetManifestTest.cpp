// Checks the generated data folder against tools/assetgen/manifest.tsv: every
// file present under its exact name, pictures of the listed pixel size and
// layout, sounds and music that decode, the font, the settings template and
// the branding folder.

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <vorbis/vorbisfile.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestRig.h"

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string path, kind;
    int width = 0, height = 0, cellW = 0, cellH = 0, frames = 1;
    double minSec = 0, maxSec = 0;
};

int num(const std::string& s) { return (s.empty() || s == "-") ? 0 : std::stoi(s); }

// The entries of one "@out" section of the manifest: the data folder's ("resources", the
// default) or the build folder's ("build").
std::vector<Entry> LoadManifest(const std::string& root = "resources") {
    std::vector<Entry> out;
    std::ifstream in(std::string(LV_SOURCE_DIR) + "/tools/assetgen/manifest.tsv");
    std::string line;
    std::string section = "resources";
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> c;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t')) c.push_back(cell);
        if (c.size() >= 2 && c[0] == "@out") section = c[1];
        if (c.size() < 8 || section != root) continue;
        Entry e;
        e.path = c[0];
        e.kind = c[1];
        e.width = num(c[2]);
        e.height = num(c[3]);
        e.cellW = num(c[4]);
        e.cellH = num(c[5]);
        e.frames = std::max(1, num(c[6]));
        if (c[7] != "-") {
            const auto dash = c[7].find('-');
            e.minSec = std::stod(c[7].substr(0, dash));
            e.maxSec = std::stod(c[7].substr(dash + 1));
        }
        out.push_back(e);
    }
    return out;
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t Be32(const std::string& b, size_t at) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(b[at])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3]));
}
uint32_t Le32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}
uint16_t Le16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

// Width, height and colour type from the IHDR chunk; false when not a PNG.
bool PngHeader(const std::string& b, int& w, int& h, int& depth, int& colourType) {
    static const char sig[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    if (b.size() < 33 || b.compare(0, 8, std::string(sig, 8)) != 0 || b.compare(12, 4, "IHDR") != 0) return false;
    w = static_cast<int>(Be32(b, 16));
    h = static_cast<int>(Be32(b, 20));
    depth = static_cast<unsigned char>(b[24]);
    colourType = static_cast<unsigned char>(b[25]);
    return true;
}

// Size from the first start-of-frame marker; false when not a JPEG.
bool JpegHeader(const std::string& b, int& w, int& h) {
    if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF || static_cast<unsigned char>(b[1]) != 0xD8) return false;
    size_t i = 2;
    while (i + 9 < b.size()) {
        if (static_cast<unsigned char>(b[i]) != 0xFF) return false;
        const int marker = static_cast<unsigned char>(b[i + 1]);
        const size_t len = (static_cast<size_t>(static_cast<unsigned char>(b[i + 2])) << 8) | static_cast<unsigned char>(b[i + 3]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            h = (static_cast<unsigned char>(b[i + 5]) << 8) | static_cast<unsigned char>(b[i + 6]);
            w = (static_cast<unsigned char>(b[i + 7]) << 8) | static_cast<unsigned char>(b[i + 8]);
            return true;
        }
        i += 2 + len;
    }
    return false;
}

// Decoded RGBA rows of a PNG through libpng.
bool DecodePng(const fs::path& p, int& w, int& h, std::vector<uint8_t>& rgba) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, p.string().c_str())) return false;
    img.format = PNG_FORMAT_RGBA;
    rgba.resize(PNG_IMAGE_SIZE(img));
    const bool ok = png_image_finish_read(&img, nullptr, rgba.data(), 0, nullptr) != 0;
    w = static_cast<int>(img.width);
    h = static_cast<int>(img.height);
    png_image_free(&img);
    return ok;
}

// Counts pixels that a masked load would turn transparent (pure black).
long PureBlackPixelsInJpeg(const fs::path& p) {
    FILE* f = std::fopen(p.string().c_str(), "rb");
    if (!f) return -1;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    std::vector<JSAMPLE> row(static_cast<size_t>(cinfo.output_width) * 3);
    long black = 0;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW r = row.data();
        jpeg_read_scanlines(&cinfo, &r, 1);
        for (size_t x = 0; x < cinfo.output_width; ++x)
            if (row[x * 3] == 0 && row[x * 3 + 1] == 0 && row[x * 3 + 2] == 0) ++black;
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return black;
}

class AssetFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testrig::HaveResources()) GTEST_SKIP() << "data folder not generated (LV_BUILD_ASSETS off)";
        manifest_ = LoadManifest();
        ASSERT_FALSE(manifest_.empty()) << "manifest missing or empty";
    }
    fs::path file(const Entry& e) const { return fs::path(testrig::ResourcesDir()) / e.path; }
    std::vector<Entry> ofKind(const std::string& kind) const {
        std::vector<Entry> out;
        for (const Entry& e : manifest_)
            if (e.kind == kind) out.push_back(e);
        return out;
    }
    std::vector<Entry> manifest_;
};

TEST_F(AssetFolder, ManifestCoversTheInventory) {
    std::map<std::string, int> count;
    for (const Entry& e : manifest_) ++count[e.kind];
    EXPECT_EQ(count["png"], 174);
    EXPECT_EQ(count["jpg"], 28);
    EXPECT_EQ(count["wav"], 37);
    EXPECT_EQ(count["ogg"], 9);
    EXPECT_EQ(count["font"], 1);
    int strips = 0, mouseOver = 0;
    for (const Entry& e : manifest_) {
        strips += e.frames > 1;
        mouseOver += e.path.size() > 6 && e.path.compare(e.path.size() - 6, 6, "MO.png") == 0;
    }
    EXPECT_EQ(strips, 49);
    EXPECT_EQ(mouseOver, 24);
}

TEST_F(AssetFolder, EveryListedFileExistsUnderItsExactName) {
    for (const Entry& e : manifest_) {
        const fs::path p = file(e);
        ASSERT_TRUE(fs::exists(p)) << e.path;
        // Exact spelling, not just a case-insensitive match of the file system.
        bool spelled = false;
        for (const auto& d : fs::directory_iterator(p.parent_path())) spelled = spelled || d.path().filename() == p.filename();
        EXPECT_TRUE(spelled) << e.path;
        EXPECT_GT(fs::file_size(p), 0u) << e.path;
    }
}

TEST_F(AssetFolder, PngPicturesHaveListedSizeAndRealAlpha) {
    for (const Entry& e : ofKind("png")) {
        int w = 0, h = 0, depth = 0, type = 0;
        ASSERT_TRUE(PngHeader(Bytes(file(e)), w, h, depth, type)) << e.path;
        EXPECT_EQ(w, e.width) << e.path;
        EXPECT_EQ(h, e.height) << e.path;
        EXPECT_EQ(depth, 8) << e.path;
        EXPECT_EQ(type, 6) << e.path << " must be RGBA";
        if (e.frames > 1) {
            // Strips are one row of cells: LoadAnimImage must find `frames` cells.
            EXPECT_EQ(e.cellW * e.frames, w) << e.path;
            EXPECT_EQ(e.cellH, h) << e.path;
            EXPECT_GE((w / e.cellW) * (h / e.cellH), e.frames) << e.path;
        }
    }
}

TEST_F(AssetFolder, StripFramesAreNeverEmpty) {
    for (const Entry& e : manifest_) {
        if (e.frames <= 1) continue;
        int w = 0, h = 0;
        std::vector<uint8_t> px;
        ASSERT_TRUE(DecodePng(file(e), w, h, px)) << e.path;
        for (int f = 0; f < e.frames; ++f) {
            long visible = 0;
            for (int y = 0; y < e.cellH; ++y)
                for (int x = f * e.cellW; x < (f + 1) * e.cellW; ++x) visible += px[(static_cast<size_t>(y) * w + x) * 4 + 3] > 0;
            EXPECT_GT(visible, 0) << e.path << " frame " << f;
        }
    }
}

TEST_F(AssetFolder, JpegPicturesHaveListedSizeAndNoPureBlack) {
    for (const Entry& e : ofKind("jpg")) {
        int w = 0, h = 0;
        ASSERT_TRUE(JpegHeader(Bytes(file(e)), w, h)) << e.path;
        EXPECT_EQ(w, e.width) << e.path;
        EXPECT_EQ(h, e.height) << e.path;
        EXPECT_EQ(PureBlackPixelsInJpeg(file(e)), 0) << e.path << " would lose pixels to the black mask";
    }
}

TEST_F(AssetFolder, DiagonalMaskIsAWhiteDiscOnTransparentBlack) {
    int w = 0, h = 0;
    std::vector<uint8_t> px;
    ASSERT_TRUE(DecodePng(fs::path(testrig::ResourcesDir()) / "Data/graphics/diagonalmask.png", w, h, px));
    ASSERT_EQ(w, 50);
    ASSERT_EQ(h, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const uint8_t* p = &px[(static_cast<size_t>(y) * 50 + x) * 4];
            const uint32_t argb = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
            EXPECT_TRUE(argb == 0x00000000u || argb == 0xFFFFFFFFu) << x << "," << y;
            const double d = std::hypot(x + 0.5 - 25, y + 0.5 - 25);
            if (d < 16) {
                EXPECT_EQ(argb, 0xFFFFFFFFu) << x << "," << y;
            }
            if (d > 20) {
                EXPECT_EQ(argb, 0x00000000u) << x << "," << y;
            }
        }
}

TEST_F(AssetFolder, WavSoundsAre16BitAt44100AndOfListedLength) {
    for (const Entry& e : ofKind("wav")) {
        const std::string b = Bytes(file(e));
        ASSERT_GE(b.size(), 44u) << e.path;
        ASSERT_EQ(b.compare(0, 4, "RIFF"), 0) << e.path;
        ASSERT_EQ(b.compare(8, 4, "WAVE"), 0) << e.path;
        size_t at = 12;
        int channels = 0, rate = 0, bits = 0, format = 0;
        size_t dataAt = 0, dataLen = 0;
        while (at + 8 <= b.size()) {
            const uint32_t len = Le32(b, at + 4);
            if (b.compare(at, 4, "fmt ") == 0) {
                format = Le16(b, at + 8);
                channels = Le16(b, at + 10);
                rate = static_cast<int>(Le32(b, at + 12));
                bits = Le16(b, at + 22);
            } else if (b.compare(at, 4, "data") == 0) {
                dataAt = at + 8;
                dataLen = len;
            }
            at += 8 + len + (len & 1);
        }
        EXPECT_EQ(format, 1) << e.path;
        EXPECT_EQ(rate, 44100) << e.path;
        EXPECT_EQ(bits, 16) << e.path;
        ASSERT_GE(channels, 1) << e.path;
        ASSERT_LE(dataAt + dataLen, b.size()) << e.path;
        const double seconds = static_cast<double>(dataLen) / (channels * 2) / 44100.0;
        EXPECT_GE(seconds, e.minSec - 1e-3) << e.path;
        EXPECT_LE(seconds, e.maxSec + 1e-3) << e.path;
        int peak = 0;
        for (size_t i = dataAt; i + 1 < dataAt + dataLen; i += 2) peak = std::max(peak, std::abs(static_cast<int16_t>(Le16(b, i))));
        EXPECT_GT(peak, 3000) << e.path << " is nearly silent";
    }
}

TEST_F(AssetFolder, SplashShimmerLoopsWithoutAClick) {
    const std::string b = Bytes(fs::path(testrig::ResourcesDir()) / "Data/SplashSound.wav");
    ASSERT_GT(b.size(), 1000u);
    const size_t first = 44, count = (b.size() - 44) / 2;
    const int start = static_cast<int16_t>(Le16(b, first)), end = static_cast<int16_t>(Le16(b, first + (count - 1) * 2));
    double step = 0;
    for (size_t i = 1; i < count; ++i)
        step += std::abs(static_cast<int16_t>(Le16(b, first + i * 2)) - static_cast<int16_t>(Le16(b, first + (i - 1) * 2)));
    step /= static_cast<double>(count - 1);
    EXPECT_LT(std::abs(end - start), step * 4 + 50) << "jump at the loop point";
}

TEST_F(AssetFolder, OggMusicDecodesAtListedLengthAndLoopsSmoothly) {
    for (const Entry& e : ofKind("ogg")) {
        OggVorbis_File vf;
        ASSERT_EQ(ov_fopen(file(e).string().c_str(), &vf), 0) << e.path;
        const vorbis_info* vi = ov_info(&vf, -1);
        ASSERT_NE(vi, nullptr);
        EXPECT_EQ(vi->rate, 44100) << e.path;
        const int ch = vi->channels;
        const double seconds = static_cast<double>(ov_pcm_total(&vf, -1)) / vi->rate;
        EXPECT_GE(seconds, e.minSec) << e.path;
        EXPECT_LE(seconds, e.maxSec) << e.path;
        std::vector<int16_t> pcm;
        char buf[8192];
        int section = 0;
        long n;
        while ((n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0) {
            const auto* s = reinterpret_cast<const int16_t*>(buf);
            pcm.insert(pcm.end(), s, s + n / 2);
        }
        EXPECT_EQ(n, 0) << e.path << " decode error";
        ov_clear(&vf);
        ASSERT_GT(pcm.size(), static_cast<size_t>(ch) * 44100) << e.path;
        int peak = 0;
        double step = 0;
        for (size_t i = 0; i < pcm.size(); ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(pcm[i])));
            if (i >= static_cast<size_t>(ch)) step += std::abs(pcm[i] - pcm[i - static_cast<size_t>(ch)]);
        }
        step /= static_cast<double>(pcm.size());
        EXPECT_GT(peak, 8000) << e.path << " is nearly silent";
        for (int c = 0; c < ch; ++c) {
            const int last = pcm[pcm.size() - static_cast<size_t>(ch) + static_cast<size_t>(c)];
            EXPECT_LT(std::abs(last - pcm[static_cast<size_t>(c)]), step * 8 + 400) << e.path << " jumps at the loop point";
        }
    }
}

TEST_F(AssetFolder, FontCoversAsciiAndLatin1WithLicenceBeside) {
    const fs::path font = fs::path(testrig::ResourcesDir()) / "Data/fonts/caccamel.ttf";
    EXPECT_TRUE(fs::exists(font.parent_path() / "OFL.txt"));
    FT_Library lib;
    ASSERT_EQ(FT_Init_FreeType(&lib), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(lib, font.string().c_str(), 0, &face), 0);
    for (FT_ULong c = 33; c <= 126; ++c) EXPECT_NE(FT_Get_Char_Index(face, c), 0u) << "missing glyph " << c;
    int latin1 = 0;
    for (FT_ULong c = 161; c <= 255; ++c) latin1 += FT_Get_Char_Index(face, c) != 0;
    EXPECT_GE(latin1, 90) << "Latin-1 coverage";
    EXPECT_EQ(FT_Set_Pixel_Sizes(face, 0, 20), 0);
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
}

TEST_F(AssetFolder, SettingsTemplateHoldsAll24KeysInOrder) {
    const std::string b = Bytes(fs::path(testrig::ResourcesDir()) / "Data/Default.ini");
    const std::vector<std::string> keys = {"VERSION NO", "FULL SCREEN", "SOUND", "MUSIC", "SPEECH", "SOUND VOLUME",
                                           "MUSIC VOLUME", "SPEECH VOLUME", "FADE", "PARTICLES", "PORTAL SPLASH",
                                           "PORTAL SPLASH2", "INTRO", "VSYNC", "DRIVER", "SOUND DRIVER",
                                           "FULL SCREEN PROCESS PRIORITY", "FULL SCREEN THREAD PRIORITY",
                                           "WINDOWED PROCESS PRIORITY", "WINDOWED THREAD PRIORITY", "PROFILE NAME",
                                           "REGION", "SUB-REGION", "CUSTOM MOUSE POINTER"};
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < b.size()) {
        const size_t end = b.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        lines.push_back(b.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto eq = lines[i].find('=');
        ASSERT_NE(eq, std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].substr(0, eq), keys[i]);
    }
    EXPECT_EQ(lines[0], "VERSION NO=1.07");
    EXPECT_EQ(lines[20], "PROFILE NAME=");
    EXPECT_EQ(lines[15], "SOUND DRIVER=FreeAudio");
}

TEST_F(AssetFolder, LevelsAreTheFiftyAuthoredFilesByteForByte) {
    const fs::path built = fs::path(testrig::ResourcesDir()) / "Data/levels";
    const fs::path authored = fs::path(LV_SOURCE_DIR) / "data/levels";
    std::vector<std::string> names;
    for (const auto& d : fs::directory_iterator(built)) names.push_back(d.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected;
    for (int n = 1; n <= 50; ++n) expected.push_back(std::to_string(n) + ".txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    for (const auto& name : expected) EXPECT_EQ(Bytes(built / name), Bytes(authored / name)) << name;
}

TEST_F(AssetFolder, BrandingSplashesAreLowerCaseWithoutGaps) {
    const fs::path dir = fs::path(testrig::ResourcesDir()) / "Data/branding";
    ASSERT_TRUE(fs::is_directory(dir));
    std::vector<std::string> names;
    for (const auto& d : fs::directory_iterator(dir)) names.push_back(d.path().filename().string());
    ASSERT_FALSE(names.empty());
    int n = 1;
    while (std::find(names.begin(), names.end(), "splash" + std::to_string(n) + ".png") != names.end() ||
           std::find(names.begin(), names.end(), "splash" + std::to_string(n) + ".jpg") != names.end())
        ++n;
    EXPECT_EQ(static_cast<size_t>(n - 1), names.size()) << "every file must be splash<n> in an unbroken sequence";
}

TEST_F(AssetFolder, DesktopIconsAreRgbaMedallionsOnTransparentCorners) {
    const std::vector<Entry> icons = LoadManifest("build");
    ASSERT_EQ(icons.size(), 7u);
    for (const Entry& e : icons) {
        const fs::path p = fs::path(LV_BINARY_DIR) / e.path;
        ASSERT_FALSE(fs::exists(fs::path(testrig::ResourcesDir()) / e.path)) << e.path;
        int w = 0, h = 0, depth = 0, type = 0;
        ASSERT_TRUE(PngHeader(Bytes(p), w, h, depth, type)) << e.path;
        EXPECT_EQ(type, 6) << e.path << " must be RGBA";
        std::vector<uint8_t> px;
        ASSERT_TRUE(DecodePng(p, w, h, px)) << e.path;
        ASSERT_EQ(w, e.width);
        ASSERT_EQ(h, e.height);
        auto alpha = [&](int x, int y) { return px[(static_cast<size_t>(y) * w + x) * 4 + 3]; };
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) EXPECT_EQ(alpha(x, y), 0) << e.path;
        EXPECT_EQ(alpha(w / 2, h / 2), 255) << e.path;
        EXPECT_EQ(alpha(w / 2, h / 5), 255) << e.path;
    }
}

}  // namespace
