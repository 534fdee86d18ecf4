#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace saver {

// File helpers that never throw: every failure is a false or an empty result.
bool FileExists(const std::string& path);
// The bytes of a file; empty when it cannot be read.
std::string FileContents(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder and its missing parents, each made with mode 0700 (less what the
// umask takes away). True when the folder exists afterwards.
bool ForceDirectories(const std::string& path);
// Replaces the file at `path` with `bytes` so that a reader sees either the old file or
// the whole new one, also after a crash: the bytes go into a temporary file in the same
// folder, which is flushed to disk and renamed over `path`; the folder is flushed too.
// The new file gets `mode`. On failure `path` is unchanged and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode = 0644);
// Replaces the file at `path` with `bytes` so that a reader sees either the old file or
// the whole new one, without the flushes to disk: for scratch files that a crash may
// lose, such as the pages the feed windows show. On failure `path` is unchanged.
bool ReplaceFile(const std::string& path, std::string_view bytes);
bool WriteFile(const std::string& path, std::string_view bytes);
// Copies `from` to `to`, replacing a file of that name (by renaming the copy into place).
bool CopyFileReplacing(const std::string& from, const std::string& to);
// Makes the file writable again, which is what clearing its attributes means here.
void ClearFileAttributes(const std::string& path);

// The text after the last "/", "\" or ":"; the whole text when it has none.
std::string FileNamePart(std::string_view path);
// The folder part up to and including the last "/" or "\".
std::string FolderPart(std::string_view path);
// A name that stays inside one folder: its file-name part, or empty when that part is
// empty, "." or "..". Used for every name that comes from a package or a settings file.
std::string SafeFileName(std::string_view name);

}  // namespace saver
