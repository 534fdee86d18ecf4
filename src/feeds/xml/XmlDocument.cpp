#include "feeds/xml/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <mutex>
#include <string>

#include "feeds/xml/EXmlError.h"

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
// because DTDLOAD is never set, and NONET shuts the network out as a second line. NOBLANKS
// drops most white-space-only text nodes while parsing; XmlNode skips the rest. COMPACT
// keeps short texts inside their nodes, which saves an allocation each: the only change we
// make to a parsed tree is appending new empty elements, which that allows.
constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOBLANKS |
                              XML_PARSE_COMPACT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

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

XmlDocument::ParserContext XmlDocument::NewContext() {
    ParserContext context(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!context) {
        throw std::bad_alloc();
    }
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    return context;
}

void XmlDocument::Adopt(ParserContext context, _xmlDoc* parsed) {
    std::unique_ptr<xmlDoc, Deleter> doc(parsed);
    if (!doc || !context->wellFormed || xmlDocGetRootElement(doc.get()) == nullptr) {
        throw EXmlError(ParseErrorMessage(context.get()));
    }
    doc_ = std::move(doc);
}

void XmlDocument::Load(std::string_view bytes) {
    doc_.reset();
    if (bytes.size() > INT_MAX) {
        throw EXmlError("XML parse error: document too large");
    }
    ParserContext context = NewContext();
    xmlDoc* parsed = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                       nullptr, nullptr, kParseOptions);
    Adopt(std::move(context), parsed);
}

XmlNode XmlDocument::Root() const {
    return XmlNode(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr);
}

}  // namespace saver
