#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "aatext/timer/TAATimer.h"

namespace saver {
namespace {

struct TimerFixture : ::testing::Test {
    uint32_t now = 1000;
    TAATimerMgr mgr{nullptr, [this] { return now; }};
};

TEST_F(TimerFixture, SettersRestartThePeriodAsTheyShould) {
    TAATimer timer(mgr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.Object().LastTick(), 1000u);
    now = 1500;
    timer.SetInterval(1000);  // unchanged: period not restarted
    EXPECT_EQ(timer.Object().LastTick(), 1000u);
    timer.SetInterval(40);
    EXPECT_EQ(timer.Object().LastTick(), 1500u);
    now = 1600;
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_EQ(timer.Object().LastTick(), 1600u);
}

TEST_F(TimerFixture, FpsSetsTheIntervalWithinItsLimits) {
    TAATimer timer(mgr);
    struct Case {
        double fps;
        uint32_t interval;
    };
    const std::vector<Case> cases = {
        {0.5, 2000}, {5000, 1}, {-1, 1}, /* ignored: keeps 1 */ {0, 65535000}, {3, 333},
    };
    for (const Case& c : cases) {
        timer.SetFPS(c.fps);
        EXPECT_EQ(timer.Interval(), c.interval) << c.fps;
    }
    timer.SetInterval(0);
    EXPECT_EQ(timer.FPS(), 0.0);
    timer.SetInterval(250);
    EXPECT_EQ(timer.FPS(), 4.0);
}

TEST_F(TimerFixture, FireDueFiresOnlyDueTimersOfItsKind) {
    TAATimer ui(mgr), worker(mgr), idle(mgr), never(mgr);
    std::vector<std::string> fired;
    ui.SetInterval(30);
    ui.SetOnTimer([&](TAATimerObject&) { fired.push_back("ui"); });
    worker.SetInterval(30);
    worker.SetSyncEvent(false);
    worker.SetOnTimer([&](TAATimerObject&) { fired.push_back("worker"); });
    idle.SetInterval(30);  // no handler: never fires
    never.SetInterval(0);
    never.SetOnTimer([&](TAATimerObject&) { fired.push_back("never"); });

    now += 29;
    mgr.FireDue(true);
    EXPECT_TRUE(fired.empty());
    now += 1;
    mgr.FireDue(true);
    EXPECT_EQ(fired, std::vector<std::string>{"ui"});
    EXPECT_EQ(ui.Object().LastTick(), now);
    EXPECT_EQ(ui.Object().TickCount(), 1u);
    mgr.FireDue(false);
    EXPECT_EQ(fired, (std::vector<std::string>{"ui", "worker"}));
    // Late by 100 ms: one firing, and the period restarts at the firing.
    now += 130;
    mgr.FireDue(true);
    mgr.FireDue(true);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(TimerFixture, TickCounterWrapIsHarmlessAndRepeatCountDisables) {
    now = 0xFFFFFFF0u;
    TAATimer timer(mgr);
    timer.SetInterval(20);
    timer.SetRepeatCount(2);
    int count = 0;
    timer.SetOnTimer([&](TAATimerObject&) { ++count; });
    now = 4;  // 20 ms later, across the wrap
    mgr.FireDue(true);
    EXPECT_EQ(count, 1);
    now = 24;
    mgr.FireDue(true);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(timer.Enabled());
    now = 100;
    mgr.FireDue(true);
    EXPECT_EQ(count, 2);
}

TEST_F(TimerFixture, HandlersMayFreeTimersAndExceptionsAreReported) {
    // The first timer of the list frees itself from its own handler.
    auto self = std::make_unique<TAATimer>(mgr);
    self->SetInterval(10);
    self->SetRepeatCount(1);
    self->SetOnTimer([&](TAATimerObject&) { self.reset(); });
    auto doomed = std::make_unique<TAATimer>(mgr);
    TAATimer killer(mgr);
    TAATimer thrower(mgr);
    int doomed_fired = 0;
    doomed->SetInterval(10);
    doomed->SetOnTimer([&](TAATimerObject&) { ++doomed_fired; });
    killer.SetInterval(10);
    killer.SetOnTimer([&](TAATimerObject&) { doomed.reset(); });
    thrower.SetInterval(10);
    thrower.SetOnTimer([&](TAATimerObject&) { throw std::runtime_error("boom"); });

    std::vector<std::string> errors;
    mgr.SetErrorHandler([&](const std::exception& e) { errors.push_back(e.what()); });
    now += 10;
    mgr.FireDueReported(true);
    EXPECT_EQ(doomed_fired, 1);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"boom"});
    EXPECT_EQ(mgr.Count(), 2);
    now += 10;
    mgr.FireDueReported(true);  // the lock was released; the timers go on
    EXPECT_EQ(errors.size(), 2u);
}

TEST(TimerMgr, RemovingAnUnknownObjectIsIgnored) {
    TAATimerMgr mgr(nullptr);
    TAATimerMgr other(nullptr);
    TAATimerObject* object = other.Add();
    mgr.Remove(object);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(mgr.Count(), 0);
}

}  // namespace
}  // namespace saver
