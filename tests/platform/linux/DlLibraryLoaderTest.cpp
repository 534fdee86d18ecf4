#include "platform/linux/DlLibraryLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "support/TempFolder.h"

namespace saver {
namespace {

TEST(DlLibraryLoaderTest, LoadsALibraryByItsFullPathAndFindsItsOwnSymbols) {
    DlLibraryLoader loader;
    auto library = loader.Load(SAVER_TEST_LIBRARY);
    ASSERT_NE(library, nullptr);
    auto answer = reinterpret_cast<int (*)()>(library->Symbol("SaverTestLibraryAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    auto length =
        reinterpret_cast<size_t (*)(const char*)>(library->Symbol("SaverTestLibraryLength"));
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("four"), 4u);
    EXPECT_EQ(library->Symbol("SaverTestLibraryMissing"), nullptr);
    // The C library's, which the library uses and dlsym finds through its handle, but not
    // the library's own.
    EXPECT_EQ(library->Symbol("strlen"), nullptr);
}

TEST(DlLibraryLoaderTest, RefusesWhatIsNotAFullPathToALibrary) {
    test::TempFolder folder;
    test::WriteFile(folder / "text.so", "not a library");
    const std::string relative =
        std::filesystem::relative(SAVER_TEST_LIBRARY, std::filesystem::current_path());
    struct Case {
        const char* why;
        std::string path;
    };
    const Case cases[] = {
        {"a bare name that the search path would find", "libc.so.6"},
        {"a relative path to a real library", relative},
        {"empty", ""},
        {"missing", folder / "missing.so"},
        {"not a library", folder / "text.so"},
    };
    DlLibraryLoader loader;
    for (const auto& [why, path] : cases) {
        EXPECT_EQ(loader.Load(path), nullptr) << why << ": " << path;
    }
}

TEST(DlLibraryLoaderTest, RefusesALibraryThatOtherUsersCouldHavePlacedOrChanged) {
    test::TempFolder folder;
    const std::string library = folder / "library.so";
    std::filesystem::copy_file(SAVER_TEST_LIBRARY, library);
    DlLibraryLoader loader;
    EXPECT_NE(loader.Load(library), nullptr) << "in a private folder";

    chmod(library.c_str(), 0775);
    EXPECT_EQ(loader.Load(library), nullptr) << "the file writable by its group";
    chmod(library.c_str(), 0755);
    chmod(folder.Path().c_str(), 0777);
    EXPECT_EQ(loader.Load(library), nullptr) << "in a folder everyone can write";
    chmod(folder.Path().c_str(), 01777);
    EXPECT_EQ(loader.Load(library), nullptr) << "in a sticky folder everyone can write";
    chmod(folder.Path().c_str(), 0700);
    EXPECT_NE(loader.Load(library), nullptr);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(library.c_str(), 65534, 65534), 0);
        EXPECT_EQ(loader.Load(library), nullptr) << "owned by another user";
    }
}

}  // namespace
}  // namespace saver
