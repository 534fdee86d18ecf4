#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SaverRun.h"

namespace saver::test {

// Ends the run (if it still goes) with `input` that its exit conditions accept, and
// checks that the process ended well and left no working files.
inline void ExpectCleanEnd(SaverRun& run, const std::string& input = "key Escape") {
    if (!input.empty()) {
        run.Xdo(input);
    }
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

}  // namespace saver::test
