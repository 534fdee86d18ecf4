// The idle watcher with a real saver file under Xvfb: its own D-Bus session bus, input
// from xdotool, inhibits from the test's own bus connection.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

#include "SaverRun.h"

// After GoogleTest: Xlib's macros (None, Bool...) would break its headers.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace saver {
namespace {

using test::ChildProcess;
using test::SaverRun;

const std::string kWatcher = std::string(SAVER_BIN_DIR) + "/idle-watcher";

// A D-Bus session bus of the test's own, given to every program the test starts.
class SessionBus {
  public:
    SessionBus()
        : daemon_({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address"},
                  {.set_env = {}, .unset_env = {"XDG_RUNTIME_DIR"}}) {
        address_ = daemon_.ReadLine(20000);
        setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
        // The saver would otherwise have the bus start the accessibility services.
        setenv("NO_AT_BRIDGE", "1", 1);
    }
    ~SessionBus() {
        Disconnect();
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        unsetenv("NO_AT_BRIDGE");
    }
    bool Started() const { return !address_.empty(); }

    // A method of the watcher's org.freedesktop.ScreenSaver; null when the call failed.
    GVariant* Call(const char* method, GVariant* parameters) {
        if (connection_ == nullptr) {
            connection_ = Connect();
        }
        return CallOn(connection_, method, parameters);
    }
    // UnInhibit called by another program on the same bus.
    bool UnInhibitFromAnotherProgram(uint32_t cookie) {
        GDBusConnection* other = Connect();
        GVariant* reply = CallOn(other, "UnInhibit", g_variant_new("(u)", cookie));
        if (reply != nullptr) {
            g_variant_unref(reply);
        }
        g_dbus_connection_close_sync(other, nullptr, nullptr);
        g_object_unref(other);
        return reply != nullptr;
    }
    uint32_t Inhibit() {
        GVariant* reply = Call("Inhibit", g_variant_new("(ss)", "test", "a video plays"));
        uint32_t cookie = 0;
        if (reply != nullptr) {
            g_variant_get(reply, "(u)", &cookie);
            g_variant_unref(reply);
        }
        return cookie;
    }
    bool UnInhibit(uint32_t cookie) {
        GVariant* reply = Call("UnInhibit", g_variant_new("(u)", cookie));
        if (reply != nullptr) {
            g_variant_unref(reply);
        }
        return reply != nullptr;
    }
    // Leaves the bus, as a program that ends does.
    void Disconnect() {
        if (connection_ != nullptr) {
            g_dbus_connection_close_sync(connection_, nullptr, nullptr);
            g_object_unref(connection_);
            connection_ = nullptr;
        }
    }

  private:
    GDBusConnection* Connect() const {
        return g_dbus_connection_new_for_address_sync(
            address_.c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
    }
    static GVariant* CallOn(GDBusConnection* connection, const char* method, GVariant* parameters) {
        return g_dbus_connection_call_sync(
            connection, "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
            "org.freedesktop.ScreenSaver", method, parameters, nullptr, G_DBUS_CALL_FLAGS_NONE,
            10000, nullptr, nullptr);
    }

    ChildProcess daemon_;
    std::string address_;
    GDBusConnection* connection_ = nullptr;
};

class IdleWatcherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus.Started());
        ASSERT_TRUE(run.StartX());
        ASSERT_TRUE(run.MakeSaver("WebInterval=60", {run.Url("p1.htm")}));
    }
    // Starts the watcher on a desktop that has just had input: the X server counts idle
    // time from its own start, which may be long ago on a busy machine.
    void StartWatcher(int seconds) {
        Input();
        run.StartProgram({kWatcher, "--seconds", std::to_string(seconds), run.SaverFile()});
    }
    // Moves the pointer, each time elsewhere.
    void Input() { run.Xdo("mousemove " + std::to_string(100 + 10 * (++moves % 2)) + " 100"); }
    // An inhibit held from just after input: the watcher may answer on the bus only
    // after a while, and the desktop must not be idle long enough before that.
    uint32_t InhibitWhileActive() {
        for (int i = 0; i < 300; ++i) {
            Input();
            if (const uint32_t cookie = bus.Inhibit()) {
                return cookie;
            }
            usleep(100000);
        }
        return 0;
    }
    // The process id of the next saver run the watcher reports within `timeout_ms`; 0
    // for none.
    pid_t NextStart(int timeout_ms) {
        for (;;) {
            const std::string line = run.Program().ReadLine(timeout_ms);
            if (line.empty() || line.starts_with("started ")) {
                return line.empty() ? 0 : std::atoi(line.c_str() + 8);
            }
        }
    }

    SessionBus bus;
    SaverRun run;
    int moves = 0;
};

TEST_F(IdleWatcherTest, IdleDesktopStartsTheShowAndAKilledSaverComesBack) {
    StartWatcher(2);
    const pid_t first = NextStart(60000);
    ASSERT_GT(first, 0);
    EXPECT_EQ(run.NextPage(60000), "/p1.htm");  // the show really runs
    kill(first, SIGKILL);
    const pid_t second = NextStart(60000);
    ASSERT_GT(second, 0);
    EXPECT_NE(second, first);
    EXPECT_EQ(run.NextPage(60000), "/p1.htm");
}

TEST_F(IdleWatcherTest, InputWhileCountingKeepsTheSaverAway) {
    StartWatcher(5);
    for (int i = 0; i < 10; ++i) {
        Input();
        ASSERT_EQ(NextStart(1000), 0) << "started after " << i << " s of input";
    }
    EXPECT_GT(NextStart(60000), 0);  // and once the input stops, it starts
}

TEST_F(IdleWatcherTest, DBusInhibitHoldsTheSaverUntilUnInhibit) {
    StartWatcher(4);
    const uint32_t cookie = InhibitWhileActive();
    ASSERT_NE(cookie, 0u);
    EXPECT_EQ(NextStart(10000), 0);
    EXPECT_FALSE(bus.UnInhibit(cookie + 100));  // no such cookie: an error, still inhibited
    EXPECT_FALSE(bus.UnInhibitFromAnotherProgram(cookie));  // not the other program's cookie
    EXPECT_EQ(NextStart(2000), 0);
    ASSERT_TRUE(bus.UnInhibit(cookie));
    EXPECT_GT(NextStart(60000), 0);
}

TEST_F(IdleWatcherTest, AnInhibitEndsWithTheProgramThatAskedAndOneWatcherRuns) {
    StartWatcher(4);
    ASSERT_NE(InhibitWhileActive(), 0u);
    // One program holds at most 32 inhibits; all go with it.
    for (int i = 1; i < 32; ++i) {
        ASSERT_NE(bus.Inhibit(), 0u) << i;
    }
    EXPECT_EQ(bus.Inhibit(), 0u) << "the 33rd is refused";
    // A second watcher for the same saver ends at once.
    ChildProcess second({kWatcher, "--seconds", "4", run.SaverFile()});
    EXPECT_EQ(second.WaitExit(30000), std::optional<int>(0));
    EXPECT_EQ(NextStart(8000), 0);
    bus.Disconnect();  // the inhibiting program leaves the bus
    EXPECT_GT(NextStart(60000), 0);
}

TEST_F(IdleWatcherTest, AFocusedFullScreenWindowHoldsTheSaver) {
    Display* display = XOpenDisplay(run.Display().c_str());
    ASSERT_NE(display, nullptr);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window window =
        XCreateWindow(display, DefaultRootWindow(display), 0, 0, 800, 600, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    StartWatcher(3);
    EXPECT_EQ(NextStart(10000), 0);
    XDestroyWindow(display, window);
    XSync(display, False);
    EXPECT_GT(NextStart(60000), 0);
    XCloseDisplay(display);
}

// A video player's way: the X server's own screen saver suspended from another
// connection. The server's timeout is made shorter than the watcher's so that the
// suspension shows.
TEST_F(IdleWatcherTest, ASuspendedXScreenSaverHoldsTheSaver) {
    Display* display = XOpenDisplay(run.Display().c_str());
    ASSERT_NE(display, nullptr);
    XSetScreenSaver(display, 1, 0, DefaultBlanking, DefaultExposures);
    XScreenSaverSuspend(display, True);
    XSync(display, False);
    StartWatcher(3);
    EXPECT_EQ(NextStart(10000), 0);
    XScreenSaverSuspend(display, False);
    XSync(display, False);
    EXPECT_GT(NextStart(60000), 0);
    XCloseDisplay(display);
}

}  // namespace
}  // namespace saver
