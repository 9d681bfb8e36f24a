#pragma once
// The base of every screen: a background picture, a header sprite, a menu of buttons, a name,
// the screen it leads to by itself and the two flags that control leaving and re-entering.
// Screen objects are made once with std::make_shared and live for the whole run.
#include <memory>

#include "platform/Image.h"
#include "platform/String.h"

class TSprite;
class TMenu;

class TScreen : public std::enable_shared_from_this<TScreen> {
 public:
  TScreen();
  virtual ~TScreen();

  platform::ImagePtr Image;
  std::shared_ptr<TSprite> Header;
  String Ext = u".png";
  std::shared_ptr<TMenu> Menu;
  String name;
  int StopKill = 0;
  int StopInit = 0;
  std::shared_ptr<TScreen> Destination;

  // Image = ImagePath + file; flags are forced to the default under a virtual resolution.
  virtual int ImageLoad(const String& file, int flags, int frames);
  // Header = a sprite of ImagePath + file + Ext with a centred handle, at (x, y).
  virtual int HeaderLoad(const String& file, float x, float y, int frames);
  // Load + Start, or only CoreStart when StopInit is set.
  virtual int PreStart();
  virtual int ResetStops();
  virtual int Load();
  // Pointer on, Escape back to the framework, then CoreStart.
  virtual int Start();
  // Becomes current, primes the menu, flushes input, restarts the frame timer.
  virtual int CoreStart();
  virtual int PostFadeIn();
  virtual int PostFadeOut();
  // Drops the background, header and menu.
  virtual int Kill();
  virtual int Logic();
  virtual int Draw();
  // Sets Game->DestinationTScreen for Escape; returns the fade length in ms (0: FADE_SPEED).
  virtual int SetEscDestination();
  virtual int SpecificKeys();
};

using TScreenPtr = std::shared_ptr<TScreen>;
