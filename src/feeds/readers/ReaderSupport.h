#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "feeds/model/TBlankText.h"
#include "feeds/xml/XmlNode.h"

namespace saver {

// Helpers the feed readers share. "Given" means a value that is not empty: a field is only
// assigned when the node's value is given.

// field := node's value, if given. A null node changes nothing.
void AssignIfGiven(std::string& field, XmlNode node);
void AssignIfGiven(TBlankText& field, XmlNode node);
// field := the child found by `name`, if found and given.
void AssignChildIfGiven(std::string& field, XmlNode parent, std::string_view name);
void AssignChildIfGiven(TBlankText& field, XmlNode parent, std::string_view name);
// field := the attribute `name`, if present and given.
void AssignAttributeIfGiven(std::string& field, XmlNode element, std::string_view name);
void AssignAttributeIfGiven(TBlankText& field, XmlNode element, std::string_view name);

// Runs `action`, swallowing the errors a reader raises for one element of a feed (text
// rule, number conversion, required fields). Other failures, such as lack of memory,
// pass on.
template <class Action>
void Guarded(Action&& action) {
    try {
        action();
    } catch (const std::runtime_error&) {
    }
}

}  // namespace saver
