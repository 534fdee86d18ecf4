#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "startup/LargeFilePlacement.h"

namespace saver {

// What one archive may unpack to. A saver's archive comes from whoever made the saver,
// so it is held to what real savers need: the package and its items hold tens to
// hundreds of pages, pictures and media files, compressed at most some ten to one.
struct UnzipLimits {
    uint64_t max_entries = 0;
    uint64_t max_total_bytes = 0;  // the declared sizes of the entries unpacked, together
};

inline constexpr uint64_t kMaxZipEntries = 10000;
inline constexpr uint64_t kZipBaseBytes = 64ULL << 20;
inline constexpr uint64_t kZipRatio = 32;
inline constexpr uint64_t kMaxZipTotalBytes = 4ULL << 30;

// The limits for an archive of `archive_bytes` bytes: kMaxZipEntries entries, and
// kZipBaseBytes plus kZipRatio times the archive's own size, never more than
// kMaxZipTotalBytes.
UnzipLimits LimitsForArchive(uint64_t archive_bytes);

// One entry of an archive as its central directory declares it.
struct ZipEntryInfo {
    std::string name;  // the file name it unpacks to (folder parts dropped); empty: skipped
    uint64_t size = 0;
    uint64_t compressed_size = 0;
};

struct UnzipOptions {
    // With a placement, large entries go where it says.
    const LargeFilePlacement* placement = nullptr;
    // The file name an entry (given by its file name) is written under; empty skips
    // it. Every entry under its own name when not set.
    std::function<std::string(const std::string& file_name)> select;
    // LimitsForArchive of the archive's size when not set.
    std::optional<UnzipLimits> limits;
};

// Extracts the entries of a ZIP file into `target_folder`, dropping the folder names
// stored in the archive (all files land directly in the target folder), replacing files
// of the same name and keeping each entry's read-only attribute. Entry names that would
// leave the folder ("..", empty names) are skipped. An entry is never written past the
// size it declares: one whose data goes on is removed again as damaged.
//
// Returns what went wrong, empty when nothing did. An archive that cannot be read, or
// whose entries are more or larger together than the limits allow, unpacks nothing; a
// damaged entry is skipped (and named) and the rest are still extracted.
std::string UnzipArchive(const std::string& archive_path, const std::string& target_folder,
                         const UnzipOptions& options = {});

// The same for an archive held in memory.
std::string UnzipArchiveBytes(std::string_view bytes, const std::string& target_folder,
                              const UnzipOptions& options = {});

// The entries of an archive held in memory, without unpacking any; nullopt when it is
// no readable ZIP archive.
std::optional<std::vector<ZipEntryInfo>> ListZipEntries(std::string_view bytes);

}  // namespace saver
