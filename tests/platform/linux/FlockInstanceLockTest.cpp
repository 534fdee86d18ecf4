#include "platform/linux/FlockInstanceLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/TempFolder.h"

namespace saver {
namespace {

// Runs `body` in a forked child and returns its exit code.
int InChild(const std::function<int()>& body) {
    pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FlockInstanceLockTest : public testing::Test {
  protected:
    bool AcquireInAnotherProcess(const std::string& name) {
        return InChild([&] { return FlockInstanceLock(folder_).TryAcquire(name) ? 1 : 0; }) == 1;
    }

    test::TempFolder temp_;
    std::string folder_ = temp_.Path();
};

TEST_F(FlockInstanceLockTest, OneProcessAtATimeUntilTheHolderIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        bool held = FlockInstanceLock(folder_).TryAcquire("quillmontscreensaverweb");
        (void)!write(ready[1], &held, 1);
        pause();
        _exit(0);
    }
    bool held = false;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    ASSERT_TRUE(held);

    FlockInstanceLock lock(folder_);
    EXPECT_FALSE(lock.TryAcquire("quillmontscreensaverweb"));
    EXPECT_TRUE(lock.TryAcquire("another name"));

    kill(holder, SIGKILL);
    ASSERT_EQ(waitpid(holder, nullptr, 0), holder);
    EXPECT_TRUE(lock.TryAcquire("quillmontscreensaverweb"));
    EXPECT_TRUE(lock.TryAcquire("quillmontscreensaverweb")) << "held already by this process";
    EXPECT_FALSE(AcquireInAnotherProcess("quillmontscreensaverweb"));
    EXPECT_FALSE(AcquireInAnotherProcess("another name"));
    close(ready[0]);
    close(ready[1]);
}

TEST_F(FlockInstanceLockTest, ProgramsStartedByTheHolderDoNotInheritTheLock) {
    FlockInstanceLock lock(folder_);
    ASSERT_TRUE(lock.TryAcquire("guard"));
    std::string listing = temp_ / "fds";
    std::string command = "ls -l /proc/self/fd/ > " + listing;
    ASSERT_EQ(InChild([&] {
                  execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
                  return 127;
              }),
              0);
    EXPECT_EQ(test::ReadFile(listing).find("guard.lock"), std::string::npos)
        << test::ReadFile(listing);
}

TEST_F(FlockInstanceLockTest, NamesWithASlashStayInTheFolder) {
    FlockInstanceLock lock(folder_);
    ASSERT_TRUE(lock.TryAcquire("../escape/name"));
    EXPECT_TRUE(std::filesystem::exists(temp_ / ".._escape_name.lock"));
    EXPECT_FALSE(AcquireInAnotherProcess("../escape/name"));
}

}  // namespace
}  // namespace saver
