#include "board/TBonusList.h"

std::shared_ptr<TBonusList> HouseList;

std::shared_ptr<TBonus> TBonusList::AddNew(const TParticlePtr& particle) {
  std::shared_ptr<TBonus> bonus = TBonus::Create(particle);
  items_.PushBack(bonus);
  return bonus;
}

int TBonusList::Manage() {
  items_.Walk([&](const std::shared_ptr<TBonus>& bonus, TSafeList<TBonus>::Slot slot) {
    if (bonus->Manage() == 1) items_.Remove(slot);
  });
  return 0;
}
