#include "platform/linux/gtk/GtkSettingsDialog.h"

#include <algorithm>

namespace saver {

namespace {

// The dialog's client area and the places of its parts, in dialog pixels.
constexpr int kWidth = 503;
constexpr int kHeight = 351;
constexpr int kHeaderLeft = 18, kHeaderTop = 14, kHeaderWidth = 468, kHeaderHeight = 60;
constexpr int kTitleLeft = 28, kTitleTop = 24;
constexpr int kPagesLeft = 17, kPagesTop = 85, kPagesWidth = 468, kPagesHeight = 220;
constexpr int kButtonTop = 316, kButtonWidth = 75, kButtonHeight = 25;
constexpr int kOkLeft = 329, kCancelLeft = 411;

// Fonts as the design names them (fontconfig finds the nearest installed face), white
// pages, and flat controls with a grey border.
constexpr const char* kCss =
    "window.settings-dialog { font-family: \"MS Sans Serif\", sans-serif; font-size: 8pt; }"
    ".settings-dialog label.title { font-family: \"Comic Sans MS\"; font-size: 19px; }"
    ".settings-dialog notebook > stack { background-color: white; }"
    ".settings-dialog frame > border { border: 1px solid #8f8f8f; border-radius: 0; }"
    ".settings-dialog check, .settings-dialog radio { border: 1px solid #8f8f8f;"
    " box-shadow: none; }"
    ".settings-dialog check { border-radius: 0; }"
    ".settings-dialog spinbutton { border: 1px solid #8f8f8f; border-radius: 0;"
    " box-shadow: none; background-image: none; }";

// The play orders, in the order of their stored values: the list's own order, a page
// drawn at random each time, and every page once in an order shuffled at the start.
constexpr const char* kSequenceCaptions[] = {"In list order", "At random", "Shuffled once"};
constexpr const char* kShuffledOnceHint = "Every page once, in an order shuffled at the start";

GtkWidget* Frame(const char* caption, GtkWidget* content) {
    GtkWidget* frame = gtk_frame_new(caption);
    gtk_container_set_border_width(GTK_CONTAINER(content), 4);
    gtk_container_add(GTK_CONTAINER(frame), content);
    return frame;
}

GtkWidget* Put(GtkWidget* fixed, GtkWidget* widget, int left, int top, int width = -1,
               int height = -1) {
    gtk_widget_set_size_request(widget, width, height);
    gtk_fixed_put(GTK_FIXED(fixed), widget, left, top);
    return widget;
}

bool FocusedPushButton(GtkWidget* window) {
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(window));
    return focus != nullptr && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus);
}

// An event box that only catches input, so that what lies under it still shows.
GtkWidget* InputBox(GtkWidget* child) {
    GtkWidget* box = gtk_event_box_new();
    gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
    gtk_widget_add_events(box, GDK_BUTTON_PRESS_MASK);
    if (child != nullptr) {
        gtk_container_add(GTK_CONTAINER(box), child);
    }
    return box;
}

}  // namespace

GtkSettingsDialog::GtkSettingsDialog()
    : window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)), loop_(g_main_loop_new(nullptr, FALSE)) {
    g_object_ref_sink(window_);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(window_),
                                              GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    gtk_style_context_add_class(gtk_widget_get_style_context(window_), "settings-dialog");
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    fixed_ = gtk_fixed_new();
    gtk_widget_set_size_request(fixed_, kWidth, kHeight);
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    BuildHeader();
}

GtkSettingsDialog::~GtkSettingsDialog() {
    hints_.reset();
    gtk_widget_destroy(window_);
    g_object_unref(window_);
    g_main_loop_unref(loop_);
}

void GtkSettingsDialog::BuildHeader() {
    GtkWidget* shape = gtk_frame_new(nullptr);
    Put(fixed_, shape, kHeaderLeft, kHeaderTop, kHeaderWidth, kHeaderHeight);
    banner_box_ = Put(fixed_, InputBox(gtk_image_new()), kHeaderLeft, kHeaderTop, kHeaderWidth,
                      kHeaderHeight);
    title_label_ = gtk_label_new("");
    gtk_style_context_add_class(gtk_widget_get_style_context(title_label_), "title");
    Put(fixed_, title_label_, kTitleLeft, kTitleTop);
    author_label_ = gtk_label_new("");
    website_label_ = gtk_label_new("");
    author_box_ = Put(fixed_, InputBox(author_label_), 0, 0);
    website_box_ = Put(fixed_, InputBox(website_label_), 0, 0);
    g_signal_connect(author_box_, "button-press-event", G_CALLBACK(OnLabelClick), this);
    g_signal_connect(website_box_, "button-press-event", G_CALLBACK(OnLabelClick), this);
}

int GtkSettingsDialog::LabelWidth(const DialogLabel& label) {
    PangoLayout* layout = gtk_widget_create_pango_layout(author_label_, label.text.c_str());
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    g_object_unref(layout);
    return width;
}

void GtkSettingsDialog::Run(SettingsDialogControls& controls, SettingsDialogHandler& handler) {
    controls_ = &controls;
    handler_ = &handler;
    hints_ = std::make_unique<GtkHints>(controls.hint_pause_ms);
    gtk_window_set_title(GTK_WINDOW(window_), controls.caption.c_str());
    ShowHeader();
    notebook_ = Put(fixed_, gtk_notebook_new(), kPagesLeft, kPagesTop, kPagesWidth, kPagesHeight);
    gtk_notebook_append_page(GTK_NOTEBOOK(notebook_), BuildOptionsPage(), gtk_label_new("Options"));
    gtk_notebook_append_page(GTK_NOTEBOOK(notebook_), BuildExitPage(),
                             gtk_label_new("Ending the show"));
    gtk_notebook_append_page(GTK_NOTEBOOK(notebook_), BuildReadmePage(), gtk_label_new("Readme"));
    BuildButtons();
    gtk_widget_show_all(window_);
    gtk_widget_set_visible(banner_box_, controls.banner.visible);
    ShowPages();
    Refresh();
    gtk_widget_grab_focus(notebook_);
    gtk_window_present(GTK_WINDOW(window_));
    g_main_loop_run(loop_);
    // Closed at once, before the readme came: it no longer has to.
    if (readme_fill_ != 0) {
        g_source_remove(readme_fill_);
        readme_fill_ = 0;
    }
    gtk_widget_hide(window_);
    hints_.reset();
}

void GtkSettingsDialog::ShowHeader() {
    gtk_label_set_text(GTK_LABEL(title_label_), controls_->title.c_str());
    ShowLabel(author_box_, author_label_, controls_->author);
    ShowLabel(website_box_, website_label_, controls_->website);
    ShowBanner();
}

void GtkSettingsDialog::ShowLabel(GtkWidget* box, GtkWidget* label, const DialogLabel& state) {
    gtk_label_set_text(GTK_LABEL(label), state.text.c_str());
    gtk_fixed_move(GTK_FIXED(fixed_), box, state.left, state.top);
    if (state.link) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        gtk_label_set_attributes(GTK_LABEL(label), attributes);
        pango_attr_list_unref(attributes);
        GiveHandCursor(box);
    }
    hints_->Attach(box, state.hint);
}

void GtkSettingsDialog::ShowBanner() {
    const DialogBanner& banner = controls_->banner;
    if (!banner.visible || banner.width <= 0 || banner.height <= 0) {
        return;
    }
    GdkPixbuf* picture = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, banner.width, banner.height);
    const int stride = gdk_pixbuf_get_rowstride(picture);
    guchar* pixels = gdk_pixbuf_get_pixels(picture);
    for (int y = 0; y < banner.height; ++y) {
        std::copy_n(banner.rgb.data() + static_cast<size_t>(y) * banner.width * 3,
                    static_cast<size_t>(banner.width) * 3,
                    pixels + static_cast<size_t>(y) * stride);
    }
    GdkPixbuf* stretched =
        gdk_pixbuf_scale_simple(picture, kHeaderWidth, kHeaderHeight, GDK_INTERP_BILINEAR);
    g_object_unref(picture);
    gtk_image_set_from_pixbuf(GTK_IMAGE(gtk_bin_get_child(GTK_BIN(banner_box_))), stretched);
    g_object_unref(stretched);
    if (banner.in_front) {
        // The fixed container draws its children in the order they were put in.
        g_object_ref(banner_box_);
        gtk_container_remove(GTK_CONTAINER(fixed_), banner_box_);
        gtk_fixed_put(GTK_FIXED(fixed_), banner_box_, kHeaderLeft, kHeaderTop);
        g_object_unref(banner_box_);
    }
    if (banner.hand_cursor) {
        GiveHandCursor(banner_box_);
    }
    g_signal_connect(banner_box_, "button-press-event", G_CALLBACK(OnBannerClick), this);
    hints_->Attach(banner_box_, banner.hint);
}

GtkWidget* GtkSettingsDialog::BuildOptionsPage() {
    GtkWidget* page = gtk_fixed_new();
    GtkWidget* sequence = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    GtkWidget* previous = nullptr;
    for (int index = 0; index < 4; ++index) {
        // The fourth button stays hidden: it is the one checked when none of the three is.
        GtkWidget* button = gtk_radio_button_new_with_label_from_widget(
            GTK_RADIO_BUTTON(previous), index < 3 ? kSequenceCaptions[index] : "");
        g_object_set_data(G_OBJECT(button), "saver-sequence",
                          GINT_TO_POINTER(index < 3 ? index : -1));
        g_signal_connect(button, "toggled", G_CALLBACK(OnSequence), this);
        sequence_buttons_.push_back(button);
        gtk_box_pack_start(GTK_BOX(sequence), button, FALSE, FALSE, 0);
        gtk_widget_set_no_show_all(button, index == 3);
        previous = button;
    }
    hints_->Attach(sequence_buttons_[2], kShuffledOnceHint);
    const int checked =
        controls_->sequence >= 0 && controls_->sequence < 3 ? controls_->sequence : 3;
    showing_ = true;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(sequence_buttons_[checked]), TRUE);
    showing_ = false;
    Put(page, Frame("Page order", sequence), 8, 6, 150, 112);

    GtkWidget* options = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    AddCheck(options, "Open the last page in the browser at the end",
             &SettingsDialogControls::web_last_page, false);
    AddCheck(options, "Show the status line", &SettingsDialogControls::web_status, false);
    AddCheck(options, "Play background music", &SettingsDialogControls::play_music, false);
    AddCheck(options, "Show news feeds", &SettingsDialogControls::rss, false);
    Put(page, Frame("Options", options), 166, 6, 290, 112);

    Put(page, gtk_label_new("Seconds per page:"), 12, 138);
    spin_ = gtk_spin_button_new_with_range(controls_->interval_low, controls_->interval_high, 1);
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin_), controls_->interval);
    g_signal_connect(spin_, "value-changed", G_CALLBACK(OnInterval), this);
    Put(page, spin_, 170, 130, 100);
    return page;
}

GtkWidget* GtkSettingsDialog::BuildExitPage() {
    GtkWidget* page = gtk_fixed_new();
    GtkWidget* exits = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    AddCheck(exits, "Moving the mouse", &SettingsDialogControls::mouse_move, true);
    AddCheck(exits, "Clicking a mouse button", &SettingsDialogControls::mouse_press, true);
    AddCheck(exits, "Pressing a key", &SettingsDialogControls::keyboard, true);
    AddCheck(exits, "Show the pointer; the mouse never ends the show",
             &SettingsDialogControls::show_cursor, true);
    AddCheck(exits, "Only the Esc key ends the show", &SettingsDialogControls::esc_key, true);
    Put(page, Frame("The show ends on", exits), 8, 6, 448, 150);
    return page;
}

// The readme comes into its page once the window is on the screen and has had the chance
// to draw: a large readme item unpacked from the saver, and a megabyte of text in the text
// view, take longer than the rest of the dialog takes to show.
GtkWidget* GtkSettingsDialog::BuildReadmePage() {
    GtkWidget* text = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(text), FALSE);
    readme_buffer_ = gtk_text_view_get_buffer(GTK_TEXT_VIEW(text));
    g_signal_connect(window_, "map-event", G_CALLBACK(OnMapped), this);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_ALWAYS,
                                   GTK_POLICY_ALWAYS);
    gtk_container_add(GTK_CONTAINER(scroller), text);
    return scroller;
}

void GtkSettingsDialog::BuildButtons() {
    GtkWidget* ok = gtk_button_new_with_mnemonic("_OK");
    GtkWidget* cancel = gtk_button_new_with_mnemonic("_Cancel");
    Put(fixed_, ok, kOkLeft, kButtonTop, kButtonWidth, kButtonHeight);
    Put(fixed_, cancel, kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_window_set_default(GTK_WINDOW(window_), ok);
    g_signal_connect(ok, "clicked", G_CALLBACK(OnOk), this);
    g_signal_connect(cancel, "clicked", G_CALLBACK(OnCancel), this);
}

GtkWidget* GtkSettingsDialog::AddCheck(GtkWidget* box, const char* caption,
                                       DialogCheckBox SettingsDialogControls::*state,
                                       bool exit_condition) {
    GtkWidget* button = gtk_check_button_new_with_label(caption);
    gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
    checks_.push_back(std::make_unique<Check>(Check{this, button, state, exit_condition}));
    g_signal_connect(button, "toggled", G_CALLBACK(OnToggled), checks_.back().get());
    return button;
}

void GtkSettingsDialog::ShowPages() {
    const int page = controls_->page;
    for (int index = 0; index < 3; ++index) {
        const bool shown = controls_->tab_visible[static_cast<size_t>(index)] || index == page;
        gtk_widget_set_visible(gtk_notebook_get_nth_page(GTK_NOTEBOOK(notebook_), index), shown);
    }
    // A page shown without its tab: the notebook shows no tabs at all.
    gtk_notebook_set_show_tabs(GTK_NOTEBOOK(notebook_),
                               controls_->tab_visible[static_cast<size_t>(page)]);
    gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook_), page);
}

void GtkSettingsDialog::Refresh() {
    if (controls_ == nullptr || notebook_ == nullptr) {
        return;  // not shown yet: Run shows every state
    }
    showing_ = true;
    for (const auto& check : checks_) {
        const DialogCheckBox& state = controls_->*check->state;
        gtk_widget_set_visible(check->button, state.visible);
        gtk_widget_set_sensitive(check->button, state.enabled);
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check->button), state.checked);
    }
    showing_ = false;
}

void GtkSettingsDialog::Close() {
    g_main_loop_quit(loop_);
}

void GtkSettingsDialog::ShowMessage(const std::string& text) {
    GtkWidget* message =
        gtk_message_dialog_new(GTK_WINDOW(window_), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                               GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(message),
                         controls_ != nullptr ? controls_->caption.c_str() : "Web Saver Setting");
    gtk_dialog_run(GTK_DIALOG(message));
    gtk_widget_destroy(message);
}

void GtkSettingsDialog::GiveHandCursor(GtkWidget* box) {
    gtk_widget_add_events(box, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    g_signal_connect(box, "enter-notify-event", G_CALLBACK(OnHandEnter), this);
    g_signal_connect(box, "leave-notify-event", G_CALLBACK(OnHandLeave), this);
}

gboolean GtkSettingsDialog::OnHandEnter(GtkWidget*, GdkEvent*, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    GdkDisplay* display = gtk_widget_get_display(self->window_);
    GdkCursor* hand = gdk_cursor_new_from_name(display, "pointer");
    gdk_window_set_cursor(gtk_widget_get_window(self->window_), hand);
    if (hand != nullptr) {
        g_object_unref(hand);
    }
    return FALSE;
}

gboolean GtkSettingsDialog::OnHandLeave(GtkWidget*, GdkEvent*, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    gdk_window_set_cursor(gtk_widget_get_window(self->window_), nullptr);
    return FALSE;
}

void GtkSettingsDialog::OnToggled(GtkToggleButton* button, gpointer data) {
    auto* check = static_cast<Check*>(data);
    GtkSettingsDialog& self = *check->dialog;
    if (self.showing_ || self.controls_ == nullptr) {
        return;
    }
    (self.controls_->*check->state).checked = gtk_toggle_button_get_active(button);
    if (check->exit_condition) {
        self.handler_->ShowCursorCheckClick();
    }
}

void GtkSettingsDialog::OnSequence(GtkToggleButton* button, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    if (self->showing_ || !gtk_toggle_button_get_active(button)) {
        return;
    }
    self->controls_->sequence =
        GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), "saver-sequence"));
}

void GtkSettingsDialog::OnInterval(GtkSpinButton* spin, gpointer data) {
    static_cast<GtkSettingsDialog*>(data)->controls_->interval =
        gtk_spin_button_get_value_as_int(spin);
}

gboolean GtkSettingsDialog::OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    switch (event->keyval) {
        case GDK_KEY_Escape:
            self->handler_->Button1Click();
            return TRUE;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            // A push button with the focus takes Enter itself (Cancel stays Cancel);
            // anywhere else Enter means OK.
            if (FocusedPushButton(self->window_)) {
                return FALSE;
            }
            OnOk(nullptr, self);
            return TRUE;
        default:
            return FALSE;
    }
}

gboolean GtkSettingsDialog::OnMapped(GtkWidget* window, GdkEvent*, gpointer self) {
    auto* dialog = static_cast<GtkSettingsDialog*>(self);
    g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(OnMapped), self);
    dialog->readme_fill_ = g_idle_add(FillReadme, self);
    return FALSE;
}

gboolean GtkSettingsDialog::FillReadme(gpointer self) {
    auto* dialog = static_cast<GtkSettingsDialog*>(self);
    dialog->readme_fill_ = 0;
    dialog->handler_->DialogShown();
    const std::string& readme = dialog->controls_->readme;
    gtk_text_buffer_set_text(dialog->readme_buffer_, readme.data(),
                             static_cast<int>(readme.size()));
    return G_SOURCE_REMOVE;
}

gboolean GtkSettingsDialog::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<GtkSettingsDialog*>(data)->handler_->Button1Click();
    return TRUE;  // Run's end takes the window away
}

void GtkSettingsDialog::OnOk(GtkButton*, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    // A number typed into the interval field counts even before it was confirmed.
    gtk_spin_button_update(GTK_SPIN_BUTTON(self->spin_));
    self->handler_->_BtnOKClick();
}

void GtkSettingsDialog::OnCancel(GtkButton*, gpointer data) {
    static_cast<GtkSettingsDialog*>(data)->handler_->Button1Click();
}

gboolean GtkSettingsDialog::OnLabelClick(GtkWidget* box, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<GtkSettingsDialog*>(data);
    const DialogLabel& label =
        box == self->author_box_ ? self->controls_->author : self->controls_->website;
    if (event->button == GDK_BUTTON_PRIMARY && label.link) {
        self->handler_->_TextWebsiteClick(label);
    }
    return FALSE;
}

gboolean GtkSettingsDialog::OnBannerClick(GtkWidget*, GdkEventButton* event, gpointer data) {
    if (event->button == GDK_BUTTON_PRIMARY) {
        static_cast<GtkSettingsDialog*>(data)->handler_->BannerImageClick();
    }
    return FALSE;
}

}  // namespace saver
