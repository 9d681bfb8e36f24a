#include "ContactSheet.h"

#include <algorithm>
#include <cmath>

#include "PngWriter.h"
#include "TextPainter.h"

namespace assetgen {

Canvas ContactSheet::thumbnail(const Canvas& full, const Asset& a) {
    const Canvas* src = &full;
    Canvas folded(1, 1);
    if (a.isStrip()) {
        const int cols = std::max(1, static_cast<int>(std::ceil(std::sqrt(a.frames * 1.5 * a.cellHeight / a.cellWidth))));
        const int rows = (a.frames + cols - 1) / cols;
        folded = Canvas(cols * (a.cellWidth + 2), rows * (a.cellHeight + 2));
        for (int f = 0; f < a.frames; ++f) {
            const int cx = (f % cols) * (a.cellWidth + 2), cy = (f / cols) * (a.cellHeight + 2);
            folded.save();
            folded.rect(cx, cy, a.cellWidth, a.cellHeight);
            cairo_clip(folded.cr());
            folded.draw(full, cx - f * a.cellWidth, cy);
            folded.restore();
        }
        src = &folded;
    }
    const double scale = std::min({1.0, static_cast<double>(kThumbW) / src->width(),
                                   static_cast<double>(kThumbH) / src->height()});
    const int w = std::max(1, static_cast<int>(src->width() * scale));
    const int h = std::max(1, static_cast<int>(src->height() * scale));
    Canvas t(w, h);
    t.drawScaled(*src, 0, 0, w, h);
    return t;
}

void ContactSheet::write(const std::vector<std::pair<std::string, Canvas>>& thumbs, const std::string& path) {
    const int cols = 10, cellW = kThumbW + 14, cellH = kThumbH + 30;
    const int rows = (static_cast<int>(thumbs.size()) + cols - 1) / cols;
    Canvas sheet(cols * cellW + 10, rows * cellH + 10);
    sheet.fill(Color::hex(0x2A2C3A));
    for (size_t i = 0; i < thumbs.size(); ++i) {
        const int cx = 10 + static_cast<int>(i % cols) * cellW, cy = 10 + static_cast<int>(i / cols) * cellH;
        const Canvas& t = thumbs[i].second;
        // Checkerboard behind the thumbnail shows transparency.
        const int ox = cx + (kThumbW - t.width()) / 2, oy = cy + (kThumbH - t.height()) / 2;
        for (int y = 0; y < t.height(); y += 8)
            for (int x = 0; x < t.width(); x += 8) {
                sheet.rect(ox + x, oy + y, std::min(8, t.width() - x), std::min(8, t.height() - y));
                sheet.fillPath(((x / 8 + y / 8) % 2) ? Color::hex(0x55586C) : Color::hex(0x474A5C));
            }
        sheet.draw(t, ox, oy);
        std::string label = thumbs[i].first;
        const auto slash = label.find_last_of('/');
        if (slash != std::string::npos) label = label.substr(slash + 1);
        TextStyle st;
        st.size = TextPainter::fit(label, kThumbW, 14, 13);
        st.top = st.bottom = Color::hex(0xE8E4F0);
        st.outlineWidth = 0;
        st.shadow = Color::hex(0, 0);
        TextPainter::draw(sheet, label, cx + kThumbW / 2.0, cy + kThumbH + 11, st);
    }
    PngWriter::write(sheet, path);
}

}  // namespace assetgen
