// The gallery's map and play backgrounds: the level map as a player finds it at the start of
// every chapter, the pointer resting on the current chapter as the entry zoom leaves it, and
// each chapter's play background whole, without the board over it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/Globals.h"
#include "core/TGame.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/String.h"
#include "support/LevelMapRig.h"
#include "support/ScreenShots.h"

namespace screentest {
namespace {

std::string Two(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

using MapGallery = LevelMapRig;

TEST_F(MapGallery, TheMapAtTheStartOfEveryChapter) {
  for (int chapter = 1; chapter <= 10; ++chapter) {
    SCOPED_TRACE(chapter);
    if (chapter > 1) map->Kill();
    EnterAt(5 * chapter - 4, 5 * chapter - 4);
    ASSERT_EQ(map->Chapter, chapter);
    CloudsAway();
    Tick();  // the marker under the pointer found, as in play
    CloudsAway();
    map->Draw();
    EXPECT_TRUE(testrig::SaveScreen("24-map-at-chapter" + Two(chapter)));
  }
}

TEST_F(MapGallery, EveryChaptersPlayBackground) {
  for (int chapter = 1; chapter <= 10; ++chapter) {
    const platform::ImagePtr picture =
        platform::LoadImage(Game->ImagePath + platform::FromUtf8("bg" + std::to_string(chapter) + ".jpg"));
    ASSERT_TRUE(picture) << chapter;
    platform::SetBlend(platform::SOLIDBLEND);
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(1.0f);
    platform::DrawImage(picture, 0, 0);
    EXPECT_TRUE(testrig::SaveScreen("25-play-background" + Two(chapter)));
  }
}

}  // namespace
}  // namespace screentest
