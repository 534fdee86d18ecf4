#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "feeds/model/TRSSChannel.h"
#include "feeds/model/TRSSItem.h"
#include "feeds/model/TXMLType.h"
#include "feeds/xml/XmlDocument.h"

namespace saver {

// The feed component: loads one feed document, recognises its format (RSS 0.9x/2.0,
// RSS 1.0/RDF, Atom, RSS with iTunes podcast data) and reads it into Channel and Items.
// Errors (a malformed document, an unknown format, a reader's error) pass to the caller;
// the model then holds what was read before the error.
class TSimpleRSS {
  public:
    static constexpr std::string_view SimpleRSSVersion = "0.4.1";

    TSimpleRSS();

    TRSSChannel& Channel() { return *channel_; }
    TRSSItems& Items() { return *items_; }
    // The root's "version" attribute of the last document that had one.
    const std::string& Version() const { return version_; }
    TXMLType XMLType() const { return xml_type_; }
    XmlDocument& XMLFile() { return *xml_file_; }
    // The channel title and description as the ticker shows them; kept from earlier
    // documents when a document does not set them.
    const std::string& HeaderTitle() const { return header_title_; }
    const std::string& HeaderDescription() const { return header_description_; }

    // Raised after a parse that completed.
    std::function<void()> OnParseXML;

    // Reads the whole stream (from its start when it can seek) as a new document and
    // parses it with ParseXML.
    void LoadFromStream(std::istream& stream);
    // Replaces Channel and Items by fresh ones and reads the loaded document into them.
    void ParseXML();

  private:
    void ResetDocument();
    TXMLType DetectType(XmlNode root) const;
    void ReadHeaderTexts(XmlNode root);
    void ReadAtomHeaderTexts(XmlNode root);

    std::unique_ptr<TRSSChannel> channel_;
    std::unique_ptr<TRSSItems> items_;
    std::string version_ = "2.0";
    TXMLType xml_type_ = TXMLType::xtRSS;
    std::unique_ptr<XmlDocument> xml_file_;
    std::string header_title_;
    std::string header_description_;
};

}  // namespace saver
