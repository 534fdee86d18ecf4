#pragma once

#include <string>
#include <string_view>

namespace saver {

// The texts of one item as its page shows them: title and description as the feed gave
// them (the description is HTML), and the publication time as the user reads it.
struct ItemTexts {
    std::string title;
    std::string description;
    std::string time;
};

// The page from the saver's item template: its first "##title##", "##description##" and
// "##time##" replaced by the item's texts (matched with letter case).
std::string TemplateItemPage(std::string page, const ItemTexts& item);

// The page of the viewer's own layout: the title over the description in a bordered
// table on dark grey, the time and "Press Enter to read..." small at the bottom right.
std::string BuiltInItemPage(const ItemTexts& item);

// A feed text cut to at most `limit` bytes, so that a page stays quick to build and show:
// never inside a UTF-8 character, and never inside a tag (a "<" left open at the end goes).
std::string CutFeedText(std::string_view text, size_t limit);

// `text` with every line break (LF, CR or CR LF) as CR LF and a line break at its end.
std::string WithCrLfLines(std::string_view text);

}  // namespace saver
