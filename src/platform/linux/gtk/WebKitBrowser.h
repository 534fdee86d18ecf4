#pragma once

#include <webkit2/webkit2.h>

#include <functional>
#include <memory>

#include "platform/Browser.h"
#include "platform/linux/gtk/ViewCover.h"

namespace saver {

// How a web view's frames are drawn: as the engine chooses (accelerated where it can),
// or always in software.
enum class WebDrawing { Default, Software };

// The Browser port on a WebKitGTK 4.1 web view. The view is a GTK widget that the
// window system places into its windows; it lives as long as this object.
class WebKitBrowser : public Browser {
  public:
    explicit WebKitBrowser(WebDrawing drawing = WebDrawing::Default);
    ~WebKitBrowser() override;
    WebKitBrowser(const WebKitBrowser&) = delete;
    WebKitBrowser& operator=(const WebKitBrowser&) = delete;

    GtkWidget* Widget() const { return GTK_WIDGET(view_); }

    void SetEvents(BrowserEvents* events) override { events_ = events; }
    void SetOptions(const BrowserOptions& options) override;
    void Load(const std::string& url) override;
    void LoadHtmlFile(const std::string& path) override;
    std::optional<BodyMetrics> ReadBodyMetrics(int timeout_ms) override;
    void ScrollBy(int dx, int dy) override;
    int Height() const override;
    void CloseDialog(DialogHandle dialog) override;
    void SavePage(std::function<void(std::string archive)> done) override;
    void LoadArchive(const std::string& path) override;

  private:
    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction*, gpointer);
    static void OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer self);
    static void OnTitle(GObject*, GParamSpec*, gpointer self);
    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer);
    static gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self);
    static gboolean OnFileChooser(WebKitWebView*, WebKitFileChooserRequest* request, gpointer self);
    static gboolean OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self);
    static gboolean OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request,
                                   gpointer self);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* key, gpointer self);
    static gboolean OnNoAnswer(gpointer self);
    static void OnSaved(GObject* view, GAsyncResult* result, gpointer request);
    static gboolean OnNoStart(gpointer self);
    static void OnWebProcessGone(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer self);

    bool DecideNavigation(WebKitNavigationPolicyDecision* decision);
    bool DecideNewWindow(WebKitNavigationPolicyDecision* decision);
    // False for a main document answered with an HTTP error status.
    bool DecideResponse(WebKitResponsePolicyDecision* decision);
    void LoadFailed(const std::string& uri, int status);
    void SetBackground(bool black);
    // Shows the view again after a failure, its page drawn on white, once it has painted.
    void Reveal();
    void StopNoAnswerTimer();
    // The failures the engine does not tell: a load that never starts, an empty page
    // committed in place of the one asked for, a web process gone.
    void LoadStarted();
    void CheckCommitted();
    void AwaitStart(const std::string& address);
    // Offers a dialog to the owner; true when the owner closed it.
    bool OfferDialog();
    void ApplyStyleSheets(const BrowserOptions& options);
    // True while the view shows the empty warm-up page.
    bool WarmingUp() const;

    WebKitUserContentManager* content_ = nullptr;
    WebKitWebView* view_ = nullptr;
    BrowserEvents* events_ = nullptr;
    std::string status_text_;
    DialogHandle next_dialog_ = 1;
    DialogHandle open_dialog_ = 0;
    bool dialog_closed_ = false;
    bool owner_load_pending_ = false;
    bool last_by_owner_ = false;
    // The empty page that starts the web process early is not the owner's business.
    bool warm_up_pending_ = true;  // its navigation is still to be allowed
    bool warm_up_loading_ = true;  // it has not finished yet
    // The main document's load now under way failed (told to the owner).
    bool load_failed_ = false;
    // The HTTP error status the main document was refused for, until its load fails.
    int refused_status_ = 0;
    // The main document was refused (an error status, or a response to be saved).
    bool main_refused_ = false;
    // The address the load now under way started with (after its redirects).
    std::string started_uri_;
    guint no_answer_timer_ = 0;
    // The owner's load that has not started yet, and how long it may take to start.
    std::string awaited_address_;
    guint no_start_timer_ = 0;
    static constexpr guint kNoStartMs = 3000;
    std::unique_ptr<ViewCover> cover_;
    // Cancelled when the browser goes away, so that no save answers after it.
    GCancellable* saves_ = nullptr;
};

}  // namespace saver
