#include "feeds/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <mutex>
#include <string>

#include "feeds/EXmlError.h"

namespace saver {
namespace {

// Every external resource (DTD, external entity) is refused, whatever a document asks.
xmlParserInputPtr RefuseExternalResource(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void IgnoreError(void*, xmlErrorPtr) {}

void InitLibxml() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalResource);
    });
}

// NOENT expands internal entities (libxml2 bounds the amplification); DTDs stay unloaded
// because DTDLOAD is never set, and NONET shuts the network out as a second line.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOBLANKS |
                              XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

bool IsBlank(const xmlChar* text) {
    for (; text != nullptr && *text != 0; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') {
            return false;
        }
    }
    return true;
}

// Drops the white-space-only text nodes that libxml2's own heuristic kept (those in
// mixed content or alone in an element). Walks the tree without recursion.
void DropBlankText(xmlNode* root) {
    xmlNode* node = root;
    while (node != nullptr) {
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr) {
            xmlNode* parent = node->parent;
            if (node->type == XML_TEXT_NODE && IsBlank(node->content)) {
                xmlUnlinkNode(node);
                xmlFreeNode(node);
            }
            node = parent;
        }
        if (node == root) {
            return;
        }
        xmlNode* next = node->next;
        if (node->type == XML_TEXT_NODE && IsBlank(node->content)) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

std::string ParseErrorMessage(xmlParserCtxtPtr ctxt) {
    const xmlError* error = xmlCtxtGetLastError(ctxt);
    if (error == nullptr || error->message == nullptr) {
        return "XML parse error";
    }
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return "XML parse error at line " + std::to_string(error->line) + ": " + message;
}

}  // namespace

void XmlDocument::Deleter::operator()(_xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

XmlDocument::XmlDocument() {
    InitLibxml();
}

XmlDocument::~XmlDocument() = default;

void XmlDocument::Load(std::string_view bytes) {
    doc_.reset();
    if (bytes.size() > INT_MAX) {
        throw EXmlError("XML parse error: document too large");
    }
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> ctxt(xmlNewParserCtxt(),
                                                                      xmlFreeParserCtxt);
    if (!ctxt) {
        throw std::bad_alloc();
    }
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    std::unique_ptr<xmlDoc, Deleter> doc(xmlCtxtReadMemory(
        ctxt.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, kParseOptions));
    if (!doc || !ctxt->wellFormed || xmlDocGetRootElement(doc.get()) == nullptr) {
        throw EXmlError(ParseErrorMessage(ctxt.get()));
    }
    DropBlankText(xmlDocGetRootElement(doc.get()));
    doc_ = std::move(doc);
}

XmlNode XmlDocument::Root() const {
    return XmlNode(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr);
}

}  // namespace saver
