#include "platform/linux/XdgShell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

// A stand-in for a program that writes what it was started with into the FIFO named by
// $SAVER_TEST_FIFO: its arguments, where its standard streams go and its session.
constexpr const char* kRecorder = R"(#!/bin/sh
in=$(readlink /proc/$$/fd/0)
out=$(readlink /proc/$$/fd/1)
err=$(readlink /proc/$$/fd/2)
session=$(cut -d' ' -f6 /proc/$$/stat)
{
    for argument in "$@"; do printf 'arg:%s\n' "$argument"; done
    printf 'streams:%s %s %s\n' "$in" "$out" "$err"
    printf 'session:%s\n' "$session"
} > "$SAVER_TEST_FIFO"
)";

class XdgShellTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(bin_);
        for (const char* name : {"xdg-open", "recorder"}) {
            test::WriteFile(bin_ + "/" + name, kRecorder);
            chmod((bin_ + "/" + name).c_str(), 0755);
        }
        ASSERT_EQ(mkfifo(fifo_.c_str(), 0600), 0);
    }

    // What the stand-in recorded; waits for it to write.
    std::string Recorded() const { return test::ReadFile(fifo_); }

    std::string Expected(const std::vector<std::string>& arguments) const {
        std::string text;
        for (const auto& argument : arguments) {
            text += "arg:" + argument + "\n";
        }
        return text + "streams:/dev/null /dev/null /dev/null\nsession:";
    }

    test::TempFolder folder_;
    std::string bin_ = folder_ / "bin";
    std::string fifo_ = folder_ / "fifo";
    test::ScopedEnvironment path_{"PATH", bin_ + ":" + getenv("PATH")};
    test::ScopedEnvironment fifo_name_{"SAVER_TEST_FIFO", fifo_};
    XdgShell shell_;
};

// The recorded text up to its session line, and the session.
std::pair<std::string, pid_t> SplitSession(const std::string& recorded) {
    size_t at = recorded.rfind("session:") + std::string("session:").size();
    return {recorded.substr(0, at), static_cast<pid_t>(std::stol(recorded.substr(at)))};
}

TEST_F(XdgShellTest, OpenDocumentRunsXdgOpenDetachedWithOutputHidden) {
    ASSERT_TRUE(shell_.OpenDocument("http://example.com/a b?c=\"d\""));
    // No child is left to reap: the opener is not this process's child.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    auto [text, session] = SplitSession(Recorded());
    EXPECT_EQ(text, Expected({"http://example.com/a b?c=\"d\""}));
    EXPECT_NE(session, getsid(0));
}

TEST_F(XdgShellTest, StartHiddenPassesEachArgumentAsItStands) {
    const std::vector<std::string> arguments = {"/home/a b/My \"Saver\".scr",
                                                "two  blanks\tand tab", "", "'single'", "$HOME"};
    std::vector<std::string> argv = {bin_ + "/recorder"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ASSERT_TRUE(shell_.StartHidden(argv));
    EXPECT_EQ(SplitSession(Recorded()).first, Expected(arguments));

    ASSERT_TRUE(shell_.StartHidden({"recorder"}));
    EXPECT_EQ(SplitSession(Recorded()).first, Expected({}));
}

TEST_F(XdgShellTest, ReportsWhatCannotBeStarted) {
    test::WriteFile(bin_ + "/not-executable", "#!/bin/sh\n");
    EXPECT_FALSE(shell_.StartHidden({"saverhost-no-such-program", "a"}));
    EXPECT_FALSE(shell_.StartHidden({bin_ + "/not-executable"}));
    EXPECT_FALSE(shell_.StartHidden({""}));
    EXPECT_FALSE(shell_.StartHidden({}));
    EXPECT_FALSE(shell_.OpenDocument(""));
    test::ScopedEnvironment no_opener("PATH", folder_ / "empty");
    EXPECT_FALSE(shell_.OpenDocument("http://example.com/"));
}

TEST(XdgShellDisplayName, IsTheFileNameOfAnExistingFile) {
    test::TempFolder folder;
    test::WriteFile(folder / "MYSAVE~1.SCR", "");
    std::filesystem::create_directory(folder / "sub");
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {folder / "MYSAVE~1.SCR", "MYSAVE~1.SCR"},
        {folder / "sub/", "sub"},
        {folder / "missing.scr", ""},
        {"", ""},
    };
    XdgShell shell;
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(shell.DisplayName(path), expected) << path;
    }
}

}  // namespace
}  // namespace saver
