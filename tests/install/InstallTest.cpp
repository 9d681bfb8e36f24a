// "cmake --install" into a staged tree, as a Debian package build does it: exactly the listed
// files, the data folder byte for byte, valid desktop and AppStream files, and an installed
// game that starts from any folder and refuses to start without its data.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "support/GameProcess.h"
#include "support/TestRig.h"

namespace fs = std::filesystem;

namespace {

const char* const kId = "com.quillferngames.LanternVale";
const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

std::string Quote(const std::string& s) { return "'" + s + "'"; }

bool HaveTool(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its output goes to a file whose text is returned in out.
int Shell(const std::string& command, std::string& out) {
  const std::string log = testrig::MakeTempDir("log") + "/out.txt";
  const int rc = std::system((command + " >" + Quote(log) + " 2>&1").c_str());
  out = testrig::ReadFileBytes(log);
  return rc;
}

class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!testrig::HaveResources()) return;
    stage = new std::string(testrig::MakeTempDir("stage"));
    std::string out;
    installed = Shell("DESTDIR=" + Quote(*stage) + " " + Quote(LV_CMAKE_COMMAND) + " --install " +
                        Quote(LV_BINARY_DIR) + " --prefix /usr",
                    out) == 0;
    if (!installed) std::fprintf(stderr, "%s\n", out.c_str());
  }
  void SetUp() override {
    if (!testrig::HaveResources()) GTEST_SKIP() << "the generated data folder is not built";
    ASSERT_TRUE(installed);
  }
  static std::string Usr() { return *stage + "/usr"; }
  static std::string* stage;
  static bool installed;
};
std::string* InstallTest::stage = nullptr;
bool InstallTest::installed = false;

TEST_F(InstallTest, InstallsExactlyTheListedFiles) {
  std::set<std::string> expected = {"bin/lantern-vale",
                                    std::string("share/applications/") + kId + ".desktop",
                                    std::string("share/metainfo/") + kId + ".metainfo.xml",
                                    "share/doc/lantern-vale/README.md"};
  for (int n : kIconSizes) {
    const std::string size = std::to_string(n) + "x" + std::to_string(n);
    expected.insert("share/icons/hicolor/" + size + "/apps/" + kId + ".png");
  }
  const fs::path resources = testrig::ResourcesDir();
  for (const auto& e : fs::recursive_directory_iterator(resources)) {
    if (e.is_regular_file()) expected.insert("share/lantern-vale/" + fs::relative(e.path(), resources).string());
  }
  std::set<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(Usr())) {
    if (!e.is_directory()) found.insert(fs::relative(e.path(), Usr()).string());
  }
  EXPECT_EQ(found, expected);
  for (const auto& e : fs::recursive_directory_iterator(resources)) {
    if (!e.is_regular_file()) continue;
    const std::string rel = fs::relative(e.path(), resources).string();
    ASSERT_EQ(testrig::ReadFileBytes(Usr() + "/share/lantern-vale/" + rel),
              testrig::ReadFileBytes(e.path().string()))
        << rel;
  }
  EXPECT_TRUE((fs::status(Usr() + "/bin/lantern-vale").permissions() & fs::perms::owner_exec) != fs::perms::none);
}

TEST_F(InstallTest, DesktopEntryAndMetadata) {
  const std::string desktop = testrig::ReadFileBytes(Usr() + "/share/applications/" + kId + ".desktop");
  const std::string meta = testrig::ReadFileBytes(Usr() + "/share/metainfo/" + kId + ".metainfo.xml");
  EXPECT_NE(meta.find("<release version=\"1.07\""), std::string::npos);
  const std::string key = "\nIcon=";
  const size_t at = desktop.find(key);
  ASSERT_NE(at, std::string::npos);
  const std::string icon = desktop.substr(at + key.size(), desktop.find('\n', at + 1) - at - key.size());
  EXPECT_TRUE(fs::exists(Usr() + "/share/icons/hicolor/48x48/apps/" + icon + ".png")) << icon;
  EXPECT_NE(desktop.find("\nStartupWMClass=lantern-vale\n"), std::string::npos);

  std::string out;
  if (HaveTool("desktop-file-validate")) {
    EXPECT_EQ(Shell("desktop-file-validate " + Quote(Usr() + "/share/applications/" + kId + ".desktop"), out), 0) << out;
    EXPECT_EQ(out, "");
  } else {
    std::printf("desktop-file-validate is missing: the desktop entry is not validated\n");
  }
  if (HaveTool("appstreamcli")) {
    EXPECT_EQ(Shell("appstreamcli validate --no-net " + Quote(Usr() + "/share/metainfo/" + kId + ".metainfo.xml"), out), 0) << out;
    EXPECT_EQ(out.find("W:"), std::string::npos) << out;
    EXPECT_EQ(out.find("E:"), std::string::npos) << out;
  } else {
    std::printf("appstreamcli is missing: the AppStream metadata is not validated\n");
  }
}

TEST_F(InstallTest, TheInstalledGameStartsFromAnyFolderAndNeedsItsData) {
  const std::string exe = Usr() + "/bin/lantern-vale";
  const std::string elsewhere = testrig::MakeTempDir("elsewhere");
  const testrig::GameRun run = testrig::RunGame(exe, testrig::MakeTempDir("home"), elsewhere, true);
  EXPECT_TRUE(run.started) << run.errors;
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(fs::exists(run.userFolder + "GoodExit.dat"));
  EXPECT_FALSE(fs::exists(run.userFolder + "ErrorLog.txt"));
  EXPECT_TRUE(fs::is_empty(elsewhere));

  fs::rename(Usr() + "/share/lantern-vale", Usr() + "/share/lantern-vale.away");
  const std::string home = testrig::MakeTempDir("home");
  const testrig::GameRun missing = testrig::RunGame(exe, home, elsewhere, false);
  fs::rename(Usr() + "/share/lantern-vale.away", Usr() + "/share/lantern-vale");
  EXPECT_FALSE(missing.started);
  EXPECT_TRUE(missing.exited);
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.errors.find("Cannot find the game's data folder"), std::string::npos) << missing.errors;
  EXPECT_FALSE(fs::exists(home + "/data"));
}

}  // namespace
