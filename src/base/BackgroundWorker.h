#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace saver {

// A thread of its own that runs posted jobs one after the other, so that work which may
// take long (writing large files) never holds up the thread that posts it. The thread
// starts with the first job. At most kMaxWaiting jobs wait: a job posted beyond that
// drops the oldest waiting one, so that jobs holding large data cannot pile up in memory
// when they come faster than they run. Going away, it lets the job that runs finish and
// drops those still waiting.
class BackgroundWorker {
  public:
    static constexpr size_t kMaxWaiting = 4;

    BackgroundWorker() = default;
    ~BackgroundWorker();
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    void Post(std::function<void()> job);

  private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace saver
