#pragma once

#include <string>
#include <vector>

namespace saver {

// The desktop shell.
//
// - OpenDocument: the default action for a file or an address (open it in the user's
//   browser or viewer). Starts it detached and does not wait; output is hidden.
// - StartHidden: starts the program argv[0] with the arguments argv[1...], each passed as
//   it stands (never split or unquoted), detached, output hidden, not waited for.
//   Returns false only when it could not be started at all.
// - DisplayName: the name the desktop shows for a file; empty when it has none.
class Shell {
  public:
    virtual ~Shell() = default;

    virtual bool OpenDocument(const std::string& target) = 0;
    virtual bool StartHidden(const std::vector<std::string>& argv) = 0;
    virtual std::string DisplayName(const std::string& path) const = 0;
};

}  // namespace saver
