#include "show/ShowSession.h"

#include "show/TWebFullscreenForm.h"

namespace saver {

namespace {

// Ticks of the page timer (100 ms each, of all show windows together) before the
// system-wide input hook is installed.
constexpr int kHookDelayTicks = 20;

// All copies of one saver's web pages together: as much as one page archive may be.
constexpr uint64_t kOfflineCopiesBound = kMaxPageArchiveBytes;
// The copies of all savers together, in the user's cache folder: five savers at their
// full bound. A user who tries many savers keeps the copies of the ones shown last, and
// the cache holds no more than a web browser's own disk cache commonly does (1 GB).
constexpr uint64_t kAllOfflineCopiesBound = 1000ULL * 1000 * 1000;

}  // namespace

ShowSession::ShowSession(const ShowEnvironment& environment)
    : environment_(environment),
      filter_(environment.settings),
      covers_(environment.windows),
      copies_(environment.offline_copies_folder, kOfflineCopiesBound, kAllOfflineCopiesBound),
      main_(std::make_unique<TWebFullscreenForm>(*this, nullptr)) {}

ShowSession::~ShowSession() {
    environment_.windows.SetMessageFilter(nullptr);
    RemoveHook();
    // Secondary windows live inside the covers: they go first.
    secondary_.clear();
    covers_.RemoveCovers();
}

void ShowSession::Run() {
    main_->FormShow();
    environment_.windows.RunLoop();
}

OfflineCopies* ShowSession::Copies() {
    const bool kept = Settings().WebOfflineCopies && !copies_.Folder().empty();
    return kept ? &copies_ : nullptr;
}

void ShowSession::CloseShow(TWebFullscreenForm& form) {
    filter_.ResetMouseCountdown();
    if (&form == main_.get()) {
        main_->FormClose();
    } else {
        form.Hide();
    }
}

void ShowSession::CreateSecondaryForms() {
    for (const auto& cover : covers_.Covers()) {
        secondary_.push_back(std::make_unique<TWebFullscreenForm>(*this, cover.get()));
        secondary_.back()->FormShow();
    }
}

void ShowSession::HideSecondaryForms() {
    for (const auto& form : secondary_) {
        form->Hide();
    }
}

void ShowSession::HookTick(bool newer_system) {
    InputHook& hook = environment_.hook;
    if (!Settings().HookApplete || newer_system || environment_.hosted || hook.Installed()) {
        return;
    }
    if (++hook_tick_counter_ <= kHookDelayTicks) {
        return;
    }
    hook.Install([this](const InputMessage& message) {
        if (filter_.HookEventEnds(message)) {
            CloseShow(*main_);
        }
    });
}

void ShowSession::RemoveHook() {
    if (environment_.hook.Installed()) {
        environment_.hook.Remove();
    }
    hook_tick_counter_ = 1;
}

bool ShowSession::HandleTickerInput(const InputMessage& message) const {
    return environment_.companions.HandleTickerInput(message);
}

}  // namespace saver
