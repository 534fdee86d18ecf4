#pragma once

#include <string>
#include <vector>

namespace saver {

class TSimpleRSS;

// The texts the ticker shows for a feed.

// `title` as plain text, cut to what a list area `list_width` pixels wide holds: at most
// round(list_width / 415 * 70) - 2 characters, else its first max - 5 and "...". A width
// below 0 (the styled list is not shown) cuts nothing.
std::string ShortTitle(const std::string& title, int list_width);

// The info line under the title: the time of item 0, the feed's description when it has
// one and the number of items ("..., 25 Posts"). `time_text` formats a feed date.
std::string TickerInfo(TSimpleRSS& rss, const std::string& time_text);

// The list entries around item `current`: when it is past the ninth of more than ten
// items, the items from its block of ten on, else from the first; at most 30. Entry i is
// "i+1. " and the short title. `first` receives the index of the first listed item.
std::vector<std::string> TickerEntries(TSimpleRSS& rss, int current, int list_width, int& first);

}  // namespace saver
