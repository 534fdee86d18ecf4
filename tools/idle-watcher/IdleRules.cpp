#include "IdleRules.h"

#include <algorithm>

namespace saver {

namespace {

// No check comes sooner than this after another: an X server's idle count that jumps
// about cannot make the watcher spin.
constexpr int64_t kShortestCheckMs = 100;

}  // namespace

IdleStep NextIdleStep(const IdleFacts& facts, int64_t timeout_ms) {
    const int64_t idle =
        std::min({facts.input_idle_ms, facts.activity_idle_ms, facts.saver_idle_ms});
    if (facts.saver_running) {
        return {false, timeout_ms};
    }
    if (idle < timeout_ms) {
        return {false, std::max(timeout_ms - idle, kShortestCheckMs)};
    }
    if (facts.inhibited) {
        return {false, kInhibitedCheckMs};
    }
    return {true, timeout_ms};
}

}  // namespace saver
