// When the idle watcher starts the saver and when it looks again, and its D-Bus inhibits.
#include <gtest/gtest.h>

#include <vector>

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

TEST(IdleRulesTest, InhibitsGoByCookieOfTheirOwnProgramAndWithIt) {
    InhibitList inhibits;
    const uint32_t player = inhibits.Add(":1.7").value();
    const uint32_t browser = inhibits.Add(":1.9").value();
    const uint32_t player_again = inhibits.Add(":1.7").value();
    EXPECT_NE(player, 0u);
    EXPECT_NE(player, browser);
    EXPECT_NE(player, player_again);
    EXPECT_FALSE(inhibits.Remove(browser ^ 1, ":1.9"));  // no such cookie
    EXPECT_FALSE(inhibits.Remove(browser, ":1.7"));      // not the player's to take back
    EXPECT_TRUE(inhibits.Remove(browser, ":1.9"));
    EXPECT_FALSE(inhibits.Remove(browser, ":1.9"));  // a cookie goes once
    EXPECT_FALSE(inhibits.Empty());
    inhibits.RemoveSender(":1.7");  // the player left the bus
    EXPECT_TRUE(inhibits.Empty());
}

// Cookies come from the random source: 0 and a cookie still held are drawn again, a
// cookie given back may come again.
TEST(IdleRulesTest, CookiesAreRandomNeverZeroAndNeverOneStillHeld) {
    std::vector<uint32_t> draws = {0, 0xA1B2C3D4, 0xA1B2C3D4, 0, 7, 0xA1B2C3D4};
    size_t next = 0;
    InhibitList inhibits([&] { return draws.at(next++); });
    EXPECT_EQ(inhibits.Add(":1.3"), 0xA1B2C3D4u);
    EXPECT_EQ(inhibits.Add(":1.4"), 7u);
    EXPECT_TRUE(inhibits.Remove(0xA1B2C3D4u, ":1.3"));
    EXPECT_EQ(inhibits.Add(":1.3"), 0xA1B2C3D4u);

    InhibitList real;
    const uint32_t first = real.Add(":1.5").value();
    const uint32_t second = real.Add(":1.5").value();
    EXPECT_FALSE(first == 1 && second == 2) << "cookies do not count up from 1";
}

TEST(IdleRulesTest, OneProgramHoldsABoundedNumberOfInhibits) {
    InhibitList inhibits;
    uint32_t last = 0;
    for (size_t i = 0; i < InhibitList::kMaxPerSender; ++i) {
        last = inhibits.Add(":1.6").value();
    }
    EXPECT_EQ(inhibits.Add(":1.6"), std::nullopt);
    EXPECT_TRUE(inhibits.Add(":1.8").has_value()) << "another program is not held back";
    EXPECT_TRUE(inhibits.Remove(last, ":1.6"));
    EXPECT_TRUE(inhibits.Add(":1.6").has_value());
}

}  // namespace
}  // namespace saver
