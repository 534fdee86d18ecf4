#include "platform/linux/LinuxFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

bool IsPrivateFolderOfTheUser(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 0777) == 0700;
}

void MakeFolder(const std::string& path, mode_t mode) {
    ASSERT_EQ(mkdir(path.c_str(), mode), 0) << path;
    ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;
}

class LinuxFoldersTest : public testing::Test {
  protected:
    // "saverhost-<uid>" under the test's TMPDIR, without the final "/".
    std::string UserFolder() const { return folder_ / ("saverhost-" + std::to_string(geteuid())); }

    test::TempFolder folder_;
    test::ScopedEnvironment tmpdir_{"TMPDIR", folder_.Path()};
    test::ScopedEnvironment runtime_{"XDG_RUNTIME_DIR", std::nullopt};
    test::ScopedEnvironment cache_{"XDG_CACHE_HOME", folder_ / "cache"};
};

// Large files go to disk: a private folder in the user's cache, else under /var/tmp.
TEST_F(LinuxFoldersTest, DiskFolderIsPrivateAndOnDisk) {
    EXPECT_EQ(LinuxFolders().DiskFolder(), folder_ / "cache/saverhost/");
    EXPECT_TRUE(IsPrivateFolderOfTheUser(folder_ / "cache"));
    EXPECT_TRUE(IsPrivateFolderOfTheUser(folder_ / "cache/saverhost"));
    test::ScopedEnvironment unusable("XDG_CACHE_HOME", folder_ / "no/such/folder");
    const std::string shared = "/var/tmp/saverhost-" + std::to_string(geteuid());
    EXPECT_EQ(LinuxFolders().DiskFolder(), shared + "/");
    EXPECT_TRUE(IsPrivateFolderOfTheUser(shared));
}

TEST_F(LinuxFoldersTest, UsesTheRuntimeFolderWhenItIsPrivate) {
    MakeFolder(folder_ / "run", 0700);
    test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", folder_ / "run");
    LinuxFolders folders;
    EXPECT_EQ(folders.TemporaryFolder(), folder_ / "run/");
    EXPECT_EQ(folders.RuntimeFolder(), folder_ / "run/");
}

TEST_F(LinuxFoldersTest, OtherwiseMakesAPrivateFolderWhateverTheUmask) {
    mode_t old_umask = umask(0777);
    LinuxFolders folders;
    umask(old_umask);
    EXPECT_EQ(folders.TemporaryFolder(), UserFolder() + "/");
    EXPECT_EQ(folders.RuntimeFolder(), UserFolder() + "/");
    EXPECT_TRUE(IsPrivateFolderOfTheUser(UserFolder()));
    // The next process finds and keeps the same folder with what is in it.
    test::WriteFile(UserFolder() + "/kept", "x");
    EXPECT_EQ(LinuxFolders().TemporaryFolder(), UserFolder() + "/");
    EXPECT_EQ(test::ReadFile(UserFolder() + "/kept"), "x");
}

TEST_F(LinuxFoldersTest, RefusesARuntimeFolderThatIsNotPrivate) {
    struct Case {
        const char* why;
        std::function<std::string()> make;
    };
    const Case cases[] = {
        {"readable by the group",
         [&] {
             MakeFolder(folder_ / "group", 0750);
             return folder_ / "group";
         }},
        {"a symbolic link to a private folder",
         [&] {
             MakeFolder(folder_ / "target", 0700);
             std::filesystem::create_directory_symlink(folder_ / "target", folder_ / "link");
             return folder_ / "link";
         }},
        {"a relative path", [] { return std::string("run"); }},
        {"missing", [&] { return folder_ / "missing"; }},
    };
    for (const auto& [why, make] : cases) {
        test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", make());
        EXPECT_EQ(LinuxFolders().TemporaryFolder(), UserFolder() + "/") << why;
    }
}

TEST_F(LinuxFoldersTest, NeverUsesAnEntrySomeoneElsePlacedAtItsName) {
    struct Case {
        const char* why;
        std::function<void(const std::string&)> plant;
        bool needs_root;
    };
    const Case cases[] = {
        {"a symbolic link to a private folder",
         [&](const std::string& path) {
             MakeFolder(folder_ / "elsewhere", 0700);
             std::filesystem::create_directory_symlink(folder_ / "elsewhere", path);
         },
         false},
        {"a folder others can enter", [](const std::string& path) { MakeFolder(path, 0711); },
         false},
        {"a file", [](const std::string& path) { test::WriteFile(path, "x"); }, false},
        {"a folder of another user",
         [](const std::string& path) {
             MakeFolder(path, 0700);
             ASSERT_EQ(chown(path.c_str(), 4242, 4242), 0);
         },
         true},
    };
    for (const auto& [why, plant, needs_root] : cases) {
        if (needs_root && geteuid() != 0) {
            continue;  // only root can give a folder away
        }
        std::filesystem::remove_all(UserFolder());
        plant(UserFolder());
        std::string chosen = LinuxFolders().TemporaryFolder();
        EXPECT_EQ(chosen.rfind(UserFolder() + "-", 0), 0u) << why << ": " << chosen;
        EXPECT_EQ(chosen.back(), '/') << why;
        EXPECT_TRUE(IsPrivateFolderOfTheUser(chosen)) << why;
        std::filesystem::remove_all(chosen);
    }
    // The planted link was neither followed nor changed.
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "elsewhere"));
}

TEST_F(LinuxFoldersTest, FailsClearlyWhenNoPrivateFolderCanBeMade) {
    test::ScopedEnvironment tmpdir("TMPDIR", folder_ / "missing");
    EXPECT_THROW(LinuxFolders(), std::runtime_error);
}

TEST_F(LinuxFoldersTest, SystemFolderAndOwnExecutable) {
    EXPECT_EQ(LinuxFolders().SystemFolder(), "/usr/lib/saverhost/");
    EXPECT_EQ(LinuxFolders("/opt/test").SystemFolder(), "/opt/test/");
    std::string executable = LinuxFolders().ExecutablePath();
    ASSERT_FALSE(executable.empty());
    EXPECT_EQ(executable.front(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(executable, "/proc/self/exe"));
}

}  // namespace
}  // namespace saver
