#pragma once
// The base of the modal, non-blocking dialog boxes: a plain box or a background picture with a
// caption, an optional text header, header sprite and two decorative pictures, and a menu of
// buttons that the subclasses build. It can slide in from an edge and out again, fade, dim the
// screen behind it and play sounds at its transitions.
//
// Life cycle: a subclass's Create (Init + menu), SetupCaption, optional set-up, Start; then the
// owner calls Manage once per tick and Draw once per frame until Manage gives a result, and
// Kill. The base Manage gives 1 while the dialog is active, which is not a result: the
// subclasses turn clicks and keys into 1 (OK, Yes), -1 (Cancel, No) or 0 (still open) and
// owners read only theirs. A closed dialog is never reopened.
#include <memory>

#include "platform/Font.h"
#include "platform/Image.h"
#include "platform/String.h"

class TAnimation;
class TBitmapFont;
class TColor;
class TGameChannel;
class TGameImage;
class TGameSound;
class TLabel;
class TMenu;
class TShadow;
class TSprite;

class TDialog {
 public:
  TDialog();
  virtual ~TDialog();

  std::shared_ptr<TLabel> Caption;
  platform::ImagePtr Background;
  int Active = 0;
  int Disabled = 0;
  std::shared_ptr<TShadow> Shadow;
  int DrawHighlight = 1;
  int w = 0;
  int h = 0;
  int x = 0;
  int y = 0;
  int Border = 20;
  std::shared_ptr<TColor> DialogColor;
  std::shared_ptr<TMenu> Menu;
  int MenuShow = 1;
  int Centre = 1;
  int FixedWidth = 0;
  int WordWrapWidth = 0;
  int ReenableEscapeKey = 1;
  int OldIgnoreEscapeKey = 0;
  int CallPreCalcWordWrap = 1;
  int CaptionOX = 0;
  int CaptionOY = 0;
  int CaptionOffsetX = 0;
  int CaptionOffsetY = 0;
  int CaptionCentreVert = 0;
  int MenuOX = 0;
  int MenuOY = 0;
  std::shared_ptr<TSprite> Header;
  String Ext = u".png";
  std::shared_ptr<TLabel> TextHeader;
  std::shared_ptr<TGameImage> Picture;
  int PictureX = 0;
  int PictureY = 0;
  float PictureScale = 1.0f;
  float PictureAngle = 0.0f;
  std::shared_ptr<TShadow> PictureShadow;
  std::shared_ptr<TGameImage> Picture2;
  int Picture2X = 0;
  int Picture2Y = 0;
  float Picture2Scale = 1.0f;
  float Picture2Angle = 0.0f;
  std::shared_ptr<TShadow> Picture2Shadow;
  std::shared_ptr<TAnimation> TransitionIn;
  std::shared_ptr<TAnimation> TransitionOut;
  int Transitioning = 0;  // 0 none, 1 opening, 2 closing
  float DimBackground = 0.0f;
  int FadeDialog = 0;
  int CloseResultTemp = 0;
  int CloseResult = 0;
  std::shared_ptr<TGameChannel> FadeChannel;
  int Slide = 0;  // 0 none, 1 top, 2 right, 3 bottom, 4 left, 5 one of them at random
  int SlideSine = 0;
  int SlideExtra = 0;
  float OffsetX = 0.0f;
  float OffsetY = 0.0f;
  float Alpha = 1.0f;
  std::shared_ptr<TGameSound> ActivateSound;
  std::shared_ptr<TGameSound> SlideInSound;
  std::shared_ptr<TGameSound> SlideOutSound;

  // A non-zero width is fixed (the caption wraps to it). The caption has no font until
  // SetupCaption; the built-in font measures it meanwhile.
  virtual int Init(const String& text, const platform::ImagePtr& background, int width, int height,
                   int px, int py);
  virtual int Start();
  virtual int SetupCaption(const platform::ImageFontPtr& font, const std::shared_ptr<TColor>& color,
                           const std::shared_ptr<TShadow>& shadow,
                           const std::shared_ptr<TBitmapFont>& bitmapFont);
  virtual int SetupTextHeader(const String& text, const platform::ImageFontPtr& font,
                              const std::shared_ptr<TColor>& color,
                              const std::shared_ptr<TShadow>& shadow,
                              const std::shared_ptr<TBitmapFont>& bitmapFont, int px, int py,
                              int centreVertically);
  virtual int SetSlide(int side, int sine);
  // The opening transition runs from this call on.
  virtual int SetTransitions(int inMs, int outMs, float dim, int fade, int side, int sine);
  virtual int CalcAll();
  virtual int CalcSize();
  virtual int CalcXY();
  virtual int CalcOffset();
  virtual int CaptionGetCentredX();
  virtual int HeaderLoad(const String& name, float px, float py);
  virtual int SetLabelsXY();
  virtual int MenuPosition();
  virtual int MenuGetCentredX();
  // The base: 1 while active (not a result; see the class comment).
  virtual int Manage();
  // 1 in the tick the closing transition ends.
  virtual int ManageTransitions();
  // 0 (nothing drawn) while inactive.
  virtual int Draw();
  virtual int SetAlphas(float alpha);
  virtual int SetWordWrap(int width);
  virtual int DoDrawHighlight(float alpha);
  // The result at once without a closing transition; else 0 and the result comes from Manage
  // in the tick the transition ends.
  virtual int Close(int result);
  virtual int Finalise();
  virtual int Kill();

 protected:
  // 0 when inactive, else 1 (also in the tick the dialog closed).
  int ManageCore();
  // Places the menu centred on the bottom margin (or at MenuOX, MenuOY) and primes it.
  int PlaceMenuAtBottom();
  // Runs MenuPosition with the caption's wrapping held off.
  int PlaceMenuOnce();
  // A plain box's height: caption, gap and button row inside the borders.
  int FitHeightToButtons(int gap);
  // The blocking message box of 400 by 100, for owners that gave no error-box hook.
  static int ShowBlockingMessage(const String& message);
  // Builds the menu the dialogs share: their sounds, a gap of 10 and the buttons' shadow.
  int MakeMenu();
};

using TDialogPtr = std::shared_ptr<TDialog>;
