#include "GtkTestEnvironment.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "support/TestServers.h"

namespace saver::test {
namespace {

std::unique_ptr<XvfbServer>& Server() {
    static std::unique_ptr<XvfbServer> server;
    return server;
}

class GtkEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        // Wide enough for three monitors of the further-monitors test side by side.
        Server() = std::make_unique<XvfbServer>(1, "1200x300");
        ASSERT_FALSE(Server()->Display().empty()) << "Xvfb did not start";
        setenv("DISPLAY", Server()->Display().c_str(), 1);
        setenv("GDK_BACKEND", "x11", 1);
        setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", 1);
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GtkEnvironment);

}  // namespace

const std::string& TestDisplay() {
    return Server()->Display();
}

bool RunUntil(const std::function<bool()>& done, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    }
    return true;
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

}  // namespace saver::test
