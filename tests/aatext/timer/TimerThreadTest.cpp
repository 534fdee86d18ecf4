#include <gtest/gtest.h>

#include <glib.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

#include "aatext/timer/TAATimer.h"
#include "aatext/timer/TAATimerThread.h"
#include "platform/linux/GlibDispatcher.h"

namespace saver {
namespace {

// A dispatcher whose tasks run only when the test, playing the user-interface thread,
// asks for them.
class QueueDispatcher : public UiDispatcher {
  public:
    void Post(std::function<void()> task) override {
        std::lock_guard guard(mutex_);
        tasks_.push_back(std::move(task));
    }
    // Runs the tasks posted so far; returns how many ran.
    int RunPending() {
        std::deque<std::function<void()>> tasks;
        {
            std::lock_guard guard(mutex_);
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) {
            task();
        }
        return static_cast<int>(tasks.size());
    }
    size_t Pending() {
        std::lock_guard guard(mutex_);
        return tasks_.size();
    }

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};

TEST(TimerThread, HandsUiTimersOverOneAtATimeAndFiresWorkerTimersItself) {
    QueueDispatcher ui;
    TAATimerMgr mgr(&ui);
    TAATimer on_ui(mgr);
    TAATimer on_worker(mgr);
    std::atomic<int> ui_ticks = 0;
    std::atomic<int> worker_ticks = 0;
    const auto ui_thread = std::this_thread::get_id();
    on_ui.SetInterval(1);
    on_ui.SetOnTimer([&](TAATimerObject&) {
        EXPECT_EQ(std::this_thread::get_id(), ui_thread);
        ++ui_ticks;
    });
    on_worker.SetSyncEvent(false);
    on_worker.SetInterval(1);
    on_worker.SetOnTimer([&](TAATimerObject&) {
        EXPECT_NE(std::this_thread::get_id(), ui_thread);
        ++worker_ticks;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // While the user-interface thread is busy, one hand-over waits and no more pile up.
    EXPECT_EQ(ui.Pending(), 1u);
    EXPECT_EQ(ui_ticks, 0);
    while (ui_ticks < 3) {
        ui.RunPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_GE(worker_ticks, 1);
}

TEST(TimerThread, ShutdownWithAHandOverThatNeverRunsDoesNotBlock) {
    QueueDispatcher ui;
    {
        TAATimerMgr mgr(&ui);
        TAATimer timer(mgr);
        timer.SetInterval(1);
        timer.SetOnTimer([](TAATimerObject&) {});
        while (ui.Pending() == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }  // the manager ends while its hand-over waits
    EXPECT_EQ(ui.RunPending(), 1) << "the late task runs harmlessly after the manager";
}

TEST(TimerThread, WithoutAManagerIsAnAssertionFailure) {
    QueueDispatcher ui;
    try {
        TAATimerThread thread(nullptr, ui);
        ADD_FAILURE();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "Assertion failure");
    }
}

TEST(TimerThread, DeliversThroughTheGlibMainLoopAndATimerMayEndInItsHandler) {
    GlibDispatcher ui;
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    int ticks = 0;
    auto mgr = std::make_unique<TAATimerMgr>(&ui);
    auto timer = std::make_unique<TAATimer>(*mgr);
    timer->SetInterval(10);
    timer->SetOnTimer([&](TAATimerObject&) {
        if (++ticks == 5) {
            // The timer is freed by its own handler, inside the hand-over.
            timer.reset();
            g_main_loop_quit(loop);
        }
    });
    const auto start = std::chrono::steady_clock::now();
    g_main_loop_run(loop);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    mgr.reset();
    EXPECT_EQ(ticks, 5);
    // Five ticks of at least 10 ms each: never caught up or doubled.
    EXPECT_GE(elapsed, std::chrono::milliseconds(40));
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    g_main_loop_unref(loop);
}

}  // namespace
}  // namespace saver
