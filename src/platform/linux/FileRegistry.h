#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "platform/Registry.h"
#include "platform/linux/RegistryTree.h"

namespace saver {

// The registry kept in a text file (the format is in RegistryText.h).
//
// The user hive is the file; the machine hive is read-only and answered from Linux
// sources, as is the user hive's "AppData" shell folder when the file has no such value
// (AnsweredValues.h).
//
// Reads load the file and keep it until its identity, size or times change. A file that
// cannot be read or parsed, or is larger than 16 MiB or not a regular file, reads as an
// empty hive and is left as it is. The next write first keeps it aside under a hard link
// "<file>.corrupt-<UTC time>" (with "-2", "-3"... when that name is taken) and then
// replaces it; when no such link can be made the write is refused, so nothing the user
// may want back is ever lost. Writes hold an flock on the file's folder so that two
// processes saving at once do not lose each other's values, create the folder (0700) when
// missing and replace the file atomically (WriteFileAtomically). Key paths, value names and
// strings holding a line break or a NUL byte cannot be stored; such writes are refused.
class FileRegistry : public Registry {
  public:
    // The user's own file: $XDG_CONFIG_HOME (default ~/.config) + "/saverhost/user.reg".
    // Without any home folder the user hive is empty and cannot be written.
    FileRegistry();
    // The file at `path`, for tests and tools.
    explicit FileRegistry(std::string path);

    bool KeyExists(RegistryHive hive, const std::string& key) const override;
    std::optional<RegistryValue> ReadValue(RegistryHive hive, const std::string& key,
                                           const std::string& name) const override;
    bool WriteValue(RegistryHive hive, const std::string& key, const std::string& name,
                    const RegistryValue& value) override;

  private:
    // What tells one state of the file from another without reading it.
    struct FileStamp {
        int error = 0;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified_ns = 0;
        long long changed_ns = 0;
        bool operator==(const FileStamp& other) const = default;
    };

    const RegistryTree& UserHive() const;
    void LoadUserHive(int fd, const FileStamp& stamp) const;
    bool WriteLocked(const std::string& key, const std::string& name, const RegistryValue& value);
    bool KeepCorruptFileAside() const;

    std::string path_;
    RegistryTree machine_;
    RegistryTree user_defaults_;
    mutable RegistryTree user_;
    mutable std::optional<FileStamp> stamp_;
    mutable bool corrupt_ = false;
};

}  // namespace saver
