// The one-line text entry: what it takes, how Enter and Escape end it, the application keys it
// blocks, and the cursor and dots it draws.
#include <string>

#include "UiFixture.h"
#include "core/Input.h"
#include "platform/Font.h"
#include "ui/TTextInput.h"

using namespace uitest;

namespace {

class TextInputTest : public UiTest {
 protected:
  // Types c and runs one tick of the line.
  int TypeAndManage(TTextInput& line, char16_t c) {
    Type(c);
    return line.Manage();
  }
  void TypeAll(TTextInput& line, const String& text) {
    for (char16_t c : text) TypeAndManage(line, c);
  }
};

TEST_F(TextInputTest, TakesWhatFitsAndEndsOnEnterOrEscapeAsConfigured) {
  TTextInput line;
  line.Init(nullptr, u"", 10, 10, nullptr);
  EXPECT_EQ(Game->BlockKeys, 1);
  EXPECT_EQ(line.CursorFlashSpeed, 50);
  TTextInput empty;
  empty.Init(nullptr, u"", 0, 0, nullptr);
  EXPECT_EQ(TypeAndManage(empty, 8), 0);  // Backspace on nothing
  EXPECT_EQ(empty.Text, u"");
  EXPECT_EQ(empty.CurrentChar, 1);

  TypeAll(line, u"abcdefghijk");
  EXPECT_EQ(line.Text, u"abcdefghij");  // the eleventh is dropped
  EXPECT_EQ(line.CurrentChar, 11);
  TypeAndManage(line, 8);
  EXPECT_EQ(line.Text, u"abcdefghi");

  // Blank text is refused without AllowNull: the line stays open and the input is flushed.
  TTextInput blank;
  blank.Init(nullptr, u"", 0, 0, nullptr);
  blank.AllowNull = 0;
  TypeAll(blank, u"   ");
  Key(KEY_ENTER, 13);
  Key('P', 'p');  // still queued behind Enter: flushed with it
  EXPECT_EQ(blank.Manage(), 0);
  EXPECT_EQ(blank.Active, 1);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(KeyHit('P'), 0);
  blank.AllowNull = 1;
  EXPECT_EQ(TypeAndManage(blank, 13), 1);
  EXPECT_EQ(blank.Text, u"   ");

  struct EscapeCase {
    int allowEsc;
    int numbersOnly;
    int expected;
  };
  for (const EscapeCase& c : {EscapeCase{1, 0, -1}, EscapeCase{0, 0, 0}, EscapeCase{1, 1, 0}}) {
    TTextInput esc;
    esc.Init(nullptr, u"12", 0, 0, nullptr);
    esc.AllowEscToAbort = c.allowEsc;
    esc.NumbersOnly = c.numbersOnly;
    EXPECT_EQ(TypeAndManage(esc, 27), c.expected);
    EXPECT_EQ(esc.Active, c.expected == 0 ? 1 : 0);
    EXPECT_EQ(esc.Done, c.expected == 0 ? 0 : 1);
    if (c.numbersOnly == 1) {
      TypeAll(esc, u"a5-");
      EXPECT_EQ(esc.Text, u"125");
    }
  }

  // Enter ends the line: the keys come back and the ending key reaches nobody.
  TTextInput name;
  name.Init(nullptr, u"", 0, 0, nullptr);
  name.UppercaseFirstCharAsTyped = 1;
  TypeAll(name, u"bob");
  EXPECT_EQ(name.Text, u"Bob");
  for (int i = 0; i < 3; ++i) TypeAndManage(name, 8);
  TypeAll(name, u"bo");
  EXPECT_EQ(name.Text, u"Bo");
  Key(KEY_ENTER, 13);
  EXPECT_EQ(name.Manage(), 1);
  EXPECT_EQ(Game->BlockKeys, 0);
  EXPECT_EQ(KeyHit(KEY_ENTER), 0);
  name.Reset();
  EXPECT_EQ(Game->BlockKeys, 1);
  name.Finish();
  EXPECT_EQ(Game->BlockKeys, 0);

  // Released while still taking typing: the application gets its keys back.
  {
    TTextInput dropped;
    dropped.Init(nullptr, u"", 0, 0, nullptr);
    EXPECT_EQ(Game->BlockKeys, 1);
  }
  EXPECT_EQ(Game->BlockKeys, 0);

  // A pixel limit refuses a character that would not fit.
  TTextInput narrow;
  narrow.Init(nullptr, u"", 0, 0, nullptr);
  narrow.MaxPixelWidth = platform::TextWidth(u"ab");
  TypeAll(narrow, u"abc");
  EXPECT_EQ(narrow.Text, u"ab");

  // Escape with ClearTextOnEscape empties the text and the place follows it.
  TTextInput cleared;
  cleared.Init(nullptr, u"abc", 0, 0, nullptr);
  cleared.ClearTextOnEscape = 1;
  EXPECT_EQ(TypeAndManage(cleared, 27), -1);
  EXPECT_EQ(cleared.Text, u"");
  EXPECT_EQ(cleared.CurrentChar, 1);
}

TEST_F(TextInputTest, CursorFlipsEvery50TicksAndTheDotsStayPut) {
  TTextInput line;
  line.Init(nullptr, u"", 0, 0, nullptr);
  std::string flips;
  for (int tick = 1; tick <= 150; ++tick) {
    const int before = line.CursorOn;
    line.Manage();
    if (line.CursorOn != before) flips += std::to_string(tick) + " ";
  }
  EXPECT_EQ(flips, "50 100 150 ");

  OpenDisplay();
  TTextInput drawn;
  drawn.Init(nullptr, u"abc", 100, 100, nullptr);
  drawn.DrawDots = 1;
  drawn.TextShadow = nullptr;
  platform::SetImageFont(nullptr);
  const int letters = platform::TextWidth(u"abc");
  const int slot = platform::TextWidth(u"_");
  const int dots = platform::TextWidth(u"......");
  const int height = platform::TextHeight(u"");
  EXPECT_EQ(platform::TextWidth(u"......."), dots + platform::TextWidth(u"."));  // widths add up
  auto grab = [&](int on) {
    platform::Cls();
    drawn.CursorOn = on;
    drawn.Draw();
    return platform::GrabPixmap(100, 100, letters + slot + dots + 8, height);
  };
  auto lit = [](const platform::PixmapPtr& p, int x0, int x1, uint32_t* sample = nullptr) {
    int n = 0;
    for (int y = 0; y < p->Height(); ++y) {
      for (int x = x0; x < x1; ++x) {
        const uint32_t px = p->ReadPixel(x, y) & 0xFFFFFFu;
        if (px != 0) {
          ++n;
          if (sample) *sample = px;
        }
      }
    }
    return n;
  };
  const platform::PixmapPtr on = grab(1);
  const platform::PixmapPtr off = grab(0);
  uint32_t letter = 0, cursor = 0, dot = 0;
  EXPECT_GT(lit(on, 0, letters, &letter), 0);
  EXPECT_GT(lit(on, letters, letters + slot, &cursor), 0);
  EXPECT_EQ(lit(off, letters, letters + slot), 0);
  EXPECT_GT(lit(on, letters + slot, letters + slot + dots, &dot), 0);
  EXPECT_EQ(lit(on, letters + slot + dots, letters + slot + dots + 8), 0);  // six dots, no more
  EXPECT_PIXEL_NEAR(letter | 0xFF000000u, 0xFFFFFFFFu);
  EXPECT_PIXEL_NEAR(cursor | 0xFF000000u, 0xFF00FFFFu);
  EXPECT_PIXEL_NEAR(dot | 0xFF000000u, 0xFF969696u);
  for (int y = 0; y < height; ++y) {
    for (int x = letters + slot; x < letters + slot + dots + 8; ++x) {
      ASSERT_EQ(on->ReadPixel(x, y), off->ReadPixel(x, y)) << x << "," << y;
    }
  }

  // Full: neither cursor nor dots.
  TTextInput full;
  full.Init(nullptr, u"abcdefghij", 100, 100, nullptr);
  full.DrawDots = 1;
  full.TextShadow = nullptr;
  platform::Cls();
  full.Draw();
  const int ten = platform::TextWidth(u"abcdefghij");
  const platform::PixmapPtr after = platform::GrabPixmap(100 + ten, 100, 40, height);
  EXPECT_EQ(lit(after, 0, 40), 0);
}

}  // namespace
