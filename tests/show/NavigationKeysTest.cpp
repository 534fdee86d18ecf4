#include "show/NavigationKeys.h"

#include <gtest/gtest.h>

#include "platform/InputMessage.h"

namespace saver {
namespace {

const ContentList kWeb = {"http://a/", "http://b/", "http://c/"};

struct NavigationCase {
    const char* name;
    ContentList web;
    std::string current_page;
    uint32_t key;
    bool show;
    std::optional<std::string> item;
    ContentList web_after;
};

const NavigationCase kCases[] = {
    {"PageUpShowsThePreviousItem", kWeb, "http://c/", VK_PRIOR, true, "http://b/", kWeb},
    {"PageUpOnTheFirstWrapsToTheLast", kWeb, "http://a/", VK_PRIOR, true, "http://c/", kWeb},
    {"PageUpOnAnUnknownPageShowsTheLast", kWeb, "http://x/", VK_PRIOR, true, "http://c/", kWeb},
    // Items with a kind prefix never equal a resolved page: always the last item.
    {"PageUpWithPrefixedItemsShowsTheLast",
     {"(URL) http://a/", "(URL) http://b/"},
     "http://b/",
     VK_PRIOR,
     true,
     "(URL) http://b/",
     {"(URL) http://a/", "(URL) http://b/"}},
    {"PageUpOnEmptyListDoesNothing", {}, "", VK_PRIOR, false, std::nullopt, {}},
    {"PageDownShowsTheNext", kWeb, "http://a/", VK_NEXT, true, std::nullopt, kWeb},
    {"PageDownOnEmptyListStillAsks", {}, "", VK_NEXT, true, std::nullopt, {}},
    {"EndShowsTheLast", kWeb, "", VK_END, true, "http://c/", kWeb},
    {"HomeShowsTheFirst", kWeb, "", VK_HOME, true, "http://a/", kWeb},
    {"HomeOnEmptyListDoesNothing", {}, "", VK_HOME, false, std::nullopt, {}},
    {"PauseDoesNothing", kWeb, "http://a/", VK_PAUSE, false, std::nullopt, kWeb},
    {"DeleteRemovesTheShownItem",
     kWeb,
     "http://b/",
     VK_DELETE,
     true,
     std::nullopt,
     {"http://a/", "http://c/"}},
    {"DeleteOfAnUnknownPageRemovesNothing", kWeb, "http://x/", VK_DELETE, true, std::nullopt, kWeb},
};

class NavigationKeyTest : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(NavigationKeyTest, AsksForPageAndEditsList) {
    const NavigationCase& row = GetParam();
    ContentList web = row.web;
    uint8_t sequence = 0;
    const PageRequest request = NavigationKey(row.key, row.current_page, web, sequence);
    EXPECT_EQ(request.show, row.show);
    EXPECT_EQ(request.item, row.item);
    EXPECT_EQ(web, row.web_after);
    EXPECT_EQ(sequence, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, NavigationKeyTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NavigationKeyTest, InsertSwitchesBetweenListOrderAndRandom) {
    ContentList web = kWeb;
    for (auto [before, after] : {std::pair<uint8_t, uint8_t>{0, 1}, {1, 0}, {2, 0}}) {
        uint8_t sequence = before;
        EXPECT_FALSE(NavigationKey(VK_INSERT, "", web, sequence).show);
        EXPECT_EQ(sequence, after) << "from " << int(before);
    }
}

}  // namespace
}  // namespace saver
