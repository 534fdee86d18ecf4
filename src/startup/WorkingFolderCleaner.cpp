#include "startup/WorkingFolderCleaner.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace saver {

namespace {

// The folders to clear when the process ends; written before the handlers exist.
char g_working_folder[4096];
char g_disk_folder[4096];

struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

void DeleteFilesIn(int parent, const char* folder) {
    int dir = ::openat(parent, folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        return;
    }
    alignas(8) char buffer[8192];
    // Deleting while reading moves the entries under the reader, so read again from the
    // start until a pass deletes nothing.
    for (bool deleted = true; deleted;) {
        deleted = false;
        ::lseek(dir, 0, SEEK_SET);
        for (long got; (got = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer)) > 0;) {
            for (long at = 0; at < got;) {
                auto* entry = reinterpret_cast<LinuxDirent64*>(buffer + at);
                at += entry->d_reclen;
                if (entry->d_type != DT_DIR && ::unlinkat(dir, entry->d_name, 0) == 0) {
                    deleted = true;
                }
            }
        }
    }
    ::close(dir);
}

void ClearFolderAt(const char* working_folder, const char* disk_folder) {
    int root = ::open(working_folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (root >= 0) {
        DeleteFilesIn(root, ".");
        DeleteFilesIn(root, "tmp");
        DeleteFilesIn(root, "build");
        ::close(root);
    }
    if (disk_folder[0] != '\0') {
        DeleteFilesIn(AT_FDCWD, disk_folder);
    }
}

void ClearRemembered() {
    ClearFolderAt(g_working_folder, g_disk_folder);
}

void OnTerminatingSignal(int signal_number) {
    ClearRemembered();
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
}

}  // namespace

void ClearWorkingFolder(const std::string& working_folder, const std::string& disk_folder) {
    ClearFolderAt(working_folder.c_str(), disk_folder.c_str());
}

void ClearWorkingFolderAtExit(const std::string& working_folder, const std::string& disk_folder) {
    if (working_folder.size() >= sizeof g_working_folder ||
        disk_folder.size() >= sizeof g_disk_folder) {
        return;
    }
    bool first = g_working_folder[0] == '\0';
    std::memcpy(g_working_folder, working_folder.c_str(), working_folder.size() + 1);
    std::memcpy(g_disk_folder, disk_folder.c_str(), disk_folder.size() + 1);
    if (!first) {
        return;
    }
    std::atexit(ClearRemembered);
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal_number, &action, nullptr);
    }
}

}  // namespace saver
