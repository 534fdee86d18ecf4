#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Browser.h"
#include "platform/FeedWindow.h"
#include "platform/InputMessage.h"

namespace saver {

// A monitor's area in desktop coordinates.
struct MonitorArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A repeating timer on the user-interface thread. Created off; the tick runs every
// interval while it is on. Destroying it stops it.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};

// A black borderless full-screen window covering one monitor, above other windows.
class CoverWindow {
  public:
    virtual ~CoverWindow() = default;
    virtual void Hide() = 0;
};

// The two one-line status panels under a show window's browser, top to bottom.
enum class ShowPanel { Status, Feed };

// A black borderless show window: a browser filling the area above two one-line status
// panels (18 and 21 px high, black, in the given text colours), and over all of it the
// feed windows it makes.
class ShowWindow {
  public:
    virtual ~ShowWindow() = default;

    virtual Browser& WebBrowser() = 0;
    virtual void SetPanelText(ShowPanel panel, const std::string& text) = 0;
    virtual void SetPanelVisible(ShowPanel panel, bool visible) = 0;
    // Shows the window full-screen on its monitor, borderless and above other windows
    // (panels included), without taking the focus from the browser inside it.
    virtual void ShowFullScreen() = 0;
    // While on, the keyboard and the pointer of the whole display belong to this window
    // and the windows of this process: keys reach the show wherever the focus is, clicks
    // wherever they are. With the cursor hidden (SetCursorVisible) it stays hidden over
    // every window of the screen, whatever they set.
    virtual void SetInputGrabbed(bool grabbed) = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // A feed window drawn inside this window (FeedWindow). It may outlive this window,
    // and then shows nothing.
    virtual std::unique_ptr<FeedWindow> CreateFeedWindow() = 0;
};

// Windows, timers, the message loop and the desktop-wide switches of the show.
// Every call comes from the user-interface thread.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    virtual std::vector<MonitorArea> Monitors() const = 0;
    virtual std::unique_ptr<Timer> CreateTimer(int interval_ms, std::function<void()> tick) = 0;

    // A top-level show window, or one filling `parent` when it is given.
    virtual std::unique_ptr<ShowWindow> CreateShowWindow(CoverWindow* parent) = 0;
    virtual std::unique_ptr<CoverWindow> CreateCoverWindow(const MonitorArea& area) = 0;

    // The application's message filter: sees every input message before it is
    // dispatched; true marks it handled, and it is then dropped. An empty function
    // removes the filter.
    virtual void SetMessageFilter(std::function<bool(const InputMessage&)> filter) = 0;

    // While on, the desktop's own screen saver stays off.
    virtual void SetScreenSaverRunning(bool running) = 0;
    virtual void SetCursorVisible(bool visible) = 0;

    // Runs the message loop until QuitLoop. QuitLoop may come from anywhere inside the
    // loop, also from inside WaitWithMessages; the loop then ends once control is back.
    virtual void RunLoop() = 0;
    virtual void QuitLoop() = 0;
    virtual bool QuitRequested() const = 0;
    // Keeps the message loop running for `ms` milliseconds, then returns; returns at
    // once when the loop is to end, so that waits do not hold up the end.
    virtual void WaitWithMessages(int ms) = 0;
};

}  // namespace saver
