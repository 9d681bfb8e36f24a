#pragma once
#include "Canvas.h"

namespace assetgen {

// Tumblets: small round creatures with big eyes, one per gem colour, with a
// tiny gem of their own on the head.
class TumbletPainter {
public:
    struct Pose {
        double lookX = 0, lookY = 0;  // pupil direction, -1..1
        double blink = 0;             // 0 open .. 1 closed
        double mouth = 0;             // 0 smile .. 1 wide open
        double armAngle = 0.4;        // radians above horizontal
        double armSwing = 0;          // opposite swing of the two arms
        double legPhase = -1;         // < 0: feet together; else running cycle in radians
        double faceShift = 0;         // face offset towards the facing side, -1..1
    };

    static void creature(Canvas& c, int type, double cx, double cy, double r, const Pose& pose);
    static void face(Canvas& c, double cx, double cy, double r, const Pose& pose, bool cheeks = true);

    static void inGemFrame(Canvas& c, int type, int frame, int frames);
    static void fallingFrame(Canvas& c, int type, int frame, int frames);
    static void runningFrame(Canvas& c, int type, int frame, int frames);
    static void shardFrame(Canvas& c, int type, int frame, int frames);
};

}  // namespace assetgen
