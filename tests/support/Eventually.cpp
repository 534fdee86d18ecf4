#include "support/Eventually.h"

#include <unistd.h>

namespace saver::test {

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        usleep(100000);
    }
    return true;
}

}  // namespace saver::test
