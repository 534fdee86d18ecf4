#pragma once

// Stand-ins for the ticker's ports: an HTTP client whose transfers the test completes
// (the feed window's stand-in is the support library's).
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/HttpClient.h"
#include "platform/UiDispatcher.h"
#include "support/FakePlatform.h"
#include "support/FakeWindowSystem.h"

namespace saver::test {

class FakeHttpClient : public HttpClient {
  public:
    void Get(const std::string& url, HttpTransferEvents events) override {
        requests.push_back(url);
        running = std::move(events);
    }
    void Cancel() override { running.reset(); }
    bool Busy() const override { return running.has_value(); }

    // Ends the running transfer with `body` (ok) or as failed.
    void Complete(const std::string& body, bool ok = true) {
        HttpTransferEvents events = std::move(*running);
        running.reset();
        if (events.status) {
            events.status("Connected.");
        }
        if (events.work_begin) {
            events.work_begin(static_cast<int64_t>(body.size()));
        }
        if (events.work) {
            events.work(static_cast<int64_t>(body.size()));
        }
        if (events.work_end) {
            events.work_end();
        }
        HttpResult result;
        result.ok = ok;
        result.status = ok ? 200 : 404;
        result.body = ok ? body : "";
        events.done(result);
    }

    std::vector<std::string> requests;
    std::optional<HttpTransferEvents> running;
};

// Keeps what other threads post until the test runs it.
class QueueDispatcher : public UiDispatcher {
  public:
    void Post(std::function<void()> task) override {
        std::lock_guard<std::mutex> hold(lock_);
        tasks_.push_back(std::move(task));
        posted_.notify_all();
    }
    // Waits up to `timeout_ms` for a task, then runs the tasks posted so far.
    bool RunPosted(int timeout_ms = 60000) {
        std::deque<std::function<void()>> tasks;
        {
            std::unique_lock<std::mutex> hold(lock_);
            if (!posted_.wait_for(hold, std::chrono::milliseconds(timeout_ms),
                                  [this] { return !tasks_.empty(); })) {
                return false;
            }
            tasks.swap(tasks_);
        }
        for (auto& task : tasks) {
            task();
        }
        return true;
    }

  private:
    std::mutex lock_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace saver::test
