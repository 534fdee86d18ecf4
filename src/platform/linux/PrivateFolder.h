#pragma once

#include <string>

namespace saver {

// Finds or makes the user's private folder as LinuxFolders describes it and returns its
// path with a final "/". Throws std::runtime_error when there is none.
std::string FindPrivateFolder();

// Finds or makes the user's private folder on disk as LinuxFolders describes it and
// returns its path with a final "/"; `fallback` when there is none.
std::string FindDiskFolder(const std::string& fallback);

}  // namespace saver
