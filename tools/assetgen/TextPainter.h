#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "Canvas.h"
#include "TextStyle.h"

namespace assetgen {

enum class Align { Left, Centre, Right };

// Draws text in the game font. Positions refer to the horizontal anchor given
// by the alignment and the vertical centre of the capital letters.
class TextPainter {
public:
    static void draw(Canvas& c, std::string_view utf8, double x, double y, const TextStyle& style,
                     Align align = Align::Centre);
    static double width(std::string_view utf8, double size, double letterSpacing = 0);
    // Largest size (up to maxSize) at which the text fits the box.
    static double fit(std::string_view utf8, double maxWidth, double maxHeight, double maxSize);
    // Splits text into lines no wider than maxWidth ("\n" forces a break).
    static std::vector<std::string> wrap(std::string_view utf8, double size, double maxWidth);
    // Draws wrapped lines from a top line centre y; returns the y after the last line.
    static double paragraph(Canvas& c, std::string_view utf8, double x, double y, double maxWidth, double lineHeight,
                            const TextStyle& style, Align align = Align::Left);
    // Text path only, for painters that fill it their own way.
    static void path(Canvas& c, std::string_view utf8, double x, double y, double size, Align align = Align::Centre,
                     double letterSpacing = 0);
};

}  // namespace assetgen
