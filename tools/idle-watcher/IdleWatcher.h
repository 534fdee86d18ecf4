#pragma once

#include <glib.h>

#include <cstdint>
#include <string>

#include "IdleDesktop.h"
#include "ScreenSaverService.h"

namespace saver {

// Starts "SAVER /s" each time the desktop has been idle for the timeout, as IdleRules
// says, on the GLib main loop. One saver at a time: it is this watcher's child, and its
// end (however it ends) starts the next idle period.
class IdleWatcher {
  public:
    IdleWatcher(IdleDesktop& desktop, std::string saver, int64_t timeout_ms);
    ~IdleWatcher();
    IdleWatcher(const IdleWatcher&) = delete;
    IdleWatcher& operator=(const IdleWatcher&) = delete;

  private:
    static gboolean OnCheck(gpointer self);
    static void OnSaverEnded(GPid pid, gint status, gpointer self);
    void Check();
    void CheckIn(int64_t ms);
    void StartSaver();
    bool Inhibited() const;
    int64_t MsSince(int64_t microseconds) const;

    IdleDesktop& desktop_;
    std::string saver_;
    int64_t timeout_ms_;
    ScreenSaverService service_;
    guint check_ = 0;
    GPid saver_pid_ = 0;
    int64_t last_activity_us_ = -1;
    int64_t saver_end_us_ = -1;
};

}  // namespace saver
