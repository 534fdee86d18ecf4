#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/WindowSystem.h"
#include "show/OfflineCopies.h"
#include "show/TEmbeddedWB.h"

namespace saver {

class ShowSession;
struct InputVerdict;

// A show window: shows the Web list page by page in its browser `IE1`, with the page
// status line `Panel2` and the ticker's status line `rssPanel` under it. The main show
// window owns the show; a secondary one (inside a cover window) only pages.
class TWebFullscreenForm {
  public:
    // `cover` is the cover window a secondary show window fills; null for the main one.
    TWebFullscreenForm(ShowSession& session, CoverWindow* cover);
    ~TWebFullscreenForm();
    TWebFullscreenForm(const TWebFullscreenForm&) = delete;
    TWebFullscreenForm& operator=(const TWebFullscreenForm&) = delete;

    void FormShow();
    void FormClose();
    void Timer1Timer();
    // Shows `item`, or the next page in play order when there is none.
    void ShowPage(const std::optional<std::string>& item);
    void IE1StatusTextChange(const std::string& text);
    void IE1DocumentComplete(const std::string& url);
    void IE1NavigateError(const std::string& url, int status_code);
    void Hide();

    // Input: the exit filter (main show window only), the browser's key hook and the
    // link window.
    bool ApplicationEvents1Message(const InputMessage& message);
    void CacheIETranslateAccelerator(const InputMessage& message, bool& done);
    void MouseTimerTimer();
    void LinkTimerTimer();
    void IEBeforeNavigate2(const std::string& url, bool& cancel);
    void IE1NewWindow2(bool& cancel);
    void IE1ShowDialog(DialogHandle dialog);

    bool Secondary() const { return secondary_; }
    bool Visible() const { return window_->Visible(); }
    const std::string& CurrentPage() const { return current_page_; }
    int ListPosition() const { return list_position_; }
    ShowWindow& Window() { return *window_; }

  private:
    void ApplyBrowserOptions();
    // The paging part of a page timer tick: a failed page makes way, a page whose time
    // is up is followed by the next.
    void PageTick();
    void NavigationKeyPressed(uint32_t key_code);
    void OpenLinkWindow();
    void ShowNextPage();
    void StartPage();
    // Shows the kept copy of the current page after it failed; false when there is none.
    bool ShowOfflineCopy();
    void KeepOfflineCopy();
    void WireBrowserEvents();

    ShowSession& session_;
    const bool secondary_;
    std::unique_ptr<ShowWindow> window_;
    std::unique_ptr<TEmbeddedWB> IE1;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<Timer> MouseTimer;
    std::unique_ptr<Timer> LinkTimer;
    int link_timer_tag_ = 0;
    std::string link_address_;
    std::string current_page_;
    int list_position_ = -1;
    int tick_counter_ = -1;
    bool newer_system_ = false;
    bool closed_ = false;
    // The current page failed; the next tick shows its copy or moves on.
    bool page_failed_ = false;
    // Pages that failed one after the other since a page last loaded.
    int failures_in_a_row_ = 0;
    // The current page is a web address whose copy is kept once it has loaded.
    bool copy_wanted_ = false;
    // The kept copy shown in place of the current page, when it failed.
    std::optional<OfflineCopy> shown_copy_;
};

// The address WebLastPage opens for the page last shown: addresses and full paths as
// they are, anything else as a web address.
std::string LastPageAddress(const std::string& page);

}  // namespace saver
