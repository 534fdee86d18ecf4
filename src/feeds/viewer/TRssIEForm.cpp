#include "feeds/viewer/TRssIEForm.h"

#include <algorithm>
#include <string_view>

#include "base/AuthorText.h"
#include "base/Files.h"
#include "feeds/readers/TSimpleRSS.h"
#include "feeds/text/FeedTimeText.h"
#include "feeds/viewer/ItemPage.h"

namespace saver {

namespace {

constexpr int kFadeInMs = 2;
constexpr int kFadeOutMs = 3;
constexpr int kOpacityStep = 3;
constexpr int kScrollStep = 1;
constexpr int kScrollPauseMs = 10;
// Far more than a viewer shows in an item's time, and little enough that a page is built,
// written and placed in a few milliseconds, so that a feed item of megabytes never holds
// up the show.
constexpr size_t kMaxFeedText = 512 * 1024;

bool IsFileAddress(std::string_view url) {
    constexpr std::string_view kScheme = "file:";
    return url.size() >= kScheme.size() &&
           std::equal(kScheme.begin(), kScheme.end(), url.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

TRssIEForm::TRssIEForm(const ViewerEnvironment& environment, const TickerShared& ticker,
                       ViewerPlacement& placement)
    : environment_(environment), ticker_(ticker), placement_(placement) {
    if (!environment_.time_text) {
        environment_.time_text = LocalFeedTimeText;
    }
    window_ = ticker_.show->CreateFeedWindow();
    window_->SetOpacity(0);
    window_->SetPanelVisible(false);
    window_->SetBevel(true);  // framed, until an author's template draws a frame of its own
    web = std::make_unique<TEmbeddedWB>(window_->WebBrowser(), environment_.windows);
    web->SetUserInterfaceOptions({DisableTextSelect, DisableHelpMenu, DontUse3DBorders,
                                  DontUseScrollBars, EnablesFormsAutoComplete, EnableThemes});
    web->SetDownloadOptions({DownloadImages, DownloadVideos, DownloadBGSounds, DontExecuteJava,
                             DontExecuteActiveX, DontDownloadActiveX});
    web->SetUntrusted(true);
    web->DisableCtrlShortcuts.push_back('N');  // Ctrl+N opens no window from the page
    web->OnNewWindow2 = [this](bool& cancel) { webNewWindow2(cancel); };
    web->OnDocumentComplete = [this](const std::string& url) { webDocumentComplete(url); };
    web->OnShowDialog = [this](DialogHandle dialog) { webShowDialog(dialog); };
    web->OnBeforeNavigate2 = [this](const std::string& url, bool& cancel) {
        webBeforeNavigate2(url, cancel);
    };
    Timer1 = environment_.windows.CreateTimer(kFadeInMs, [this] { Timer1Timer(); });
    fade_out_ =
        std::make_unique<WindowFadeOut>(environment_.windows, *window_, kFadeOutMs, kOpacityStep);
}

TRssIEForm::~TRssIEForm() {
    web.reset();  // no events of the browser reach a half-destroyed form
    window_->Hide();
}

MonitorArea TRssIEForm::ShowArea() const {
    const std::vector<MonitorArea> monitors = environment_.windows.Monitors();
    return monitors.empty() ? MonitorArea{} : monitors.front();
}

ViewerFrame TRssIEForm::Frame() const {
    const MonitorArea show = ShowArea();
    return ViewerFrame{show.width, show.height, ticker_.right_edge};
}

void TRssIEForm::SetBounds(const ViewerBounds& bounds) {
    bounds_ = bounds;
    // A window has at least one pixel each way, whatever a tiny show leaves of it.
    window_->SetBounds(bounds.left, bounds.top, std::max(bounds.width, 1),
                       std::max(bounds.height, 1));
}

int TRssIEForm::TargetOpacity() const {
    const TSaverSetting& settings = environment_.settings;
    return settings.BlogShow ? std::clamp(settings.BlogBlendValue, 0, 255) : 0;
}

std::string TRssIEForm::Page(TSimpleRSS& rss, int index) {
    const TRSSItem& item = rss.Items().Items(index);
    const ItemTexts texts{CutFeedText(item.Title, kMaxFeedText),
                          CutFeedText(item.Description, kMaxFeedText),
                          environment_.time_text(item.PubDate.DateTime)};
    if (!environment_.item_template.empty() && FileExists(environment_.item_template)) {
        window_->SetBevel(false);
        return TemplateItemPage(PageTemplateText(FileContents(environment_.item_template)), texts);
    }
    return BuiltInItemPage(texts);
}

void TRssIEForm::ShowItem(TSimpleRSS& rss, int index) {
    const std::string page = Page(rss, index);
    // Written beside and renamed over the old page: the browser never reads half a page.
    // A failed write leaves the previous page in place.
    const std::string path = environment_.working_folder + "tmp.htm";
    ReplaceFile(path, WithCrLfLines(page));
    SetBounds(PlaceViewer(page, Frame(), placement_, environment_.random));
    hint_ = rss.Items().Items(index).Link;
    if (FileExists(path)) {
        web->NavigateHtmlFile(path);
    }
    fade_out_->Cancel();
    if (ticker_.paused) {
        target_opacity_ = TargetOpacity();
        window_->SetOpacity(target_opacity_);
        FormShow();
    } else {
        window_->SetOpacity(0);
        FormShow();
        Timer1->SetEnabled(true);
    }
}

void TRssIEForm::FadeOut(std::function<void()> then) {
    Timer1->SetEnabled(false);
    if (window_->Opacity() <= 2) {
        then();
        return;
    }
    fade_out_->Start(std::move(then));
}

void TRssIEForm::Hide() {
    Timer1->SetEnabled(false);
    fade_out_->Cancel();
    window_->Hide();
}

void TRssIEForm::ScrollToEnd() {
    web->ScrollToEnd(kScrollStep, kScrollPauseMs);
}

void TRssIEForm::Timer1Timer() {
    target_opacity_ = TargetOpacity();
    if (!environment_.settings.BlogShow) {
        window_->SetOpacity(0);
    }
    if (window_->Opacity() < target_opacity_ - kOpacityStep) {
        window_->SetOpacity(window_->Opacity() + kOpacityStep);
    } else {
        Timer1->SetEnabled(false);
    }
}

void TRssIEForm::webDocumentComplete(const std::string&) {
    const BodyMetrics body = web->Metrics();
    ++fit_count_;
    if (body.scroll_height <= 0 || body.scroll_width <= 0) {
        return;  // no page to fit to: the viewer keeps its place
    }
    const ViewerFrame frame = Frame();
    SetBounds(FitViewer(bounds_, body, frame, environment_.random));
    if (ticker_.paused && environment_.settings.BlogShow) {
        window_->SetOpacity(target_opacity_);
    }
    RememberFit(bounds_, frame, placement_, environment_.random);
}

void TRssIEForm::webShowDialog(DialogHandle dialog) {
    web->CloseDialog(dialog);
}

void TRssIEForm::webNewWindow2(bool& cancel) {
    cancel = true;
}

void TRssIEForm::webBeforeNavigate2(const std::string& url, bool& cancel) {
    // The item page itself is the only local file the viewer shows: a page, frame or
    // redirect of the feed's HTML that leads to another file is refused.
    if (IsFileAddress(url) && !web->NavigationFromNavigate()) {
        cancel = true;
    }
}

void TRssIEForm::FormShow() {
    window_->Show();
    window_->BringToFront();
}

}  // namespace saver
