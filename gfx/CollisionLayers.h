#pragma once
// Thirty-two collision layers chosen by bit mask: shapes are written into layers with an
// identifying object, and a later shape is tested against the layers for the objects it hits.
// Images are placed by their handle (unscaled, unrotated) and hit only where a pixel is at
// least half opaque; rectangles hit wholly.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Image.h"

using CollisionHits = std::vector<std::shared_ptr<void>>;

// Clears the layers in mask; 0 clears all of them.
void ResetCollisions(uint32_t mask = 0);
// Tests the image against the layers in collideMask (hits returned, the empty id included),
// then writes it into the layers in writeMask with id.
CollisionHits CollideImage(const platform::ImagePtr& image, int x, int y, int frame,
                           uint32_t collideMask, uint32_t writeMask,
                           std::shared_ptr<void> id = nullptr);
CollisionHits CollideRect(float x, float y, float w, float h, uint32_t collideMask,
                          uint32_t writeMask, std::shared_ptr<void> id = nullptr);
