#pragma once
// One line of text placed left, aligned, centred or right, optionally snapped to whole pixels
// and optionally with the black drop shadow. Everything draws with the drawing state the caller
// left: image font, colour, alpha, blend mode and scale. Every function returns 0.
#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/String.h"
#include "text/StringHelpers.h"

// The text shadow, one copy for the program; nothing resets them.
extern float ccShadowTextDepthX;  // 1.0
extern float ccShadowTextDepthY;  // 1.0
extern float ccShadowTextAlpha;   // 0.5: the shadow copy is drawn at this x ccTextAlpha
extern float ccTextAlpha;         // 1.0: alpha of the text in every shadowed draw

// shadow != 0 draws through ccShadowText; rounding != 0 snaps with floor(v + 0.5).
int ccDrawText(StringView text, float x, float y, int shadow, int rounding);
// align 0 left, 1 centred, 2 right; any other value draws nothing.
int ccDrawTextAligned(StringView text, float x, float y, int shadow, int align, int rounding);
// Centred on x; the current scale is allowed for (the middle stays on the point), then rounded.
int ccDrawTextCentred(StringView text, float x, float y, int shadow, int rounding);
// As ccDrawTextCentred, x always snapped and y never.
int ccDrawTextCentredRoundX(StringView text, float x, float y, int shadow);
// Centred across the screen at y, with the scale correction of ccDrawTextCentred.
int ccDrawTextCentre(StringView text, float y, int shadow, int rounding);
// Centred on the whole screen by integer halves, no scale correction.
int ccDrawTextCentreAll(StringView text, int shadow, int rounding);
// x is the right edge; snapping comes first and the width is the unscaled one.
int ccDrawTextRight(StringView text, float x, float y, int shadow, int rounding);

// Black copy at the shadow depth (alpha ccShadowTextAlpha x ccTextAlpha), then the text in the
// current colour at ccTextAlpha, in alpha blending; the blend mode is restored, the alpha is
// left at ccTextAlpha. centre != 0 first moves x left by half the unscaled width.
int ccShadowText(float x, float y, StringView text, int centre);
// Line under line from y, each centred on x by its own width when centre != 0;
// lineHeight 0 takes the height of "ABCXYZ".
int ccShadowTextWrapped(float x, float y, const StringArray& lines, int centre, int lineHeight);
int ccShadowTextSet(float dx, float dy, float alpha);

// The line's letters in font (nullptr: the built-in one), widened by radius pixels all round:
// white, the coverage in alpha, its handle on the line's top-left corner. Drawn tinted at the
// text's place just before the text, it is an outline of any width for the price of one picture
// a frame; made once, as a screen loads. nullptr when no letter has a picture.
platform::ImagePtr ccMakeTextOutline(const platform::ImageFontPtr& font, StringView text,
                                      int radius);
