#pragma once

#include <memory>
#include <string_view>

#include "feeds/xml/XmlNode.h"

struct _xmlDoc;
struct _xmlParserCtxt;

namespace saver {

// An XML document parsed by libxml2, with texts in UTF-8 whatever the document's own
// encoding (taken from its declaration or byte-order mark). Parsing never touches the
// network or the file system: no DTD and no external entity is ever loaded, internal
// entities are expanded within libxml2's amplification limits, and nesting deeper than
// libxml2's limit is refused. Text nodes made only of white space are not seen (XmlNode
// skips them), so the first child of an element is its first real node.
class XmlDocument {
  public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Replaces the document by the one in `bytes`; raises EXmlError with libxml2's message
    // and line when the bytes are not a well-formed document (the document is then empty).
    void Load(std::string_view bytes);
    bool IsEmpty() const { return doc_ == nullptr; }
    // The root element; the null node for an empty document.
    XmlNode Root() const;

  private:
    using ParserContext = std::unique_ptr<_xmlParserCtxt, void (*)(_xmlParserCtxt*)>;
    static ParserContext NewContext();
    void Adopt(ParserContext context, _xmlDoc* parsed);

    struct Deleter {
        void operator()(_xmlDoc* doc) const;
    };
    std::unique_ptr<_xmlDoc, Deleter> doc_;
};

}  // namespace saver
