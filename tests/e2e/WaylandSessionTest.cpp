// The Wayland sessions the end-to-end tests run on: each compositor starts headless as a
// user of the test's own, answers on its socket, runs programs in the session, and leaves
// nothing behind when the session ends.
#include <gtest/gtest.h>

#include <filesystem>

#include "SaverRun.h"
#include "support/WaylandSession.h"

namespace saver {
namespace {

using test::Compositor;
using test::Eventually;
using test::SaverRun;
using test::WaylandSession;

struct SessionCase {
    Compositor compositor;
    const char* name;
    const char* global;  // an interface this compositor offers
};

void PrintTo(const SessionCase& session, std::ostream* out) {
    *out << session.name;
}

class WaylandSessionTest : public ::testing::TestWithParam<SessionCase> {};

TEST_P(WaylandSessionTest, StartsAsAUserRunsProgramsInItAndLeavesNothing) {
    uid_t uid = 0;
    std::string runtime;
    {
        WaylandSession session(GetParam().compositor);
        if (!session.Unavailable().empty()) {
            GTEST_SKIP() << session.Unavailable();
        }
        uid = session.User().Uid();
        EXPECT_TRUE(session.Globals().contains(GetParam().global));
        // Programs in the session run as its user, with its environment, and reach its bus.
        const test::ChildResult id =
            session.Run({"sh", "-c",
                         "id -u; stat -c %a:%u \"$XDG_RUNTIME_DIR\"; test -S "
                         "\"$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY\" && echo socket"});
        EXPECT_EQ(id.out, std::to_string(uid) + "\n700:" + std::to_string(uid) + "\nsocket\n");
        EXPECT_TRUE(session.WaitForBusName("org.freedesktop.DBus"));
        runtime = session.Home() + "/../run";
        EXPECT_GT(test::ProcessesOf(uid).size(), 0u);
    }
    EXPECT_EQ(test::ProcessesOf(uid).size(), 0u);
    EXPECT_FALSE(std::filesystem::exists(runtime));
}

INSTANTIATE_TEST_SUITE_P(
    Compositors, WaylandSessionTest,
    ::testing::Values(SessionCase{Compositor::kSway, "Sway", "org_kde_kwin_idle"},
                      SessionCase{Compositor::kMutter, "Mutter", "gtk_shell1"},
                      SessionCase{Compositor::kKWin, "KWin", "ext_idle_notifier_v1"}),
    [](const auto& info) { return std::string(info.param.name); });

// sway as the show's tests use it: two outputs side by side, the background colour, the
// panel along the bottom, a GTK window, screenshots and keys.
TEST(SwaySessionTest, TwoOutputsWithBackgroundPanelAndAWindow) {
    WaylandSession session(Compositor::kSway);
    if (!session.Unavailable().empty()) {
        GTEST_SKIP() << session.Unavailable();
    }
    const std::vector<WaylandSession::Output> outputs = session.SwayOutputs();
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[1].x, outputs[0].x + outputs[0].width);
    for (const auto& output : outputs) {
        const std::string shot = session.Home() + "/" + output.name + ".png";
        EXPECT_TRUE(Eventually([&] {
            return session.Screenshot(shot, output.name) &&
                   SaverRun::PixelColour(shot, output.width / 2,
                                         output.height - 2 - WaylandSession::kPanelHeight) ==
                       WaylandSession::kBackgroundColour &&
                   SaverRun::PixelColour(shot, output.width - 4, output.height - 4) ==
                       WaylandSession::kPanelColour;
        })) << output.name;
    }
    const auto window = session.OpenWindow("a-window-of-the-test");
    EXPECT_NE(session.Run({"swaymsg", "-t", "get_tree"}).out.find("a-window-of-the-test"),
              std::string::npos);
    EXPECT_TRUE(session.Key("Escape"));
}

}  // namespace
}  // namespace saver
