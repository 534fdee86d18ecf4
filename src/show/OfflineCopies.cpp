#include "show/OfflineCopies.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/Files.h"
#include "base/Text.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".mht";
constexpr size_t kMaxNameLetters = 40;

struct StoredCopy {
    fs::path path;
    uint64_t size = 0;
    fs::file_time_type saved;
};

// The copies in the folder, oldest first. Files a write left behind when the process
// was stopped in the middle of it are deleted on the way: only one show of a saver runs
// at a time, and it writes one copy at a time.
std::vector<StoredCopy> ListCopies(const std::string& folder) {
    std::vector<StoredCopy> copies;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::error_code ignored;
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ignored)) {
            continue;
        }
        if (name.find(".tmp-") != std::string::npos) {
            fs::remove(entry.path(), ignored);
        } else if (name.ends_with(kCopyExtension)) {
            copies.push_back(
                {entry.path(), entry.file_size(ignored), entry.last_write_time(ignored)});
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const StoredCopy& a, const StoredCopy& b) { return a.saved < b.saved; });
    return copies;
}

// Deletes the oldest of `copies` (never `keep`) until `incoming` more bytes fit into
// `bound`.
void DeleteOldest(const std::vector<StoredCopy>& copies, uint64_t incoming, uint64_t bound,
                  const std::string& keep) {
    uint64_t total = incoming;
    for (const StoredCopy& copy : copies) {
        if (copy.path != keep) {
            total += copy.size;
        }
    }
    for (const StoredCopy& copy : copies) {
        if (total <= bound) {
            return;
        }
        if (copy.path != keep) {
            std::error_code ignored;
            fs::remove(copy.path, ignored);
            total -= copy.size;
        }
    }
}

// A folder named as OfflineCopiesFolderName names them: "-" and 16 hex digits at the end.
// Nothing else in the common folder (such as the large files of a running saver) is a
// copy, whatever its name.
bool IsCopiesFolderName(const std::string& name) {
    constexpr size_t kHashDigits = 16;
    return name.size() > kHashDigits + 1 && name[name.size() - kHashDigits - 1] == '-' &&
           name.find_first_not_of("0123456789abcdef", name.size() - kHashDigits) ==
               std::string::npos;
}

// The copies of this saver (in `folder`) and of every other saver beside it, oldest first.
std::vector<StoredCopy> CopiesOfAllSavers(const std::string& folder) {
    std::vector<StoredCopy> copies = ListCopies(folder);
    const fs::path own = fs::path(folder).parent_path();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(own.parent_path(), error)) {
        std::error_code ignored;
        if (entry.path() != own && entry.is_directory(ignored) && !entry.is_symlink(ignored) &&
            IsCopiesFolderName(entry.path().filename().string())) {
            std::vector<StoredCopy> more = ListCopies(entry.path().string() + "/");
            copies.insert(copies.end(), more.begin(), more.end());
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const StoredCopy& a, const StoredCopy& b) { return a.saved < b.saved; });
    return copies;
}

}  // namespace

OfflineCopies::OfflineCopies(std::string folder, uint64_t bound_bytes, uint64_t total_bound_bytes)
    : folder_(std::move(folder)),
      bound_bytes_(bound_bytes),
      total_bound_bytes_(total_bound_bytes) {}

std::string OfflineCopies::CopyPath(const std::string& address) const {
    return folder_ + StableHashHex(address) + kCopyExtension;
}

bool OfflineCopies::PrepareFolder() const {
    if (!ForceDirectories(folder_)) {
        return false;
    }
    // The folder must be a real folder of this user that only this user can read: the
    // pages a user's saver showed are nobody else's business.
    struct stat info {};
    const std::string path = folder_.substr(0, folder_.size() - 1);
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() &&
           ((info.st_mode & 077) == 0 || ::chmod(path.c_str(), 0700) == 0);
}

void OfflineCopies::MakeRoom(uint64_t incoming, const std::string& keep) const {
    DeleteOldest(ListCopies(folder_), incoming, bound_bytes_, keep);
    DeleteOldest(CopiesOfAllSavers(folder_), incoming, total_bound_bytes_, keep);
}

bool OfflineCopies::Store(const std::string& address, std::string_view archive) {
    if (folder_.empty() || archive.empty() ||
        archive.size() > std::min(bound_bytes_, total_bound_bytes_) || !PrepareFolder()) {
        return false;
    }
    const std::string path = CopyPath(address);
    // The old copy of this address is replaced, so it makes no room and needs none.
    MakeRoom(archive.size(), path);
    return WriteFileAtomically(path, archive, 0600);
}

std::optional<OfflineCopy> OfflineCopies::Find(const std::string& address) const {
    if (folder_.empty()) {
        return std::nullopt;
    }
    const std::string path = CopyPath(address);
    struct stat info {};
    // A copy larger than the bound was not written here: it is not read into memory.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
        static_cast<uint64_t>(info.st_size) > bound_bytes_) {
        return std::nullopt;
    }
    return OfflineCopy{path, info.st_mtime};
}

std::string OfflineCopiesFolderName(const std::string& saver_name) {
    std::string name;
    for (unsigned char c : saver_name) {
        if (name.size() == kMaxNameLetters) {
            break;
        }
        const bool plain = std::isalnum(c) || c == '.' || c == '-' || c == '_';
        name += plain && c < 0x80 ? static_cast<char>(c) : '_';
    }
    return name + "-" + StableHashHex(saver_name) + "/";
}

bool IsWebAddress(const std::string& page) {
    std::string scheme;
    for (char c : page.substr(0, page.find(':'))) {
        scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return page.find(':') != std::string::npos && (scheme == "http" || scheme == "https");
}

std::string OfflineCopyStatus(const std::string& address, std::time_t saved) {
    std::tm local{};
    char when[32] = "";
    if (localtime_r(&saved, &local)) {
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    }
    return "offline copy of " + address + " from " + when;
}

}  // namespace saver
