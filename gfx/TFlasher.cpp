#include "gfx/TFlasher.h"

#include "core/Globals.h"
#include "core/TChannelArray.h"
#include "core/TGame.h"

std::shared_ptr<TFlasher> TFlasher::Create(int totalMs, int onMs, int offMs, int delayMs) {
  auto flasher = std::make_shared<TFlasher>();
  flasher->AnimCounter = Game->CalcAnimLength(totalMs);
  flasher->OnLength = static_cast<int>(Game->CalcAnimLength(onMs));
  flasher->OffLength = static_cast<int>(Game->CalcAnimLength(offMs));
  flasher->FlashCounter = static_cast<float>(flasher->OnLength);
  flasher->DelayEnd = static_cast<int>(flasher->AnimCounter - Game->CalcAnimLength(delayMs));
  return flasher;
}

int TFlasher::Manage() {
  if (AnimCounter > 0) {
    AnimCounter -= Delta;
    if (AnimCounter <= 0) {
      AnimCounter = 0;  // over; the state stays as it was
    } else if (AnimCounter <= static_cast<float>(DelayEnd)) {
      FlashCounter -= Delta;
      if (FlashCounter < 0) {
        if (FlashState == 0) {
          FlashState = 1;
          FlashCounter = static_cast<float>(OnLength);
          PlayFlashSound();
        } else {
          FlashState = 0;
          FlashCounter = static_cast<float>(OffLength);
        }
      }
    }
  }
  return AnimCounter == 0 ? 1 : 0;
}

int TFlasher::PlayFlashSound() {
  if (FlashSound && Game->Channels) Game->Channels->PlayGameSound(FlashSound, nullptr, 1.0f, 0.0f);
  return 0;
}

int TFlasher::SetToOff() {
  FlashState = 0;
  FlashCounter = static_cast<float>(OffLength);
  return 0;
}
