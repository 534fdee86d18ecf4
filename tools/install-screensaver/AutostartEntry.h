#pragma once

#include <string>
#include <vector>

namespace saver {

// The XDG autostart entry ("~/.config/autostart/NAME.desktop") that starts `argv` when
// the user logs in; `name` is what the desktop shows for it.
std::string AutostartEntry(const std::string& name, const std::vector<std::string>& argv);

}  // namespace saver
