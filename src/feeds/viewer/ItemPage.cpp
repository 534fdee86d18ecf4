#include "feeds/viewer/ItemPage.h"

#include "base/TextEncoding.h"
#include "feeds/text/PageMarkers.h"

namespace saver {

std::string TemplateItemPage(std::string page, const ItemTexts& item) {
    return ReplaceFirstMarkers(std::move(page), {{"##title##", item.title},
                                                 {"##description##", item.description},
                                                 {"##time##", item.time}});
}

std::string BuiltInItemPage(const ItemTexts& item) {
    std::string page;
    page.reserve(item.title.size() + item.description.size() + item.time.size() + 800);
    page += "<html xmlns=\"http://www.w3.org/1999/xhtml\">";
    page +=
        "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" /></head>"
        "<body bgcolor=\"#1B1B1B\" topmargin=\"6\" leftmargin=\"6\" rightmargin=\"6\" "
        "bottommargin=\"6\"><table border=\"1\" width=\"100%\" bordercolor=\"#A5A5A5\" "
        "cellspacing=\"0\" cellpadding=\"8\"><tr><td><h3 align=\"center\"><font "
        "color=\"#FFFFFF\">";
    page += item.title;
    page += "</font></h3><font color=\"#FFFFFF\">";
    page += item.description;
    page +=
        "</font><p align=\"right\"><span style=\"font-weight: 400\"><i><font size=\"1\" "
        "color=\"#7C7C7C\">";
    page += item.time;
    page += ", Press Enter to read...</font></i></span></p></td></tr></table></body></html>";
    return page;
}

std::string CutFeedText(std::string_view text, size_t limit) {
    if (text.size() <= limit) {
        return std::string(text);
    }
    const std::string_view kept = WithoutCutUtf8Character(text.substr(0, limit));
    const size_t open = kept.rfind('<');
    const size_t close = kept.rfind('>');
    if (open != std::string_view::npos && (close == std::string_view::npos || close < open)) {
        return std::string(kept.substr(0, open));
    }
    return std::string(kept);
}

std::string WithCrLfLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16 + 2);
    // Whole runs between breaks are copied at once: pages can be megabytes long.
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const char* run_end = at;
        while (run_end < end && *run_end != '\r' && *run_end != '\n') {
            ++run_end;
        }
        lines.append(at, run_end);
        if (run_end == end) {
            break;
        }
        lines += "\r\n";
        at = run_end + (*run_end == '\r' && run_end + 1 < end && run_end[1] == '\n' ? 2 : 1);
    }
    if (!lines.empty() && !lines.ends_with("\r\n")) {
        lines += "\r\n";
    }
    return lines;
}

}  // namespace saver
