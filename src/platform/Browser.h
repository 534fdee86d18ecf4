#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/InputMessage.h"

namespace saver {

// What a page may load and run, in the browser engine's own terms. The show's adapter
// (TEmbeddedWB) derives these from its download and user-interface option sets.
struct BrowserOptions {
    bool load_images = true;
    bool play_videos = true;
    bool play_sounds = true;
    bool run_scripts = true;
    bool run_plugins = true;
    bool ignore_cache = false;  // always fetch from the network
    bool offline = false;       // never touch the network
    bool scroll_bars = true;    // false hides the page's scroll bars
    bool text_select = true;
    // Pages made of HTML from outside (feed items shown from a local file): a file page
    // reaches no other file and no other origin's data, and scripts open no windows.
    bool untrusted = false;
};

// Scroll size of a loaded document's body, in pixels. The height is that of the content,
// also when it is shorter than the browser's area.
struct BodyMetrics {
    int scroll_height = 0;
    int scroll_width = 0;
};

// A dialog the page opened (script alert, confirm or prompt, file chooser, print or
// log-in dialog). Valid only during the OnShowDialog call that passes it.
using DialogHandle = uint64_t;

// The largest page archive (SavePage, LoadArchive) that is held in memory.
inline constexpr uint64_t kMaxPageArchiveBytes = 200ULL << 20;

// What a browser tells its owner. All calls come on the user-interface thread, from
// inside the main loop, never from inside a Browser call.
class BrowserEvents {
  public:
    virtual ~BrowserEvents() = default;

    // A navigation of the page or one of its frames is about to start. False cancels it.
    // `by_owner` is true for the owner's own Load (and the redirects it leads to), false
    // for what the page or the user started.
    virtual bool BeforeNavigate(const std::string& url, bool by_owner) = 0;
    // The page asks for a new window showing `url`. False cancels it.
    virtual bool NewWindow(const std::string& url) = 0;
    // The link under the mouse changed; empty when the mouse left it.
    virtual void StatusTextChange(const std::string& text) = 0;
    virtual void TitleChange(const std::string& title) = 0;
    // The main document finished loading (also when it failed to load).
    virtual void DocumentComplete(const std::string& url) = 0;
    // The main document of the page failed: no connection, a name not found, a TLS
    // failure, an HTTP status of 400 or more (`status`, else 0), no answer within
    // kNoAnswerSeconds, an address the engine will not load (a restricted port, a scheme
    // it does not know or has turned off, a missing file), a response that would be
    // saved rather than shown, a load that never starts, or the page's process died.
    // Loads stopped by another Load are no failure. Comes before the DocumentComplete of
    // the same load. Until the next page paints, the browser shows black, never an error
    // page nor the page before.
    virtual void NavigateError(const std::string& url, int status) = 0;
    // The page opened a dialog. The owner may call Browser::CloseDialog(dialog) now.
    virtual void ShowDialog(DialogHandle dialog) = 0;
    // A key message while the browser has the focus, before the page gets it. True keeps
    // the key from the page.
    virtual bool TranslateAccelerator(const InputMessage& message) = 0;
};

// A web view inside a window; black until its first page paints. Loading is asynchronous. A crashed
// or killed page process fails the page it showed (NavigateError); the Browser goes on, and
// the next Load starts a fresh process.
class Browser {
  public:
    virtual ~Browser() = default;

    // Null detaches the owner; events are then dropped.
    virtual void SetEvents(BrowserEvents* events) = 0;
    virtual void SetOptions(const BrowserOptions& options) = 0;
    virtual void Load(const std::string& url) = 0;
    // Loads the local file at `path` (a full path) as an HTML page, whatever its first
    // bytes look like: a page the program wrote, which the engine must not take for XHTML
    // and parse as XML. Its address is the file's. Nothing happens when it cannot be read.
    virtual void LoadHtmlFile(const std::string& path) = 0;
    // Reads the body metrics of the loaded document, keeping the main loop running for
    // at most `timeout_ms`; nullopt when there is no document or no answer in time.
    virtual std::optional<BodyMetrics> ReadBodyMetrics(int timeout_ms) = 0;
    // Scrolls the page's window by the given pixels.
    virtual void ScrollBy(int dx, int dy) = 0;
    // Height of the browser's area on screen, in pixels.
    virtual int Height() const = 0;
    // Closes a dialog passed to BrowserEvents::ShowDialog, as if the user had dismissed it.
    virtual void CloseDialog(DialogHandle dialog) = 0;
    // Saves the loaded page with its pictures, styles and frames as one MHTML archive
    // and passes it to `done` from the main loop later (empty when it could not be
    // saved, or is larger than kMaxPageArchiveBytes). `done` is dropped unanswered when
    // the browser goes away first.
    virtual void SavePage(std::function<void(std::string archive)> done) = 0;
    // Shows an archive that SavePage made, stored in the file at `path`. Loads like
    // Load, with the same events; a file larger than kMaxPageArchiveBytes is not read
    // into memory and fails as a missing one does.
    virtual void LoadArchive(const std::string& path) = 0;

    // How long a page may send nothing before it counts as failed.
    static constexpr int kNoAnswerSeconds = 15;
};

}  // namespace saver
