#include "feeds/readers/ReaderSupport.h"

namespace saver {

void AssignIfGiven(std::string& field, XmlNode node) {
    if (!node) {
        return;
    }
    if (std::optional<std::string> value = node.Value()) {
        field = std::move(*value);
    }
}

void AssignIfGiven(TBlankText& field, XmlNode node) {
    std::string value;
    AssignIfGiven(value, node);
    if (!value.empty()) {
        field = std::move(value);
    }
}

void AssignChildIfGiven(std::string& field, XmlNode parent, std::string_view name) {
    AssignIfGiven(field, parent.Find(name));
}

void AssignChildIfGiven(TBlankText& field, XmlNode parent, std::string_view name) {
    AssignIfGiven(field, parent.Find(name));
}

void AssignAttributeIfGiven(std::string& field, XmlNode element, std::string_view name) {
    if (std::optional<std::string> value = element.AttributeValue(name)) {
        field = std::move(*value);
    }
}

}  // namespace saver

namespace saver {

void AssignAttributeIfGiven(TBlankText& field, XmlNode element, std::string_view name) {
    if (std::optional<std::string> value = element.AttributeValue(name)) {
        field = std::move(*value);
    }
}

}  // namespace saver
