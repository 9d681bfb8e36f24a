// The name prompt driven by characters as the runtime types them:
// bad input never crashes it nor makes a bad file name, and an accepted name makes exactly one
// profile file, in the profiles folder, and touches nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/TGame.h"
#include "core/TProfile.h"
#include "gfx/TColor.h"
#include "platform/Events.h"
#include "screens/DialogFunctions.h"
#include "platform/Image.h"
#include "support/AudioFiles.h"
#include "support/FrameworkState.h"
#include "support/ProfileFiles.h"
#include "support/TestRig.h"
#include "text/TLabel.h"
#include "ui/TDialogOK.h"
#include "ui/TDialogTextInput.h"
#include "ui/TTextInput.h"

namespace fs = std::filesystem;

namespace {

class NamePromptInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = testrig::MakeTempDir("prompt") + "/";
    testrig::NewQuietGame(root);
    // The game's picture and button names at small sizes: hundreds of prompts are made.
    platform::Pixmap panel(450, 340, 0xFF203040);
    platform::Pixmap button(120, 50, 0xFF406080);
    fs::create_directories(root + "images");
    fs::create_directories(root + "menus");
    ASSERT_TRUE(platform::SavePixmapPNG(panel, S(root + "images/whatisyourname.png")));
    for (const char* name : {"OK", "OKMO", "OK2", "OK2MO"}) {
      ASSERT_TRUE(platform::SavePixmapPNG(button, S(root + "menus/" + name + ".png")));
    }
    const std::string click = testrig::EncodeWav(1, 22050, 64, [](int, int) { return 0.0f; });
    for (const char* name : {"buttonMO", "buttonclick"}) {
      testrig::WriteFileBytes(root + "sound/" + name + ".wav", click);
    }
    fs::create_directories(root + "profiles");
  }
  void TearDown() override { Game.reset(); }

  TDialogTextInputPtr Fresh() {
    auto prompt = EnterNamePrompt(0);
    prompt->Start();
    return prompt;
  }
  // One character as the runtime delivers it, then one tick of the prompt as the title runs it
  // (an accepted name becomes the current profile).
  int Feed(TDialogTextInput& prompt, char16_t c) {
    const int vk = c >= u'a' && c <= u'z' ? c - u'a' + 'A' : (c < 256 ? c : 0);
    testrig::Post(platform::EVENT_KEYDOWN, vk);
    testrig::Post(platform::EVENT_KEYCHAR, c);
    testrig::Post(platform::EVENT_KEYUP, vk);
    Game->DoPeekEvent();
    const int r = prompt.Manage();
    if (r == 1) CreateProfile(prompt.TextInput->Text);
    return r;
  }
  int FeedAll(TDialogTextInput& prompt, const String& text) {
    int r = 0;
    for (char16_t c : text) {
      r = Feed(prompt, c);
      if (r != 0) break;
    }
    return r;
  }
  // Every file under the temporary root with its size.
  std::map<std::string, uintmax_t> Walk() const {
    std::map<std::string, uintmax_t> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      if (e.is_regular_file()) files[e.path().string().substr(root.size())] = e.file_size();
    }
    return files;
  }

  std::string root;
};

TEST_F(NamePromptInputTest, BadInputIsDroppedOrRefused) {
  testrig::WriteProfileFile(root + "profiles/", "Bob");
  struct Case {
    const char* what;
    String typed;
    String shown;     // the text before Enter
    int result;       // of Enter: 1 accepted, 0 still open
    bool box;         // an error box over the prompt
  };
  const String banned = TTextInput::FileNameUnsafeChars;
  String strewn;
  for (char16_t c : banned) strewn += String(u"a") + c;
  const std::vector<Case> cases = {
      {"20 letters", u"abcdefghijklmnopqrst", u"abcdefghijkl", 1, false},
      {"file-name characters", strewn, u"aaaaaaaaaaaa", 1, false},
      {"spaces only", u"   ", u"   ", 0, false},
      {"above 255 and Latin-1", String(u"a\u0416\u20ac\u4e2d\uffff\u00e9b"), u"ab", 1, false},
      {"control codes", String(u"c\x01\x07\x09\x0a\x1f\x7f", 7) + u"d", u"cd", 1, false},
      {"dot", u".", u".", 0, true},
      {"two dots", u"..", u"..", 0, true},
      {"another case of Bob", u"bOB", u"bOB", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto before = Walk();
    auto prompt = Fresh();
    EXPECT_EQ(FeedAll(*prompt, c.typed), 0);
    EXPECT_EQ(prompt->TextInput->Text, c.shown);
    EXPECT_EQ(Feed(*prompt, u'\r'), c.result);
    EXPECT_EQ(prompt->DialogOK != nullptr, c.box);
    if (c.result == 0) {
      EXPECT_EQ(Walk(), before);
      if (c.box) {
        EXPECT_EQ(Feed(*prompt, u'\r'), 0);  // Enter closes the box
      }
      EXPECT_FALSE(prompt->DialogOK);
      EXPECT_EQ(prompt->Active, 1);
      EXPECT_EQ(Game->BlockKeys, 1);
      FeedAll(*prompt, u"z");
      EXPECT_EQ(prompt->TextInput->Text.back(), u'z');  // typing goes on
    } else {
      String name = c.shown;
      name[0] = static_cast<char16_t>(name[0] - u'a' + u'A');
      EXPECT_TRUE(fs::exists(root + "profiles/" + platform::ToUtf8(name) + ".dat"));
    }
    prompt->Kill();
    EXPECT_EQ(Game->BlockKeys, 0);
  }
}

TEST_F(NamePromptInputTest, RandomTypingMakesOnlyGoodProfileFiles) {
  std::mt19937 rng(20261209);
  const String banned = TTextInput::FileNameUnsafeChars;
  int accepted = 0;
  for (int sequence = 0; sequence < 500; ++sequence) {
    const auto before = Walk();
    auto prompt = Fresh();
    int result = 0;
    for (int key = 0; key < 40 && result == 0; ++key) {
      const int pick = static_cast<int>(rng() % 100);
      char16_t c;
      if (pick < 60) {
        c = static_cast<char16_t>(32 + rng() % 95);
      } else if (pick < 72) {
        c = 8;
      } else if (pick < 80) {
        c = 13;
      } else {
        c = static_cast<char16_t>(rng() % 0x10000);
      }
      result = Feed(*prompt, c);
      if (prompt->DialogOK && rng() % 2 == 0) Feed(*prompt, 27);  // Escape closes the box
    }
    const auto after = Walk();
    if (result == 1) {
      ++accepted;
      const String name = prompt->TextInput->Text;
      SCOPED_TRACE(platform::ToUtf8(name));
      ASSERT_GE(name.size(), 1u);
      ASSERT_LE(name.size(), 12u);
      for (char16_t ch : name) {
        EXPECT_TRUE(ch >= 32 && ch <= 126);
        EXPECT_EQ(banned.find(ch), String::npos);
      }
      EXPECT_TRUE(TProfile::ValidName(name));
      const std::string file = "profiles/" + platform::ToUtf8(name) + ".dat";
      std::vector<std::string> added, changed;
      for (const auto& [path, size] : after) {
        auto it = before.find(path);
        if (it == before.end()) {
          added.push_back(path);
        } else if (it->second != size) {
          changed.push_back(path);
        }
      }
      for (const std::string& marker : {std::string("LanternVale.ini"), std::string("inichanged.dat")}) {
        std::erase(added, marker);
        std::erase(changed, marker);
      }
      EXPECT_EQ(added, std::vector<std::string>{file});
      EXPECT_TRUE(changed.empty());
      EXPECT_EQ(after.at(file), static_cast<uintmax_t>(TProfile::FILE_SIZE));
    } else {
      EXPECT_EQ(after, before);
    }
    prompt->Kill();
    ASSERT_EQ(Game->BlockKeys, 0);
  }
  EXPECT_GT(accepted, 50);  // the property was put to the test
}

}  // namespace
