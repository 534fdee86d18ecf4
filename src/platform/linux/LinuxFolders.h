#pragma once

#include <string>

#include "platform/Folders.h"

namespace saver {

// The folders of a Linux user, worked out once, when the object is made.
//
// TemporaryFolder and RuntimeFolder are one private folder of the user:
// 1. $XDG_RUNTIME_DIR when it is an absolute path to a real folder (not a symbolic link)
//    owned by the user with no access for group or others;
// 2. else "saverhost-<uid>" under $TMPDIR (when absolute) or /tmp: created with mode 0700
//    when missing; when present it must pass the same test as in 1, checked on the entry
//    itself, so a symbolic link or a folder someone else made is never used;
// 3. else, when that name is taken by something that fails the test, a fresh folder
//    "saverhost-<uid>-XXXXXX" made by mkdtemp in the same place. A single-instance lock
//    in such a folder only guards this process; the rest works as usual.
// When not even that can be made the constructor throws std::runtime_error: without a
// private folder nothing can be unpacked safely.
//
// DiskFolder is "saverhost/" under $XDG_CACHE_HOME (when absolute) or ~/.cache, else
// "saverhost-<uid>" under /var/tmp, created with mode 0700 and passing the test of 1;
// the private folder when neither can be had. The runtime folder is usually a small
// RAM-backed file system that is no place for large files.
//
// SystemFolder is the one folder platform libraries are loaded from: /usr/lib/saverhost/
// unless the constructor is given another. ExecutablePath is the target of
// /proc/self/exe. CacheFolder is $XDG_CACHE_HOME when absolute, else ~/.cache. Every
// folder ends with "/".
class LinuxFolders : public Folders {
  public:
    explicit LinuxFolders(std::string system_folder = "/usr/lib/saverhost/");

    std::string TemporaryFolder() const override { return private_folder_; }
    std::string SystemFolder() const override { return system_folder_; }
    std::string RuntimeFolder() const override { return private_folder_; }
    std::string ExecutablePath() const override { return executable_path_; }
    std::string DiskFolder() const override { return disk_folder_; }
    std::string CacheFolder() const override { return cache_folder_; }

  private:
    std::string private_folder_;
    std::string disk_folder_;
    std::string system_folder_;
    std::string executable_path_;
    std::string cache_folder_;
};

}  // namespace saver
