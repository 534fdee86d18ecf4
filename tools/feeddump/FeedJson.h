#pragma once

#include <optional>
#include <string>

namespace saver {

class TSimpleRSS;

// The feed model of `rss` as JSON: the published properties nested as in the model, plus
// XMLType, Version, HeaderTitle, HeaderDescription and Error (null when there was none).
std::string FeedJson(TSimpleRSS& rss, const std::optional<std::string>& error);

}  // namespace saver
