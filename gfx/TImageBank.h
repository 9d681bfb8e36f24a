#pragma once
// The registry of shared images keyed by upper-cased name (the global `images`, pointed at
// the graphics folder). A name missing from the bank is fatal.
#include <map>
#include <memory>

#include "gfx/TGameImage.h"
#include "platform/String.h"

class TImageBank {
 public:
  // Orders keys as their ASCII upper-case forms, so a lookup in any case needs no copy.
  struct UpperLess {
    using is_transparent = void;
    bool operator()(StringView a, StringView b) const;
  };
  using Map = std::map<String, TGameImagePtr, UpperLess>;

  virtual ~TImageBank() = default;

  String Path;  // ends in a slash once set
  String Ext = u".png";

  // Kilobytes of every image, summed in key order.
  virtual int CalcRAM() const;
  virtual int CalcVRAM() const;
  virtual int SetPath(const String& path);
  // Loads Path + file (".png" when it has no extension) under the file stem, or under name
  // when that is not empty; replaces an entry of the same key. Returns the image.
  virtual TGameImagePtr Load(const String& file, const String& name, int flags, int mid);
  virtual TGameImagePtr LoadNoMid(const String& file, const String& name, int flags);
  // Path + file + Ext, keyed by the file stem; mid-handled only when mid is exactly 1.
  virtual TGameImagePtr LoadAnim(const String& file, int cellWidth, int cellHeight, int firstCell,
                                 int count, int flags, int mid);
  // The image under the name in any case; a missing name is fatal (while ShowErrors is set).
  virtual TGameImagePtr Find(StringView name) const;
  // The runtime image under the name, or null; never an error.
  virtual platform::ImagePtr FindTImage(StringView name) const;
  // Creates the textures of every image now.
  virtual int Precache();

  // The map itself.
  int Insert(const TGameImagePtr& image);
  bool Contains(StringView name) const { return items_.find(name) != items_.end(); }
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }
  const Map& Items() const { return items_; }

 private:
  Map items_;
};
using TImageBankPtr = std::shared_ptr<TImageBank>;

// The program's image bank.
extern TImageBankPtr images;
