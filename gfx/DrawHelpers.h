#pragma once
// Drawing helpers over runtime images (not TGameImage): shadows, centring, additive light,
// digit strips, rectangles, handles, texture creation and the pixel rounding rule.
// Each leaves colour, alpha and blend mode as its comment says.
#include <memory>
#include <vector>

#include "platform/Image.h"
#include "platform/String.h"

class TShadow;

// With a shadow: black at the shadow's alpha at the offset, then white and alpha 1; then the
// image (frame 0) at (x, y).
int ccDrawImage(const platform::ImagePtr& image, float x, float y,
                const std::shared_ptr<TShadow>& shadow = nullptr);
// Centred for an image whose handle is at its top-left corner.
int ccDrawImageCentred(const platform::ImagePtr& image,
                       const std::shared_ptr<TShadow>& shadow = nullptr);
// Additive pass of one frame tinted by level x (r, g, b); leaves blend 3 and white, alpha
// untouched.
int ccDrawImageLight(const platform::ImagePtr& image, float x, float y, float level, float r,
                     float g, float b, int frame);
// One digit frame per character (a non-digit draws frame 0), spacing apart (0: the image
// width). Rounding applies only when centred.
int ccDrawNumbers(StringView text, float x, float y, const platform::ImagePtr& image,
                  float spacing, int centre, int rounding);
// Digits of differing advance (widths[d]) shifted left by offsets[d], all scaled, gap between
// them. Returns the row's width rounded.
int ccDrawNumbersVariableWidth(StringView text, float x, float y, const platform::ImagePtr& image,
                               const std::vector<int>& widths, const std::vector<int>& offsets,
                               float gap, int centre, int rounding, float scale);
float ccDrawNumbersVariableWidthCalcWidth(StringView text, const std::vector<int>& widths,
                                          const std::vector<int>& offsets, float gap, float scale);
// With a shadow the current colour is read and put back after the shadow's rect; alpha ends
// at 1.
int ccDrawRect(float x, float y, float w, float h, const std::shared_ptr<TShadow>& shadow = nullptr);
// Four lines covering each border pixel exactly once.
int ccDrawRectOutline(int x, int y, int w, int h);
int ccMidhandle(const platform::ImagePtr& image, int on);
// Makes every frame's texture now rather than at first draw.
int ccCreateFrames(const platform::ImagePtr& image);
// The source rectangle of the frame at its own size, placed by the image's handle.
int ccDrawImageArea(const platform::ImagePtr& image, float x, float y, float sx, float sy,
                    float sw, float sh, int frame);
// Copies a window of frame 0 into a new image and draws it (allocates: rare use only).
int ccDrawImageRect(const platform::ImagePtr& image, int x, int y, int sx, int sy, int sw, int sh);
// floor(v + 0.5): halves round up (-2.5 -> -2).
int ccRound(float value);
