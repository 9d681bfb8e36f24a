#include "JpegWriter.h"

#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>
#include <vector>

namespace assetgen {

void JpegWriter::write(Canvas& c, const std::string& path, int quality) {
    // Flatten onto an opaque dark backdrop before lifting the darkest tones.
    Canvas flat(c.width(), c.height());
    flat.fill(Color::hex(0x101018));
    flat.draw(c, 0, 0);
    flat.floorDark(16);

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(c.width());
    cinfo.image_height = static_cast<JDIMENSION>(c.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    cinfo.write_JFIF_header = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> line(static_cast<size_t>(c.width()) * 3);
    for (int y = 0; y < c.height(); ++y) {
        const uint32_t* src = flat.row(y);
        for (int x = 0; x < c.width(); ++x) {
            line[x * 3 + 0] = static_cast<JSAMPLE>((src[x] >> 16) & 255);
            line[x * 3 + 1] = static_cast<JSAMPLE>((src[x] >> 8) & 255);
            line[x * 3 + 2] = static_cast<JSAMPLE>(src[x] & 255);
        }
        JSAMPROW rowPtr = line.data();
        jpeg_write_scanlines(&cinfo, &rowPtr, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fclose(f) != 0) throw std::runtime_error("cannot finish " + path);
}

}  // namespace assetgen
