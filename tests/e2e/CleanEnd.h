#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SaverRun.h"

namespace saver::test {

// Folders named after the saver file in the user's cache, data and configuration
// folders: where a library that keeps its files under the program's name (the web
// engine does) would leave them, one set for every saver the user ever ran.
inline std::vector<std::string> FoldersNamedAfterTheSaver(const SaverRun& run) {
    const std::string name = std::filesystem::path(run.SaverFile()).filename();
    std::vector<std::string> found;
    for (const char* base : {"/home/.cache/", "/home/.local/share/", "/home/.config/"}) {
        if (std::filesystem::exists(run.Folder() + base + name)) {
            found.push_back(base + name);
        }
    }
    return found;
}

// Ends the run (if it still goes) with `input` that its exit conditions accept, and
// checks that the process ended well, left no working files and nothing named after the
// saver in the user's folders.
inline void ExpectCleanEnd(SaverRun& run, const std::string& input = "key Escape") {
    if (!input.empty()) {
        run.Xdo(input);
    }
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
    EXPECT_EQ(FoldersNamedAfterTheSaver(run), std::vector<std::string>{});
}

}  // namespace saver::test
