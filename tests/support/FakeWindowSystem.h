#pragma once

// In-memory stand-ins for the window system, browser, feed windows and input hook (the
// shell is FakePlatform's), so the show's logic runs without a display. Timers fire only
// when a test says so.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/InputHook.h"
#include "platform/PreviewWindow.h"
#include "platform/WindowSystem.h"
#include "support/FakePlatform.h"

namespace saver::test {

class FakeBrowser : public Browser {
  public:
    void SetEvents(BrowserEvents* events) override { events_ = events; }
    void SetOptions(const BrowserOptions& options) override { options_ = options; }
    void Load(const std::string& url) override { loads.push_back(url); }
    void LoadHtmlFile(const std::string& path) override { loads.push_back(path); }
    std::optional<BodyMetrics> ReadBodyMetrics(int) override { return metrics; }
    void ScrollBy(int, int dy) override { scrolled += dy; }
    int Height() const override { return 500; }
    void CloseDialog(DialogHandle dialog) override { closed_dialogs.push_back(dialog); }
    void SavePage(std::function<void(std::string)> done) override {
        saves.push_back(std::move(done));
    }
    void LoadArchive(const std::string& path) override { archives.push_back(path); }

    BrowserEvents* events_ = nullptr;
    BrowserOptions options_;
    std::vector<std::string> loads;
    BodyMetrics metrics;
    int scrolled = 0;
    std::vector<DialogHandle> closed_dialogs;
    std::vector<std::function<void(std::string)>> saves;  // answered by the test
    std::vector<std::string> archives;
};

class FakeTimer : public Timer {
  public:
    FakeTimer(int interval, std::function<void()> tick) : interval(interval), tick(tick) {}
    ~FakeTimer() override { *alive = false; }
    void SetEnabled(bool on) override { enabled = on; }
    bool Enabled() const override { return enabled; }

    int interval;
    std::function<void()> tick;
    bool enabled = false;
    // False once the timer is destroyed; the window system keeps it to skip the timer.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

class FakeCover : public CoverWindow {
  public:
    explicit FakeCover(const MonitorArea& area) : area(area) {}
    void Hide() override { visible = false; }
    MonitorArea area;
    bool visible = true;
};

// A feed window (ticker or item viewer) that records what it is told.
class FakeFeedWindow : public FeedWindow {
  public:
    Browser& WebBrowser() override { return browser; }
    void SetBounds(int l, int t, int w, int h) override { bounds = {l, t, w, h}; }
    void SetOpacity(int value) override { opacity = value; }
    int Opacity() const override { return opacity; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    void BringToFront() override { ++raised; }
    void SetPanelVisible(bool on) override { panel_visible = on; }
    bool PanelVisible() const override { return panel_visible; }
    void SetBevel(bool raised) override { bevel = raised; }
    void DrawPicture(int slot, int, int, const PixelRows& pixels) override {
        pictures[slot] = pixels.width;
    }

    FakeBrowser browser;
    MonitorArea bounds;  // in the show window's coordinates
    int opacity = 0;
    bool visible = false;
    int raised = 0;
    bool panel_visible = true;
    bool bevel = false;
    std::map<int, int> pictures;  // slot -> width of the last picture
};

class FakeShowWindow : public ShowWindow {
  public:
    explicit FakeShowWindow(CoverWindow* parent) : parent(parent) {}
    Browser& WebBrowser() override { return browser; }
    void SetPanelText(ShowPanel panel, const std::string& text) override { texts[panel] = text; }
    void SetPanelVisible(ShowPanel panel, bool on) override { panel_visible[panel] = on; }
    void ShowFullScreen() override { visible = true; }
    void SetInputGrabbed(bool grabbed) override { input_grabbed = grabbed; }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    std::unique_ptr<FeedWindow> CreateFeedWindow() override {
        auto window = std::make_unique<FakeFeedWindow>();
        feed_windows.push_back(window.get());
        return window;
    }

    CoverWindow* parent;
    FakeBrowser browser;
    std::map<ShowPanel, std::string> texts;
    std::map<ShowPanel, bool> panel_visible;
    bool visible = false;
    bool input_grabbed = false;
    std::vector<FakeFeedWindow*> feed_windows;  // in the order they were made
};

class FakeWindowSystem : public WindowSystem {
  public:
    std::vector<MonitorArea> Monitors() const override { return monitors; }
    std::unique_ptr<Timer> CreateTimer(int interval, std::function<void()> tick) override {
        auto timer = std::make_unique<FakeTimer>(interval, tick);
        timers.push_back({timer.get(), timer->alive});
        return timer;
    }
    std::unique_ptr<ShowWindow> CreateShowWindow(CoverWindow* parent) override {
        auto window = std::make_unique<FakeShowWindow>(parent);
        windows.push_back(window.get());
        return window;
    }
    std::unique_ptr<CoverWindow> CreateCoverWindow(const MonitorArea& area) override {
        auto cover = std::make_unique<FakeCover>(area);
        covers.push_back(cover.get());
        return cover;
    }
    void SetMessageFilter(std::function<bool(const InputMessage&)> f) override { filter = f; }
    void SetScreenSaverRunning(bool running) override { screen_saver_running = running; }
    void SetCursorVisible(bool visible) override { cursor_visible = visible; }
    void RunLoop() override {}
    void QuitLoop() override { quit = true; }
    bool QuitRequested() const override { return quit; }
    void WaitWithMessages(int ms) override { waited_ms += ms; }

    // Fires every enabled timer of `interval` once, in creation order; timers destroyed
    // meanwhile (their owner replaced them) are skipped.
    void Fire(int interval) {
        for (size_t i = 0; i < timers.size(); ++i) {
            const TimerEntry entry = timers[i];
            if (*entry.alive && entry.timer->enabled && entry.timer->interval == interval) {
                entry.timer->tick();
            }
        }
    }
    bool Send(const InputMessage& message) { return filter && filter(message); }

    std::vector<MonitorArea> monitors{{0, 0, 800, 600}};
    struct TimerEntry {
        FakeTimer* timer;
        std::shared_ptr<bool> alive;
    };
    std::vector<TimerEntry> timers;
    std::vector<FakeShowWindow*> windows;
    std::vector<FakeCover*> covers;
    std::function<bool(const InputMessage&)> filter;
    bool screen_saver_running = false;
    bool cursor_visible = true;
    bool quit = false;
    int waited_ms = 0;
};

class FakeHook : public InputHook {
  public:
    bool Available() const override { return available; }
    bool Install(std::function<void(const InputMessage&)> r) override {
        record = r;
        return true;
    }
    void Remove() override { record = nullptr; }
    bool Installed() const override { return static_cast<bool>(record); }

    bool available = true;
    std::function<void(const InputMessage&)> record;
};

// Records what the preview would draw, and where; returns at once as if closed.
class FakePreviewWindow : public PreviewWindow {
  public:
    void Run(const PreviewDrawing& shown, uint64_t in) override {
        drawing = shown;
        parent = in;
        ++runs;
    }

    PreviewDrawing drawing;
    uint64_t parent = 0;
    int runs = 0;
};

}  // namespace saver::test
