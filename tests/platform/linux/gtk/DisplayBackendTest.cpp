#include "platform/linux/gtk/DisplayBackend.h"

#include <gtest/gtest.h>

#include <set>

namespace saver {
namespace {

// The sockets that exist in these cases.
const std::set<std::string> kSockets = {"/run/user/1000/wayland-1", "/tmp/sway.sock"};

bool SocketExists(const std::string& path) {
    return kSockets.count(path) != 0;
}

struct BackendCase {
    const char* name;
    DisplaySession session;
    DisplayNeed need;
    DisplayBackend expected;
};

const BackendCase kCases[] = {
    {"WaylandAlone",
     {"wayland-1", "/run/user/1000", "", ""},
     DisplayNeed::Any,
     DisplayBackend::Wayland},
    {"X11Alone", {"", "/run/user/1000", ":0", ""}, DisplayNeed::Any, DisplayBackend::X11},
    {"NeitherIsNone", {"", "/run/user/1000", "", ""}, DisplayNeed::Any, DisplayBackend::None},
    // With both, DISPLAY is Xwayland's: the session's own display server wins.
    {"BothWaylandWins",
     {"wayland-1", "/run/user/1000", ":0", ""},
     DisplayNeed::Any,
     DisplayBackend::Wayland},
    {"FullSocketPath", {"/tmp/sway.sock", "", "", ""}, DisplayNeed::Any, DisplayBackend::Wayland},
    // A name that names no socket (a session that ended) leaves X11 to do the work.
    {"StaleWaylandFallsBackToX11",
     {"wayland-9", "/run/user/1000", ":0", ""},
     DisplayNeed::Any,
     DisplayBackend::X11},
    {"StaleWaylandAloneIsNone",
     {"wayland-9", "/run/user/1000", "", ""},
     DisplayNeed::Any,
     DisplayBackend::None},
    // A socket name needs the runtime folder it lives in.
    {"NameWithoutRuntimeFolder",
     {"wayland-1", "", ":0", ""},
     DisplayNeed::Any,
     DisplayBackend::X11},
    {"GdkBackendX11ChoosesX11",
     {"wayland-1", "/run/user/1000", ":0", "x11"},
     DisplayNeed::Any,
     DisplayBackend::X11},
    {"GdkBackendX11WithoutDisplay",
     {"wayland-1", "/run/user/1000", "", "x11"},
     DisplayNeed::Any,
     DisplayBackend::None},
    {"GdkBackendWaylandWithoutSession",
     {"", "/run/user/1000", ":0", "wayland"},
     DisplayNeed::Any,
     DisplayBackend::None},
    {"OtherGdkBackendIgnored",
     {"wayland-1", "/run/user/1000", ":0", "broadway"},
     DisplayNeed::Any,
     DisplayBackend::Wayland},
    // The preview and the display modes draw inside X windows.
    {"X11NeedOnBoth",
     {"wayland-1", "/run/user/1000", ":0", ""},
     DisplayNeed::X11,
     DisplayBackend::X11},
    {"X11NeedOnWaylandAlone",
     {"wayland-1", "/run/user/1000", "", ""},
     DisplayNeed::X11,
     DisplayBackend::None},
    {"X11NeedWithGdkBackendWayland",
     {"wayland-1", "/run/user/1000", ":0", "wayland"},
     DisplayNeed::X11,
     DisplayBackend::None},
};

class DisplayBackendTest : public ::testing::TestWithParam<BackendCase> {};

TEST_P(DisplayBackendTest, ChoosesTheSessionsDisplayServer) {
    const BackendCase& c = GetParam();
    EXPECT_EQ(ChooseDisplayBackend(c.session, c.need, SocketExists), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sessions, DisplayBackendTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saver
