#pragma once

#include <string>
#include <vector>

namespace saver {

// The XDG autostart entry that starts `argv` when the user logs in; `name` is what the
// desktop shows for it. The entry carries the key X-Saverhost-Saver with the saver's
// path, by which install-screensaver knows the entries it wrote.
std::string AutostartEntry(const std::string& name, const std::string& saver,
                           const std::vector<std::string>& argv);

// The entry's file name for `saver` (a full path): "saverhost-NAME-HASH.desktop", NAME
// the saver's file name in letters, digits, ".", "-" and "_" (others as "_", at most 40)
// and HASH a hash of the whole path. No entry of the user's or the system's own has such
// a name, and savers of one name in two folders get an entry each.
std::string AutostartFileName(const std::string& saver);

// True when `text` is an entry install-screensaver wrote for `saver`: it carries the
// mark, or (written before entries were marked, under the name `SAVER-NAME.desktop`) its
// Exec line runs the idle watcher for `saver` and nothing else.
bool IsOurAutostartEntry(const std::string& text, const std::string& saver);

// The saver's entries in the autostart folder `folder` (ending in "/").
class AutostartFolder {
  public:
    // `system_folders` are the system-wide autostart folders (ending in "/") that an
    // entry of the user's hides when it has the same name.
    AutostartFolder(std::string folder, std::vector<std::string> system_folders);

    // Writes the entry for `saver` (AutostartEntry, showing `name`, the saver's name)
    // under AutostartFileName and removes the one that an older install-screensaver
    // wrote under the saver's name, `name` + ".desktop". Returns
    // the path written. Throws std::runtime_error, touching nothing, when a file of the
    // name is not ours or a system-wide entry has the name.
    std::string Install(const std::string& saver, const std::string& name,
                        const std::vector<std::string>& argv) const;

    // Removes the entries of `saver` that install-screensaver wrote (under both names),
    // never another file. Returns the paths removed.
    std::vector<std::string> Remove(const std::string& saver, const std::string& name) const;

  private:
    // The paths of our entries of `saver` that exist now.
    std::vector<std::string> OursFor(const std::string& saver, const std::string& name) const;

    std::string folder_;
    std::vector<std::string> system_folders_;
};

}  // namespace saver
