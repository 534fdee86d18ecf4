#include "FeedLoad.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace saver {

void LoadInto(LoadedFeed& feed, std::string_view xml) {
    std::istringstream stream{std::string(xml)};
    feed.error.reset();
    try {
        feed.rss->LoadFromStream(stream);
    } catch (const std::runtime_error& error) {
        feed.error = error.what();
    }
}

LoadedFeed LoadText(std::string_view xml) {
    LoadedFeed feed;
    LoadInto(feed, xml);
    return feed;
}

LoadedFeed LoadFixture(const std::string& path) {
    std::ifstream file(std::string(SAVER_TEST_DATA) + "/feeds/" + path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("missing fixture " + path);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return LoadText(bytes.str());
}

}  // namespace saver
