#include "feeds/ticker/TickerTexts.h"

#include <algorithm>
#include <cmath>

#include "aatext/text/Utf8.h"
#include "feeds/readers/TSimpleRSS.h"
#include "feeds/text/PlainText.h"

namespace saver {

namespace {

constexpr int kListedItems = 30;

// The first `count` characters of a UTF-8 text.
std::string CharacterPrefix(const std::string& text, size_t count) {
    size_t at = 0;
    for (size_t i = 0; i < count && at < text.size(); ++i) {
        at += static_cast<size_t>(Utf8SequenceLength(static_cast<unsigned char>(text[at])));
    }
    return text.substr(0, std::min(at, text.size()));
}

}  // namespace

std::string ShortTitle(const std::string& title, int list_width) {
    std::string text = PlainText(title);
    if (list_width < 0) {
        return text;
    }
    // Rounded half to even, as the width ratio has always been rounded.
    const long max = std::lrint(list_width / 415.0 * 70.0);
    if (static_cast<long>(Utf8Length(text)) > max - 2) {
        text = CharacterPrefix(text, static_cast<size_t>(std::max(0L, max - 5))) + "...";
    }
    return text;
}

std::string TickerInfo(TSimpleRSS& rss, const std::string& time_text) {
    std::string info = time_text;
    if (!rss.HeaderDescription().empty()) {
        info += ", " + rss.HeaderDescription();
    }
    return info + ", " + std::to_string(rss.Items().Count()) + " Posts";
}

std::vector<std::string> TickerEntries(TSimpleRSS& rss, int current, int list_width, int& first) {
    const int count = rss.Items().Count();
    first = current > 8 && count > 10 ? current / 10 * 10 : 0;
    // The list area shows about ten entries and scrolls on by ten at a block's end, so
    // three blocks hold all it ever shows; a feed of thousands of items is not laid out
    // whole.
    const int last = std::min(count, first + kListedItems);
    std::vector<std::string> entries;
    for (int i = first; i < last; ++i) {
        entries.push_back(std::to_string(i + 1) + ". " +
                          ShortTitle(rss.Items().Items(i).Title, list_width));
    }
    return entries;
}

}  // namespace saver
