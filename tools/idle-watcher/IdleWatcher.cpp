#include "IdleWatcher.h"

#include <cstdio>

#include "IdleRules.h"

namespace saver {

IdleWatcher::IdleWatcher(IdleDesktop& desktop, std::string saver, int64_t timeout_ms)
    : desktop_(desktop),
      saver_(std::move(saver)),
      timeout_ms_(timeout_ms),
      service_({.inhibits_changed = [this] { CheckIn(0); },
                .activity =
                    [this] {
                        last_activity_us_ = g_get_monotonic_time();
                        CheckIn(0);
                    },
                .saver_active = [this] { return saver_pid_ != 0; }}) {
    desktop_.OnChange([this] { CheckIn(0); });
    CheckIn(0);
}

IdleWatcher::~IdleWatcher() {
    desktop_.OnChange(nullptr);
    if (check_ != 0) {
        g_source_remove(check_);
    }
}

int64_t IdleWatcher::MsSince(int64_t microseconds) const {
    return microseconds < 0 ? INT64_MAX : (g_get_monotonic_time() - microseconds) / 1000;
}

bool IdleWatcher::Inhibited() const {
    return service_.Inhibited() || desktop_.Inhibited();
}

void IdleWatcher::CheckIn(int64_t ms) {
    if (check_ != 0) {
        g_source_remove(check_);
    }
    check_ = g_timeout_add(static_cast<guint>(ms), OnCheck, this);
}

gboolean IdleWatcher::OnCheck(gpointer self) {
    auto* watcher = static_cast<IdleWatcher*>(self);
    watcher->check_ = 0;
    watcher->Check();
    return G_SOURCE_REMOVE;
}

void IdleWatcher::Check() {
    IdleFacts facts;
    facts.input_idle_ms = desktop_.InputIdleMs();
    facts.activity_idle_ms = MsSince(last_activity_us_);
    facts.saver_idle_ms = MsSince(saver_end_us_);
    facts.saver_running = saver_pid_ != 0;
    // Inhibits are read only when the idle time would start the saver: each check of
    // the windows is a few requests to the X server, or a call on the session bus.
    facts.inhibited = !facts.saver_running && facts.input_idle_ms >= timeout_ms_ && Inhibited();
    const IdleStep step = NextIdleStep(facts, timeout_ms_);
    if (step.start_saver) {
        StartSaver();
    }
    CheckIn(step.next_check_ms);
}

void IdleWatcher::StartSaver() {
    gchar* argv[] = {saver_.data(), const_cast<gchar*>("/s"), nullptr};
    GError* error = nullptr;
    GPid pid = 0;
    if (!g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid,
                       &error)) {
        // Counted as a run that ended at once: the next try comes a whole idle period later.
        std::fprintf(stderr, "idle-watcher: cannot start %s: %s\n", saver_.c_str(), error->message);
        g_error_free(error);
        saver_end_us_ = g_get_monotonic_time();
        return;
    }
    saver_pid_ = pid;
    std::printf("started %d\n", static_cast<int>(pid));
    std::fflush(stdout);
    g_child_watch_add(pid, OnSaverEnded, this);
}

void IdleWatcher::OnSaverEnded(GPid pid, gint, gpointer self) {
    auto* watcher = static_cast<IdleWatcher*>(self);
    g_spawn_close_pid(pid);
    watcher->saver_pid_ = 0;
    watcher->saver_end_us_ = g_get_monotonic_time();
    std::printf("ended %d\n", static_cast<int>(pid));
    std::fflush(stdout);
    watcher->CheckIn(0);
}

}  // namespace saver
