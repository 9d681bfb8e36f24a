#pragma once
// An ordered list of buttons with a little layout state: buttons are stacked, paired or set in
// rows, then moved as a block. Once per tick Manage records, by upper-case name, the button
// under the pointer and the one clicked; owners ask Clicked/MouseOver by name afterwards.
// List order is the order of managing, drawing, searching and layout.
#include <memory>
#include <vector>

#include "platform/String.h"
#include "ui/TButton.h"

class TGameSound;
class TMenu;
using TMenuPtr = std::shared_ptr<TMenu>;

class TMenu {
 public:
  using List = std::vector<TButtonPtr>;

  virtual ~TMenu() = default;

  static constexpr char16_t SoundExt[] = u".wav";

  float x = 0;
  float y = 0;
  float OX = 0;
  float OY = 0;
  int w = 0;
  int h = 0;
  String MouseOverName;  // upper case; empty for none
  String ClickedName;
  std::shared_ptr<TGameSound> SoundMouseOver;
  std::shared_ptr<TGameSound> SoundClick;
  int NextY = 0;
  int Gap = 0;
  int AddGap = 0;
  int NoSound = 0;
  int Shadow = 0;
  float ShadowX = 3.0f;
  float ShadowY = 3.0f;
  float ShadowAlpha = 0.5f;
  int ClearClickedName = 1;
  int ClearMouseOverName = 0;
  int AcceptInput = 1;

  // --- Creation and building ---
  static TMenuPtr Create(const String& moSound, const String& clickSound, float x, float y, int gap);
  // Empties the list without killing the buttons; an empty sound name keeps the old sound.
  virtual int Init(const String& moSound, const String& clickSound, float x, float y, int gap);
  virtual int Kill();
  virtual int SetButtonCaptionRoundCoords(int round, int roundX, int roundY);
  virtual int SetShadow(int on, float dx, float dy, float alpha);
  virtual int ChangeShadow(int on, float dx, float dy, float alpha);
  virtual int SetAlpha(float alpha);
  virtual int ResetShadow(int on, float dx, float dy, float alpha);
  virtual TButtonPtr AddNew(const String& picture, const String& moPicture, const String& name,
                            int frameWidth, int frameHeight, int frames);
  virtual TButtonPtr DoAddNew(const String& picture, const String& moPicture, const String& name,
                              int frameWidth, int frameHeight, int frames);
  virtual int IncreaseHeight(const TButtonPtr& button);
  virtual TButtonPtr AddQuick(const String& picture, const String& name);
  virtual TButtonPtr AddQuickAuto(const String& picture, const String& name);
  virtual int AddPair(const String& left, const String& right, int gap, const String& name);
  // The first button of that name in any case; null when none.
  virtual TButtonPtr FindButton(const String& name);

  // --- Layout ---
  virtual int StoreOriginalCoords();
  virtual int SetX(float newX);
  virtual int SetY(float newY);
  virtual int SetPairX(const String& left, const String& right, int newX);
  virtual int ScaleMenu(float sx, float sy);
  virtual int CalcCoords();
  virtual int CalcLeft();
  virtual int CalcTop();
  virtual int CalcWidth();
  virtual int CalcHeight();
  virtual int CentreHoriz();
  virtual int CentreVert();
  virtual int Centre();
  virtual int MakeColumn(int gap);
  virtual int MakeRow(int gap);

  // --- State resets ---
  virtual int ClearStates();
  virtual int ClearScale();
  virtual int ClearGlow();
  virtual int ClearMouseClick();
  virtual int ClearMouseOver();

  // --- Queries (once per Manage for Clicked by default) ---
  virtual int Clicked(const String& name);
  virtual int MouseOver(const String& name);

  // --- Per tick and per frame ---
  virtual int ManageNoSound(float offsetX, float offsetY);
  virtual int Precache();
  // 1 when the buttons were managed; 0 while a fade runs, input is off or the pointer is off.
  virtual int Manage(float offsetX, float offsetY);
  virtual int ManageFixedGlowOnly();
  virtual int ManageScaleOnMO();
  virtual int Draw(float offsetX, float offsetY);

  // --- The list ---
  const List& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TButtonPtr First() const { return items_.empty() ? nullptr : items_.front(); }
  TButtonPtr Last() const { return items_.empty() ? nullptr : items_.back(); }
  void AddLast(TButtonPtr button) {
    if (button) items_.push_back(std::move(button));
  }
  void Clear() { items_.clear(); }
  List::const_iterator begin() const { return items_.begin(); }
  List::const_iterator end() const { return items_.end(); }

 private:
  List items_;
};
