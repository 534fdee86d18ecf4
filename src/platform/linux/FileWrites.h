#pragma once

#include <string>

namespace saver {

// Creates the folder and every missing parent with mode 0700 (less what the umask takes
// away). True when the folder exists afterwards.
bool CreatePrivateFolderPath(const std::string& folder);

// Replaces the file at `path` with `content` so that a reader sees either the old file or
// the whole new one, also after a crash: the content goes into a temporary file in the
// same folder, which is flushed to disk and renamed over `path`; the folder is flushed
// too. The new file has mode 0600. On failure the temporary file is removed, `path` is
// unchanged and the result is false.
bool WriteFileAtomically(const std::string& path, const std::string& content);

}  // namespace saver
