// The data folder, the user folder and the application's name.
#include <filesystem>

#include "CoreFixture.h"
#include "platform/FileSystem.h"

using namespace coretest;

namespace {

using FoldersTest = CoreTest;

TEST_F(FoldersTest, StartUpFolders) {
  Game->DataInAppBundle = 1;
  Game->SetSubPathWrapper(u"Quillfern Games/Lantern Vale", 1);
  const String root = platform::UserAppSupportDir();
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(Game->SubPath, root + u"/Quillfern Games/Lantern Vale/");
  EXPECT_EQ(Game->ProfilePath, root + u"/Quillfern Games/Lantern Vale/profiles/");
  EXPECT_EQ(ccErrorPath, Game->SubPath);
  EXPECT_EQ(Game->DataPrefix, platform::AppDir() + u"/../Resources/");
  EXPECT_EQ(Game->ImagePath, Game->DataPrefix + u"Data/graphics/");
  EXPECT_EQ(Game->SoundPath, Game->DataPrefix + u"Data/sound/");
  EXPECT_EQ(Game->MusicPath, Game->DataPrefix + u"Data/music/");
  EXPECT_EQ(Game->SpeechPath, Game->DataPrefix + u"Data/speech/");
  EXPECT_EQ(Game->MenuPath, Game->DataPrefix + u"Data/menus/");
  EXPECT_EQ(Game->TextPath, Game->DataPrefix + u"Data/text/");
  EXPECT_EQ(Game->LevelsPath, Game->DataPrefix + u"Data/levels/");
  EXPECT_EQ(Game->FontPath, Game->DataPrefix + u"Data/fonts/");
}

TEST_F(FoldersTest, SettersAddASlashUnlessThereIsOne) {
  Game->SetImagePath(u"a\\");
  EXPECT_EQ(Game->ImagePath, u"a\\");
  Game->SetImagePath(u"a/");
  EXPECT_EQ(Game->ImagePath, u"a/");
  Game->SetImagePath(u"a");
  EXPECT_EQ(Game->ImagePath, u"a/");
}

TEST_F(FoldersTest, EmptySubPathIsTheRootItself) {
  Game->SetProfilePath(u"profiles");
  Game->SetSubPath(u"", 1);
  EXPECT_EQ(Game->SubPath, platform::UserAppSupportDir() + u"/");
}

TEST_F(FoldersTest, RelativeUserFolderWithoutTheSystemRoot) {
  Game->UseCorrectPath = 0;
  Game->SetSubPath(u"saves", 1);
  EXPECT_EQ(Game->SubPath, u"saves/");
  EXPECT_EQ(ccErrorPath, u"saves/");
}

TEST_F(FoldersTest, ApplicationNameDropsTheBundleAndDebugSuffix) {
  EXPECT_EQ(ccAppFileNonDebugOf(u"/Apps/Lantern Vale.app/Contents/MacOS/Lantern Vale"),
            u"/Apps/Lantern Vale.app");
  EXPECT_EQ(ccAppFileNonDebugOf(u"/Apps/Lantern Vale.debug.app/Contents/MacOS/x"),
            u"/Apps/Lantern Vale.app");
  EXPECT_EQ(ccAppFileNonDebugOf(u"/opt/lv/bin/lantern-vale"), u"/opt/lv/bin/lantern-vale.app");
  EXPECT_EQ(platform::StripAll(ccAppFileNonDebugOf(u"/opt/lv/bin/lantern-vale")),
            u"lantern-vale");
}

TEST_F(FoldersTest, FolderWalkStaysBelowTheRoot) {
  const String root = u"/home/u/.local/share/";
  const auto walk = ccUserFolderWalk(root + u"Quillfern Games/Lantern Vale/", root);
  ASSERT_EQ(walk.size(), 2u);
  EXPECT_EQ(walk[0], root + u"Quillfern Games/Lantern Vale/");
  EXPECT_EQ(walk[1], root + u"Quillfern Games/");
  EXPECT_TRUE(ccUserFolderWalk(u"/elsewhere/x/", root).empty());
  EXPECT_TRUE(ccUserFolderWalk(root, root).empty());
}

TEST_F(FoldersTest, UserFolderIsCreatedWithItsParentsAndPrivateModes) {
  Game->DataInAppBundle = 1;
  Game->SetSubPathWrapper(u"Quillfern Games/Folder Test", 1);
  ASSERT_FALSE(std::filesystem::exists(U8(Game->SubPath)));
  Game->CreateUserFolder(1);
  ASSERT_TRUE(std::filesystem::is_directory(U8(Game->SubPath)));
  const auto perms = std::filesystem::status(U8(Game->SubPath)).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::others_write, std::filesystem::perms::none);
  const auto rootPerms = std::filesystem::status(U8(platform::UserAppSupportDir())).permissions();
  EXPECT_EQ(rootPerms & std::filesystem::perms::others_write, std::filesystem::perms::none);
}

TEST_F(FoldersTest, UserFolderThatCannotBeCreatedIsFatal) {
  ccGraphicalErrors = 0;
  testrig::WriteFileBytes(userDir + "/file", "x");
  Game->SubPath = S(userDir) + u"/file/sub/";
  testing::internal::CaptureStderr();
  EXPECT_THROW(Game->CreateUserFolder(1), platform::ProgramExit);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Cannot create shared data folder " +
                                                        userDir + "/file/sub/"),
            std::string::npos);
}

}  // namespace
