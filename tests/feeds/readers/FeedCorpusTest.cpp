// Every feed of the shared corpus (well-formed and ill-formed real-world shapes) must load
// or fail with an error, never crash or hang.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "feeds/readers/TSimpleRSS.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

TEST(FeedCorpusTest, EveryFeedLoadsOrFailsCleanly) {
    // A corpus named on purpose must be there; the shared one beside the project may not
    // be (a clone of its own), and then there is nothing to test.
    const char* named = std::getenv("SAVER_FEED_CORPUS");
    const fs::path corpus = named && *named ? named : SAVER_FEED_CORPUS;
    if (named && *named) {
        ASSERT_TRUE(fs::is_directory(corpus)) << "SAVER_FEED_CORPUS is no folder: " << corpus;
    } else if (!fs::is_directory(corpus)) {
        GTEST_SKIP() << "no feed corpus at " << corpus.string()
                     << " (set SAVER_FEED_CORPUS to one)";
    }
    int loaded = 0;
    int failed = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        TSimpleRSS rss;
        try {
            rss.LoadFromStream(file);
            ++loaded;
        } catch (const std::runtime_error&) {
            ++failed;
        }
    }
    // The corpus holds about 1,770 feeds; most of them load.
    EXPECT_GT(loaded + failed, 1700);
    EXPECT_GT(loaded, failed);
}

}  // namespace
}  // namespace saver
