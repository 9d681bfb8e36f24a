#include "gfx/TSlideLineList.h"

#include "platform/Graphics.h"

TSlideLineList::TSlideLineList() : Color(TColor::Create(0, 0, 0, 1.0f)) {}

TSlideLinePtr TSlideLineList::Add(const String& text, int sx, int sy, int ex, int ey,
                                  int lengthMs) {
  auto line = std::make_shared<TSlideLine>();
  line->InitLine(text, sx, sy, ex, ey, lengthMs);
  line->Color = Color;
  items_.push_back(line);
  return line;
}

int TSlideLineList::Start() {
  for (const TSlideLinePtr& line : items_) line->Start();
  return 0;
}

int TSlideLineList::Manage() {
  for (const TSlideLinePtr& line : items_) line->Manage();
  return 0;
}

int TSlideLineList::Draw() {
  for (const TSlideLinePtr& line : items_) line->Draw();
  platform::SetColor(255, 255, 255);
  return 0;
}
