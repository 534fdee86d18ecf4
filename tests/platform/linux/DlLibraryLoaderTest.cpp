#include "platform/linux/DlLibraryLoader.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace saver
