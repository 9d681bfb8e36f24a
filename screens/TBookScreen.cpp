#include "screens/TBookScreen.h"

#include <algorithm>
#include <string>

#include "core/Globals.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TProfile.h"
#include "gfx/TGameFade.h"
#include "platform/FileSystem.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "play/TGameScreen.h"
#include "screens/DialogFunctions.h"
#include "screens/StoryText.h"
#include "screens/TInstructionsScreen.h"
#include "screens/TTitleScreen.h"
#include "text/GameFonts.h"
#include "text/TextDrawing.h"
#include "ui/TButton.h"
#include "ui/TMenu.h"

std::shared_ptr<TBookScreen> BookScreen;

namespace {

constexpr float kTextX = 245.0f;
constexpr float kFirstLineY = 152.0f;
constexpr float kLineGap = 26.0f;

}  // namespace

TBookScreen::TBookScreen() = default;
TBookScreen::~TBookScreen() = default;

std::shared_ptr<TButton> TBookScreen::OK() const { return Menu ? Menu->FindButton(u"OK") : nullptr; }

int TBookScreen::Load() {
  name = u"book";
  // A damaged profile may hold any level: never ask for a chapter picture that does not exist.
  Chapter = std::clamp(GameScreen->GetChapter(), 1, 10);
  SubLevel = std::clamp(GameScreen->GetSubLevel(), 1, 5);

  int basePages = 1;
  if (ShowTornado != 0) {
    ImageLoad(u"chpt 0.jpg", 0, 1);
    basePages = 2;
  } else if (SubLevel == 1) {
    ImageLoad(u"chpt " + S(std::to_string(Chapter)) + u".jpg", 0, 1);
    basePages = 2;
  } else {
    ImageLoad(u"book open.jpg", 0, 1);
  }
  TotalPages = basePages;

  Menu = TMenu::Create(u"buttonMO", u"buttonclick", 0, 0, 0);
  OKButtonCreate(Menu);
  const std::shared_ptr<TButton> ok = OK();
  ok->MoveBy(11, -30);
  Game->FadeMusic = 0;

  StringArray source;
  if (ShowTornado != 0) {
    source = StoryIntroLines();
  } else {
    // A missing or unreadable story leaves the page without text.
    bool read = false;
    const String file =
        platform::LoadText(StoryPath.empty() ? Game->DataPrefix + kStoryFile : StoryPath, &read);
    if (read) source = StoryLevelLines(file, Chapter, SubLevel);
  }
  StoryPages pages = StoryLayout(source, basePages, MainFontSmall);
  Text = std::move(pages.Text);
  TotalLines = pages.TotalLines;
  TotalPages = pages.TotalPages;
  PageWidth = STORY_PAGE_WIDTH;
  LinesPerPage = static_cast<float>(STORY_LINES_PER_PAGE);
  Heading = ShowTornado != 0 ? String(u"Introduction")
                             : u"Level " + S(std::to_string(Chapter)) + u" - " +
                                   S(std::to_string(SubLevel));

  Page = 0;
  StartLine = 0;
  TextPage = HasPicturePage() ? 0 : 1;
  Writing = 1;
  CurrentLine = 0;
  CurrentChar = 1;
  CharCounter = 0.0f;

  ok->LoadImages(u"arrowright", u"arrowrightMO", 95, 40, 19);
  ok->Init();
  ok->SetupAnim(19, 1000, 1, 0, 0, 0, 1);
  Destination = TitleScreen;
  return 0;
}

int TBookScreen::EndOfText() {
  Writing = 0;
  CurrentLine = TotalLines - StartLine;
  LoadOKButton();
  return 0;
}

int TBookScreen::Logic() {
  TScreen::Logic();

  if (TextPage != 0 && Writing != 0) {
    CharCounter += Delta;
    if (CharCounter > Game->CalcAnimLength(LetterSpeed)) {
      CharCounter = 0.0f;
      ++CurrentChar;
      if (StartLine + CurrentLine >= TotalLines) return EndOfText();
      if (CurrentChar > static_cast<int>(Text[static_cast<size_t>(StartLine + CurrentLine)].size())) {
        CurrentChar = 1;
        ++CurrentLine;
        if (StartLine + CurrentLine >= TotalLines) return EndOfText();
        // Blank lines take no typing time, but never carry typing past the page.
        while (Text[static_cast<size_t>(StartLine + CurrentLine)].empty()) {
          ++CurrentLine;
          if (StartLine + CurrentLine >= TotalLines) return EndOfText();
          if (CurrentLine >= STORY_LINES_PER_PAGE) break;
        }
        if (CurrentLine >= STORY_LINES_PER_PAGE) {
          Writing = 0;
          CurrentLine = STORY_LINES_PER_PAGE;
        }
      }
    }
  }

  // A click anywhere turns the page; one on the button itself was taken by the menu above.
  if (Game->Mouse->GetMh(1) != 0) {
    if (const std::shared_ptr<TButton> ok = OK()) ok->PlayClick();
    NextPage();
    return 0;
  }
  if (Menu && Menu->Clicked(u"ok")) NextPage();
  return 0;
}

int TBookScreen::NextPage() {
  if (Writing != 0 && TextPage != 0) {
    Writing = 0;
    CurrentLine = std::min(STORY_LINES_PER_PAGE, TotalLines - StartLine);
    LoadOKButton();
    return 0;
  }
  ++Page;
  if (Page > TotalPages - 1) {
    Leave();
  } else if (TextPage != 0) {
    StartLine += STORY_LINES_PER_PAGE;
    CurrentLine = 0;
    CurrentChar = 1;
    CharCounter = 0.0f;
    Writing = 1;
  }
  if (HasPicturePage() && Page == 1) {
    ImageLoad(u"book open.jpg", 0, 1);
    TextPage = 1;
  }
  Game->FixedRateLogic->Init();
  return 0;
}

int TBookScreen::Leave() {
  std::shared_ptr<TScreen> next = FinalDestination ? FinalDestination : TitleScreen;
  platform::ChannelPtr music;
  if (ShowTornado == 0) {
    // Without a current profile there is no flag to spend: go straight on.
    const int first = Game->CurrentProfile ? Game->CurrentProfile->ShowHint(15, 1) : 0;
    if (first == 1 && Chapter == 1 && SubLevel == 1 && InstructionsScreen) {
      InstructionsScreen->Destination = GameScreen;
      next = InstructionsScreen;
    } else {
      music = Game->MusicChannel;
    }
  }
  Game->GameFade->Init(static_cast<float>(FADE_SPEED), 1, music, 1, 0, nullptr);
  Game->DestinationTScreen = next;
  return 0;
}

int TBookScreen::LoadOKButton() {
  if (Page != TotalPages - 1) return 0;
  const std::shared_ptr<TButton> ok = OK();
  if (!ok) return 0;
  ok->LoadImages(u"OK", u"OKMO", 0, 0, 1);
  ok->Init();
  ok->MoveBy(15, 0);
  ok->FramesTotal = 0;
  ok->frame = 0;
  return 0;
}

int TBookScreen::Draw() {
  platform::SetBlend(platform::SOLIDBLEND);
  if (Image) platform::DrawImage(Image, 0, 0);
  platform::SetBlend(platform::ALPHABLEND);

  if (TextPage != 0) {
    platform::SetImageFont(MapFont);
    ccShadowTextSet(1.0f, 1.0f, 0.4f);
    platform::SetColor(255, 255, 255);
    ccDrawTextCentred(Heading, static_cast<float>(ScreenWidth / 2 + 10), 65.0f, 1, 1);

    platform::SetImageFont(MainFontSmall);
    platform::DrawRect(245.0f, 125.0f, static_cast<float>(PageWidth), 1.0f);
    platform::SetColor(0, 0, 0);
    platform::DrawRect(246.0f, 126.0f, static_cast<float>(PageWidth), 1.0f);
    platform::SetColor(255, 255, 255);

    for (int i = 0; i < CurrentLine && StartLine + i < TotalLines; ++i) {
      ccDrawText(Text[static_cast<size_t>(StartLine + i)], kTextX, kFirstLineY + kLineGap * static_cast<float>(i), 1, 0);
    }
    if (Writing != 0 && StartLine + CurrentLine < TotalLines) {
      const StringView line = Text[static_cast<size_t>(StartLine + CurrentLine)];
      const size_t typedCount = std::min(line.size(), static_cast<size_t>(std::max(0, CurrentChar - 1)));
      const StringView typed = line.substr(0, typedCount);
      const float y = kFirstLineY + kLineGap * static_cast<float>(CurrentLine);
      ccDrawText(typed, kTextX, y, 1, 0);
      if (typedCount < line.size()) {
        // The letter being typed fades in over its letter time.
        ccTextAlpha = std::min(1.0f, CharCounter / Game->CalcAnimLength(LetterSpeed));
        ccDrawText(line.substr(typedCount, 1), kTextX + static_cast<float>(platform::TextWidth(typed)), y, 1, 0);
        ccTextAlpha = 1.0f;
        platform::SetAlpha(1.0f);
      }
    }
    platform::SetColor(255, 255, 255);
  }
  if (Menu) Menu->Draw(0, 0);
  return 0;
}

int TBookScreen::SetEscDestination() {
  Game->DestinationTScreen = Destination ? Destination : TitleScreen;
  return 0;
}
