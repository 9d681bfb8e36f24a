#pragma once
// Multi-line text: cutting at line breaks, then filling lines word by word up to a pixel width.
#include <memory>

#include "platform/String.h"
#include "text/StringHelpers.h"

class TBitmapFont;

// Cut at each LF, dropping one CR just before it. "" gives no lines; a final break adds none.
StringArray ccSplitStringIntoLines(StringView text);
// Fills lines while width(line + " " + word) x scale <= maxWidth, measured with the bitmap font
// or, without one, with the current image font. Words are never broken; empty lines stay.
StringArray ccWordWrapArray(const StringArray& lines, int maxWidth,
                            const std::shared_ptr<TBitmapFont>& font, float scale);
// As ccWordWrapArray, the width switching from width1 to width2 once switchLine - 1 lines are out.
StringArray ccWordWrapArraySpecial(const StringArray& lines, int width1, int width2, int switchLine,
                                   const std::shared_ptr<TBitmapFont>& font, float scale);
