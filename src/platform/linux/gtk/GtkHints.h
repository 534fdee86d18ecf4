#pragma once

#include <gtk/gtk.h>

#include <string>

namespace saver {

// Hints of a window's controls that show after a chosen pause (GTK's own tooltips wait
// a fixed half second): a small pale window below the pointer while it rests on the
// control, gone when the pointer leaves or a button is pressed.
class GtkHints {
  public:
    explicit GtkHints(int pause_ms);
    ~GtkHints();
    GtkHints(const GtkHints&) = delete;
    GtkHints& operator=(const GtkHints&) = delete;

    // Gives `widget` (one with its own input window: an event box, a button) the hint.
    void Attach(GtkWidget* widget, const std::string& hint);

  private:
    struct Hint;
    static gboolean OnEnter(GtkWidget* widget, GdkEventCrossing* event, gpointer hint);
    static gboolean OnLeave(GtkWidget* widget, GdkEvent* event, gpointer hint);
    static gboolean OnPause(gpointer self);
    void Hide();

    int pause_ms_;
    GtkWidget* popup_;
    GtkWidget* label_;
    guint timer_ = 0;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace saver
