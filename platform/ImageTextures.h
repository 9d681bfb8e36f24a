#pragma once
// The renderer side of an Image: one texture per frame, made on first draw and rebuilt when the
// frame's pixels change, plus the thresholded copy used by the mask blend. Internal to platform/.
#include <SDL.h>

#include <vector>

namespace platform {

class ImageTextures {
 public:
  struct Slot {
    SDL_Texture* texture = nullptr;
    bool dirty = true;
    SDL_Texture* mask = nullptr;
    int maskThreshold = -1;  // texel alpha from which the mask copy is opaque; -1: stale
    SDL_Surface* view = nullptr;  // software mode: the frame's own pixels, wrapped
  };

  ImageTextures() = default;
  // With a slot for each of `frames` frames already, so drawing them never grows the table.
  explicit ImageTextures(int frames);
  ~ImageTextures();
  ImageTextures(const ImageTextures&) = delete;
  ImageTextures& operator=(const ImageTextures&) = delete;

  // The slot of a frame, growing the table when frames were added.
  Slot& At(int frame);
  void Invalidate(int frame);

 private:
  std::vector<Slot> slots_;
};

}  // namespace platform
