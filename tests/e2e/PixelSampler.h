#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _XDisplay;

namespace saver::test {

// A colour of the screen as 0xRRGGBB.
using Rgb = uint32_t;

// One stretch of time in which the sampled pixel kept one colour; times in milliseconds
// since the sampler started.
struct ColourRun {
    Rgb colour = 0;
    double first_ms = 0;
    double last_ms = 0;
    int samples = 0;
};

// Watches one pixel of an X display from a thread of its own, reading it every 2 ms
// with XGetImage on the root window, and keeps what it saw as runs of one colour. So a
// test sees frames that last a few milliseconds, which screenshots would miss.
class PixelSampler {
  public:
    PixelSampler(const std::string& display, int x, int y);
    ~PixelSampler();
    PixelSampler(const PixelSampler&) = delete;
    PixelSampler& operator=(const PixelSampler&) = delete;

    // False when the display could not be opened.
    bool Running() const { return display_ != nullptr; }
    // Waits until the pixel shows `colour` (after `since_ms`), at most `timeout_ms`.
    bool WaitFor(Rgb colour, int timeout_ms, double since_ms = 0);
    // The time of the latest sample, in milliseconds since the start.
    double Now();
    std::vector<ColourRun> Runs();
    // The runs from `since_ms` on, with every colour in `ignored` left out and the runs
    // of one colour that then meet joined: the sequence of colours seen.
    std::vector<Rgb> Sequence(double since_ms = 0, const std::vector<Rgb>& ignored = {});
    // Runs whose colour is near white (every channel at least 0xE0).
    std::vector<ColourRun> WhiteRuns();

  private:
    void Sample();

    ::_XDisplay* display_ = nullptr;
    int x_;
    int y_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<ColourRun> runs_;
    double now_ms_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

// "#RRGGBB" of a colour, for messages.
std::string ColourName(Rgb colour);
// Every run as "#RRGGBB 12.0-345.0 ms", one a line, for failure messages.
std::string Describe(const std::vector<ColourRun>& runs);

}  // namespace saver::test
