#include "platform/ImageTextures.h"

#include <algorithm>

#include "platform/Renderer.h"

namespace platform {

ImageTextures::ImageTextures(int frames) : slots_(static_cast<size_t>(std::max(frames, 0))) {}

ImageTextures::~ImageTextures() {
  Renderer& renderer = Renderer::Get();
  for (Slot& slot : slots_) {
    renderer.DestroyTexture(slot.texture);
    renderer.DestroyTexture(slot.mask);
    SDL_FreeSurface(slot.view);  // only a header: the pixels belong to the frame
  }
}

ImageTextures::Slot& ImageTextures::At(int frame) {
  if (frame >= static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(frame) + 1);
  return slots_[static_cast<size_t>(frame)];
}

void ImageTextures::Invalidate(int frame) {
  if (frame < 0 || frame >= static_cast<int>(slots_.size())) return;
  slots_[static_cast<size_t>(frame)].dirty = true;
  slots_[static_cast<size_t>(frame)].maskThreshold = -1;
}

}  // namespace platform
