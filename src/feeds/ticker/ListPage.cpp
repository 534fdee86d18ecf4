#include "feeds/ticker/ListPage.h"

#include <algorithm>
#include <iterator>

namespace saver {

std::string HtmlEscape(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string ListPage(std::string page, const std::string& title, const std::string& info,
                     const std::vector<std::string>& entries, int highlighted) {
    std::string rows;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            rows += "\r\n";
        }
        const std::string entry = HtmlEscape(entries[i]);
        // The highlighted row keeps the stray closing font tag it has always had.
        rows += static_cast<int>(i) == highlighted
                    ? "<tr height=\"24\"><td nowrap><b>" + entry + "</font></b></td></tr>"
                    : "<tr height=\"24\"><td nowrap>" + entry + "</td></tr>";
    }
    // The markers are found in the template itself, never in a feed text put in before
    // (a title reading "##BlogList##" stays a title); they are replaced from the back so
    // that the positions found stay valid.
    const size_t name_at = page.find("##BlogName##");
    const size_t time_at = page.find("##TimeTag##");
    const size_t list_at = page.find("##BlogList##");
    struct Slot {
        size_t at;
        const char* marker;
        std::string text;
    };
    Slot slots[] = {{name_at, "##BlogName##", HtmlEscape(title)},
                    {time_at, "##TimeTag##", HtmlEscape(info)},
                    {list_at, "##BlogList##", rows}};
    std::sort(std::begin(slots), std::end(slots), [](const Slot& a, const Slot& b) {
        return a.at != std::string::npos && (b.at == std::string::npos || a.at > b.at);
    });
    for (const Slot& slot : slots) {
        if (slot.at != std::string::npos) {
            page.replace(slot.at, std::char_traits<char>::length(slot.marker), slot.text);
        }
    }
    return page;
}

}  // namespace saver
