#include "PixelSampler.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>

namespace saver::test {
namespace {

constexpr auto kSamplePause = std::chrono::milliseconds(2);

bool IsNearWhite(Rgb colour) {
    return ((colour >> 16) & 0xFF) >= 0xE0 && ((colour >> 8) & 0xFF) >= 0xE0 &&
           (colour & 0xFF) >= 0xE0;
}

}  // namespace

PixelSampler::PixelSampler(const std::string& display, int x, int y) : x_(x), y_(y) {
    display_ = XOpenDisplay(display.c_str());
    if (display_) {
        thread_ = std::thread([this] { Sample(); });
    }
}

PixelSampler::~PixelSampler() {
    if (!display_) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
    XCloseDisplay(display_);
}

void PixelSampler::Sample() {
    const auto start = std::chrono::steady_clock::now();
    const Window root = DefaultRootWindow(display_);
    for (;;) {
        XImage* image = XGetImage(display_, root, x_, y_, 1, 1, AllPlanes, ZPixmap);
        const Rgb colour = image ? static_cast<Rgb>(XGetPixel(image, 0, 0) & 0xFFFFFF) : 0;
        if (image) {
            XDestroyImage(image);
        }
        const double now =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                return;
            }
            now_ms_ = now;
            if (runs_.empty() || runs_.back().colour != colour) {
                runs_.push_back({colour, now, now, 0});
            }
            runs_.back().last_ms = now;
            ++runs_.back().samples;
        }
        changed_.notify_all();
        std::this_thread::sleep_for(kSamplePause);
    }
}

bool PixelSampler::WaitFor(Rgb colour, int timeout_ms, double since_ms) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] {
        return !runs_.empty() && runs_.back().colour == colour && runs_.back().last_ms >= since_ms;
    });
}

double PixelSampler::Now() {
    std::lock_guard lock(mutex_);
    return now_ms_;
}

std::vector<ColourRun> PixelSampler::Runs() {
    std::lock_guard lock(mutex_);
    return runs_;
}

std::vector<Rgb> PixelSampler::Sequence(double since_ms, const std::vector<Rgb>& ignored) {
    std::vector<Rgb> sequence;
    for (const ColourRun& run : Runs()) {
        if (run.last_ms < since_ms) {
            continue;
        }
        bool skip = false;
        for (Rgb colour : ignored) {
            skip = skip || colour == run.colour;
        }
        if (!skip && (sequence.empty() || sequence.back() != run.colour)) {
            sequence.push_back(run.colour);
        }
    }
    return sequence;
}

std::vector<ColourRun> PixelSampler::WhiteRuns() {
    std::vector<ColourRun> white;
    for (const ColourRun& run : Runs()) {
        if (IsNearWhite(run.colour)) {
            white.push_back(run);
        }
    }
    return white;
}

std::string ColourName(Rgb colour) {
    char name[8];
    std::snprintf(name, sizeof name, "#%06X", colour & 0xFFFFFF);
    return name;
}

std::string Describe(const std::vector<ColourRun>& runs) {
    std::string text;
    for (const ColourRun& run : runs) {
        char line[96];
        std::snprintf(line, sizeof line, "%s %.1f-%.1f ms (%d samples)\n",
                      ColourName(run.colour).c_str(), run.first_ms, run.last_ms, run.samples);
        text += line;
    }
    return text;
}

}  // namespace saver::test
