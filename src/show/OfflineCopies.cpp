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

namespace saver {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCopyExtension = ".mht";
constexpr size_t kMaxNameLetters = 40;

// 64-bit FNV-1a: stable across builds and machines, which std::hash is not.
uint64_t StableHash(std::string_view text) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

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

}  // namespace

OfflineCopies::OfflineCopies(std::string folder, uint64_t bound_bytes)
    : folder_(std::move(folder)), bound_bytes_(bound_bytes) {}

std::string OfflineCopies::CopyPath(const std::string& address) const {
    return folder_ + Hex(StableHash(address)) + kCopyExtension;
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
    std::vector<StoredCopy> copies = ListCopies(folder_);
    uint64_t total = incoming;
    for (const StoredCopy& copy : copies) {
        if (copy.path != keep) {
            total += copy.size;
        }
    }
    for (const StoredCopy& copy : copies) {
        if (total <= bound_bytes_) {
            return;
        }
        if (copy.path != keep) {
            std::error_code ignored;
            fs::remove(copy.path, ignored);
            total -= copy.size;
        }
    }
}

bool OfflineCopies::Store(const std::string& address, std::string_view archive) {
    if (folder_.empty() || archive.empty() || archive.size() > bound_bytes_ || !PrepareFolder()) {
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
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) {
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
    return name + "-" + Hex(StableHash(saver_name)) + "/";
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
