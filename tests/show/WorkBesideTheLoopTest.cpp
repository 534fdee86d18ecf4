#include "show/WorkBesideTheLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "support/Eventually.h"
#include "support/FakeWindowSystem.h"

namespace saver {
namespace {

// A message loop that counts its turns.
class CountingLoop : public test::FakeWindowSystem {
  public:
    void WaitWithMessages(int) override {
        ++turns;
        std::this_thread::yield();
    }
    std::atomic<int> turns{0};
};

// True once the loop has turned `count` times, within a generous deadline.
bool LoopTurned(const CountingLoop& loop, int count) {
    return test::Eventually([&loop, count] { return loop.turns >= count; });
}

// Work that lasts until the loop has turned: it can end only when it runs beside it.
TEST(WorkBesideTheLoopTest, TheLoopTurnsWhileTheWorkRuns) {
    CountingLoop loop;
    std::string item = "big.avi";
    const auto resolve = ResolveBesideTheLoop(loop, [&loop](std::string& name) {
        name = "/work/" + name;
        return LoopTurned(loop, 3);
    });
    EXPECT_TRUE(resolve(item));
    EXPECT_EQ(item, "/work/big.avi");
}

TEST(WorkBesideTheLoopTest, WhatTheWorkThrowsComesBack) {
    CountingLoop loop;
    EXPECT_THROW(WorkBesideTheLoop(loop, [] { throw std::runtime_error("damaged"); }),
                 std::runtime_error);
}

// Once the loop is to end it is not turned any more, but the work still ends first.
TEST(WorkBesideTheLoopTest, AnEndingLoopWaitsForTheWorkAlone) {
    CountingLoop loop;
    loop.quit = true;
    bool finished = false;
    WorkBesideTheLoop(loop, [&finished] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(loop.turns, 0);
}

}  // namespace
}  // namespace saver
