#include "feeds/readers/TSimpleRSS.h"

#include <initializer_list>

#include "feeds/readers/ESimpleRSSException.h"
#include "feeds/readers/ReaderSupport.h"
#include "feeds/readers/TSimpleParserAtom.h"
#include "feeds/readers/TSimpleParserRDF.h"
#include "feeds/readers/TSimpleParserRSS.h"
#include "feeds/readers/TSimpleParseriTunes.h"

namespace saver {
namespace {

// The whole stream, from its start when it can seek. libxml2 parses a document held in
// memory markedly faster than one fed through its input callbacks.
std::string ReadAll(std::istream& stream) {
    stream.clear();
    std::string bytes;
    if (stream.seekg(0, std::ios::end)) {
        const std::streamoff size = stream.tellg();
        stream.seekg(0);
        if (size > 0) {
            bytes.reserve(static_cast<size_t>(size));
        }
    }
    stream.clear();
    char chunk[65536];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(stream.gcount()));
    }
    return bytes;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::unique_ptr<TSimpleParserBase> MakeReader(TXMLType type, TSimpleRSS& rss) {
    switch (type) {
        case TXMLType::xtRDF:
            return std::make_unique<TSimpleParserRDF>(rss);
        case TXMLType::xtAtom:
            return std::make_unique<TSimpleParserAtom>(rss);
        case TXMLType::xtiTunes:
            return std::make_unique<TSimpleParseriTunes>(rss);
        case TXMLType::xtRSS:
            break;
    }
    return std::make_unique<TSimpleParserRSS>(rss);
}

}  // namespace

TSimpleRSS::TSimpleRSS()
    : channel_(std::make_unique<TRSSChannel>()),
      items_(std::make_unique<TRSSItems>()),
      xml_file_(std::make_unique<XmlDocument>()) {}

void TSimpleRSS::ResetDocument() {
    xml_file_ = std::make_unique<XmlDocument>();
}

void TSimpleRSS::LoadFromStream(std::istream& stream) {
    ResetDocument();
    xml_file_->Load(ReadAll(stream));
    ParseXML();
}

TXMLType TSimpleRSS::DetectType(XmlNode root) const {
    const std::string name = LowerAscii(root.QualifiedName());
    if (name == "rdf:rdf") {
        return TXMLType::xtRDF;
    }
    if (name == "rss") {
        return root.AttributeValue("itunes") ? TXMLType::xtiTunes : TXMLType::xtRSS;
    }
    if (name == "feed") {
        return TXMLType::xtAtom;
    }
    throw ESimpleRSSException("unkown format: " + root.QualifiedName());
}

// The header texts the ticker shows. Reading them creates the channel element and its
// "title", "description", "link" and date children where they are missing; any error
// stops the reading and is swallowed.
void TSimpleRSS::ReadHeaderTexts(XmlNode root) {
    if (xml_type_ == TXMLType::xtAtom) {
        ReadAtomHeaderTexts(root);
        return;
    }
    Guarded([&] {
        XmlNode channel =
            xml_type_ == TXMLType::xtRDF ? root.FirstChild() : root.GetByName("channel");
        header_title_ = channel.GetByName("title").Text();
        header_description_ = channel.GetByName("description").Text();
        channel.GetByName("link").Text();
        channel.GetByName(xml_type_ == TXMLType::xtRDF ? "dc:date" : "pubDate").Text();
    });
}

// An Atom feed has no channel element: its title and subtitle ("tagline" in Atom 0.3)
// stand in the feed element, or in its "head" (Atom 0.3 drafts). Nothing is created.
void TSimpleRSS::ReadAtomHeaderTexts(XmlNode root) {
    const XmlNode head = root.Find("head");
    const XmlNode feed = head ? head : root;
    auto text_of = [&feed](std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) {
            if (XmlNode element = feed.Find(name)) {
                return element.Text();
            }
        }
        return std::string();
    };
    header_title_.clear();
    header_description_.clear();
    Guarded([&] { header_title_ = text_of({"title"}); });
    Guarded([&] { header_description_ = text_of({"subtitle", "tagline"}); });
}

void TSimpleRSS::ParseXML() {
    channel_ = std::make_unique<TRSSChannel>();
    items_ = std::make_unique<TRSSItems>();
    XmlNode root = xml_file_->Root();
    if (!root) {
        throw ESimpleRSSException("unkown format: ");
    }
    xml_type_ = DetectType(root);
    if (std::optional<std::string> version = root.AttributeValue("version")) {
        version_ = std::move(*version);
    }
    ReadHeaderTexts(root);
    MakeReader(xml_type_, *this)->Parse();
    if (OnParseXML) {
        OnParseXML();
    }
}

}  // namespace saver
