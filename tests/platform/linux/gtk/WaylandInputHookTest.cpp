// The input hook of Wayland sessions records the events of the process's own windows as
// the window system receives them. It reads GDK's events only, so a window on the test's X
// server serves as well as a Wayland surface.
#include "platform/linux/gtk/WaylandInputHook.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <vector>

#include "GtkTestEnvironment.h"
#include "platform/linux/gtk/GtkWindowSystem.h"

namespace saver {
namespace {

constexpr guint16 kEscCode = 9;  // X key codes: the kernel's plus 8
constexpr guint16 kACode = 38;

class WaylandInputHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestDisplay();
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_widget_realize(window_);
        // The show's filter handles everything, so nothing of these made-up events goes
        // on to GTK's own handling; it counts what it is offered.
        windows_.SetMessageFilter([this](const InputMessage&) {
            ++filtered_;
            return true;
        });
    }
    void TearDown() override {
        windows_.SetMessageFilter(nullptr);
        gtk_widget_destroy(window_);
    }

    void Put(GdkEvent* event) {
        event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window_)));
        gdk_event_set_device(
            event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
        gdk_event_put(event);
        gdk_event_free(event);
    }
    void Key(GdkEventType type, guint keyval, guint16 code, guint state = 0) {
        GdkEvent* event = gdk_event_new(type);
        event->key.keyval = keyval;
        event->key.hardware_keycode = code;
        event->key.state = state;
        Put(event);
    }
    void Button(GdkEventType type, guint button) {
        GdkEvent* event = gdk_event_new(type);
        event->button.button = button;
        Put(event);
    }
    void Motion() { Put(gdk_event_new(GDK_MOTION_NOTIFY)); }
    void Wheel() {
        GdkEvent* event = gdk_event_new(GDK_SCROLL);
        event->scroll.direction = GDK_SCROLL_UP;
        Put(event);
    }
    // Lets the main loop handle what was put.
    void Handle(int expected_filtered) {
        test::RunUntil([&] { return filtered_ >= expected_filtered; }, 10000);
    }

    GtkWindowSystem windows_;
    WaylandInputHook hook_{windows_};
    GtkWidget* window_ = nullptr;
    int filtered_ = 0;
};

struct Recorded {
    uint32_t message;
    uint64_t wparam;
    int64_t lparam;
    bool operator==(const Recorded&) const = default;
};

void PrintTo(const Recorded& r, std::ostream* out) {
    *out << std::hex << "{0x" << r.message << ", 0x" << r.wparam << ", 0x" << r.lparam << "}";
}

TEST_F(WaylandInputHookTest, RecordsKeysButtonsAndMovesAsTheSystemWideHookDoes) {
    EXPECT_TRUE(hook_.Available());
    std::vector<Recorded> recorded;
    ASSERT_TRUE(hook_.Install([&](const InputMessage& message) {
        recorded.push_back({message.message, message.wparam, message.lparam});
    }));
    EXPECT_TRUE(hook_.Installed());
    Key(GDK_KEY_PRESS, GDK_KEY_Escape, kEscCode);
    Key(GDK_KEY_PRESS, GDK_KEY_Escape, kEscCode);  // auto-repeat: no release between
    Key(GDK_KEY_RELEASE, GDK_KEY_Escape, kEscCode);
    Key(GDK_KEY_PRESS, GDK_KEY_Escape, kEscCode);
    Key(GDK_KEY_PRESS, GDK_KEY_a, kACode, GDK_MOD1_MASK);  // with Alt: still a key press
    Motion();
    Button(GDK_BUTTON_PRESS, 1);
    Button(GDK_BUTTON_RELEASE, 1);  // releases are not recorded
    Button(GDK_BUTTON_PRESS, 2);
    Button(GDK_BUTTON_PRESS, 3);
    Button(GDK_BUTTON_PRESS, 8);  // nor extra buttons
    Wheel();                      // nor the wheel
    Handle(11);
    const std::vector<Recorded> expected = {
        {WM_KEYDOWN, VK_ESCAPE, 0x00010001},
        {WM_KEYDOWN, VK_ESCAPE, 0x00010002},
        {WM_KEYDOWN, VK_ESCAPE, 0x00010001},
        {WM_KEYDOWN, 'A', 0x001E0001},
        {WM_MOUSEMOVE, 0, 0},
        {WM_LBUTTONDOWN, 0, 0},
        {WM_MBUTTONDOWN, 0, 0},
        {WM_RBUTTONDOWN, 0, 0},
    };
    EXPECT_EQ(recorded, expected);

    // Removed, it records nothing more; the show's filter still gets every event.
    hook_.Remove();
    EXPECT_FALSE(hook_.Installed());
    Key(GDK_KEY_PRESS, GDK_KEY_Escape, kEscCode);
    Handle(12);
    EXPECT_EQ(filtered_, 12);
    EXPECT_EQ(recorded.size(), expected.size());
}

}  // namespace
}  // namespace saver
