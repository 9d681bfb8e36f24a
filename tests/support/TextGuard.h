#pragma once
// Watches the text the game draws and reports what a player could not read: text that leaves
// the screen or the clip rectangle it was drawn in, text over text, text outside the box or
// plate it belongs in, and, on a scroll standing fully open,
// anything drawn or painted into the parchment where a roller covers it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/String.h"

class TGameImage;
class TMenu;

namespace testrig {

class TextGuard {
 public:
  struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  };
  struct Finding {
    std::string where;  // the state being looked at
    std::string what;   // the text, button or picture
    std::string fault;
    Box box;
  };

  // Watches from now on (the runtime's text drawing reports to it) until destroyed.
  TextGuard();
  ~TextGuard();
  TextGuard(const TextGuard&) = delete;
  TextGuard& operator=(const TextGuard&) = delete;

  // A new frame begins: what was drawn since the last call becomes the frame to check.
  void NewFrame();
  // Text of the last frame that lies outside the screen or its clip rectangle.
  void CheckOnScreen(const std::string& where);
  // Text of the last frame drawn over other text (a line's own shadow copy aside).
  void CheckApart(const std::string& where);
  // Every text of the last frame that is one of `texts` must lie inside `container` (a list's
  // box, a caption's plate); `what` names the container in the finding.
  void CheckInside(const std::string& where, const std::string& what, Box container,
                   const std::vector<std::string>& texts);
  // The boxes of the last frame's texts equal to `text`, in drawing order.
  std::vector<Box> BoxesOf(const std::string& text) const;
  // A scroll standing fully open: the rollers at their open places (centre handles at
  // (400, 140) and (400, 500)); `draw` draws the scroll alone. Its text, the buttons of `menu`
  // (when drawn under the rollers) and whatever its page picture `page` holds beyond the plain
  // parchment `plain` must keep clear of the rollers.
  void CheckScroll(const std::string& where, const std::shared_ptr<TGameImage>& top,
                   const std::shared_ptr<TGameImage>& bottom, const platform::ImagePtr& page,
                   const platform::PixmapPtr& plain, const std::function<void()>& draw,
                   const std::shared_ptr<TMenu>& menu);

  std::vector<Finding> findings;

 private:
  struct Drawn {
    std::string text;
    Box box;
    Box clip;
  };
  void Add(const std::string& where, const std::string& what, const std::string& fault, Box box);
  std::vector<Drawn> drawing_;
  std::vector<Drawn> last_;
};

// "where: fault: what at (x0, y0)-(x1, y1)", one finding a line.
std::string Describe(const std::vector<TextGuard::Finding>& findings);

}  // namespace testrig
