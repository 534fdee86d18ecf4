#include "show/OutsideLink.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"

namespace saver {
namespace {

TEST(OutsideLinkTest, OnlyWebAndMailAddressesPass) {
    struct Case {
        std::string address;
        bool allowed;
    };
    const std::vector<Case> cases = {
        {"http://example.org/a?b=c", true},
        {"HTTPS://example.org/", true},
        {"mailto:someone@example.org", true},
        {"file:///etc/passwd", false},
        {"FILE:///etc/passwd", false},
        {"/etc/passwd", false},
        {"javascript:alert(1)", false},
        {"data:text/html,<b>x</b>", false},
        {"smb://server/share", false},
        {"x-scheme-handler://anything", false},
        {"about:blank", false},
        {"www.example.org", false},
        {"-http://example.org/", false},
        {"httpx://example.org/", false},
        {" http://example.org/", false},
        {"http://example.org/\nfile:///etc/passwd", false},
        {"http://exa mple.org/", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsOutsideLinkAllowed(c.address), c.allowed) << c.address;
    }
}

TEST(OutsideLinkTest, DroppedLinkIsToldOnOneLineAndNotOpened) {
    test::FakeShell shell;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(OpenOutsideLink(shell, "file:///etc/passwd\x1b[2J"));
    EXPECT_TRUE(OpenOutsideLink(shell, "https://example.org/"));
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told,
              "saverhost: not opening file:///etc/passwd?[2J: only http, https and mailto links "
              "open\n");
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://example.org/"});
}

}  // namespace
}  // namespace saver
