#pragma once

#include <string>

#include "platform/Shell.h"

namespace saver {

// The desktop shell of a freedesktop.org desktop.
//
// - OpenDocument runs "xdg-open TARGET", found on PATH, detached (DetachedProcess.h).
// - StartHidden runs the program (found on PATH when it has no "/"), detached, with the
//   argument text split into arguments at blanks (spaces and tabs); a double-quoted part
//   is kept together with its blanks and loses its quotes, so a path with spaces can be
//   passed as "/a b/c". There are no other escapes.
// - DisplayName is the file's own name without its folder: Linux has no short aliases
//   for the desktop to translate. Empty when no file or folder exists at the path.
class XdgShell : public Shell {
  public:
    bool OpenDocument(const std::string& target) override;
    bool StartHidden(const std::string& program, const std::string& arguments) override;
    std::string DisplayName(const std::string& path) const override;
};

}  // namespace saver
