#pragma once

#include <string>
#include <vector>

namespace saver {

// Text made safe to stand in HTML as data: "&", "<", ">", '"' and "'" as references.
std::string HtmlEscape(const std::string& text);

// The custom list page: the template `page` with its first "##BlogName##" replaced by the
// title, its first "##TimeTag##" by the info line and its first "##BlogList##" by one
// table row per entry (the entry at `highlighted` in bold), rows joined by CR LF. Every
// feed text is escaped; the markers are matched with letter case.
std::string ListPage(std::string page, const std::string& title, const std::string& info,
                     const std::vector<std::string>& entries, int highlighted);

}  // namespace saver
