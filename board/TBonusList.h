#pragma once
// The running sweepers, ticked in order once per logic tick after the board and the particle
// lists; a finished sweeper leaves the list.
#include <memory>

#include "board/TBonus.h"
#include "gfx/TSafeList.h"

class TBonusList {
 public:
  virtual ~TBonusList() = default;

  // A sweeper on the particle, appended; returned.
  virtual std::shared_ptr<TBonus> AddNew(const TParticlePtr& particle);
  virtual int Manage();

  void Clear() { items_.Clear(); }
  int Count() const { return items_.Count(); }

 private:
  TSafeList<TBonus> items_;
};

// The one list of the run, made at start-up.
extern std::shared_ptr<TBonusList> HouseList;
