#include "feeds/viewer/ItemPage.h"

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

std::string WithCrLfLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16 + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            lines += c;
        }
    }
    if (!lines.empty() && !lines.ends_with("\r\n")) {
        lines += "\r\n";
    }
    return lines;
}

}  // namespace saver
