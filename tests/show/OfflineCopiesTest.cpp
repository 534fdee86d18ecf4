// The kept copies of web pages on a real folder: their names, modes, bound and order.
#include "show/OfflineCopies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace saver {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

mode_t Mode(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

class OfflineCopiesTest : public ::testing::Test {
  protected:
    std::string Folder() const { return root / "cache/saverhost/test-1/"; }
    // Gives the copy of `address` the time `seconds` after the epoch.
    void SetSaved(const OfflineCopies& copies, const std::string& address, int seconds) {
        const auto copy = copies.Find(address);
        ASSERT_TRUE(copy);
        fs::last_write_time(
            copy->path, fs::file_time_type::clock::from_sys(
                            std::chrono::system_clock::time_point(std::chrono::seconds(seconds))));
    }

    TempFolder root;
};

TEST_F(OfflineCopiesTest, KeptCopyIsFoundInAPrivateFolder) {
    OfflineCopies copies(Folder(), 1000);
    EXPECT_FALSE(copies.Find("http://a.example/"));
    ASSERT_TRUE(copies.Store("http://a.example/", "archive"));
    const auto copy = copies.Find("http://a.example/");
    ASSERT_TRUE(copy);
    EXPECT_EQ(test::ReadFile(copy->path), "archive");
    EXPECT_EQ(copy->path.rfind(Folder(), 0), 0u);
    EXPECT_NEAR(static_cast<double>(copy->saved), static_cast<double>(std::time(nullptr)), 60);
    EXPECT_EQ(Mode(Folder()), 0700u);
    EXPECT_EQ(Mode(root / "cache/saverhost"), 0700u);
    EXPECT_EQ(Mode(copy->path), 0600u);
    // A new copy replaces the old one of the same address.
    ASSERT_TRUE(copies.Store("http://a.example/", "newer"));
    EXPECT_EQ(test::ReadFile(copies.Find("http://a.example/")->path), "newer");
    EXPECT_EQ(FilesBelow(Folder()).size(), 1u);
}

TEST_F(OfflineCopiesTest, OpenFolderOfTheUserIsMadePrivate) {
    fs::create_directories(Folder());
    fs::permissions(Folder(), fs::perms::all);
    ASSERT_TRUE(OfflineCopies(Folder(), 1000).Store("http://a.example/", "archive"));
    EXPECT_EQ(Mode(Folder()), 0700u);
}

TEST_F(OfflineCopiesTest, CopiesStayWithinTheBoundOldestFirstOut) {
    constexpr uint64_t kBound = 3 * 1024 * 1024;
    const std::string megabyte(1024 * 1024, 'x');
    OfflineCopies copies(Folder(), kBound);
    for (int i = 0; i < 8; ++i) {
        const std::string address = "http://site.example/page" + std::to_string(i);
        ASSERT_TRUE(copies.Store(address, megabyte)) << address;
        SetSaved(copies, address, 1000 + i);
        uint64_t total = 0;
        for (const std::string& file : FilesBelow(Folder())) {
            total += fs::file_size(file);
        }
        EXPECT_LE(total, kBound) << "after " << address;
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(copies.Find("http://site.example/page" + std::to_string(i)).has_value(), i >= 5)
            << "page" << i;
    }
    // Keeping a page again makes it the newest; the oldest other goes for the next one.
    ASSERT_TRUE(copies.Store("http://site.example/page5", megabyte));
    SetSaved(copies, "http://site.example/page5", 2000);
    ASSERT_TRUE(copies.Store("http://site.example/page8", megabyte));
    EXPECT_FALSE(copies.Find("http://site.example/page6"));
    EXPECT_TRUE(copies.Find("http://site.example/page5"));
}

TEST_F(OfflineCopiesTest, WhatCannotBeKeptIsNotKept) {
    EXPECT_FALSE(OfflineCopies("", 1000).Store("http://a.example/", "archive"));
    OfflineCopies copies(Folder(), 10);
    EXPECT_FALSE(copies.Store("http://a.example/", ""));  // the save failed
    EXPECT_FALSE(copies.Store("http://a.example/", "more than ten bytes"));
    EXPECT_FALSE(copies.Find("http://a.example/"));
    // A folder that cannot be made: a file is in its way.
    root.Write("blocked", "");
    EXPECT_FALSE(OfflineCopies(root / "blocked/copies/", 1000).Store("http://a.example/", "x"));
}

TEST_F(OfflineCopiesTest, LeftoversOfAnInterruptedWriteAreDeleted) {
    const std::string leftover = root.Write("cache/saverhost/test-1/0123.mht.tmp-AbCdEf", "half");
    ASSERT_TRUE(OfflineCopies(Folder(), 1000).Store("http://a.example/", "archive"));
    EXPECT_FALSE(fs::exists(leftover));
}

TEST_F(OfflineCopiesTest, NoAddressWritesOutsideTheFolder) {
    const char* addresses[] = {
        "http://a.example/../../../../outside",
        "../../outside",
        "/tmp/outside",
        "http://a.example/%2e%2e/%2e%2e/x?y=*|<>\"'\\\\..\\\\..",
        "http://a.example/\xff\xfe/\n/\t",
        "",
    };
    OfflineCopies copies(Folder(), 100000);
    for (const char* address : addresses) {
        ASSERT_TRUE(copies.Store(address, "archive")) << address;
        ASSERT_TRUE(copies.Find(address)) << address;
    }
    const std::vector<std::string> files = FilesBelow(root.Path());
    EXPECT_EQ(files.size(), std::size(addresses));
    for (const std::string& file : files) {
        EXPECT_EQ(fs::path(file).parent_path().string() + "/", Folder()) << file;
    }
}

TEST(OfflineCopiesFolderNameTest, NameStaysOneFolderAndTellsSaversApart) {
    const std::string names[] = {
        "Ocean Pictures",     "..", ".", "../../x", "/", "", "a/b\\c", "\xc3\xa9t\xc3\xa9",
        std::string(300, 'n')};
    std::vector<std::string> folders;
    for (const std::string& name : names) {
        const std::string folder = OfflineCopiesFolderName(name);
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.back(), '/') << name;
        const std::string component = folder.substr(0, folder.size() - 1);
        EXPECT_EQ(component.find_first_of("/\\"), std::string::npos) << name;
        EXPECT_NE(component, ".");
        EXPECT_NE(component, "..");
        EXPECT_LE(component.size(), 60u);
        folders.push_back(folder);
    }
    EXPECT_EQ(folders[0].substr(0, 15), "Ocean_Pictures-");
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(std::unique(folders.begin(), folders.end()), folders.end());
}

TEST(OfflineCopiesFolderNameTest, WebAddressesAreHttpAndHttps) {
    const std::pair<const char*, bool> rows[] = {
        {"http://a.example/", true}, {"HTTPS://a.example/", true}, {"file:///a.htm", false},
        {"/home/user/a.htm", false}, {"http.htm", false},          {"about:blank", false},
        {"www.example.org", false},
    };
    for (const auto& [page, web] : rows) {
        EXPECT_EQ(IsWebAddress(page), web) << page;
    }
}

}  // namespace
}  // namespace saver
