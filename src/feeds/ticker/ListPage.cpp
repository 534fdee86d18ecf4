#include "feeds/ticker/ListPage.h"

#include "feeds/text/PageMarkers.h"

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
    return ReplaceFirstMarkers(std::move(page), {{"##BlogName##", HtmlEscape(title)},
                                                 {"##TimeTag##", HtmlEscape(info)},
                                                 {"##BlogList##", rows}});
}

}  // namespace saver
