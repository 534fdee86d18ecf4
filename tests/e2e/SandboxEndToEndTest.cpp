// The show's web processes in the web engine's sandbox: run as a user the test makes
// (the engine's sandbox does not run for root), the pages of the saver's package, a
// large one among them, still show, and every web process of the user runs in a mount
// namespace of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CleanEnd.h"
#include "SaverRun.h"
#include "support/TestUser.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

namespace fs = std::filesystem;
using test::Eventually;
using test::ReadFile;
using test::RunChild;
using test::SaverRun;
using test::TestUser;

std::string MountNamespace(const std::string& process) {
    std::error_code error;
    return fs::read_symlink("/proc/" + process + "/ns/mnt", error).string();
}

// The mount namespaces of the web processes of `uid`.
std::vector<std::string> WebProcessNamespaces(uid_t uid) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        struct stat info {};
        const std::string pid = entry.path().filename();
        if (stat(entry.path().c_str(), &info) != 0 || info.st_uid != uid ||
            ReadFile(entry.path().string() + "/comm").find("WebKitWebProces") != 0) {
            continue;
        }
        found.push_back(MountNamespace(pid));
    }
    return found;
}

TEST(SandboxEndToEndTest, PackagedPagesShowFromSandboxedWebProcesses) {
    if (getuid() != 0) {
        GTEST_SKIP() << "needs root, to make a user: the sandbox does not run for root itself";
    }
    TestUser user;
    ASSERT_TRUE(user.Made());
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    const std::vector<std::string> environment = {
        "HOME=" + run.Folder() + "/home", "XDG_RUNTIME_DIR=" + run.Folder() + "/run",
        "DISPLAY=" + run.Display(), "PATH=/usr/local/bin:/usr/bin:/bin", "NO_AT_BRIDGE=1"};
    if (RunChild(user.As(environment, {"bwrap", "--ro-bind", "/", "/", "true"})).status != 0) {
        GTEST_SKIP() << "bubblewrap cannot make a namespace for a user on this machine "
                        "(unprivileged user namespaces are off): the sandbox is off here";
    }
    // A small page, and one over 4 MiB that is unpacked to the disk folder and reached
    // through a link in the working folder.
    test::WriteFile(run.Folder() + "/content/small.htm", "<body style='background:#996633'>");
    test::WriteFile(run.Folder() + "/content/large.htm",
                    "<body style='background:#336699'><!--" + std::string(5 << 20, 'x') + "-->");
    ASSERT_TRUE(run.MakeSaver("WebInterval=2", {"small.htm", "large.htm"}));
    chmod(run.Folder().c_str(), 0755);
    for (const char* folder : {"/home", "/run"}) {
        user.Own(run.Folder() + folder);
    }
    run.StartProgram(user.As(environment, {run.SaverFile(), "/s"}));
    for (const char* colour : {"#996633", "#336699"}) {
        EXPECT_TRUE(Eventually([&] { return run.ScreenColour(400, 300) == colour; }))
            << "the page of colour " << colour << " is not shown";
    }
    const std::vector<std::string> namespaces = WebProcessNamespaces(user.Uid());
    ASSERT_FALSE(namespaces.empty());
    for (const std::string& name : namespaces) {
        EXPECT_NE(name, MountNamespace("self")) << "a web process outside the sandbox";
    }
    run.Xdo("key Escape");
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.ExitStatus(), 0);
}

}  // namespace
}  // namespace saver
