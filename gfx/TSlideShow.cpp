#include "gfx/TSlideShow.h"

#include "core/Globals.h"
#include "platform/Graphics.h"

TSlideShowPtr TSlideShow::Create() { return std::make_shared<TSlideShow>(); }

TSlidePtr TSlideShow::AddSlide(const String& path, int flags, int centred,
                               const TTransitionEffectPtr& in, const TTransitionEffectPtr& hold,
                               const TTransitionEffectPtr& out) {
  TSlidePtr slide = TSlide::Create(path, flags, centred, in, hold, out);
  slides_.push_back(slide);
  return slide;
}

int TSlideShow::Kill() {
  for (const TSlidePtr& slide : slides_) slide->Kill();
  slides_.clear();
  return 0;
}

TSlidePtr TSlideShow::GetCurrentSlide() const {
  if (CurrentSlide < 0 || CurrentSlide >= static_cast<int>(slides_.size())) return nullptr;
  return slides_[static_cast<size_t>(CurrentSlide)];
}

int TSlideShow::PreCache() {
  for (const TSlidePtr& slide : slides_) {
    if (slide->Image) slide->Image->Precache();
  }
  return 0;
}

int TSlideShow::Manage() {
  if (Finished != 0) return 0;
  TSlidePtr slide = GetCurrentSlide();
  if (!slide) return 0;
  if (slide->Manage() != 1) return 0;
  ++CurrentSlide;
  if (CurrentSlide >= static_cast<int>(slides_.size())) {
    Finished = 1;
    CurrentSlide = static_cast<int>(slides_.size()) - 1;
    return 1;
  }
  slides_[static_cast<size_t>(CurrentSlide)]->LastSlide = slide;
  return 2;
}

int TSlideShow::Draw() {
  if (Finished != 0) return 0;
  TSlidePtr slide = GetCurrentSlide();
  if (!slide) return 0;
  slide->Draw();
  platform::SetBlend(platform::SOLIDBLEND);
  if (LetterBoxHeight > 0) {
    const int bar = (ScreenHeight - LetterBoxHeight) / 2;
    platform::SetColor(0, 0, 0);
    platform::DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(bar));
    platform::DrawRect(0, static_cast<float>(ScreenHeight - bar), static_cast<float>(ScreenWidth),
                       static_cast<float>(bar));
  }
  platform::SetColor(255, 255, 255);
  return 1;
}
