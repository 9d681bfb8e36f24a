#pragma once
#include "Canvas.h"

namespace assetgen {

// The ten places of the journey, each with its own palette and landmark:
// 1 lantern village, 2 windmill by the stream, 3 glowing wood, 4 stone bridge,
// 5 lake of floating lanterns, 6 misty moor of standing stones, 7 owl tower,
// 8 crystal caves, 9 starfall meadow, 10 the castle of the great lantern.
class ChapterScene {
public:
    enum class Framing { PlayBackground, TitlePicture };

    static void paint(Canvas& c, int chapter, Framing framing);
    // `light` 0: the place as the chapter's first page finds it; 1: relit by its last page.
    static void landmark(Canvas& c, int chapter, double x, double groundY, double scale, double light);
    // The introduction: the village at dusk with its lanterns gone dark.
    static void introduction(Canvas& c);
};

}  // namespace assetgen
