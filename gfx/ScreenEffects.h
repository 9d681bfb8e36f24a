#pragma once
// Full-screen drawing-state helpers shared by the fades, dialogs and splashes.
#include "platform/Audio.h"

// Blocking fade of whatever the back buffer holds, to (out 1) or from (out 0) the clear
// colour over lengthMs of clock time; a click or key cuts it short. Returns 0.
int ccFadeScreen(int lengthMs, int out, const platform::ChannelPtr& channel);
// Translucent black over the screen; leaves alpha blending, white, alpha 1.
int ccDimScreen(float alpha);
int ccDimArea(float alpha, int x, int y, int width, int height);
// Clear colour (r, g, b), clear, ccFlip.
int ccCls(int r, int g, int b);
// Clear colour (r, g, b), clear; nothing presented.
int ccClsNoFlip(int r, int g, int b);
// Clear colour (r, g, b), clear, present waiting for the vertical blank whatever the settings.
int ccClsVSync(int r, int g, int b);
// Presents with the settings' vertical-sync choice (ccFlipSync).
int ccFlip();
// Solid blending, alpha 1, white.
int ccRestoreSolidMode();
