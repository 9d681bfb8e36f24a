#include "gfx/CollisionLayers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Shape {
  platform::ImagePtr image;  // null: a solid rectangle
  platform::PixmapPtr pixels;  // the frame's pixels; null: nothing is solid
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  std::shared_ptr<void> id;
};

std::array<std::vector<Shape>, 32> layers;

// Whether the shape covers the pixel at integer screen position (px, py).
bool Solid(const Shape& s, int px, int py) {
  if (!s.image) return true;
  if (!s.pixels) return false;
  const int ix = px - static_cast<int>(std::floor(s.left));
  const int iy = py - static_cast<int>(std::floor(s.top));
  return (s.pixels->ReadPixel(ix, iy) >> 24) >= 0x80;
}

bool Overlap(const Shape& a, const Shape& b) {
  const int x0 = static_cast<int>(std::floor(std::max(a.left, b.left)));
  const int y0 = static_cast<int>(std::floor(std::max(a.top, b.top)));
  const int x1 = static_cast<int>(std::ceil(std::min(a.left + a.width, b.left + b.width)));
  const int y1 = static_cast<int>(std::ceil(std::min(a.top + a.height, b.top + b.height)));
  if (x0 >= x1 || y0 >= y1) return false;
  if (!a.image && !b.image) return true;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (Solid(a, x, y) && Solid(b, x, y)) return true;
    }
  }
  return false;
}

CollisionHits Collide(Shape shape, uint32_t collideMask, uint32_t writeMask) {
  CollisionHits hits;
  for (int layer = 0; layer < 32; ++layer) {
    if ((collideMask & (1u << layer)) == 0) continue;
    for (const Shape& other : layers[static_cast<size_t>(layer)]) {
      if (Overlap(shape, other)) hits.push_back(other.id);
    }
  }
  for (int layer = 0; layer < 32; ++layer) {
    if ((writeMask & (1u << layer)) != 0) layers[static_cast<size_t>(layer)].push_back(shape);
  }
  return hits;
}

}  // namespace

void ResetCollisions(uint32_t mask) {
  for (int layer = 0; layer < 32; ++layer) {
    if (mask == 0 || (mask & (1u << layer)) != 0) layers[static_cast<size_t>(layer)].clear();
  }
}

CollisionHits CollideImage(const platform::ImagePtr& image, int x, int y, int frame,
                           uint32_t collideMask, uint32_t writeMask, std::shared_ptr<void> id) {
  if (!image) return {};
  Shape shape;
  shape.image = image;
  shape.pixels = platform::LockImage(image, frame);
  shape.left = static_cast<float>(x) - image->handleX;
  shape.top = static_cast<float>(y) - image->handleY;
  shape.width = static_cast<float>(image->width);
  shape.height = static_cast<float>(image->height);
  shape.id = std::move(id);
  return Collide(std::move(shape), collideMask, writeMask);
}

CollisionHits CollideRect(float x, float y, float w, float h, uint32_t collideMask,
                          uint32_t writeMask, std::shared_ptr<void> id) {
  Shape shape;
  shape.left = x;
  shape.top = y;
  shape.width = w;
  shape.height = h;
  shape.id = std::move(id);
  return Collide(std::move(shape), collideMask, writeMask);
}
