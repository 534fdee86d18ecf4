#pragma once

#include <cstdint>

namespace saver {

// What the idle watcher knows at one check.
struct IdleFacts {
    // Milliseconds since the last input of the user (the desktop's count), since a
    // program last reported activity of its own, and since the saver last ended.
    int64_t input_idle_ms = 0;
    int64_t activity_idle_ms = INT64_MAX;
    int64_t saver_idle_ms = INT64_MAX;
    bool saver_running = false;
    // Another program keeps the screen saver off (an inhibit, a full-screen window).
    bool inhibited = false;
};

// What to do at a check: start the saver or not, and when to look again.
struct IdleStep {
    bool start_saver = false;
    int64_t next_check_ms = 0;
};

// How often an inhibited desktop is looked at again: a full-screen window tells nobody
// when it goes.
inline constexpr int64_t kInhibitedCheckMs = 5000;

// The saver starts once the desktop has been idle for `timeout_ms`, counted from the
// latest of the user's input, reported activity and the saver's last end (so a saver that
// ended, or crashed, comes back only after a whole idle period), unless it runs already or
// the screen saver is inhibited. Between checks the watcher sleeps for as long as the idle
// time cannot reach the timeout.
IdleStep NextIdleStep(const IdleFacts& facts, int64_t timeout_ms);

}  // namespace saver
