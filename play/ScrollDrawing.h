#pragma once
// The parchment shared by the three scrolls over the play screen: a body band that opens from
// the screen's centre line between two rollers. r is the open fraction, 0 closed to 1 open.
#include "gfx/TGameImage.h"
#include "platform/Image.h"

// The body band of `body` (centre handle) for the open fraction r.
int ScrollBodyDraw(const platform::ImagePtr& body, float r);
// Clips drawing to the open band (plus the 40 rows under it); ScrollClipEnd restores the
// whole screen.
int ScrollClipBegin(const platform::ImagePtr& body, float r);
int ScrollClipEnd();
// The two rollers (centre handles): 145 px from their open places towards the centre line when
// closed.
int ScrollRollersDraw(const TGameImagePtr& top, const TGameImagePtr& bottom, float r);
