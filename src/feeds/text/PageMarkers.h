#pragma once

#include <string>
#include <vector>

namespace saver {

// A marker of a page template and the text that takes its place.
struct MarkerText {
    std::string marker;
    std::string text;
};

// `page` with the first occurrence of each marker replaced by its text, matched with
// letter case. The markers are found in the template itself, never in a text put in
// before, so a feed title reading "##description##" stays a title.
std::string ReplaceFirstMarkers(std::string page, const std::vector<MarkerText>& markers);

}  // namespace saver
