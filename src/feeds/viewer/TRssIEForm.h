#pragma once

#include <functional>
#include <memory>
#include <string>

#include "feeds/model/TDateTime.h"
#include "feeds/viewer/ItemPlacement.h"
#include "feeds/viewer/ItemViewer.h"
#include "feeds/viewer/RandomDraw.h"
#include "feeds/viewer/WindowFadeOut.h"
#include "platform/FeedWindow.h"
#include "platform/WindowSystem.h"
#include "settings/TSaverSetting.h"
#include "show/TEmbeddedWB.h"

namespace saver {

class TSimpleRSS;

// What the item viewer is given by the program.
struct ViewerEnvironment {
    const TSaverSetting& settings;  // "BlogShow", "BlogBlendValue"
    WindowSystem& windows;
    RandomDraw& random;
    std::string working_folder;  // ends with "/"
    std::string item_template;   // the item page template, as content resolution gave it
    // A feed date as the user reads it; null for the local clock's time.
    std::function<std::string(TDateTime)> time_text;
};

// The item viewer's window: a borderless, semi-transparent window right of the ticker
// whose browser `web` shows the current item's page from "tmp.htm" in the working folder.
// It fades in on `Timer1`, fits itself to the page once it has loaded, and fades out on
// the ticker's request. Feed descriptions are HTML from anywhere: the page may run its
// scripts but reaches no local file, opens no window and keeps no dialog open.
class TRssIEForm {
  public:
    TRssIEForm(const ViewerEnvironment& environment, const TickerShared& ticker,
               ViewerPlacement& placement);
    ~TRssIEForm();
    TRssIEForm(const TRssIEForm&) = delete;
    TRssIEForm& operator=(const TRssIEForm&) = delete;

    // Builds, places and shows the page of item `index`, which exists.
    void ShowItem(TSimpleRSS& rss, int index);
    // Lowers the opacity to nothing, then calls `then`.
    void FadeOut(std::function<void()> then);
    // Ends a fade-out where it is; returns what was to follow it (null when none ran).
    std::function<void()> InterruptFadeOut() { return fade_out_->Interrupt(); }
    void Hide();
    void BringToFront() { window_->BringToFront(); }
    void ScrollToEnd();

    void Timer1Timer();
    void webDocumentComplete(const std::string& url);
    void webShowDialog(DialogHandle dialog);
    void webNewWindow2(bool& cancel);
    void webBeforeNavigate2(const std::string& url, bool& cancel);
    void FormShow();

    // The link of the item on display (the browser's hint text); empty when it has none.
    const std::string& Hint() const { return hint_; }
    FeedWindow& Window() { return *window_; }
    const ViewerBounds& Bounds() const { return bounds_; }
    // How many loaded pages the viewer has fitted itself to, or tried to.
    int FitCount() const { return fit_count_; }

  private:
    ViewerFrame Frame() const;
    MonitorArea ShowArea() const;
    void SetBounds(const ViewerBounds& bounds);
    int TargetOpacity() const;
    // The page of item `index`; a template's page takes the window's bevel away.
    std::string Page(TSimpleRSS& rss, int index);

    ViewerEnvironment environment_;
    const TickerShared& ticker_;
    ViewerPlacement& placement_;
    std::unique_ptr<FeedWindow> window_;
    std::unique_ptr<TEmbeddedWB> web;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<WindowFadeOut> fade_out_;
    ViewerBounds bounds_;
    std::string hint_;
    int target_opacity_ = 0;
    int fit_count_ = 0;
};

}  // namespace saver
