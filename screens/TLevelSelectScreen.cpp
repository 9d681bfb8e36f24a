#include "screens/TLevelSelectScreen.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "board/TPlayer.h"
#include "core/Globals.h"
#include "core/Input.h"
#include "core/TChannelArray.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "core/TSoundBank.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "platform/Clock.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/TBookScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TLoadingScreen.h"
#include "ui/TMenu.h"

std::shared_ptr<TLevelSelectScreen> LevelSelectScreen;

namespace {

constexpr std::array<std::array<float, 2>, TLevelSelectScreen::MAX_CHAPTERS> kMarkers = {{
    {879, 137}, {783, 185}, {650, 200}, {529, 234}, {400, 298},
    {135, 358}, {373, 160}, {354, 228}, {381, 445}, {675, 565}}};

// Made once: the frame draws them without building strings.
const std::array<String, TLevelSelectScreen::MAX_CHAPTERS>& ChapterCaptions() {
  static const auto captions = [] {
    std::array<String, TLevelSelectScreen::MAX_CHAPTERS> c;
    for (int i = 0; i < TLevelSelectScreen::MAX_CHAPTERS; ++i) c[static_cast<size_t>(i)] = u"Chapter " + S(std::to_string(i + 1));
    return c;
  }();
  return captions;
}

const String& Digit(int n) {
  static const std::array<String, 6> digits = {u"0", u"1", u"2", u"3", u"4", u"5"};
  return digits[static_cast<size_t>(std::clamp(n, 0, 5))];
}

TPlayer& RunPlayer() { return *GameScreen->Player; }

// The run's level; the play screen keeps it inside the game, this guards a record set by hand.
int PlayerLevel() {
  return std::clamp(RunPlayer().Level, 1,
                    TLevelSelectScreen::MAX_CHAPTERS * TLevelSelectScreen::LEVELS_PER_CHAPTER);
}

// The chosen level becomes the run's and is saved at once.
int SavePlayerLevel(int level) {
  RunPlayer().Level = level;
  return RunPlayer().WriteProfile(Game->CurrentProfile);
}

bool FromTitleOrBook() {
  const auto& last = Game->LastTScreen;
  return last && (last == TitleScreen || last == BookScreen);
}

}  // namespace

TLevelSelectScreen::TLevelSelectScreen() = default;
TLevelSelectScreen::~TLevelSelectScreen() = default;

int TLevelSelectScreen::ChapterUnlockedFor(int unlocked, int chapter) {
  // In doubles: a corrupt profile may hold any int, and Unlocked - 1 must not overflow.
  const double opened = 1.0 + std::floor((static_cast<double>(unlocked) - 1.0) / 5.0);
  const int n = static_cast<int>(std::clamp(opened, 1.0, 11.0));
  return std::max(n, std::clamp(chapter, 1, MAX_CHAPTERS));
}

int TLevelSelectScreen::MapWidth() const { return Image ? platform::ImageWidth(Image) : ScreenWidth; }
int TLevelSelectScreen::MapHeight() const { return Image ? platform::ImageHeight(Image) : ScreenHeight; }

float TLevelSelectScreen::FitScale() const {
  const int h = MapHeight();
  // A picture too short to zoom out of is shown at its own size; below 0.55 the exit zoom's
  // final scale (2m - 1) would vanish.
  if (h <= 250) return 1.0f;
  return std::max(static_cast<float>(ScreenHeight) / static_cast<float>(h - 250), 0.55f);
}

int TLevelSelectScreen::FillCoords() {
  CreateCoords();
  for (size_t i = 0; i < Coords.size(); ++i) Coords[i]->Set(kMarkers[i][0], kMarkers[i][1]);
  return 0;
}

int TLevelSelectScreen::CreateCoords() {
  for (auto& point : Coords) point = std::make_shared<TAccuratePoint>();
  return 0;
}

int TLevelSelectScreen::KillCoords() {
  for (auto& point : Coords) point.reset();
  return 0;
}

int TLevelSelectScreen::Load() {
  name = u"levelselect";
  Game->LoadingScreen->DrawLoading(1);
  if (!FromTitleOrBook()) Game->MusicLoad(u"title.ogg", 1);
  ImageLoad(u"levelselect.jpg", 2, 1);
  HeaderLoad(u"selectlevel", 0, 0, 1);
  Header->CentreX(50);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  const TButtonPtr back = Menu->AddNew(u"arrowleft", u"arrowleftMO", u"back", 95, 40, 19);
  back->MoveTo(60, static_cast<float>(ScreenHeight - back->h - 80));
  const TButtonPtr start = Menu->AddNew(u"arrowright", u"arrowrightMO", u"start", 95, 40, 19);
  start->MoveTo(static_cast<float>(ScreenWidth - 60 - start->w),
                static_cast<float>(ScreenHeight - start->h - 80));
  for (const char16_t* button : {u"back", u"start"}) {
    const TButtonPtr b = Menu->FindButton(button);
    b->Active = 0;
    b->SetupAnim(19, 1000, 0, 0, 0, 0, 1);
  }
  FillCoords();
  Locked = images->Find(u"starinactive");
  Unlocked = images->Find(u"staractive");
  ZoomInSound = sounds->Find(u"tornadomap");
  Invalid = sounds->Find(u"invalid");
  ZoomOut = sounds->Find(u"tornadomap");
  Glow.Init(0, 180, 1, 0);
  Glow2.Init(0, 180, 0.5f, 0);
  ScrollX = ScrollY = 0;
  Zoom = TAnimation::Create(500, 0, 0, 0, 0);
  ZoomIn = 1;
  Angle = 0;
  MOIndex = -1;
  for (int n = 1; n <= MAX_CLOUD_IMAGES; ++n) {
    CloudImages[static_cast<size_t>(n - 1)] =
        TGameImage::Create(Game->ImagePath + u"clouds" + S(std::to_string(n)) + u".png", -1, 1);
  }
  Game->FadeMusic = 0;
  return 0;
}

int TLevelSelectScreen::Start() {
  TScreen::Start();
  if (!FromTitleOrBook()) Game->MusicPlay(1, 0, 0);
  Zoom->Start();
  Game->Channels->PlayGameSound(ZoomInSound, nullptr, 1.0f, 0.0f);
  Game->Mouse->Off();
  const int level = PlayerLevel();
  Chapter = 1 + (level - 1) / LEVELS_PER_CHAPTER;
  SubLevel = (level - 1) % LEVELS_PER_CHAPTER + 1;
  ChapterUnlocked = ChapterUnlockedFor(RunPlayer().Unlocked, Chapter);
  LastMOIndex = Chapter - 1;
  Logic();
  Draw();
  Game->FixedRateLogic->Init();
  return 0;
}

int TLevelSelectScreen::Kill() {
  TScreen::Kill();
  KillCoords();
  Zoom.reset();
  for (auto& image : CloudImages) image.reset();
  for (auto& cloud : Clouds) cloud.reset();
  return 0;
}

float TLevelSelectScreen::CalcScale(int flag) {
  const float m = FitScale();
  const float r = (flag != 0 || !Zoom) ? 0.0f : Zoom->GetRatio();
  if (ZoomIn == 1) return (1.0f - m) * r;
  return 2.0f * (1.0f - m) * (1.0f - r);
}

int TLevelSelectScreen::CalcScrollCoords() {
  const float W = static_cast<float>(MapWidth());
  const float H = static_cast<float>(MapHeight());
  const float SW = static_cast<float>(ScreenWidth);
  const float SH = static_cast<float>(ScreenHeight);
  const auto& marker = Coords[static_cast<size_t>(std::clamp(Chapter, 1, MAX_CHAPTERS) - 1)];
  float cx = marker->X;
  float cy = marker->Y;
  const float r = Zoom ? Zoom->GetRatio() : 0.0f;
  if (ZoomIn == 1) {
    const float ex = (W - SW) / 2.0f;
    const float ey = (H - SH) / 2.0f;
    if (cx - W / 2.0f > ex) cx = W / 2.0f + ex;
    if (cx - W / 2.0f < -ex) cx = W / 2.0f - ex;
    if (cy - H / 2.0f > ey) cy = H / 2.0f + ey;
    if (cy - H / 2.0f < -ey) cy = H / 2.0f - ey;
    const float k = 1.0f - Scale;
    ScrollX = (SW - W * k) / 2.0f + (1.0f - r) * k * (W / 2.0f - cx);
    ScrollY = (SH - H * k) / 2.0f + (1.0f - r) * k * (H / 2.0f - cy);
  } else {
    const float ke = 1.0f - CalcScale(1);
    float tx = static_cast<float>(ScreenWidth / 2) - cx * ke;
    if (tx > 0) tx = 0;
    if (tx < SW - W * ke) tx = SW - W * ke;
    float ty = static_cast<float>(ScreenHeight / 2) - cy * ke;
    if (ty > 0) ty = 0;
    if (ty < SH - H * ke) ty = SH - H * ke;
    const float lx = static_cast<float>(LastX);
    const float ly = static_cast<float>(LastY);
    ScrollX = lx - (1.0f - r) * (lx - tx);
    ScrollY = ly - (1.0f - r) * (ly - ty);
  }
  return 0;
}

int TLevelSelectScreen::EdgeScroll() {
  const float mx = static_cast<float>(Game->Mouse->x);
  const float my = static_cast<float>(Game->Mouse->y);
  const float SW = static_cast<float>(ScreenWidth);
  const float SH = static_cast<float>(ScreenHeight);
  if (mx < 60) ScrollX += 2.0f * Delta * (60.0f - mx) / 60.0f;
  if (mx > SW - 60) ScrollX -= 2.0f * Delta * (60.0f - (SW - mx)) / 60.0f;
  if (my < 60) ScrollY += 2.0f * Delta * (60.0f - my) / 60.0f;
  if (my > SH - 60) ScrollY -= 2.0f * Delta * (60.0f - (SH - my)) / 60.0f;
  const float minX = SW - static_cast<float>(MapWidth());
  const float minY = SH - static_cast<float>(MapHeight());
  if (ScrollX < minX) ScrollX = minX;
  if (ScrollX > 0) ScrollX = 0;
  if (ScrollY < minY) ScrollY = minY;
  if (ScrollY > 0) ScrollY = 0;
  return 0;
}

TSpritePtr TLevelSelectScreen::CreateCloud() {
  const int y = platform::Rand(0, ScreenHeight);
  const int x = platform::Rand(0, ScreenWidth);
  const TGameImagePtr& picture = CloudImages[static_cast<size_t>(platform::Rand(0, MAX_CLOUD_IMAGES - 1))];
  TSpritePtr cloud = TSprite::Create(picture, static_cast<float>(x), static_cast<float>(y));
  cloud->dx = static_cast<float>(platform::Rnd(0.1, 0.3 * (ScreenWidth / ScreenHeight)));
  cloud->dy = static_cast<float>(platform::Rnd(-0.3, -0.1));
  cloud->Alpha = 0.8f;
  return cloud;
}

int TLevelSelectScreen::MoveCloudOffScreen(TSprite& cloud) {
  cloud.x -= static_cast<float>(ScreenWidth) - cloud.w2;
  cloud.y += static_cast<float>(ScreenHeight) + cloud.h2;
  return 0;
}

int TLevelSelectScreen::ManageClouds() {
  for (auto& cloud : Clouds) {
    if (!cloud) continue;
    cloud->Move();
    if (cloud->OutOfBounds() && cloud->x > static_cast<float>(ScreenWidth)) {
      cloud = CreateCloud();
      MoveCloudOffScreen(*cloud);
    }
  }
  return 0;
}

int TLevelSelectScreen::MarkerTest() {
  MOIndex = -1;
  const float mx = static_cast<float>(Game->Mouse->x);
  const float my = static_cast<float>(Game->Mouse->y);
  for (int i = 0; i < MAX_CHAPTERS; ++i) {
    const float sx = Coords[static_cast<size_t>(i)]->X + ScrollX;
    const float sy = Coords[static_cast<size_t>(i)]->Y + ScrollY;
    if (!(mx >= sx - 60 && mx < sx + 60 && my >= sy - 50 && my < sy + 25)) continue;
    MOIndex = LastMOIndex = i;
    if (Game->Mouse->GetMh(1) != 0) {
      const int c = i + 1;
      if (c > ChapterUnlocked) {
        Game->Channels->PlayGameSound(Invalid, nullptr, 1.0f, 0.0f);
      } else if (c == Chapter) {
        LevelSelected(PlayerLevel());
      } else if (RunPlayer().Unlocked < 50) {
        Game->Channels->PlayGameSound(Invalid, nullptr, 1.0f, 0.0f);
      } else {
        LevelSelected(LEVELS_PER_CHAPTER * i + 1);
      }
    }
    break;
  }
  return 0;
}

int TLevelSelectScreen::LevelSelected(int level) {
  if (level < 1 || level > 50) return 0;
  Game->Channels->PlayGameSound(ZoomOut, nullptr, 1.0f, 0.0f);
  Zoom = TAnimation::Create(500, 1, 0, 0, 0);
  ZoomIn = 0;
  Zoom->Start();
  LastX = static_cast<int>(ScrollX);
  LastY = static_cast<int>(ScrollY);
  SavePlayerLevel(level);
  Chapter = 1 + (level - 1) / LEVELS_PER_CHAPTER;
  Menu->FindButton(u"Back")->Active = 0;
  Menu->FindButton(u"Start")->Active = 0;
  return 0;
}

int TLevelSelectScreen::Logic() {
  TScreen::Logic();
  if (Zoom && Zoom->Manage() == 1) {
    if (ZoomIn == 1) {
      Menu->FindButton(u"Back")->Active = 1;
      Menu->FindButton(u"Start")->Active = 1;
      Scale = 0;
      CalcScrollCoords();
      const auto& marker = Coords[static_cast<size_t>(Chapter - 1)];
      const int px = static_cast<int>(marker->X + ScrollX + GAP);
      const int py = static_cast<int>(marker->Y + ScrollY);
      // Through the virtual-resolution ratio, so the system pointer and Game->Mouse agree.
      Game->DoMoveMouse(px, py);
      Game->Mouse->x = px;
      Game->Mouse->y = py;
      Game->Mouse->On();
      for (auto& cloud : Clouds) {
        cloud = CreateCloud();
        if (platform::Rand(0, 100) < 50) MoveCloudOffScreen(*cloud);
      }
    } else {
      Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
      Game->DestinationTScreen = BookScreen;
      if (BookScreen) {
        BookScreen->FinalDestination = GameScreen;
        BookScreen->ShowTornado = 0;
      }
    }
  }
  Scale = CalcScale(0);
  const bool zooming = Zoom && Zoom->Active;
  if (!zooming) {
    EdgeScroll();
    Glow.Manage();
    Glow2.Manage();
    Angle += 0.5f * Delta;
    if (Angle >= 360.0f) Angle -= 360.0f;
    MarkerTest();
    ManageClouds();
  }
  if (!(Zoom && Zoom->Active)) {
    if (KeyHit(KEY_SPACE) || KeyHit(KEY_ENTER)) LevelSelected(PlayerLevel());
  }
  if (Menu->Clicked(u"back")) {
    Game->GameFade->Init(FADE_SPEED, 1, nullptr, 1, 0, nullptr);
    Game->DestinationTScreen = TitleScreen;
  }
  if (!(Zoom && Zoom->Active) && Menu->Clicked(u"start")) LevelSelected(PlayerLevel());
  return 0;
}

int TLevelSelectScreen::Draw() {
  const bool zooming = Zoom && Zoom->Active;
  if (zooming) CalcScrollCoords();
  const float k = 1.0f - Scale;
  // Scaled down, the map no longer covers the frame: what lies outside it must read black.
  if (k < 1.0f || MapWidth() < ScreenWidth || MapHeight() < ScreenHeight) {
    platform::SetBlend(platform::SOLIDBLEND);
    platform::SetColor(0, 0, 0);
    platform::DrawRect(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
    platform::SetColor(255, 255, 255);
  }
  platform::SetBlend(platform::ALPHABLEND);
  platform::SetScale(k, k);
  platform::DrawImage(Image, ScrollX, ScrollY);
  platform::SetScale(1, 1);
  if (!zooming) {
    platform::SetImageFont(MapFont);
    ccShadowTextSet(1.0f, 1.0f, 0.6f);
    const float h2 = Locked->h2;
    for (int i = 0; i < MAX_CHAPTERS; ++i) {
      const int c = i + 1;
      const float sx = Coords[static_cast<size_t>(i)]->X + ScrollX;
      const float sy = Coords[static_cast<size_t>(i)]->Y + ScrollY;
      const bool current = c == Chapter;
      platform::SetBlend(platform::ALPHABLEND);
      platform::SetAlpha(1.0f);
      platform::SetColor(255, 255, 255);
      if (current) {
        platform::SetScale(0.5f, 0.5f);
        for (int j = 1; j <= LEVELS_PER_CHAPTER; ++j) {
          const auto& star = StarCoords[static_cast<size_t>(j - 1)];
          platform::DrawImage(j <= SubLevel - 1 ? Unlocked->image : Locked->image,
                              sx + static_cast<float>(star[0]), sy + static_cast<float>(star[1]));
        }
        platform::SetRotation(Angle);
        platform::SetScale(1.2f, 1.2f);
      }
      const platform::ImagePtr& marker = c > ChapterUnlocked ? Locked->image : Unlocked->image;
      platform::DrawImage(marker, sx, sy);
      platform::SetRotation(0);
      platform::SetScale(1, 1);
      platform::SetBlend(platform::LIGHTBLEND);
      if (current) {
        platform::SetRotation(Angle);
        platform::SetScale(1.2f, 1.2f);
      }
      platform::SetAlpha(i == MOIndex ? Glow.ratio / 2.0f : (1.0f - Glow2.ratio) / 5.0f);
      platform::DrawImage(marker, sx, sy);
      platform::SetBlend(platform::ALPHABLEND);
      platform::SetAlpha(1.0f);
      platform::SetRotation(0);
      platform::SetScale(1, 1);
      if (current) {
        platform::SetColor(0, 0, 0);
        ccDrawTextCentred(Digit(SubLevel), sx, sy + h2 - 50.0f, 0, 0);
      }
      platform::SetColor(255, 255, 255);
    }
    if (LastMOIndex >= 0 && LastMOIndex < MAX_CHAPTERS) {
      const auto& point = Coords[static_cast<size_t>(LastMOIndex)];
      const String& caption = ChapterCaptions()[static_cast<size_t>(LastMOIndex)];
      const float x = point->X + ScrollX - 4.0f;
      const float y = point->Y + ScrollY + h2 - 80.0f;
      // The name reads over any ground: a dusky plate under it, there only while it is written.
      const float plateW = static_cast<float>(platform::TextWidth(caption) + 20);
      const float plateH = static_cast<float>(platform::TextHeight(caption) + 6);
      platform::SetColor(16, 10, 28);
      platform::SetAlpha(0.88f);
      platform::DrawRect(x - plateW / 2.0f, y - 3.0f, plateW, plateH);
      platform::SetAlpha(1.0f);
      platform::SetColor(180, 180, 180);
      ccDrawTextCentred(caption, x - 0.5f, y - 0.5f, 0, 0);
      if (LastMOIndex == MOIndex) {
        platform::SetColor(255, 255, 255);
      } else {
        platform::SetColor(220, 220, 220);
      }
      ccDrawTextCentred(caption, x, y, 1, 0);
      platform::SetColor(255, 255, 255);
    }
    for (const auto& cloud : Clouds) {
      if (cloud) cloud->Draw();
    }
    platform::SetAlpha(1.0f);
    platform::SetImageFont(MainFontSmall);
    struct Caption {
      const char16_t* button;
      const char16_t* text;
      float x;
    };
    for (const Caption& cap : {Caption{u"back", u"Save and Exit", 50}, Caption{u"start", u"Play Next Level", 630}}) {
      const bool over = Menu->MouseOver(cap.button) != 0;
      const StringView text(cap.text);
      if (over) {
        platform::SetColor(80, 80, 80);
      } else {
        platform::SetColor(0, 0, 0);
      }
      platform::SetAlpha(0.35f);
      platform::DrawRect(cap.x - 4.0f, 519.0f, static_cast<float>(platform::TextWidth(text) + 8),
                         static_cast<float>(platform::TextHeight(text) + 3));
      if (over) {
        platform::SetColor(255, 255, 255);
      } else {
        platform::SetColor(225, 225, 225);
      }
      platform::SetAlpha(1.0f);
      ccDrawText(text, cap.x, 520.0f, 1, 0);
    }
  }
  platform::SetColor(255, 255, 255);
  Menu->Draw(0, 0);
  if (Header) Header->Draw();
  return 0;
}

int TLevelSelectScreen::SetEscDestination() {
  Game->DestinationTScreen = TitleScreen;
  return 0;
}
