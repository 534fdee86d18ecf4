#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/Browser.h"
#include "platform/WindowSystem.h"

namespace saver {

enum TDownloadOption {
    DownloadImages,
    DownloadVideos,
    DownloadBGSounds,
    DontExecuteScripts,
    DontExecuteJava,
    DontExecuteActiveX,
    DontDownloadActiveX,
    DownloadAndIgnoreCache,
    ForceOfflineMode,
    WorkOffline,
    DonloadInSilentMode,
};
using TDownloadOptions = std::set<TDownloadOption>;

enum TUserInterfaceOption {
    DisableTextSelect,
    DisableHelpMenu,
    DontUse3DBorders,
    DontUseScrollBars,
    EnablesFormsAutoComplete,
    EnableThemes,
};
using TUserInterfaceOptions = std::set<TUserInterfaceOption>;

// The adapter every window uses to show pages: the option sets and events of the
// show's browser, over the platform's Browser. Options take effect at once.
class TEmbeddedWB : private BrowserEvents {
  public:
    TEmbeddedWB(Browser& browser, WindowSystem& windows);
    ~TEmbeddedWB() override;
    TEmbeddedWB(const TEmbeddedWB&) = delete;
    TEmbeddedWB& operator=(const TEmbeddedWB&) = delete;

    const TDownloadOptions& DownloadOptions() const { return download_options_; }
    void SetDownloadOptions(const TDownloadOptions& options);
    const TUserInterfaceOptions& UserInterfaceOptions() const { return ui_options_; }
    void SetUserInterfaceOptions(const TUserInterfaceOptions& options);
    bool Offline() const { return offline_; }
    void SetOffline(bool offline);
    // Pages of HTML from outside: see BrowserOptions::untrusted.
    void SetUntrusted(bool untrusted);
    // Letters that, with Ctrl and without Alt, never reach the page.
    std::string DisableCtrlShortcuts;

    // An existing folder opens as a file address; a blank address is ignored.
    void Navigate(const std::string& address);
    // Opens a page the program wrote, at `path`, always as HTML (see Browser::LoadHtmlFile).
    void NavigateHtmlFile(const std::string& path) { browser_.LoadHtmlFile(path); }
    // Scrolls the page to its end, `step` pixels every `pause_ms`, keeping the message
    // loop running; does nothing when that is less than 20 pixels.
    void ScrollToEnd(int step, int pause_ms);
    // Body metrics of the loaded document (zero when it has none).
    BodyMetrics Metrics();
    void CloseDialog(DialogHandle dialog) { browser_.CloseDialog(dialog); }
    // The loaded page as one MHTML archive, passed to `done` later (empty on failure).
    void SavePage(std::function<void(std::string archive)> done) {
        browser_.SavePage(std::move(done));
    }
    // Shows an archive that SavePage made, kept in the file at `path`.
    void NavigateArchive(const std::string& path) { browser_.LoadArchive(path); }
    // During OnBeforeNavigate2: true when the navigation is one this adapter's Navigate
    // started, not the page or the user.
    bool NavigationFromNavigate() const { return navigation_from_navigate_; }

    std::function<void(const std::string& url, bool& cancel)> OnBeforeNavigate2;
    std::function<void(bool& cancel)> OnNewWindow2;
    std::function<void(const std::string& text)> OnStatusTextChange;
    std::function<void(const std::string& text)> OnTitleChange;
    std::function<void(const std::string& url)> OnDocumentComplete;
    // The page's main document failed to load; `status_code` is its HTTP status, or 0.
    std::function<void(const std::string& url, int status_code)> OnNavigateError;
    std::function<void(DialogHandle dialog)> OnShowDialog;
    std::function<void(const InputMessage& message, bool& done)> OnTranslateAccelerator;

  private:
    bool BeforeNavigate(const std::string& url, bool by_owner) override;
    bool NewWindow(const std::string& url) override;
    void StatusTextChange(const std::string& text) override;
    void TitleChange(const std::string& title) override;
    void DocumentComplete(const std::string& url) override;
    void NavigateError(const std::string& url, int status) override;
    void ShowDialog(DialogHandle dialog) override;
    bool TranslateAccelerator(const InputMessage& message) override;

    bool IsDisabledShortcut(const InputMessage& message) const;
    void ApplyOptions();

    Browser& browser_;
    WindowSystem& windows_;
    TDownloadOptions download_options_{DownloadImages, DownloadVideos, DownloadBGSounds};
    TUserInterfaceOptions ui_options_;
    bool offline_ = false;
    bool untrusted_ = false;
    bool navigation_from_navigate_ = false;
};

}  // namespace saver
