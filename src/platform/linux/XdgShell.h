#pragma once

#include <string>

#include "platform/Shell.h"

namespace saver {

// The desktop shell of a freedesktop.org desktop.
//
// - OpenDocument runs "xdg-open TARGET", found on PATH, detached (DetachedProcess.h).
// - StartHidden runs argv[0] (found on PATH when it has no "/") with argv[1...] as its
//   arguments, exactly as given, detached.
// - DisplayName is the file's own name without its folder: Linux has no short aliases
//   for the desktop to translate. Empty when no file or folder exists at the path.
class XdgShell : public Shell {
  public:
    bool OpenDocument(const std::string& target) override;
    bool StartHidden(const std::vector<std::string>& argv) override;
    std::string DisplayName(const std::string& path) const override;
};

}  // namespace saver
