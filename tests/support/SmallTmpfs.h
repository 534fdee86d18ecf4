#pragma once

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

namespace saver::test {

// A small file system held in memory (tmpfs of `megabytes`, mode 0700) mounted on
// `folder` for the object's life, as the user's runtime folder usually is. Mounting
// needs root: Refused() then says why it was not mounted.
class SmallTmpfs {
  public:
    SmallTmpfs(const std::string& folder, int megabytes) : folder_(folder) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        const std::string options = "size=" + std::to_string(megabytes) + "m,mode=0700";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            refused_ = std::strerror(errno);
        }
    }
    ~SmallTmpfs() {
        if (refused_.empty()) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    // Why the file system could not be mounted; empty when it was.
    const std::string& Refused() const { return refused_; }
    uint64_t UsedBytes() const {
        struct statvfs info {};
        ::statvfs(folder_.c_str(), &info);
        return static_cast<uint64_t>(info.f_blocks - info.f_bfree) * info.f_frsize;
    }

  private:
    std::string folder_;
    std::string refused_;
};

}  // namespace saver::test
