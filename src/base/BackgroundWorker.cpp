#include "base/BackgroundWorker.h"

namespace saver {

BackgroundWorker::~BackgroundWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void BackgroundWorker::Post(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (jobs_.size() == kMaxWaiting) {
            jobs_.pop_front();
        }
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { Run(); });
        }
    }
    wake_.notify_all();
}

void BackgroundWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
}

}  // namespace saver
