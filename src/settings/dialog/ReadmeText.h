#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace saver {

// The most of a readme the settings dialog shows: a text box holding more opens slowly
// and nobody reads that far.
inline constexpr size_t kReadmeLimit = 1024 * 1024;

// The line that follows a readme cut at kReadmeLimit.
inline constexpr std::string_view kReadmeCutLine =
    "[The readme is longer than 1 MB: only its first 1 MB is shown.]";

// The readme at `path` as the dialog shows it, in UTF-8 whatever the file's encoding.
// Only its first kReadmeLimit bytes are read, so a huge file opens as fast as a small
// one; a longer file shows those bytes (less a character cut in half) and then the cut
// line. A missing or unreadable file gives an empty text.
std::string ReadReadme(const std::string& path);

// The same for bytes already read; `cut` says that the file went on after them.
std::string ReadmeText(std::string_view bytes, bool cut);

}  // namespace saver
