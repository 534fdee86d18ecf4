#include "feeds/xml/XmlNode.h"

#include <libxml/tree.h>

#include <cstring>

#include "feeds/xml/EXmlError.h"

namespace saver {
namespace {

std::string_view View(const xmlChar* text) {
    return text == nullptr ? std::string_view()
                           : std::string_view(reinterpret_cast<const char*>(text));
}

// True when the stored name equals `name`, without measuring the stored name first: most
// comparisons fail on the first character.
bool NameEquals(const xmlChar* stored, std::string_view name) {
    const char* text = reinterpret_cast<const char*>(stored);
    return text != nullptr && std::strncmp(text, name.data(), name.size()) == 0 &&
           text[name.size()] == 0;
}

// True when `name` is "prefix:local".
bool IsPrefixedName(std::string_view name, std::string_view prefix, std::string_view local);

// The name lookup rule for one element: its qualified or its local name equals `name`.
bool ElementHasName(const xmlNode* element, std::string_view name) {
    if (NameEquals(element->name, name)) {
        return true;
    }
    if (element->ns == nullptr) {
        // An undeclared prefix stays in the stored name: "media:title" has the local name "title".
        const char* colon = std::strchr(reinterpret_cast<const char*>(element->name), ':');
        return colon != nullptr && std::string_view(colon + 1) == name;
    }
    return element->ns->prefix != nullptr &&
           IsPrefixedName(name, View(element->ns->prefix), View(element->name));
}

// A parent without namespace admits every child; one with a namespace only its own.
bool InNamespace(const xmlNode* child, const xmlChar* parent_namespace) {
    if (parent_namespace == nullptr || *parent_namespace == 0) {
        return true;
    }
    return child->ns != nullptr && child->ns->href != nullptr &&
           (child->ns->href == parent_namespace ||
            std::strcmp(reinterpret_cast<const char*>(child->ns->href),
                        reinterpret_cast<const char*>(parent_namespace)) == 0);
}

// True when `name` is "prefix:local".
bool IsPrefixedName(std::string_view name, std::string_view prefix, std::string_view local) {
    return name.size() == prefix.size() + 1 + local.size() && name.starts_with(prefix) &&
           name[prefix.size()] == ':' && name.ends_with(local);
}

// An element whose prefix was never declared keeps "prefix:local" as its name.
std::string_view LocalPart(std::string_view name) {
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// White-space-only text between elements is not part of the tree the readers see.
bool IsBlankText(const xmlNode* node) {
    if (node->type != XML_TEXT_NODE) {
        return false;
    }
    for (const xmlChar* c = node->content; c != nullptr && *c != 0; ++c) {
        if (*c != ' ' && *c != '\t' && *c != '\n' && *c != '\r') {
            return false;
        }
    }
    return true;
}

xmlNode* SkipBlankText(xmlNode* node) {
    while (node != nullptr && IsBlankText(node)) {
        node = node->next;
    }
    return node;
}

bool IsTextLike(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// The value of an attribute: usually one text node, else the joined pieces.
std::string AttributeText(const xmlAttr* attr) {
    const xmlNode* first = attr->children;
    if (first == nullptr) {
        return std::string();
    }
    if (first->next == nullptr && first->type == XML_TEXT_NODE) {
        return std::string(View(first->content));
    }
    xmlChar* joined = xmlNodeListGetString(attr->doc, first, 1);
    std::string text(View(joined));
    xmlFree(joined);
    return text;
}

}  // namespace

bool XmlNode::IsElement() const {
    return node_ != nullptr && node_->type == XML_ELEMENT_NODE;
}

std::string XmlNode::QualifiedName() const {
    switch (node_->type) {
        case XML_ELEMENT_NODE:
            break;
        case XML_TEXT_NODE:
            return "#text";
        case XML_CDATA_SECTION_NODE:
            return "#cdata-section";
        case XML_COMMENT_NODE:
            return "#comment";
        default:
            return std::string(View(node_->name));
    }
    std::string name(View(node_->name));
    if (node_->ns != nullptr && node_->ns->prefix != nullptr) {
        return std::string(View(node_->ns->prefix)) + ":" + name;
    }
    return name;
}

std::string_view XmlNode::LocalName() const {
    const std::string_view name = View(node_->name);
    return node_->ns != nullptr ? name : LocalPart(name);
}

std::string_view XmlNode::NamespaceURI() const {
    return node_->ns != nullptr ? View(node_->ns->href) : std::string_view();
}

bool XmlNode::HasName(std::string_view name) const {
    return IsElement() && ElementHasName(node_, name);
}

XmlNode XmlNode::FirstChild() const {
    return XmlNode(node_ != nullptr && node_->type == XML_ELEMENT_NODE
                       ? SkipBlankText(node_->children)
                       : nullptr);
}

XmlNode XmlNode::NextSibling() const {
    return XmlNode(node_->next);
}

int XmlNode::ChildCount() const {
    int count = 0;
    for (XmlNode child = FirstChild(); child; child = child.NextSibling()) {
        ++count;
    }
    return count;
}

XmlNode XmlNode::Find(std::string_view name) const {
    if (!IsElement()) {
        return XmlNode();
    }
    // Runs on raw nodes: readers look up a dozen names in every item. Blank text nodes
    // are no elements, so they need no skipping here.
    const xmlChar* own_namespace = node_->ns != nullptr ? node_->ns->href : nullptr;
    for (xmlNode* child = node_->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && ElementHasName(child, name) &&
            InNamespace(child, own_namespace)) {
            return XmlNode(child);
        }
    }
    return XmlNode();
}

XmlNode XmlNode::GetByName(std::string_view name) {
    if (!IsElement()) {
        throw EXmlError("Node cannot have child elements");
    }
    if (XmlNode found = Find(name)) {
        return found;
    }
    const std::string owned(name);
    xmlNode* created = xmlNewDocNode(node_->doc, nullptr,
                                     reinterpret_cast<const xmlChar*>(owned.c_str()), nullptr);
    if (created == nullptr) {
        throw std::bad_alloc();
    }
    xmlAddChild(node_, created);
    return XmlNode(created);
}

int XmlNode::AttributeCount() const {
    if (!IsElement()) {
        return 0;
    }
    int count = 0;
    for (const xmlNs* ns = node_->nsDef; ns != nullptr; ns = ns->next) {
        ++count;
    }
    for (const xmlAttr* attr = node_->properties; attr != nullptr; attr = attr->next) {
        ++count;
    }
    return count;
}

std::optional<std::string> XmlNode::Attribute(std::string_view name) const {
    if (!IsElement()) {
        return std::nullopt;
    }
    // A declaration "xmlns:p" has the local name "p"; the default one is named "xmlns".
    for (const xmlNs* ns = node_->nsDef; ns != nullptr; ns = ns->next) {
        const std::string_view prefix = View(ns->prefix);
        const bool matches = prefix.empty()
                                 ? name == "xmlns"
                                 : name == prefix || IsPrefixedName(name, "xmlns", prefix);
        if (matches) {
            return std::string(View(ns->href));
        }
    }
    for (xmlAttr* attr = node_->properties; attr != nullptr; attr = attr->next) {
        const std::string_view local = View(attr->name);
        const bool matches = local == name || (attr->ns != nullptr && attr->ns->prefix != nullptr &&
                                               IsPrefixedName(name, View(attr->ns->prefix), local));
        if (matches) {
            return AttributeText(attr);
        }
    }
    return std::nullopt;
}

std::optional<std::string> XmlNode::AttributeValue(std::string_view name) const {
    std::optional<std::string> value = Attribute(name);
    if (value && value->empty()) {
        return std::nullopt;
    }
    return value;
}

std::string XmlNode::Text() const {
    if (node_->type != XML_ELEMENT_NODE) {
        return std::string(View(node_->content));
    }
    const xmlNode* child = SkipBlankText(node_->children);
    if (child == nullptr) {
        return std::string();
    }
    if (SkipBlankText(child->next) != nullptr || !IsTextLike(child)) {
        throw EXmlError("Element does not contain a single text node");
    }
    return std::string(View(child->content));
}

std::optional<std::string> XmlNode::Value() const {
    std::string text = Text();
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace saver
