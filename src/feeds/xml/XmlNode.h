#pragma once

#include <optional>
#include <string>
#include <string_view>

struct _xmlNode;

namespace saver {

// A handle on one node of an XmlDocument (element, text, CDATA, comment ...). It does not
// own the node: it stays valid as long as the document it came from. A default-constructed
// handle is the null node, which is what Find returns when nothing matches.
class XmlNode {
  public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : node_(node) {}

    explicit operator bool() const { return node_ != nullptr; }
    bool IsElement() const;

    // "content:encoded" for a prefixed element, "title" for one without prefix.
    std::string QualifiedName() const;
    // The name without its prefix: "encoded".
    std::string_view LocalName() const;
    // The namespace URI of the element, empty when it has none.
    std::string_view NamespaceURI() const;
    // The name lookup rule: the qualified or the local name equals `name` (case-sensitive).
    bool HasName(std::string_view name) const;

    // Child nodes of every kind, in document order.
    XmlNode FirstChild() const;
    XmlNode NextSibling() const;
    int ChildCount() const;
    bool HasChildNodes() const { return static_cast<bool>(FirstChild()); }

    // The first child element matching `name` by the lookup rule; when this element has a
    // namespace, only children in that same namespace are considered. Null when none.
    XmlNode Find(std::string_view name) const;
    // As Find, but a missing element is created empty, appended and returned.
    XmlNode GetByName(std::string_view name);

    // Attributes, with the namespace declarations of the element listed first as if they
    // were attributes ("xmlns:itunes" is found by the name "itunes").
    int AttributeCount() const;
    // The raw value of the first attribute matching `name`; nullopt when there is none.
    std::optional<std::string> Attribute(std::string_view name) const;
    // The attribute's value when present and not empty ("present and given").
    std::optional<std::string> AttributeValue(std::string_view name) const;

    // The text rule: an element without children has the empty text, one whose only child
    // is a text or CDATA node has that node's text; any other element raises EXmlError.
    // Text, CDATA and comment nodes give their content.
    std::string Text() const;
    // The text, with an empty text counting as not given.
    std::optional<std::string> Value() const;

    // Iteration over the child nodes: `for (XmlNode child : node.Children())`.
    class Iterator;
    class Range;
    Range Children() const;

  private:
    _xmlNode* node_ = nullptr;
};

class XmlNode::Iterator {
  public:
    explicit Iterator(XmlNode node) : node_(node) {}
    XmlNode operator*() const { return node_; }
    Iterator& operator++() {
        node_ = node_.NextSibling();
        return *this;
    }
    bool operator!=(const Iterator& other) const { return node_.node_ != other.node_.node_; }

  private:
    XmlNode node_;
};

class XmlNode::Range {
  public:
    explicit Range(XmlNode first) : first_(first) {}
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(XmlNode()); }

  private:
    XmlNode first_;
};

inline XmlNode::Range XmlNode::Children() const {
    return Range(FirstChild());
}

}  // namespace saver
