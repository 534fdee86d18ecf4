#include "show/TEmbeddedWB.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace saver {
namespace {

bool IsBlank(const std::string& text) {
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

TEmbeddedWB::TEmbeddedWB(Browser& browser, WindowSystem& windows)
    : browser_(browser), windows_(windows) {
    browser_.SetEvents(this);
    ApplyOptions();
}

TEmbeddedWB::~TEmbeddedWB() {
    browser_.SetEvents(nullptr);
}

void TEmbeddedWB::SetDownloadOptions(const TDownloadOptions& options) {
    download_options_ = options;
    ApplyOptions();
}

void TEmbeddedWB::SetUserInterfaceOptions(const TUserInterfaceOptions& options) {
    ui_options_ = options;
    ApplyOptions();
}

void TEmbeddedWB::SetOffline(bool offline) {
    offline_ = offline;
    ApplyOptions();
}

void TEmbeddedWB::SetUntrusted(bool untrusted) {
    untrusted_ = untrusted;
    ApplyOptions();
}

void TEmbeddedWB::ApplyOptions() {
    auto has = [this](TDownloadOption option) { return download_options_.count(option) > 0; };
    BrowserOptions options;
    options.load_images = has(DownloadImages);
    options.play_videos = has(DownloadVideos);
    options.play_sounds = has(DownloadBGSounds);
    options.run_scripts = !has(DontExecuteScripts);
    options.run_plugins = !has(DontExecuteJava) && !has(DontExecuteActiveX);
    options.ignore_cache = has(DownloadAndIgnoreCache);
    options.offline = offline_ || has(ForceOfflineMode) || has(WorkOffline);
    options.scroll_bars = ui_options_.count(DontUseScrollBars) == 0;
    options.text_select = ui_options_.count(DisableTextSelect) == 0;
    options.untrusted = untrusted_;
    browser_.SetOptions(options);
}

void TEmbeddedWB::Navigate(const std::string& address) {
    if (IsBlank(address)) {
        return;
    }
    if (!address.empty() && address.front() == '/' && IsFolder(address)) {
        browser_.Load("file://" + address);
        return;
    }
    browser_.Load(address);
}

BodyMetrics TEmbeddedWB::Metrics() {
    constexpr int kMetricsTimeoutMs = 1000;
    return browser_.ReadBodyMetrics(kMetricsTimeoutMs).value_or(BodyMetrics{});
}

void TEmbeddedWB::ScrollToEnd(int step, int pause_ms) {
    if (step <= 0) {
        return;
    }
    const int count = (Metrics().scroll_height - browser_.Height()) / step;
    if (count * step < 20) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        browser_.ScrollBy(0, step);
        windows_.WaitWithMessages(pause_ms);
    }
}

bool TEmbeddedWB::BeforeNavigate(const std::string& url, bool by_owner) {
    bool cancel = false;
    navigation_from_navigate_ = by_owner;
    if (OnBeforeNavigate2) {
        OnBeforeNavigate2(url, cancel);
    }
    navigation_from_navigate_ = false;
    return !cancel;
}

bool TEmbeddedWB::NewWindow(const std::string&) {
    bool cancel = false;
    if (OnNewWindow2) {
        OnNewWindow2(cancel);
    }
    return !cancel;
}

void TEmbeddedWB::StatusTextChange(const std::string& text) {
    if (OnStatusTextChange) {
        OnStatusTextChange(text);
    }
}

void TEmbeddedWB::TitleChange(const std::string& title) {
    if (OnTitleChange) {
        OnTitleChange(title);
    }
}

void TEmbeddedWB::DocumentComplete(const std::string& url) {
    if (OnDocumentComplete) {
        OnDocumentComplete(url);
    }
}

void TEmbeddedWB::NavigateError(const std::string& url, int status) {
    if (OnNavigateError) {
        OnNavigateError(url, status);
    }
}

void TEmbeddedWB::ShowDialog(DialogHandle dialog) {
    if (OnShowDialog) {
        OnShowDialog(dialog);
    }
}

bool TEmbeddedWB::IsDisabledShortcut(const InputMessage& message) const {
    if (!IsKeyDown(message) || !(message.modifiers & kModControl) ||
        (message.modifiers & kModAlt)) {
        return false;
    }
    for (char letter : DisableCtrlShortcuts) {
        if (message.wparam ==
            static_cast<uint64_t>(std::toupper(static_cast<unsigned char>(letter)))) {
            return true;
        }
    }
    return false;
}

bool TEmbeddedWB::TranslateAccelerator(const InputMessage& message) {
    if (IsDisabledShortcut(message)) {
        return true;
    }
    bool done = false;
    if (OnTranslateAccelerator) {
        OnTranslateAccelerator(message, done);
    }
    return done;
}

}  // namespace saver
