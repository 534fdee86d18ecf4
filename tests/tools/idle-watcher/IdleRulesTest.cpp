// When the idle watcher starts the saver and when it looks again, and its D-Bus inhibits.
#include <gtest/gtest.h>

#include "IdleRules.h"
#include "InhibitList.h"

namespace saver {
namespace {

TEST(IdleRulesTest, StartsAfterAWholeIdlePeriodUnlessRunningOrInhibited) {
    struct Case {
        const char* name;
        IdleFacts facts;
        IdleStep expected;
    };
    constexpr int64_t kTimeout = 60000;
    const Case cases[] = {
        {"just active: sleep a whole period", {.input_idle_ms = 0}, {false, 60000}},
        {"part idle: sleep the rest", {.input_idle_ms = 45000}, {false, 15000}},
        {"nearly idle: never a busy loop", {.input_idle_ms = 59990}, {false, 100}},
        {"idle long enough", {.input_idle_ms = 60000}, {true, 60000}},
        {"reported activity counts as input",
         {.input_idle_ms = 90000, .activity_idle_ms = 20000},
         {false, 40000}},
        {"a saver that ended waits a whole period again",
         {.input_idle_ms = 500000, .saver_idle_ms = 10},
         {false, 59990}},
        {"running already", {.input_idle_ms = 90000, .saver_running = true}, {false, 60000}},
        {"inhibited: look again soon", {.input_idle_ms = 90000, .inhibited = true}, {false, 5000}},
    };
    for (const Case& c : cases) {
        const IdleStep step = NextIdleStep(c.facts, kTimeout);
        EXPECT_EQ(step.start_saver, c.expected.start_saver) << c.name;
        EXPECT_EQ(step.next_check_ms, c.expected.next_check_ms) << c.name;
    }
}

TEST(IdleRulesTest, InhibitsGoByCookieAndWithTheirProgram) {
    InhibitList inhibits;
    const uint32_t player = inhibits.Add(":1.7");
    const uint32_t browser = inhibits.Add(":1.9");
    const uint32_t player_again = inhibits.Add(":1.7");
    EXPECT_NE(player, 0u);
    EXPECT_NE(player, browser);
    EXPECT_NE(player, player_again);
    EXPECT_FALSE(inhibits.Remove(12345));  // no such cookie
    EXPECT_TRUE(inhibits.Remove(browser));
    EXPECT_FALSE(inhibits.Remove(browser));  // a cookie goes once
    EXPECT_FALSE(inhibits.Empty());
    inhibits.RemoveSender(":1.7");  // the player left the bus
    EXPECT_TRUE(inhibits.Empty());
}

}  // namespace
}  // namespace saver
