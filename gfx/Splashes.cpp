#include "gfx/Splashes.h"

#include <memory>

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "gfx/DrawHelpers.h"
#include "gfx/TSplashScreen.h"
#include "platform/FileSystem.h"
#include "text/StringHelpers.h"

namespace {

std::shared_ptr<TSplashScreen> NewSplash(int inMs, int fullMs, int outMs) {
  auto splash = std::make_shared<TSplashScreen>();
  if (inMs != 0) splash->TimeIn = static_cast<float>(inMs);
  if (fullMs != 0) splash->TimeFull = static_cast<float>(fullMs);
  if (outMs != 0) splash->TimeOut = static_cast<float>(outMs);
  return splash;
}

}  // namespace

int ShowSplash(const String& image, const String& sample, int sound, int fadeSound, int inMs,
               int fullMs, int outMs) {
  auto splash = std::make_shared<TSplashScreen>();
  splash->Init(image, sample, sound, fadeSound, inMs, fullMs, outMs);
  splash->DoSplash();
  return 0;
}

int ShowSplashSequence(const String& folder, int inMs, int fullMs, int outMs) {
  const String dir = Game->DataPrefix + u"data/" + ccAddSlash(folder);
  for (int n = 1;; ++n) {
    const platform::DirPtr listing = platform::ReadDir(dir);
    if (!listing) {
      ccRunTimeError(u"Failed to read splash folder '" + dir + u"'", 1);
      return 0;
    }
    const String stem = u"splash" + ccIntToString(n);
    const String png = stem + u".png";
    const String jpg = stem + u".jpg";
    // The listing order of a folder is the file system's; with both present the PNG wins.
    String found;
    for (String entry = platform::NextFile(listing); !entry.empty();
         entry = platform::NextFile(listing)) {
      if (entry == png) {
        found = entry;
        break;
      }
      if (entry == jpg) found = entry;
    }
    platform::CloseDir(listing);
    if (found.empty()) return 0;
    auto splash = NewSplash(inMs, fullMs, outMs);
    splash->Init(dir + found, String(), 1, 0, 0, 0, 0);
    splash->DoSplash();
  }
}

int QuillfernSplash(int sound, int background) {
  auto splash = std::make_shared<TSplashScreen>();
  splash->Init(Game->DataPrefix + u"data/QuillfernGames.png", Game->DataPrefix + u"data/SplashSound.wav",
               sound, 1, 0, 0, 0);
  const String backgroundFile = Game->DataPrefix + u"data/splashbg.jpg";
  if (background != 0 && ccFileExists(backgroundFile)) {
    splash->background = ccLoadBitmap(backgroundFile, -1);
    ccCreateFrames(splash->background);
  }
  splash->BackgroundXSpeed = 20.0f;
  splash->BackgroundYSpeed = 10.0f;
  splash->BackgroundZoomSpeed = 0.02f;
  splash->BackgroundFadeTime = 250.0f;
  splash->SampleRate = 0.9f;
  splash->InitTimes(1750, 750, 1500);
  splash->DoSplash();
  return 0;
}

int PortalSplash(int inMs, int fullMs, int outMs, int number, int quiet) {
  auto splash = NewSplash(inMs, fullMs, outMs);
  String name = Game->DataPrefix + u"data/portallogo";
  if (number != 0) name += ccIntToString(number);
  String picture;
  if (ccFileExists(name + u".png")) {
    picture = name + u".png";
  } else if (ccFileExists(name + u".jpg")) {
    picture = name + u".jpg";
  }
  // With no logo there is nothing to show, quiet or not.
  if (picture.empty()) {
    (void)quiet;
    return 0;
  }
  splash->Init(picture, String(), 1, 0, 0, 0, 0);
  splash->DoSplash();
  return 1;
}

int ShowStartupSplashes() {
  if (Game->PortalSplash != 0) PortalSplash(0, 0, 0, 0, 0);
  ShowSplashSequence(u"branding", 750, 750, 750);
  if (Game->Fade == 1) {
    // The co-publisher's sound plays at full channel volume whatever the sound setting.
    ShowSplash(Game->DataPrefix + u"Data/TallowbySplash.jpg",
               Game->DataPrefix + u"data/tallowbysound.wav", 1, 0, 750, 1000, 750);
    QuillfernSplash(Game->Sound, 0);
  }
  return 0;
}
