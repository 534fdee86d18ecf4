#include "startup/WorkingFolderCleaner.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace saver {
namespace {

namespace fs = std::filesystem;

size_t FileCount(const std::string& folder) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.is_directory() ? 0 : 1;
    }
    return count;
}

void FillWorkingFolder(const test::TempFolder& root) {
    for (const char* name :
         {"work/a.htm", "work/.hidden", "work/tmp/t.htm", "work/build/b.bin", "work/other/kept.txt",
          "outside.txt", "disk/movie.bin", "disk/.hidden"}) {
        root.Write(name, "x");
    }
    for (int i = 0; i < 300; ++i) {
        root.Write("work/many" + std::to_string(i), "x");
    }
    ::chmod((root / "work/a.htm").c_str(), 0444);
    fs::create_symlink(root / "outside.txt", root / "work/link.txt");
}

void ExpectCleared(const test::TempFolder& root) {
    EXPECT_EQ(FileCount(root / "work"), 0u);
    EXPECT_EQ(FileCount(root / "work/tmp"), 0u);
    EXPECT_EQ(FileCount(root / "work/build"), 0u);
    EXPECT_EQ(FileCount(root / "disk"), 0u) << "the large files' folder is emptied too";
    EXPECT_TRUE(fs::exists(root / "work/other/kept.txt")) << "subfolders keep their content";
    EXPECT_TRUE(fs::exists(root / "outside.txt")) << "a link is removed, not what it points to";
}

TEST(WorkingFolderCleanerTest, DeletesTheFilesButNotTheFolders) {
    test::TempFolder root;
    FillWorkingFolder(root);
    ClearWorkingFolder(root / "work/", root / "disk/");
    ExpectCleared(root);
    ClearWorkingFolder(root / "missing/", root / "missing-disk/");
}

TEST(WorkingFolderCleanerTest, RunsWhenTheProcessIsEndedBySignalOrExit) {
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, 0}) {
        test::TempFolder root;
        FillWorkingFolder(root);
        pid_t child = ::fork();
        if (child == 0) {
            ClearWorkingFolderAtExit(root / "work/", root / "disk/");
            if (signal_number == 0) {
                std::exit(3);
            }
            ::raise(signal_number);
            ::_exit(99);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (signal_number == 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
        } else {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number)
                << "the process still ends by its signal " << signal_number;
        }
        ExpectCleared(root);
    }
}

}  // namespace
}  // namespace saver
