#include "show/WorkBesideTheLoop.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "platform/WindowSystem.h"

namespace saver {
namespace {

// How long the loop turns between looks at the work.
constexpr int kTurnMs = 10;

std::mutex& PackageWorkMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void WorkBesideTheLoop(WindowSystem& windows, const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            std::lock_guard lock(PackageWorkMutex());
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    while (!done && !windows.QuitRequested()) {
        windows.WaitWithMessages(kTurnMs);
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

std::function<bool(std::string&)> ResolveBesideTheLoop(WindowSystem& windows,
                                                       std::function<bool(std::string&)> resolve) {
    return [&windows, resolve = std::move(resolve)](std::string& item) {
        bool found = false;
        WorkBesideTheLoop(windows, [&] { found = resolve(item); });
        return found;
    };
}

}  // namespace saver
