#include "show/TWebFullscreenForm.h"

#include "base/StartTrace.h"
#include "base/Text.h"
#include "show/ShowSession.h"

namespace saver {

namespace {

constexpr int kPageTimerMs = 100;
constexpr int kMouseTimerMs = 3000;
constexpr int kLinkTimerMs = 600;
constexpr int kScrollStep = 1;
constexpr int kScrollPauseMs = 10;
constexpr int kFeedTickerDelaySeconds = 2;

}  // namespace

std::string LastPageAddress(const std::string& page) {
    // Full paths ("/..." here, "C:\..." in items written elsewhere) and addresses with a
    // scheme of their own ("file://...") are opened as they are.
    if (StartsWithNoCase(page, "http") || page.find(":\\") != std::string::npos ||
        (!page.empty() && page.front() == '/') || page.find("://") != std::string::npos) {
        return page;
    }
    return "http://" + page;
}

TWebFullscreenForm::TWebFullscreenForm(ShowSession& session, CoverWindow* cover)
    : session_(session), secondary_(cover != nullptr) {
    WindowSystem& windows = session_.Environment().windows;
    window_ = windows.CreateShowWindow(cover);
    IE1 = std::make_unique<TEmbeddedWB>(window_->WebBrowser(), windows);
    IE1->DisableCtrlShortcuts.assign(1, 'N');
    Timer1 = windows.CreateTimer(kPageTimerMs, [this] { Timer1Timer(); });
    MouseTimer = windows.CreateTimer(kMouseTimerMs, [this] { MouseTimerTimer(); });
    LinkTimer = windows.CreateTimer(kLinkTimerMs, [this] { LinkTimerTimer(); });
    MouseTimer->SetEnabled(true);
    WireBrowserEvents();
}

TWebFullscreenForm::~TWebFullscreenForm() = default;

void TWebFullscreenForm::WireBrowserEvents() {
    IE1->OnStatusTextChange = [this](const std::string& text) { IE1StatusTextChange(text); };
    IE1->OnTitleChange = [this](const std::string& text) { IE1StatusTextChange(text); };
    IE1->OnDocumentComplete = [this](const std::string& url) { IE1DocumentComplete(url); };
    IE1->OnNavigateError = [this](const std::string& url, int status_code) {
        IE1NavigateError(url, status_code);
    };
    IE1->OnBeforeNavigate2 = [this](const std::string& url, bool& cancel) {
        IEBeforeNavigate2(url, cancel);
    };
    IE1->OnNewWindow2 = [this](bool& cancel) { IE1NewWindow2(cancel); };
    IE1->OnShowDialog = [this](DialogHandle dialog) { IE1ShowDialog(dialog); };
    IE1->OnTranslateAccelerator = [this](const InputMessage& message, bool& done) {
        CacheIETranslateAccelerator(message, done);
    };
}

void TWebFullscreenForm::FormShow() {
    const ShowEnvironment& environment = session_.Environment();
    const TSaverSetting& settings = session_.Settings();
    WindowSystem& windows = environment.windows;
    // On X11 the system-wide hook reads raw input of the root window; only a system
    // without it counts as the newer kind on which the hook is never installed.
    newer_system_ = !environment.hook.Available();
    if (!secondary_) {
        // A hosted show takes no input at all: what reaches its window is dropped.
        windows.SetMessageFilter([this, hosted = environment.hosted](const InputMessage& message) {
            return hosted || ApplicationEvents1Message(message);
        });
    }
    window_->ShowFullScreen();
    TraceStartStep("show window shown");
    if (windows.Monitors().size() > 1) {
        session_.Covers().CoverFurtherMonitors();
        if (!secondary_ && settings.WebSameMonitor) {
            session_.CreateSecondaryForms();
        }
    }
    session_.Filter().ResetMouseCountdown();
    ApplyBrowserOptions();
    current_page_.clear();
    list_position_ = -1;
    tick_counter_ = -1;
    environment.companions.StartMusic();
    window_->SetPanelVisible(ShowPanel::Status, settings.WebShowStatus);
    if (!secondary_) {
        windows.SetScreenSaverRunning(true);
        if (!settings.ShowCursor) {
            windows.SetCursorVisible(false);
        }
        window_->SetInputGrabbed(true);
    }
    // The page timer's paging runs once at once: the first page is asked for as the window
    // shows, not one interval later, while the web engine is still starting. The ticks
    // towards the input hook are the timer's alone.
    Timer1->SetEnabled(true);
    PageTick();
    if (!secondary_) {
        environment.companions.StartFeedTicker(*window_, kFeedTickerDelaySeconds);
    }
    TraceStartStep("show started");
}

void TWebFullscreenForm::ApplyBrowserOptions() {
    const TSaverSetting& s = session_.Settings();
    TDownloadOptions options{DonloadInSilentMode};
    auto set = [&options](bool on, TDownloadOption option) {
        if (on) {
            options.insert(option);
        }
    };
    set(s.WebImage, DownloadImages);
    set(s.WebSound, DownloadBGSounds);
    set(s.WebVideo, DownloadVideos);
    set(!s.WebScript, DontExecuteScripts);
    set(!s.WebScript, DontExecuteJava);
    set(!s.WebActiveX, DontExecuteActiveX);
    set(!s.WebActiveX, DontDownloadActiveX);
    set(s.WebOffline, ForceOfflineMode);
    set(s.WebOffline, WorkOffline);
    set(s.WebOnline, DownloadAndIgnoreCache);
    IE1->SetDownloadOptions(options);
    IE1->SetOffline(s.WebOffline);
    TUserInterfaceOptions ui{DontUse3DBorders, EnablesFormsAutoComplete, EnableThemes};
    if (s.WebHideScrollBar) {
        ui.insert(DontUseScrollBars);
    }
    IE1->SetUserInterfaceOptions(ui);
}

void TWebFullscreenForm::Timer1Timer() {
    session_.HookTick(newer_system_);
    PageTick();
}

void TWebFullscreenForm::PageTick() {
    if (page_failed_) {
        page_failed_ = false;
        ++failures_in_a_row_;
        // A failed page makes way for the next one at once, unless every page of the
        // list has failed in a row: then one page is tried per interval, so that a
        // show without network does not hammer it.
        const bool all_failed =
            failures_in_a_row_ >= static_cast<int>(session_.Settings().Web.size());
        if (!ShowOfflineCopy() && !all_failed) {
            tick_counter_ = -1;
        }
    }
    if (tick_counter_ == -1 || tick_counter_ >= session_.Settings().WebInterval * 10) {
        try {
            ShowPage(std::nullopt);
        } catch (...) {
            // A page that could not be started is skipped; paging goes on.
            tick_counter_ = 0;
            Timer1->SetEnabled(true);
        }
    } else {
        ++tick_counter_;
    }
}

void TWebFullscreenForm::ShowPage(const std::optional<std::string>& item) {
    const TSaverSetting& settings = session_.Settings();
    if (settings.Web.empty()) {
        return;
    }
    Timer1->SetEnabled(false);
    if (settings.WebAutoScroll && !current_page_.empty()) {
        IE1->ScrollToEnd(kScrollStep, kScrollPauseMs);
    }
    std::string resolved = item.value_or("");
    if (item && session_.Environment().resolve(resolved)) {
        current_page_ = resolved;
    } else if (!settings.Web.empty()) {  // a key pressed during the scroll may empty it
        ShowNextPage();
    }
    StartPage();
    Timer1->SetEnabled(true);
}

void TWebFullscreenForm::StartPage() {
    tick_counter_ = 0;
    page_failed_ = false;
    shown_copy_.reset();
    copy_wanted_ = session_.Copies() && IsWebAddress(current_page_);
    TraceStartStep("page asked for");
    IE1->Navigate(current_page_);
}

bool TWebFullscreenForm::ShowOfflineCopy() {
    OfflineCopies* copies = session_.Copies();
    if (shown_copy_ || !copies || !IsWebAddress(current_page_)) {
        return false;  // a copy that failed too is skipped like its page
    }
    shown_copy_ = copies->Find(current_page_);
    if (shown_copy_) {
        IE1->NavigateArchive(shown_copy_->path);
    }
    return shown_copy_.has_value();
}

void TWebFullscreenForm::KeepOfflineCopy() {
    // The session outlives the browser, which drops the answer when it goes first.
    IE1->SavePage([session = &session_, address = current_page_](std::string archive) {
        session->StoreCopyInBackground(address, std::move(archive));
    });
}

void TWebFullscreenForm::IE1NavigateError(const std::string&, int) {
    page_failed_ = true;
    copy_wanted_ = false;
}

void TWebFullscreenForm::IE1DocumentComplete(const std::string&) {
    TraceStartStep("page loaded");
    if (page_failed_) {
        return;  // the end of the load that failed
    }
    failures_in_a_row_ = 0;
    if (shown_copy_) {
        IE1StatusTextChange(OfflineCopyStatus(current_page_, shown_copy_->saved));
    } else if (copy_wanted_) {
        copy_wanted_ = false;
        KeepOfflineCopy();
    }
}

void TWebFullscreenForm::ShowNextPage() {
    const ShowEnvironment& environment = session_.Environment();
    const ContentList& web = environment.settings.Web;
    list_position_ = NextContentIndex(environment.settings.WebSequence, list_position_,
                                      static_cast<int>(web.size()), environment.random);
    std::string page = web[static_cast<size_t>(list_position_)];
    environment.resolve(page);  // a rejected item is shown all the same
    current_page_ = page;
}

void TWebFullscreenForm::IE1StatusTextChange(const std::string& text) {
    window_->SetPanelText(ShowPanel::Status, " " + text);
}

void TWebFullscreenForm::Hide() {
    Timer1->SetEnabled(false);
    window_->Hide();
}

void TWebFullscreenForm::FormClose() {
    if (secondary_ || closed_) {
        return;
    }
    closed_ = true;
    const ShowEnvironment& environment = session_.Environment();
    WindowSystem& windows = environment.windows;
    // Windows are taken off the screen here and freed when the message loop has ended,
    // so that none is freed under a call of its own still running (a page scroll).
    session_.HideSecondaryForms();
    window_->SetInputGrabbed(false);
    window_->Hide();
    session_.RemoveHook();
    session_.Covers().HideCovers();
    environment.companions.StopFeedTicker();
    windows.SetScreenSaverRunning(false);
    windows.SetCursorVisible(true);
    Timer1->SetEnabled(false);
    environment.companions.StopMusic();
    if (environment.executable_form) {
        IE1->Navigate("about:blank");
    }
    if (session_.Settings().WebLastPage && !current_page_.empty()) {
        environment.shell.OpenDocument(LastPageAddress(current_page_));
    }
    windows.SetMessageFilter(nullptr);
    windows.QuitLoop();
}

}  // namespace saver
