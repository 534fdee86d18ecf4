#pragma once

#include <string>

namespace saver {

// Where the system keeps things. Every folder path ends with "/".
//
// - TemporaryFolder: the user's private temporary folder (owned by the user, mode 0700);
//   the working folder lives below it.
// - SystemFolder: the one folder platform libraries are loaded from.
// - RuntimeFolder: per-user folder for lock files; private to the user.
// - ExecutablePath: the running program's own file, as a full path.
// - DiskFolder: the user's private folder on disk (mode 0700) for files too large for
//   the temporary folder, which may be held in memory; the temporary folder itself when
//   no such folder can be had.
// - CacheFolder: the user's folder for data that can be made again (kept copies of
//   pages); empty when the user has none.
// The application data folder is not here: it is the registry's "AppData" shell folder.
class Folders {
  public:
    virtual ~Folders() = default;

    virtual std::string TemporaryFolder() const = 0;
    virtual std::string SystemFolder() const = 0;
    virtual std::string RuntimeFolder() const = 0;
    virtual std::string ExecutablePath() const = 0;
    virtual std::string DiskFolder() const = 0;
    virtual std::string CacheFolder() const = 0;
};

}  // namespace saver
