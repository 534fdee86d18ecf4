#pragma once

#include <string>
#include <string_view>

namespace saver {

class Shell;

// Addresses that a feed or a page chooses are untrusted: handed to the desktop's default
// action, a "file:" address opens a local file, other schemes start whatever program
// the desktop has registered for them. Only addresses that a web browser or a mail
// program opens pass: a scheme of "http", "https" or "mailto" (any letter case) and no
// control characters or blanks.
bool IsOutsideLinkAllowed(std::string_view address);

// Opens `address` through the shell when it is allowed; otherwise prints one line on
// standard error and opens nothing. True when it was handed to the shell.
bool OpenOutsideLink(Shell& shell, const std::string& address);

}  // namespace saver
