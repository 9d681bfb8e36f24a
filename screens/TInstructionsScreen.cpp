#include "screens/TInstructionsScreen.h"

#include <algorithm>
#include <array>

#include "board/TCell.h"
#include "board/TGem.h"
#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "gfx/MathHelpers.h"
#include "gfx/TGameFade.h"
#include "gfx/TImageBank.h"
#include "gfx/TParticle.h"
#include "gfx/TParticleList.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/DialogFunctions.h"
#include "screens/TBookScreen.h"
#include "screens/TTitleScreen.h"
#include "ui/TMenu.h"

std::shared_ptr<TInstructionsScreen> InstructionsScreen;

namespace {

constexpr int kTumbletGem = -1;  // the Tumblet inside a gem of type 7

struct Point {
  int x, y;
};

struct Gem {
  Point at;
  int frame;     // of the bank's "gems", or kTumbletGem
  bool matched;  // in the run: shown in phases 0 and 1 only
};

struct Move {
  Point from, to;
  int frame;
};

// One example board: its still gems by row, the gem that moves into the run (drawn until the
// match) and the one that moves out of it (staying at its new place).
struct ExampleBoard {
  Point block;
  std::array<Gem, 2> top;
  std::array<Gem, 2> bottom;
  Move intoRun;
  Move outOfRun;
};

constexpr std::array<ExampleBoard, 4> kBoards = {{
    {{158, 140},
     {{{{158, 140}, 0, false}, {{258, 140}, 1, false}}},
     {{{{158, 190}, 5, true}, {{258, 190}, 5, true}}},
     {{208, 140}, {208, 190}, 5},
     {{208, 190}, {208, 140}, 2}},
    {{518, 140},
     {{{{518, 140}, 1, false}, {{568, 140}, 2, false}}},
     {{{{518, 190}, 4, true}, {{568, 190}, 4, true}}},
     {{618, 140}, {618, 190}, 4},
     {{618, 190}, {618, 140}, 3}},
    {{158, 330},
     {{{{158, 330}, 2, false}, {{258, 330}, 3, false}}},
     {{{{158, 380}, kTumbletGem, true}, {{258, 380}, 6, true}}},
     {{208, 330}, {208, 380}, kTumbletGem},
     {{208, 380}, {208, 330}, 4}},
    {{518, 330},
     {{{{568, 330}, 3, false}, {{618, 330}, 4, false}}},
     {{{{518, 380}, 2, true}, {{618, 380}, 2, true}}},
     {{518, 330}, {568, 380}, 2},
     {{568, 380}, {518, 330}, 5}},
}};

}  // namespace

TInstructionsScreen::TInstructionsScreen() = default;
TInstructionsScreen::~TInstructionsScreen() = default;

std::shared_ptr<TScreen> TInstructionsScreen::LeaveTo() const {
  if (Destination) return Destination;
  return TitleScreen;
}

int TInstructionsScreen::Load() {
  name = u"instructions";
  ImageLoad(u"background.jpg", 0, 1);
  HeaderLoad(u"instructions", 0, 0, 1);
  Header->image->MidHandle(0);
  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  if (auto ok = Menu->FindButton(u"OK")) ok->MoveBy(0, -10);
  Anim1 = TAnimation::Create(1000, 0, 0, 1, 0);
  Anim1->AddPhase(1000);
  Anim1->AddPhase(300);
  Anim1->AddPhase(1000);
  TumbletLength = Game->CalcAnimLength(1500);
  if (!BookScreen || Game->LastTScreen != BookScreen) Game->FadeMusic = 0;
  Cell = std::make_shared<TCell>();
  Cell->active = 1;
  return 0;
}

int TInstructionsScreen::Start() {
  TScreen::Start();
  Anim1->Start();
  BackgroundParticles->Clear();
  Tumblets->Clear();
  return 0;
}

int TInstructionsScreen::Kill() {
  TScreen::Kill();
  Anim1.reset();
  Cell.reset();
  // Back to a suspended level, only what this page made goes: the level's own effects (a
  // tornado sweep half-way down a column) must finish.
  const bool overRunningLevel = GameScreen && Destination == GameScreen && GameScreen->StopInit;
  if (overRunningLevel) {
    BackgroundParticles->Clear();
    Tumblets->Clear();
  } else {
    TGameScreen::ClearParticles();
  }
  return 0;
}

int TInstructionsScreen::ManageTumblets() {
  Tumblets->ForEach([](const TParticlePtr& particle) {
    particle->Move();
    particle->ManageAnim();
  });
  return 0;
}

int TInstructionsScreen::MakeTumblet(int x, int y, int type) {
  const TGameImagePtr& picture = TGem::TumbletFallingImages[static_cast<size_t>(type)];
  const TParticlePtr particle = Tumblets->AddNew(
      static_cast<int>(static_cast<float>(x) + 25.0f - static_cast<float>(picture->w) / 2.0f),
      static_cast<int>(static_cast<float>(y) + 25.0f - static_cast<float>(picture->h) / 2.0f),
      picture, 0.0f, 0.02f, 0.02f, 0, 0, 0, 0, 1.0f, 0, 0, 0);
  particle->SetupAnim(23, 500, 0, 0, 0, 0, 1);
  particle->AnimCounter = static_cast<float>(platform::Rand(1, particle->AnimLength - 1));
  if (particle->x + static_cast<float>(particle->w) / 2.0f < static_cast<float>(ScreenWidth) / 2.0f) {
    particle->ScaleX = -1.0f;
    particle->x += static_cast<float>(particle->w);
  }
  return 0;
}

int TInstructionsScreen::Logic() {
  TScreen::Logic();
  BackgroundParticles->Move();
  ManageTumblets();
  if (Anim1->Manage() == 1 && Anim1->CurrentPhase == 2) {
    const TGameImagePtr debris = images->Find(u"brickmid");
    for (int i = 0; i < 3; ++i) {
      for (int n = 0; n < 4; ++n) {
        const float dx = static_cast<float>(platform::Rnd(-1.0, 1.0));
        const float dy = static_cast<float>(platform::Rnd(-1.0, -0.2));
        BackgroundParticles->AddNew(543 + 50 * i, 215, debris, dx, dy, 0.04f, 1500, 0,
                                    dx >= 0 ? 1 : -1, 2.0f, 1.0f, 0, 0, 0);
      }
    }
    MakeTumblet(158, 380, 7);
    MakeTumblet(208, 380, 7);
  }
  TumbletCounter += Delta;
  if (TumbletCounter >= TumbletLength) TumbletCounter -= TumbletLength;
  if (Game->Mouse->GetMh(1) != 0) {
    if (auto ok = Menu->FindButton(u"OK")) ok->PlayClick();
    Close();
  } else if (Menu->Clicked(u"ok")) {
    Close();
  }
  return 0;
}

int TInstructionsScreen::Close() {
  // Only on the road from the book does the music end with the page.
  const bool fromBook = BookScreen && Game->LastTScreen == BookScreen;
  Game->GameFade->Init(FADE_SPEED, 1, fromBook ? Game->MusicChannel : nullptr, 1, 0, nullptr);
  Game->DestinationTScreen = LeaveTo();
  return 0;
}

int TInstructionsScreen::SetEscDestination() {
  Game->DestinationTScreen = LeaveTo();
  return 0;
}

int TInstructionsScreen::DrawCells(int x, int y, int mode) {
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      Cell->sx = static_cast<float>(x + 50 * c);
      Cell->sy = static_cast<float>(y + 50 * r);
      Cell->gold = mode == 1 || (mode == 2 && r == 0) ? 1 : 0;
      Cell->DrawRight = c == 2 ? 1 : 0;
      Cell->DrawBottom = r == 1 ? 1 : 0;
      Cell->DrawCorner = r == 1 && c == 2 ? 1 : 0;
      Cell->Draw();
    }
  }
  return 0;
}

int TInstructionsScreen::DrawRing(int x, int y) {
  const float L = static_cast<float>(static_cast<int>(Game->CalcAnimLength(300)));
  const float S = Game->CalcAnimLength(100);
  const float C = Anim1->Counter;
  platform::SetScale(std::min(1.0f, (L - C) / L + 0.2f), std::min(1.0f, (L - C) / L + 0.2f));
  platform::SetAlpha(C < S ? C / S : 1.0f);
  platform::DrawImage(images->Find(u"particlering")->image, static_cast<float>(x + 25),
                      static_cast<float>(y + 25));
  platform::SetRotation(0);
  platform::SetScale(1, 1);
  platform::SetAlpha(1);
  return 0;
}

int TInstructionsScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  platform::DrawImage(Image, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);
  Header->Draw();
  Menu->Draw(0, 0);
  const int phase = Anim1->CurrentPhase;
  const float r = Anim1->GetRatioInv();
  const platform::ImagePtr& gems = images->Find(u"gems")->image;
  const int tumbletFrame =
      ccCalcAnimFrame(TumbletCounter, static_cast<int>(TumbletLength), 23, 1);
  auto drawGem = [&](float x, float y, int frame) {
    if (frame == kTumbletGem) {
      platform::DrawImage(TGem::TumbletImages[7]->image, x, y, tumbletFrame);
    } else {
      platform::DrawImage(gems, x, y, frame);
    }
  };
  auto moving = [&](const Move& m, float& x, float& y) {
    const float t = phase == 0 ? 0.0f : phase == 1 ? r : 1.0f;
    x = static_cast<float>(m.from.x) + static_cast<float>(m.to.x - m.from.x) * t;
    y = static_cast<float>(m.from.y) + static_cast<float>(m.to.y - m.from.y) * t;
  };
  for (size_t b = 0; b < kBoards.size(); ++b) {
    const ExampleBoard& board = kBoards[b];
    const int mode = b == 1 ? (phase < 2 ? 1 : 2) : 0;
    DrawCells(board.block.x, board.block.y, mode);
    float ix = 0, iy = 0, ox = 0, oy = 0;
    moving(board.intoRun, ix, iy);
    moving(board.outOfRun, ox, oy);
    if (phase == 2) {
      for (int c = 0; c < 3; ++c) DrawRing(board.block.x + 50 * c, board.block.y + 50);
      drawGem(ox, oy, board.outOfRun.frame);
    } else {
      for (const Gem& g : board.bottom) {
        if (phase < 2 || !g.matched) drawGem(static_cast<float>(g.at.x), static_cast<float>(g.at.y), g.frame);
      }
      if (phase < 2) drawGem(ox, oy, board.outOfRun.frame);
    }
    for (const Gem& g : board.top) {
      if (phase < 2 || !g.matched) drawGem(static_cast<float>(g.at.x), static_cast<float>(g.at.y), g.frame);
    }
    if (phase < 2) drawGem(ix, iy, board.intoRun.frame);
    if (phase == 3) drawGem(ox, oy, board.outOfRun.frame);
    if (b == 3) {
      platform::DrawImage(images->Find(u"Xinactive")->image, static_cast<float>(ScreenWidth / 2 - 42), 380);
      platform::DrawImage(images->Find(u"Xactive2")->image, static_cast<float>(ScreenWidth / 2 + 70), 380);
    }
    if (phase == 0) {
      platform::DrawImage(images->Find(u"cursor")->image, static_cast<float>(board.intoRun.from.x),
                          static_cast<float>(board.intoRun.from.y));
    }
  }
  BackgroundParticles->Draw();
  Tumblets->Draw();
  return 0;
}
