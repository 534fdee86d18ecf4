#pragma once

#include <cstdint>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace saver {

// A kept copy of a web page: the MHTML archive's file and when it was saved.
struct OfflineCopy {
    std::string path;
    std::time_t saved = 0;
};

// The copies of web pages one saver keeps for when their address fails: one MHTML
// archive per address in a private folder (mode 0700) of the saver, files named by a
// hash of the address so that no address can name a file outside the folder. All
// copies of the saver together stay within a bound, and the copies of all savers (the
// folders beside this one named by OfflineCopiesFolderName) within a total bound; the
// copies saved longest ago go first to make room, whichever saver kept them. Each copy is written
// atomically, so a reader sees the old copy or the whole new one. Nothing here throws; a copy that
// cannot be kept is simply not kept.
class OfflineCopies {
  public:
    // `folder` ends with "/"; empty keeps no copies.
    OfflineCopies(std::string folder, uint64_t bound_bytes,
                  uint64_t total_bound_bytes = std::numeric_limits<uint64_t>::max());

    // Keeps `archive` as the copy of `address`, replacing an older one; false when it
    // was not kept (no folder, empty, larger than the bound, or a write failed).
    bool Store(const std::string& address, std::string_view archive);
    std::optional<OfflineCopy> Find(const std::string& address) const;
    const std::string& Folder() const { return folder_; }

  private:
    std::string CopyPath(const std::string& address) const;
    bool PrepareFolder() const;
    // Deletes the oldest copies (never `keep`) until `incoming` more bytes fit into both
    // bounds.
    void MakeRoom(uint64_t incoming, const std::string& keep) const;

    std::string folder_;
    uint64_t bound_bytes_;
    uint64_t total_bound_bytes_;
};

// The saver's own folder name among the copies of all savers: the saver name's letters,
// digits, ".", "-" and "_" (others as "_", at most 40) and a hash of the whole name,
// so that no saver name can leave the common folder or share another saver's folder.
std::string OfflineCopiesFolderName(const std::string& saver_name);

// True for the addresses whose copies are kept: http and https, in any letter case.
bool IsWebAddress(const std::string& page);

// "offline copy of <address> from <time>", the local time as "2024-05-01 17:30".
std::string OfflineCopyStatus(const std::string& address, std::time_t saved);

}  // namespace saver
