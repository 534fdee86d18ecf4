#pragma once

#include <string>

namespace saver {

// An RSS 2.0 feed of `items` items of about 500 bytes each, shaped like a news feed:
// titles with entities, HTML descriptions in CDATA, guids, dates, categories, enclosures.
std::string GeneratedFeed(int items);

}  // namespace saver
