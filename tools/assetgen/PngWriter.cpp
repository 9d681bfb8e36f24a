#include "PngWriter.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace assetgen {

void PngWriter::write(const Canvas& c, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        throw std::runtime_error("PNG encoding failed for " + path);
    }
    png_init_io(png, f);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, c.width(), c.height(), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> line(static_cast<size_t>(c.width()) * 4);
    for (int y = 0; y < c.height(); ++y) {
        const uint32_t* src = c.row(y);
        for (int x = 0; x < c.width(); ++x) {
            const uint32_t p = src[x];
            const uint32_t a = p >> 24;
            png_byte* d = &line[static_cast<size_t>(x) * 4];
            if (a == 0) {
                d[0] = d[1] = d[2] = d[3] = 0;  // transparent is always transparent black
                continue;
            }
            for (int ch = 0; ch < 3; ++ch) {
                const uint32_t v = (p >> (16 - ch * 8)) & 255;
                d[ch] = static_cast<png_byte>(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
            }
            d[3] = static_cast<png_byte>(a);
        }
        png_write_row(png, line.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot finish " + path);
}

}  // namespace assetgen
