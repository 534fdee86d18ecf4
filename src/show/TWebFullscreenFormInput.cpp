// The input handling of the show windows: the exit filter, the browser's key hook, the
// navigation keys, link following and the dialogs pages open.
#include "show/NavigationKeys.h"
#include "show/OutsideLink.h"
#include "show/ShowSession.h"
#include "show/TWebFullscreenForm.h"

namespace saver {

bool TWebFullscreenForm::ApplicationEvents1Message(const InputMessage& message) {
    if (!window_->Visible()) {
        return false;
    }
    const InputVerdict verdict = session_.Filter().FilterMessage(
        message, [this](const InputMessage& m) { return session_.HandleTickerInput(m); });
    if (verdict.navigation) {
        NavigationKeyPressed(static_cast<uint32_t>(message.wparam));
    }
    if (verdict.open_link_window) {
        OpenLinkWindow();
    }
    if (verdict.end_show) {
        session_.CloseShow(session_.MainForm());
    }
    return verdict.handled;
}

void TWebFullscreenForm::CacheIETranslateAccelerator(const InputMessage& message, bool& done) {
    bool ticker_took = false;
    const InputVerdict verdict =
        session_.Filter().FilterAccelerator(message, [&](const InputMessage& m) {
            ticker_took = session_.HandleTickerInput(m);
            return ticker_took;
        });
    done = verdict.handled;
    if (verdict.navigation) {
        NavigationKeyPressed(static_cast<uint32_t>(message.wparam));
    }
    if (verdict.end_show) {
        // Enter for the ticker closes the window whose browser got it; any other key
        // that ends the show closes the main window.
        session_.CloseShow(ticker_took ? *this : session_.MainForm());
    }
}

void TWebFullscreenForm::NavigationKeyPressed(uint32_t key_code) {
    TSaverSetting& settings = session_.Settings();
    const PageRequest request =
        NavigationKey(key_code, current_page_, settings.Web, settings.WebSequence);
    if (request.show) {
        ShowPage(request.item);
    }
}

void TWebFullscreenForm::OpenLinkWindow() {
    link_address_.clear();
    link_timer_tag_ = 1;
    LinkTimer->SetEnabled(true);
}

void TWebFullscreenForm::LinkTimerTimer() {
    LinkTimer->SetEnabled(false);
    link_timer_tag_ = 0;
    if (!link_address_.empty() || session_.Filter().ButtonEnds()) {
        session_.CloseShow(session_.MainForm());
    }
    link_address_.clear();
}

void TWebFullscreenForm::IEBeforeNavigate2(const std::string& url, bool& cancel) {
    // The show's own page change is no link the user followed, even inside the link
    // window.
    if (link_timer_tag_ != 1 || IE1->NavigationFromNavigate()) {
        return;
    }
    if (url.empty()) {
        return;
    }
    // The page chose the address: one the user's browser or mail program would not open
    // is dropped, and the show goes on as if no link had been followed.
    cancel = true;
    if (OpenOutsideLink(session_.Environment().shell, url)) {
        link_address_ = url;
        window_->Hide();
    }
}

void TWebFullscreenForm::IE1NewWindow2(bool& cancel) {
    cancel = !(session_.Settings().WebLinkExit && link_timer_tag_ == 1);
}

void TWebFullscreenForm::IE1ShowDialog(DialogHandle dialog) {
    IE1->CloseDialog(dialog);
}

void TWebFullscreenForm::MouseTimerTimer() {
    session_.Filter().ResetMouseCountdown();
}

}  // namespace saver
