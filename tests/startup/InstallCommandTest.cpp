#include "startup/InstallCommand.h"

#include "base/Files.h"
#include "settings/IniFile.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

class InstallCommandTest : public ::testing::Test {
  protected:
    InstallCommandTest() {
        folders.app_data_folder = root / "appdata/Orvane/";
        folders.system_folder = root / "system/";
        folders.executable_path = root / "Saver(Orvane)/Ocean.scr";
        ForceDirectories(folders.app_data_folder);
    }

    test::TempFolder root;
    SaverFolders folders;
    test::FakeShell shell;
};

TEST_F(InstallCommandTest, WritesTheLogCopiesTheFileAndSelectsTheSaver) {
    const std::string source = root / "install/";
    root.Write("install/Ocean.scr", "saver bytes");
    ASSERT_TRUE(HandleInstallCommand({"path", source, "Ocean.scr", "true"}, folders, shell));

    IniFile log = IniFile::Load(folders.app_data_folder + "log.ini");
    EXPECT_EQ(log.ReadString("install", folders.executable_path), source);
    EXPECT_EQ(log.ReadString("install", "Ocean"), source);
    EXPECT_EQ(log.ReadString("install", "TamselPro"), source);
    EXPECT_EQ(test::ReadFile(folders.app_data_folder + "Ocean.scr"), "saver bytes");
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0],
              (std::vector<std::string>{folders.system_folder + kSelectScreenSaverProgram,
                                        folders.executable_path}));
}

TEST_F(InstallCommandTest, TheSaverPathReachesTheSelectionProgramAsOneArgument) {
    folders.executable_path = root / "my savers/My \"Ocean\" Saver.scr";
    ASSERT_TRUE(HandleInstallCommand({"path", root / "install/", "x.scr", "true"}, folders, shell));
    ASSERT_EQ(shell.started.size(), 1u);
    ASSERT_EQ(shell.started[0].size(), 2u);
    EXPECT_EQ(shell.started[0][1], folders.executable_path);
}

TEST_F(InstallCommandTest, MissingFileSkipsOnlyTheCopy) {
    folders.executable_path = root / "elsewhere/Ocean.scr";
    ASSERT_TRUE(
        HandleInstallCommand({"path", root / "install/", "none.scr", "TRUE"}, folders, shell));
    IniFile log = IniFile::Load(folders.app_data_folder + "log.ini");
    EXPECT_EQ(log.ReadString("install", "Ocean"), root / "install/");
    EXPECT_FALSE(log.HasKey("install", "TamselPro"));
    EXPECT_FALSE(FileExists(folders.app_data_folder + "none.scr"));
    EXPECT_TRUE(shell.started.empty()) << "only \"true\" in small letters selects the saver";
}

TEST_F(InstallCommandTest, TheCopyStaysInTheApplicationDataFolder) {
    root.Write("install/sub/evil.scr", "x");
    ASSERT_TRUE(
        HandleInstallCommand({"path", root / "install/", "sub/../sub/evil.scr"}, folders, shell));
    EXPECT_TRUE(FileExists(folders.app_data_folder + "evil.scr"));
    EXPECT_FALSE(FileExists(root / "appdata/sub/evil.scr"));
}

TEST_F(InstallCommandTest, OtherCommandLinesAreNotTheInstallCommand) {
    EXPECT_FALSE(HandleInstallCommand({"PATH", "a", "b"}, folders, shell));
    EXPECT_FALSE(HandleInstallCommand({"path", "a"}, folders, shell));
    EXPECT_FALSE(FileExists(folders.app_data_folder + "log.ini"));
}

}  // namespace
}  // namespace saver
