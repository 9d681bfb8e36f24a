#pragma once
#include "Canvas.h"

namespace assetgen {

// The seven bonus pieces (types 8..14: lion, horn, tornado, star, paint pot,
// axe, key): a gold-rimmed night-blue medallion carrying the piece's emblem.
class BonusPainter {
public:
    struct Pose {
        double phase = 0;     // 0..1 through an idle loop
        double bob = 0;       // vertical offset of the emblem, pixels
        double angle = 0;     // emblem rotation, radians
        double scale = 1;     // emblem scale
        double glint = -1;    // position of the glint sweep (-1 = none, 0..1 across)
        double open = 0;      // lion's mouth, 0..1
        double blink = 0;     // 0 open eyes .. 1 closed
        double glow = 0;      // extra halo strength
    };

    static void still(Canvas& c, int type, double cx, double cy);
    static void piece(Canvas& c, int type, double cx, double cy, double r, const Pose& pose, bool medallion = true);
    static void idleFrame(Canvas& c, int type, int frame, int frames);
    static void activateFrame(Canvas& c, int type, int frame, int frames);

    // Emblems in a 40 x 40 unit box around the origin (the caller sets the transform).
    static void lion(Canvas& c, double open, double blink, double mane);
    static void horn(Canvas& c);
    static void tornado(Canvas& c, double phase, double sway);
    static void star(Canvas& c, double rotation);
    static void paintPot(Canvas& c, double drip);
    static void axe(Canvas& c);
    static void key(Canvas& c);
    static void fireball(Canvas& c, double phase, double size);
};

}  // namespace assetgen
