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

// Each saver keeps its own bound, and all savers together a total one: savers shown
// long ago give way, and nothing in the common folder but their copies is touched.
TEST_F(OfflineCopiesTest, AllSaversTogetherStayWithinTheTotalBound) {
    const std::string common = root / "cache/saverhost/";
    const std::string megabyte(1024 * 1024, 'x');
    const std::string large_file = root.Write("cache/saverhost/Orvane/old.mht", megabyte);
    const std::string not_ours = root.Write("cache/saverhost/other/old.mht", megabyte);
    std::vector<OfflineCopies> savers;
    for (const char* name : {"Ocean", "Forest", "Desert"}) {
        savers.emplace_back(common + OfflineCopiesFolderName(name), 2 * megabyte.size(),
                            4 * megabyte.size());
    }
    int seconds = 1000;
    for (OfflineCopies& copies : savers) {
        for (const char* page : {"http://a.example/", "http://b.example/"}) {
            ASSERT_TRUE(copies.Store(page, megabyte));
            SetSaved(copies, page, seconds++);
        }
    }
    uint64_t total = 0;
    for (const OfflineCopies& copies : savers) {
        for (const std::string& file : FilesBelow(copies.Folder())) {
            total += fs::file_size(file);
        }
    }
    EXPECT_EQ(total, 4 * megabyte.size());
    EXPECT_FALSE(savers[0].Find("http://a.example/")) << "the oldest copies went";
    EXPECT_FALSE(savers[0].Find("http://b.example/"));
    EXPECT_TRUE(savers[1].Find("http://a.example/"));
    EXPECT_TRUE(savers[2].Find("http://b.example/"));
    EXPECT_TRUE(fs::exists(large_file));
    EXPECT_TRUE(fs::exists(not_ours));
    EXPECT_FALSE(savers[2].Store("http://c.example/", std::string(5 * megabyte.size(), 'y')))
        << "a copy larger than the total bound is not kept";
}

// A copy is read into memory whole: one larger than a saver may keep is not offered.
TEST_F(OfflineCopiesTest, ACopyLargerThanTheBoundIsNotOffered) {
    OfflineCopies copies(Folder(), 1000);
    ASSERT_TRUE(copies.Store("http://a.example/", "archive"));
    fs::resize_file(copies.Find("http://a.example/")->path, 1001);
    EXPECT_FALSE(copies.Find("http://a.example/"));
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
