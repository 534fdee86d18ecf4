#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "feeds/readers/TSimpleRSS.h"

namespace saver {

// A feed loaded for a test: the component, and the message of the error the load raised.
struct LoadedFeed {
    std::unique_ptr<TSimpleRSS> rss = std::make_unique<TSimpleRSS>();
    std::optional<std::string> error;

    TRSSChannel& Channel() { return rss->Channel(); }
    TRSSItems& Items() { return rss->Items(); }
    TRSSItem& Item(int index) { return rss->Items().Items(index); }
};

// Loads `xml` into `feed`'s component (keeping what it held before) and records the error.
void LoadInto(LoadedFeed& feed, std::string_view xml);
LoadedFeed LoadText(std::string_view xml);
// Loads tests/data/feeds/<relative path>.
LoadedFeed LoadFixture(const std::string& path);

}  // namespace saver
