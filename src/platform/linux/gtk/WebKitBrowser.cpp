#include "platform/linux/gtk/WebKitBrowser.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/linux/gtk/GdkInput.h"

namespace saver {
namespace {

// Hides the page's scroll bars; the page can still be scrolled by script and keys.
constexpr const char* kNoScrollBars =
    "html { scrollbar-width: none !important; }"
    "::-webkit-scrollbar { display: none !important; width: 0 !important;"
    " height: 0 !important; }";
constexpr const char* kNoTextSelect = "* { -webkit-user-select: none !important; }";

// Offline means no network at all: every request goes to a proxy address on which
// nothing listens, so only local files and pages from the package load.
constexpr const char* kNowhereProxy = "http://127.0.0.1:9";

void AddStyleSheet(WebKitUserContentManager* content, const char* css) {
    WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(
        css, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES, WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
    webkit_user_content_manager_add_style_sheet(content, sheet);
    webkit_user_style_sheet_unref(sheet);
}

void SetNetworkOffline(WebKitWebContext* context, bool offline) {
    WebKitWebsiteDataManager* data = webkit_web_context_get_website_data_manager(context);
    if (!offline) {
        webkit_website_data_manager_set_network_proxy_settings(
            data, WEBKIT_NETWORK_PROXY_MODE_DEFAULT, nullptr);
        return;
    }
    WebKitNetworkProxySettings* proxy = webkit_network_proxy_settings_new(kNowhereProxy, nullptr);
    webkit_website_data_manager_set_network_proxy_settings(data, WEBKIT_NETWORK_PROXY_MODE_CUSTOM,
                                                           proxy);
    webkit_network_proxy_settings_free(proxy);
}

// The answer of one script run; shared with its callback, which may come after the
// caller stopped waiting.
struct ScriptAnswer {
    bool done = false;
    std::optional<BodyMetrics> metrics;
};

void OnMetricsAnswer(GObject* view, GAsyncResult* result, gpointer data) {
    auto* answer = static_cast<std::shared_ptr<ScriptAnswer>*>(data);
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, nullptr);
    if (value) {
        if (jsc_value_is_array(value)) {
            JSCValue* height = jsc_value_object_get_property_at_index(value, 0);
            JSCValue* width = jsc_value_object_get_property_at_index(value, 1);
            (*answer)->metrics = BodyMetrics{jsc_value_to_int32(height), jsc_value_to_int32(width)};
            g_object_unref(height);
            g_object_unref(width);
        }
        g_object_unref(value);
    }
    (*answer)->done = true;
    delete answer;
}

// A response that would be saved rather than shown (an attachment, or a type the engine
// cannot display) is refused: nothing a page sends is ever written to disk.
bool ShowableResponse(WebKitResponsePolicyDecision* decision) {
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    char* disposition = nullptr;
    const bool attachment =
        headers != nullptr &&
        soup_message_headers_get_content_disposition(headers, &disposition, nullptr) &&
        g_ascii_strcasecmp(disposition, "attachment") == 0;
    g_free(disposition);
    return !attachment && webkit_response_policy_decision_is_mime_type_supported(decision);
}

gboolean RefuseDestination(WebKitDownload* download, gchar*, gpointer) {
    webkit_download_cancel(download);
    return TRUE;
}

// Downloads the engine starts by itself (a link with "download", a script's request) are
// cancelled before any file is made, in every view of the process.
void CancelDownload(WebKitWebContext*, WebKitDownload* download, gpointer) {
    g_signal_connect(download, "decide-destination", G_CALLBACK(RefuseDestination), nullptr);
    webkit_download_cancel(download);
}

// A save of the page in progress: who wants the archive, and from which browser.
struct SaveRequest {
    std::function<void(std::string)> done;
};

// The whole stream, or nothing when it is larger than kMaxPageArchiveBytes.
std::string ReadAll(GInputStream* stream) {
    std::string bytes;
    char chunk[65536];
    gsize read = 0;
    while (g_input_stream_read_all(stream, chunk, sizeof chunk, &read, nullptr, nullptr) &&
           read > 0) {
        if (bytes.size() + read > kMaxPageArchiveBytes) {
            return std::string();
        }
        bytes.append(chunk, read);
        if (read < sizeof chunk) {
            break;
        }
    }
    return bytes;
}

// The bytes of an archive file, its size checked before any is read; nullopt when it
// cannot be read or is larger than kMaxPageArchiveBytes.
std::optional<std::string> ReadArchiveFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || static_cast<uint64_t>(size) > kMaxPageArchiveBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size)) {
        return std::nullopt;
    }
    return bytes;
}

gboolean WakeUp(gpointer flag) {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
}

}  // namespace

WebKitBrowser::WebKitBrowser(WebDrawing drawing) {
    // The engine's DMA-BUF renderer hands its frames to GDK's GL drawing of the window,
    // and GTK 3 then blends nothing drawn with cairo over them: the translucent feed
    // windows over a page would come out black. Its other renderer leaves the window's
    // drawing to cairo. Read once, when the first view is made; a user's own choice stays.
    static const bool renderer_chosen = setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", 0) == 0;
    (void)renderer_chosen;
    content_ = webkit_user_content_manager_new();
    view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_user_content_manager(content_));
    g_object_ref_sink(view_);
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    if (drawing == WebDrawing::Software) {
        // Set before the first load: changed while one runs, the view loads nothing more.
        webkit_settings_set_hardware_acceleration_policy(settings,
                                                         WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    }
    // Script errors and console output stay quiet; the page goes on.
    webkit_settings_set_enable_write_console_messages_to_stdout(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    webkit_settings_set_media_playback_requires_user_gesture(settings, FALSE);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
    g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(view_, "script-dialog", G_CALLBACK(OnScriptDialog), this);
    g_signal_connect(view_, "run-file-chooser", G_CALLBACK(OnFileChooser), this);
    g_signal_connect(view_, "print", G_CALLBACK(OnPrint), this);
    g_signal_connect(view_, "authenticate", G_CALLBACK(OnAuthenticate), this);
    g_signal_connect(view_, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnWebProcessGone), this);
    cover_ = std::make_unique<ViewCover>(view_);
    // The views share one context: its download handler is connected once.
    WebKitWebContext* context = webkit_web_view_get_context(view_);
    g_signal_handlers_disconnect_by_func(context, reinterpret_cast<gpointer>(CancelDownload),
                                         nullptr);
    g_signal_connect(context, "download-started", G_CALLBACK(CancelDownload), nullptr);
    saves_ = g_cancellable_new();
    // Black until the first page paints: a new view would show white.
    SetBackground(true);
    ApplyStyleSheets(BrowserOptions{});
    // Starting the web process takes a good part of a second; an empty page starts it
    // now, while the window is being shown, instead of with the first real page. The
    // owner hears nothing of it.
    webkit_web_view_load_uri(view_, "about:blank");
}

WebKitBrowser::~WebKitBrowser() {
    StopNoAnswerTimer();
    g_clear_handle_id(&no_start_timer_, g_source_remove);
    cover_.reset();
    g_cancellable_cancel(saves_);
    g_object_unref(saves_);
    g_signal_handlers_disconnect_by_data(view_, this);
    gtk_widget_destroy(GTK_WIDGET(view_));
    g_object_unref(view_);
    g_object_unref(content_);
}

void WebKitBrowser::SetOptions(const BrowserOptions& options) {
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    webkit_settings_set_auto_load_images(settings, options.load_images);
    webkit_settings_set_enable_media(settings, options.play_videos || options.play_sounds);
    webkit_settings_set_enable_webaudio(settings, options.play_sounds);
    // Page scripts only: the scripts this adapter runs itself (body metrics, scrolling)
    // keep working.
    webkit_settings_set_enable_javascript_markup(settings, options.run_scripts);
    // A file page never reads other files or other origins' data; untrusted scripts
    // do not even ask for windows.
    webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
    webkit_settings_set_javascript_can_open_windows_automatically(settings, !options.untrusted);
    WebKitWebContext* context = webkit_web_view_get_context(view_);
    webkit_web_context_set_cache_model(context, options.ignore_cache
                                                    ? WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER
                                                    : WEBKIT_CACHE_MODEL_WEB_BROWSER);
    SetNetworkOffline(context, options.offline);
    ApplyStyleSheets(options);
}

void WebKitBrowser::ApplyStyleSheets(const BrowserOptions& options) {
    webkit_user_content_manager_remove_all_style_sheets(content_);
    if (!options.scroll_bars) {
        AddStyleSheet(content_, kNoScrollBars);
    }
    if (!options.text_select) {
        AddStyleSheet(content_, kNoTextSelect);
    }
}

void WebKitBrowser::Load(const std::string& url) {
    // A full path of a local file is loaded as its file address, as the show's content
    // items name local pages by path. After a crash of the web process this starts a
    // fresh one.
    gchar* file_uri = !url.empty() && url.front() == '/'
                          ? g_filename_to_uri(url.c_str(), nullptr, nullptr)
                          : nullptr;
    owner_load_pending_ = true;
    webkit_web_view_load_uri(view_, file_uri ? file_uri : url.c_str());
    g_free(file_uri);
    AwaitStart(url);
}

void WebKitBrowser::LoadArchive(const std::string& path) {
    gchar* file_uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    owner_load_pending_ = true;
    std::optional<std::string> archive = file_uri ? ReadArchiveFile(path) : std::nullopt;
    if (archive) {
        auto* held = new std::string(std::move(*archive));
        GBytes* bytes = g_bytes_new_with_free_func(
            held->data(), held->size(),
            [](gpointer data) { delete static_cast<std::string*>(data); }, held);
        webkit_web_view_load_bytes(view_, bytes, "multipart/related", nullptr, file_uri);
        g_bytes_unref(bytes);
    } else {
        // An archive that cannot be read, or is too large to read, fails as a missing
        // file does: a path below the file itself names nothing, and the engine never
        // reads the file.
        gchar* nothing = g_filename_to_uri((path + "/none").c_str(), nullptr, nullptr);
        webkit_web_view_load_uri(view_, nothing ? nothing : "file:///nonexistent");
        g_free(nothing);
    }
    g_free(file_uri);
    AwaitStart(path);
}

void WebKitBrowser::SavePage(std::function<void(std::string archive)> done) {
    webkit_web_view_save(view_, WEBKIT_SAVE_MODE_MHTML, saves_, OnSaved,
                         new SaveRequest{std::move(done)});
}

void WebKitBrowser::OnSaved(GObject* view, GAsyncResult* result, gpointer request) {
    std::unique_ptr<SaveRequest> save(static_cast<SaveRequest*>(request));
    GError* error = nullptr;
    GInputStream* stream = webkit_web_view_save_finish(WEBKIT_WEB_VIEW(view), result, &error);
    const bool browser_gone = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_clear_error(&error);
    const std::string archive = stream ? ReadAll(stream) : std::string();
    if (stream) {
        g_object_unref(stream);
    }
    if (!browser_gone) {
        save->done(archive);
    }
}

void WebKitBrowser::SetBackground(bool black) {
    // White is what a page without a background of its own is drawn on.
    const GdkRGBA colour = black ? GdkRGBA{0, 0, 0, 1} : GdkRGBA{1, 1, 1, 1};
    webkit_web_view_set_background_color(view_, &colour);
}

void WebKitBrowser::StopNoAnswerTimer() {
    if (no_answer_timer_ != 0) {
        g_source_remove(no_answer_timer_);
        no_answer_timer_ = 0;
    }
}

gboolean WebKitBrowser::OnNoAnswer(gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    browser->no_answer_timer_ = 0;
    const gchar* uri = webkit_web_view_get_uri(browser->view_);
    const std::string failed = uri ? uri : "";
    // Stopped first, so that a load the owner starts on hearing of it is not stopped.
    webkit_web_view_stop_loading(browser->view_);
    browser->LoadFailed(failed, 0);
    return G_SOURCE_REMOVE;
}

void WebKitBrowser::Reveal() {
    // The page has loaded. From now on pages without a background of their own are
    // drawn on white, as in any browser; pages with one cover it. Black stays over the
    // view until the engine has drawn this page.
    SetBackground(false);
    cover_->LiftWhenPainted();
}

void WebKitBrowser::LoadFailed(const std::string& uri, int status) {
    StopNoAnswerTimer();
    g_clear_handle_id(&no_start_timer_, g_source_remove);
    load_failed_ = true;
    // A failed load leaves the page before it, or an empty page, on the view. Until a
    // page has loaded and painted again the view shows black.
    cover_->Raise();
    if (events_) {
        events_->NavigateError(uri, status);
    }
}

void WebKitBrowser::LoadHtmlFile(const std::string& path) {
    // A file's type is guessed from its bytes as well as its name, and a page starting
    // with an XHTML namespace or doctype would be parsed as XML, where the first "<br>"
    // of a feed breaks it. Given as bytes, the page is HTML, at the file's address.
    gchar* contents = nullptr;
    gsize length = 0;
    gchar* file_uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (file_uri && g_file_get_contents(path.c_str(), &contents, &length, nullptr)) {
        GBytes* bytes = g_bytes_new_take(contents, length);
        owner_load_pending_ = true;
        webkit_web_view_load_bytes(view_, bytes, "text/html", nullptr, file_uri);
        g_bytes_unref(bytes);
        AwaitStart(path);
    }
    g_free(file_uri);
}

std::optional<BodyMetrics> WebKitBrowser::ReadBodyMetrics(int timeout_ms) {
    // Without a doctype the body stands for the whole page, as older browsers measured
    // it: its width is the page's with the margins, never less than the view's, and its
    // height that of the content with the bottom margin, also when that is less than the
    // view's (WebKit gives at least the view's).
    constexpr const char* kScript =
        "(() => { const b = document.body; if (!b) return null;"
        " let h = b.scrollHeight, w = b.scrollWidth;"
        " if (document.compatMode == 'BackCompat') {"
        "  w = Math.max(w, document.documentElement.scrollWidth);"
        "  if (h <= innerHeight) {"
        "   const r = document.createRange(); r.selectNodeContents(b);"
        "   h = Math.ceil(r.getBoundingClientRect().bottom + scrollY +"
        "    parseFloat(getComputedStyle(b).marginBottom)); } }"
        " return [h, w]; })()";
    auto answer = std::make_shared<ScriptAnswer>();
    webkit_web_view_evaluate_javascript(view_, kScript, -1, nullptr, nullptr, nullptr,
                                        OnMetricsAnswer, new std::shared_ptr<ScriptAnswer>(answer));
    bool timed_out = false;
    const guint timer = g_timeout_add(timeout_ms, WakeUp, &timed_out);
    while (!answer->done && !timed_out) {
        g_main_context_iteration(nullptr, TRUE);
    }
    if (!timed_out) {
        g_source_remove(timer);
    }
    return answer->metrics;
}

void WebKitBrowser::ScrollBy(int dx, int dy) {
    char script[64];
    std::snprintf(script, sizeof script, "window.scrollBy(%d, %d)", dx, dy);
    webkit_web_view_evaluate_javascript(view_, script, -1, nullptr, nullptr, nullptr, nullptr,
                                        nullptr);
}

bool WebKitBrowser::WarmingUp() const {
    return warm_up_loading_ && g_strcmp0(webkit_web_view_get_uri(view_), "about:blank") == 0;
}

int WebKitBrowser::Height() const {
    return gtk_widget_get_allocated_height(Widget());
}

void WebKitBrowser::CloseDialog(DialogHandle dialog) {
    if (dialog != 0 && dialog == open_dialog_) {
        dialog_closed_ = true;
    }
}

bool WebKitBrowser::OfferDialog() {
    if (!events_) {
        return false;
    }
    open_dialog_ = next_dialog_++;
    dialog_closed_ = false;
    events_->ShowDialog(open_dialog_);
    open_dialog_ = 0;
    return dialog_closed_;
}

gboolean WebKitBrowser::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                       WebKitPolicyDecisionType type, gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    auto* navigation = reinterpret_cast<WebKitNavigationPolicyDecision*>(decision);
    bool allowed = true;
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        allowed = browser->DecideNavigation(navigation);
    } else if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        allowed = browser->DecideNewWindow(navigation);
    } else if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
        allowed = browser->DecideResponse(WEBKIT_RESPONSE_POLICY_DECISION(decision));
    } else {
        return FALSE;
    }
    if (allowed) {
        webkit_policy_decision_use(decision);
    } else {
        webkit_policy_decision_ignore(decision);
    }
    return TRUE;
}

bool WebKitBrowser::DecideNavigation(WebKitNavigationPolicyDecision* decision) {
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(decision);
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    if (warm_up_pending_ && g_strcmp0(uri, "about:blank") == 0) {
        warm_up_pending_ = false;
        return true;
    }
    // Our own Load is the first navigation after it that neither the user nor the page
    // started (no gesture, no link, no form); its redirects are ours too.
    bool by_owner = false;
    if (webkit_navigation_action_is_redirect(action)) {
        by_owner = last_by_owner_;
    } else if (owner_load_pending_ &&
               webkit_navigation_action_get_navigation_type(action) ==
                   WEBKIT_NAVIGATION_TYPE_OTHER &&
               !webkit_navigation_action_is_user_gesture(action)) {
        owner_load_pending_ = false;
        by_owner = true;
    }
    last_by_owner_ = by_owner;
    return !events_ || events_->BeforeNavigate(uri ? uri : "", by_owner);
}

bool WebKitBrowser::DecideNewWindow(WebKitNavigationPolicyDecision* decision) {
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(decision);
    const gchar* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    const std::string target = uri ? uri : "";
    if (!events_ || !events_->NewWindow(target)) {
        return false;
    }
    // A window the owner lets open shows its page in this view: the show has no room
    // for other windows. The page's navigation is offered like any other.
    if (events_->BeforeNavigate(target, false)) {
        webkit_web_view_load_uri(view_, target.c_str());
    }
    return false;
}

bool WebKitBrowser::DecideResponse(WebKitResponsePolicyDecision* decision) {
    const bool main_document =
        webkit_response_policy_decision_is_main_frame_main_resource(decision);
    if (!ShowableResponse(decision)) {
        // A page that would be saved rather than shown is a page that failed.
        main_refused_ = main_refused_ || main_document;
        return false;
    }
    if (!main_document) {
        return true;
    }
    const guint status =
        webkit_uri_response_get_status_code(webkit_response_policy_decision_get_response(decision));
    if (status < 400) {
        return true;
    }
    // The server's error page is never shown; the load fails on this refusal and the
    // failure is told then, with the status.
    refused_status_ = static_cast<int>(status);
    main_refused_ = true;
    return false;
}

GtkWidget* WebKitBrowser::OnCreate(WebKitWebView*, WebKitNavigationAction*, gpointer) {
    return nullptr;  // new windows are decided in OnDecidePolicy and never created
}

void WebKitBrowser::OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    const gchar* link =
        webkit_hit_test_result_context_is_link(hit) ? webkit_hit_test_result_get_link_uri(hit) : "";
    const std::string text = link ? link : "";
    if (text == browser->status_text_) {
        return;
    }
    browser->status_text_ = text;
    if (browser->events_) {
        browser->events_->StatusTextChange(text);
    }
}

void WebKitBrowser::OnTitle(GObject*, GParamSpec*, gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    const gchar* title = webkit_web_view_get_title(browser->view_);
    if (browser->events_ && !browser->WarmingUp()) {
        browser->events_->TitleChange(title ? title : "");
    }
}

void WebKitBrowser::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    if (browser->WarmingUp()) {
        browser->warm_up_loading_ = event != WEBKIT_LOAD_FINISHED;
        return;
    }
    g_clear_handle_id(&browser->no_start_timer_, g_source_remove);
    if (event == WEBKIT_LOAD_STARTED || event == WEBKIT_LOAD_REDIRECTED) {
        browser->LoadStarted();
        return;
    }
    browser->StopNoAnswerTimer();  // the page answered, or failed
    if (event == WEBKIT_LOAD_COMMITTED) {
        browser->CheckCommitted();
        return;
    }
    if (event != WEBKIT_LOAD_FINISHED) {
        return;
    }
    if (!browser->load_failed_) {
        browser->Reveal();
    }
    if (!browser->events_) {
        return;
    }
    const gchar* uri = webkit_web_view_get_uri(view);
    browser->events_->DocumentComplete(uri ? uri : "");
}

gboolean WebKitBrowser::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                     gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    // A load stopped for another is no failure of the page; a main document refused
    // (an error status, or a response that would be saved) is.
    const bool replaced =
        g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
        (g_error_matches(error, WEBKIT_POLICY_ERROR,
                         WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) &&
         !browser->main_refused_);
    // A failure already told (a crash of the web process during the load) is told once.
    if (!replaced && !browser->WarmingUp() && !browser->load_failed_) {
        browser->LoadFailed(uri ? uri : "", browser->refused_status_);
    }
    // No error page of the engine's own: the owner hears of the failure instead.
    return TRUE;
}

gboolean WebKitBrowser::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self) {
    if (!static_cast<WebKitBrowser*>(self)->OfferDialog()) {
        return FALSE;
    }
    // Closed unanswered: a confirm is declined, a prompt returns null.
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_CONFIRM ||
        webkit_script_dialog_get_dialog_type(dialog) ==
            WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM) {
        webkit_script_dialog_confirm_set_confirmed(dialog, FALSE);
    }
    return TRUE;
}

gboolean WebKitBrowser::OnFileChooser(WebKitWebView*, WebKitFileChooserRequest* request,
                                      gpointer self) {
    if (!static_cast<WebKitBrowser*>(self)->OfferDialog()) {
        return FALSE;
    }
    webkit_file_chooser_request_cancel(request);
    return TRUE;
}

gboolean WebKitBrowser::OnPrint(WebKitWebView*, WebKitPrintOperation*, gpointer self) {
    return static_cast<WebKitBrowser*>(self)->OfferDialog();
}

gboolean WebKitBrowser::OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request,
                                       gpointer self) {
    if (!static_cast<WebKitBrowser*>(self)->OfferDialog()) {
        return FALSE;
    }
    webkit_authentication_request_cancel(request);
    return TRUE;
}

gboolean WebKitBrowser::OnKeyPress(GtkWidget*, GdkEventKey* key, gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    if (!browser->events_) {
        return FALSE;
    }
    auto message = TranslateGdkEvent(reinterpret_cast<GdkEvent*>(key));
    return message && browser->events_->TranslateAccelerator(*message);
}

// The loads on which the engine shows no page of the owner's and tells no failure: they
// fail here, so that the view stays black and the owner moves on.

void WebKitBrowser::LoadStarted() {
    load_failed_ = false;
    refused_status_ = 0;
    main_refused_ = false;
    const gchar* uri = webkit_web_view_get_uri(view_);
    started_uri_ = uri ? uri : "";
    StopNoAnswerTimer();
    no_answer_timer_ = g_timeout_add_seconds(kNoAnswerSeconds, OnNoAnswer, this);
}

void WebKitBrowser::CheckCommitted() {
    // A page the engine refuses to contact (a restricted port) ends in an empty page
    // committed in its place, with no failure told.
    const gchar* uri = webkit_web_view_get_uri(view_);
    if (g_strcmp0(uri, "about:blank") == 0 && started_uri_ != "about:blank" && !load_failed_) {
        LoadFailed(started_uri_, 0);
    }
}

void WebKitBrowser::AwaitStart(const std::string& address) {
    // A load the engine never starts (a "javascript:" address, a navigation refused)
    // ends in nothing at all.
    g_clear_handle_id(&no_start_timer_, g_source_remove);
    awaited_address_ = address;
    no_start_timer_ = g_timeout_add(kNoStartMs, OnNoStart, this);
}

gboolean WebKitBrowser::OnNoStart(gpointer self) {
    auto* browser = static_cast<WebKitBrowser*>(self);
    browser->no_start_timer_ = 0;
    // A navigation within the page shown (a fragment) starts no load and is done.
    if (webkit_web_view_is_loading(browser->view_)) {
        webkit_web_view_stop_loading(browser->view_);
        browser->LoadFailed(browser->awaited_address_, 0);
    }
    return G_SOURCE_REMOVE;
}

void WebKitBrowser::OnWebProcessGone(WebKitWebView*, WebKitWebProcessTerminationReason,
                                     gpointer self) {
    // Whatever page the view showed or was loading is gone with its process; the view
    // would show an empty page. The next Load starts a fresh process.
    auto* browser = static_cast<WebKitBrowser*>(self);
    g_clear_handle_id(&browser->no_start_timer_, g_source_remove);
    browser->cover_->Raise(true);
    if (browser->WarmingUp() || browser->load_failed_) {
        return;
    }
    const gchar* uri = webkit_web_view_get_uri(browser->view_);
    browser->LoadFailed(uri ? uri : "", 0);
}

}  // namespace saver
