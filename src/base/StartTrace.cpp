#include "base/StartTrace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace saver {

namespace {

double MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

bool TraceWanted() {
    static const bool wanted = [] {
        const char* value = std::getenv("SAVERHOST_TRACE_START");
        return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
    }();
    return wanted;
}

}  // namespace

void TraceStartStep(const char* step) {
    if (!TraceWanted()) {
        return;
    }
    static const double first = MonotonicMs();
    const double now = MonotonicMs();
    std::fprintf(stderr, "saverhost start: %.1f ms (+%.1f) %s\n", now, now - first, step);
}

}  // namespace saver
