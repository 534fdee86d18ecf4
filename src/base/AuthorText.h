#pragma once

#include <string>
#include <string_view>

namespace saver {

// Texts that a saver's author wrote, mostly on Windows, turned into what the program
// shows. Savers carry them as files in whatever encoding the author's editor used.

// A text shown as it stands, such as the readme: UTF-8 whatever the file held (see
// DecodeText: a byte-order mark and UTF-16 are understood, valid UTF-8 stays as it is,
// anything else is read as Windows-1252).
std::string AuthorText(std::string_view bytes);

// The text of a page template ("rss_template.htm", "rss_list.htm") into which the feed's
// UTF-8 texts are put. A template that declares its charset keeps its bytes, so the
// browser reads it as its author declared. Any other is decoded as AuthorText does and
// starts with a UTF-8 byte-order mark: browsers take the mark before their default
// charset (WebKitGTK's is ISO-8859-1), so the page built from it reads as UTF-8.
std::string PageTemplateText(std::string_view bytes);

// True when an HTML text has a <meta> tag that names a charset ("charset=" in it).
bool DeclaresCharset(std::string_view html);

}  // namespace saver
