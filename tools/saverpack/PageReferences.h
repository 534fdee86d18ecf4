#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace saver {

// A reference of a page to another file, as written in the page.
struct PageReference {
    std::string target;  // the attribute's or url()'s text
    int line = 0;        // its line in the page, from 1
};

// The references of an HTML page or a style sheet: the values of "src" and "href"
// attributes (HTML only) and of CSS "url(...)" (both). A plain scan, not a parser: it
// finds them in tags, style blocks and style attributes, and never fails.
std::vector<PageReference> FindPageReferences(std::string_view text, bool style_sheet);

// The file a reference names inside the page's own folder, when it names one: the
// reference without query and fragment, with %XX escapes decoded and leading "./"
// removed. Empty for addresses ("http:", "data:", "//host", "/root"), fragments and
// empty references.
std::string RelativeFile(std::string_view target);

}  // namespace saver
