#pragma once
// The story book: before a level (or, once, as the game's introduction) a page of story is
// typed out letter by letter on the open book. The introduction and the first level of each
// chapter open on a full-screen chapter picture first. The caller sets ShowTornado and
// FinalDestination and fades to the book; its last page leads to FinalDestination (or, the
// first time a profile leaves chapter 1 level 1, to the instructions), Escape to the title.
#include <memory>

#include "core/TScreen.h"
#include "platform/String.h"
#include "text/StringHelpers.h"

class TButton;

class TBookScreen : public TScreen {
 public:
  TBookScreen();
  ~TBookScreen() override;

  int Chapter = 0;   // 1..10
  int SubLevel = 0;  // 1..5
  int Page = 0;      // 0 is the picture page when there is one
  int TextPage = 0;  // 1 while a text page shows
  int TotalPages = 0;
  StringArray Text;  // display lines
  int TotalLines = 0;
  int PageWidth = 340;
  int ShowTornado = 0;  // 1: the introduction
  float LinesPerPage = 13.0f;
  int StartLine = 0;  // first display line of the text page shown
  std::shared_ptr<TScreen> FinalDestination;
  int Writing = 1;
  int CurrentLine = 0;  // lines of the page before it are complete
  int CurrentChar = 1;  // 1 + characters of the current line typed
  float CharCounter = 0.0f;
  int LetterSpeed = 25;  // ms per letter
  // The story file Load reads; empty: the data folder's.
  String StoryPath;

  int Load() override;
  int Logic() override;
  int Draw() override;
  int SetEscDestination() override;
  virtual int LoadOKButton();
  virtual int NextPage();

 private:
  int EndOfText();
  int Leave();
  bool HasPicturePage() const { return ShowTornado != 0 || SubLevel == 1; }
  std::shared_ptr<TButton> OK() const;

  String Heading;  // built once per visit, drawn every frame
};

extern std::shared_ptr<TBookScreen> BookScreen;
