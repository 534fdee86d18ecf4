#include "base/BackgroundWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace saver {
namespace {

bool WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

// A job that runs long does not hold up the poster; the jobs run in order, on one
// thread that is not the poster's; beyond four waiting jobs the oldest waiting one goes.
TEST(BackgroundWorkerTest, RunsJobsInOrderOffThePostersThreadAndBoundsTheWaiting) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::mutex mutex;
    std::string ran;
    std::atomic<bool> first_running{false};
    std::thread::id worker_thread;
    BackgroundWorker worker;
    worker.Post([&] {
        worker_thread = std::this_thread::get_id();
        first_running = true;
        released.wait();
    });
    ASSERT_TRUE(WaitFor([&] { return first_running.load(); }));
    for (char job = 'a'; job <= 'f'; ++job) {
        worker.Post([&, job] {
            std::lock_guard lock(mutex);
            ran += job;
        });
    }
    release.set_value();
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(mutex);
        return ran.size() == BackgroundWorker::kMaxWaiting;
    }));
    EXPECT_EQ(ran, "cdef");
    EXPECT_NE(worker_thread, std::this_thread::get_id());
}

TEST(BackgroundWorkerTest, GoingAwayFinishesTheRunningJobAndDropsTheWaiting) {
    std::atomic<bool> running{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> waiting_ran{false};
    {
        BackgroundWorker worker;
        worker.Post([&] {
            running = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            finished = true;
        });
        worker.Post([&] { waiting_ran = true; });
        ASSERT_TRUE(WaitFor([&] { return running.load(); }));
    }
    EXPECT_TRUE(finished);
    EXPECT_FALSE(waiting_ran);
}

}  // namespace
}  // namespace saver
