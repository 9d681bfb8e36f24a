#include "TextGuard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "gfx/TGameImage.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

namespace testrig {

namespace {

constexpr float kScreenW = 800, kScreenH = 600;
// Glyph pictures carry a pixel of soft edge: a text counts as cut only past it.
constexpr float kSlack = 1.0f;

bool Overlap(const TextGuard::Box& a, const TextGuard::Box& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool Inside(const TextGuard::Box& a, const TextGuard::Box& in) {
  return a.x0 >= in.x0 - kSlack && a.y0 >= in.y0 - kSlack && a.x1 <= in.x1 + kSlack &&
         a.y1 <= in.y1 + kSlack;
}

// The box of a picture's mostly opaque pixels, drawn with its handle at (x, y).
TextGuard::Box OpaqueBox(const TGameImage& picture, float x, float y) {
  TextGuard::Box box{1e9f, 1e9f, -1e9f, -1e9f};
  const platform::ImagePtr& image = picture.image;
  if (!image || image->frames.empty() || !image->frames[0]) return TextGuard::Box{};
  const platform::Pixmap& p = *image->frames[0];
  for (int py = 0; py < p.Height(); ++py) {
    for (int px = 0; px < p.Width(); ++px) {
      if ((p.ReadPixel(px, py) >> 24) < 128) continue;
      box.x0 = std::min(box.x0, static_cast<float>(px));
      box.y0 = std::min(box.y0, static_cast<float>(py));
      box.x1 = std::max(box.x1, static_cast<float>(px + 1));
      box.y1 = std::max(box.y1, static_cast<float>(py + 1));
    }
  }
  if (box.x1 < box.x0) return TextGuard::Box{};
  const float left = x - image->handleX, top = y - image->handleY;
  return {left + box.x0, top + box.y0, left + box.x1, top + box.y1};
}

bool Differs(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24) {
      return true;
    }
  }
  return false;
}

}  // namespace

TextGuard::TextGuard() {
  platform::SetTextDrawHook([this](StringView text, float x0, float y0, float x1, float y1) {
    int vx = 0, vy = 0, vw = 0, vh = 0;
    platform::GetViewport(vx, vy, vw, vh);
    drawing_.push_back({platform::ToUtf8(text), Box{x0, y0, x1, y1},
                        Box{static_cast<float>(vx), static_cast<float>(vy),
                            static_cast<float>(vx + vw), static_cast<float>(vy + vh)}});
  });
}

TextGuard::~TextGuard() { platform::SetTextDrawHook(nullptr); }

void TextGuard::NewFrame() {
  last_.swap(drawing_);
  drawing_.clear();
}

void TextGuard::Add(const std::string& where, const std::string& what, const std::string& fault,
                    Box box) {
  for (const Finding& f : findings) {
    if (f.where == where && f.what == what && f.fault == fault) return;
  }
  findings.push_back({where, what, fault, box});
}

void TextGuard::CheckOnScreen(const std::string& where) {
  const Box screen{0, 0, kScreenW, kScreenH};
  for (const Drawn& d : last_) {
    // Text wholly outside its clip rectangle is not shown at all, which is no cut.
    if (!Overlap(d.box, d.clip) || !Overlap(d.box, screen)) continue;
    if (!Inside(d.box, screen)) {
      Add(where, d.text, "leaves the screen", d.box);
    } else if (!Inside(d.box, d.clip)) {
      Add(where, d.text, "cut by its clip rectangle", d.box);
    }
  }
}

void TextGuard::CheckApart(const std::string& where) {
  // Glyph pictures carry soft edges: boxes touching by a pixel or two are not text over text.
  constexpr float kEdge = 2.0f;
  // A shadowed line is drawn twice, its copy a few pixels down and right.
  constexpr float kShadowReach = 4.0f;
  for (size_t i = 0; i < last_.size(); ++i) {
    const Drawn& a = last_[i];
    if (a.text.find_first_not_of(' ') == std::string::npos) continue;
    for (size_t j = i + 1; j < last_.size(); ++j) {
      const Drawn& b = last_[j];
      if (b.text.find_first_not_of(' ') == std::string::npos) continue;
      if (a.text == b.text && std::abs(a.box.x0 - b.box.x0) <= kShadowReach &&
          std::abs(a.box.y0 - b.box.y0) <= kShadowReach) {
        continue;
      }
      const Box inner{b.box.x0 + kEdge, b.box.y0 + kEdge, b.box.x1 - kEdge, b.box.y1 - kEdge};
      if (Overlap(a.box, inner)) Add(where, a.text + "\" over \"" + b.text, "text over text", b.box);
    }
  }
}

void TextGuard::CheckInside(const std::string& where, const std::string& what, Box container,
                            const std::vector<std::string>& texts) {
  for (const Drawn& d : last_) {
    if (std::find(texts.begin(), texts.end(), d.text) == texts.end()) continue;
    if (!Inside(d.box, container)) Add(where, d.text, "outside " + what, d.box);
  }
}

std::vector<TextGuard::Box> TextGuard::BoxesOf(const std::string& text) const {
  std::vector<Box> boxes;
  for (const auto& d : last_) {
    if (d.text == text) boxes.push_back(d.box);
  }
  return boxes;
}

void TextGuard::CheckScroll(const std::string& where, const std::shared_ptr<TGameImage>& top,
                            const std::shared_ptr<TGameImage>& bottom,
                            const platform::ImagePtr& page, const platform::PixmapPtr& plain,
                            const std::function<void()>& draw, const std::shared_ptr<TMenu>& menu) {
  std::vector<Box> rollers;
  if (top) rollers.push_back(OpaqueBox(*top, 400, 140));
  if (bottom) rollers.push_back(OpaqueBox(*bottom, 400, 500));

  // The scroll's own text, drawn once more on its own.
  drawing_.clear();
  if (draw) draw();
  for (const Drawn& d : drawing_) {
    for (const Box& r : rollers) {
      if (Overlap(d.box, r)) Add(where, d.text, "under a roller", d.box);
    }
  }
  drawing_.clear();

  if (menu) {
    for (const TButtonPtr& b : menu->Items()) {
      if (!b->image || !b->image->image) continue;
      // A button stands with its picture's top-left corner at (x, y).
      const platform::Image& picture = *b->image->image;
      const Box box = OpaqueBox(*b->image, b->x + picture.handleX, b->y + picture.handleY);
      for (const Box& r : rollers) {
        if (Overlap(box, r)) Add(where, "button " + platform::ToUtf8(b->name), "under a roller", box);
      }
    }
  }

  // The page picture, centred on the screen, against the plain parchment it was painted on.
  if (!page || page->frames.empty() || !page->frames[0] || !plain) return;
  const platform::Pixmap& p = *page->frames[0];
  const float left = 400.0f - static_cast<float>(p.Width()) / 2.0f;
  const float upper = 300.0f - static_cast<float>(p.Height()) / 2.0f;
  for (const Box& r : rollers) {
    Box ink{1e9f, 1e9f, -1e9f, -1e9f};
    int count = 0;
    for (int y = std::max(0, static_cast<int>(r.y0 - upper)); y < std::min(p.Height(), static_cast<int>(r.y1 - upper)); ++y) {
      for (int x = std::max(0, static_cast<int>(r.x0 - left)); x < std::min(p.Width(), static_cast<int>(r.x1 - left)); ++x) {
        if (!Differs(p.ReadPixel(x, y), plain->ReadPixel(x, y))) continue;
        ++count;
        ink = {std::min(ink.x0, left + x), std::min(ink.y0, upper + y),
               std::max(ink.x1, left + x + 1), std::max(ink.y1, upper + y + 1)};
      }
    }
    // A few stray pixels are the painter's noise, not something to read.
    if (count > 20) Add(where, "the page picture", "painted under a roller", ink);
  }
}

std::string Describe(const std::vector<TextGuard::Finding>& findings) {
  std::string out;
  for (const TextGuard::Finding& f : findings) {
    char box[96];
    std::snprintf(box, sizeof box, " at (%.0f, %.0f)-(%.0f, %.0f)", f.box.x0, f.box.y0, f.box.x1,
                  f.box.y1);
    out += f.where + ": " + f.fault + ": \"" + f.what + "\"" + box + "\n";
  }
  return out;
}

}  // namespace testrig
