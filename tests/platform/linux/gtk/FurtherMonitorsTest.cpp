// The show's cover and secondary show windows as real GTK windows with real web views.
// Xvfb offers GDK a single monitor, so the window system here reports its one wide
// screen as three monitors side by side; everything else is the real show.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>

#include "GtkTestEnvironment.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "platform/linux/gtk/XInputHook.h"
#include "show/ShowSession.h"
#include "show/TWebFullscreenForm.h"
#include "support/FakeWindowSystem.h"
#include "support/TestServers.h"

namespace saver {
namespace {

constexpr int kMonitorWidth = 400;
constexpr int kMonitorHeight = 300;

class ThreeMonitorWindowSystem : public GtkWindowSystem {
  public:
    std::vector<MonitorArea> Monitors() const override {
        return {{0, 0, kMonitorWidth, kMonitorHeight},
                {kMonitorWidth, 0, kMonitorWidth, kMonitorHeight},
                {2 * kMonitorWidth, 0, kMonitorWidth, kMonitorHeight}};
    }
};

// The colour of the screen at the middle of monitor `index`, as "#RRGGBB".
std::string MonitorColour(int index) {
    GdkWindow* root = gdk_get_default_root_window();
    GdkPixbuf* pixel = gdk_pixbuf_get_from_window(root, index * kMonitorWidth + kMonitorWidth / 2,
                                                  kMonitorHeight / 2, 1, 1);
    if (!pixel) {
        return "";
    }
    const guchar* rgb = gdk_pixbuf_get_pixels(pixel);
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
    g_object_unref(pixel);
    return colour;
}

struct Context {
    ShowSession* session;
    std::vector<std::string> expected;
    std::vector<std::string> seen;
    std::chrono::steady_clock::time_point deadline;
};

// Checks the monitors until they look as expected or time is up, then ends the show.
gboolean CheckMonitors(gpointer data) {
    auto* context = static_cast<Context*>(data);
    context->seen.clear();
    for (size_t i = 0; i < context->expected.size(); ++i) {
        context->seen.push_back(MonitorColour(static_cast<int>(i)));
    }
    if (context->seen != context->expected &&
        std::chrono::steady_clock::now() < context->deadline) {
        return G_SOURCE_CONTINUE;
    }
    context->session->CloseShow(context->session->MainForm());
    return G_SOURCE_REMOVE;
}

class FurtherMonitorsTest : public ::testing::TestWithParam<bool> {};

TEST_P(FurtherMonitorsTest, FurtherMonitorsShowPagesOrStayBlack) {
    const bool same_monitor = GetParam();
    test::HttpServer server(std::string(SAVER_TEST_DATA) + "/show/site");
    ASSERT_FALSE(server.BaseUrl().empty());
    TSaverSetting settings;
    settings.WebInterval = 60;
    settings.WebShowStatus = false;
    settings.WebSameMonitor = same_monitor;
    settings.Web = {server.BaseUrl() + "p1.htm"};
    RandomSource random(1);
    ThreeMonitorWindowSystem windows;
    test::FakeShell shell;
    XInputHook hook;
    ShowCompanions companions;
    ShowSession session(ShowEnvironment{settings, [](std::string&) { return true; }, random,
                                        windows, shell, hook, companions, false, false, ""});
    const std::string page = "#336699";
    const std::string further = same_monitor ? page : "#000000";
    Context context{
        &session,
        {page, further, further},
        {},
        std::chrono::steady_clock::now() + std::chrono::milliseconds(test::kColdStartMs)};
    g_timeout_add(200, CheckMonitors, &context);
    session.Run();
    EXPECT_EQ(context.seen, context.expected);
    EXPECT_EQ(session.Covers().Covers().size(), 2u);
    EXPECT_EQ(session.SecondaryForms().size(), same_monitor ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(WebSameMonitor, FurtherMonitorsTest, ::testing::Values(false, true));

}  // namespace
}  // namespace saver
