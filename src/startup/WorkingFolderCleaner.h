#pragma once

#include <string>

namespace saver {

// Deletes the files directly in the working folder and in its "tmp/" and "build/"
// subfolders (read-only and hidden ones included; subfolders and what they hold stay),
// and the files directly in the folder of large files when one is given. Failures are
// ignored. Uses only system calls, so it may run in a signal handler.
void ClearWorkingFolder(const std::string& working_folder, const std::string& disk_folder = "");

// Makes sure ClearWorkingFolder(working_folder, disk_folder) runs however the process
// ends: on a normal exit and when SIGINT, SIGTERM or SIGHUP arrive (then the process ends
// with the signal's usual status).
void ClearWorkingFolderAtExit(const std::string& working_folder,
                              const std::string& disk_folder = "");

}  // namespace saver
