#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "feeds/xml/EXmlError.h"
#include "feeds/xml/XmlDocument.h"

namespace saver {
namespace {

std::string ReadFixture(const std::string& name) {
    std::ifstream file(std::string(SAVER_TEST_DATA) + "/feeds/xml/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class XmlDocumentTest : public ::testing::Test {
  protected:
    XmlNode Load(std::string_view text) {
        document_.Load(text);
        return document_.Root();
    }
    XmlDocument document_;
};

TEST_F(XmlDocumentTest, NamesAndLookupRule) {
    XmlNode root = Load(
        "<rss xmlns:media='http://m/' xmlns:content='http://c/'><channel>"
        "<media:title>m</media:title><title>t</title><content:encoded>e</content:encoded>"
        "</channel></rss>");
    XmlNode channel = root.Find("channel");
    ASSERT_TRUE(channel);
    XmlNode first = channel.FirstChild();
    EXPECT_EQ(first.QualifiedName(), "media:title");
    EXPECT_EQ(first.LocalName(), "title");
    EXPECT_EQ(first.NamespaceURI(), "http://m/");
    // The first child whose qualified or local name matches.
    EXPECT_EQ(channel.Find("title").Text(), "m");
    EXPECT_EQ(channel.Find("media:title").Text(), "m");
    EXPECT_EQ(channel.Find("content:encoded").Text(), "e");
    EXPECT_EQ(channel.Find("encoded").Text(), "e");
    EXPECT_FALSE(channel.Find("Title"));
    EXPECT_EQ(channel.ChildCount(), 3);
}

TEST_F(XmlDocumentTest, ChildLookupStaysInTheParentsNamespace) {
    XmlNode root = Load(
        "<feed xmlns='http://www.w3.org/2005/Atom' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
        "<dc:title>dc</dc:title><title>atom</title></feed>");
    EXPECT_EQ(root.Find("title").Text(), "atom");
    EXPECT_FALSE(root.Find("dc:title"));
}

TEST_F(XmlDocumentTest, GetByNameCreatesAndAppendsMissingElements) {
    XmlNode root = Load("<feed><title>t</title></feed>");
    XmlNode created = root.GetByName("channel");
    EXPECT_EQ(created.QualifiedName(), "channel");
    EXPECT_EQ(created.Text(), "");
    EXPECT_EQ(root.ChildCount(), 2);
    EXPECT_EQ(root.GetByName("channel").ChildCount(), 0);
    EXPECT_EQ(root.ChildCount(), 2) << "found, not created again";
}

TEST_F(XmlDocumentTest, AttributesIncludeNamespaceDeclarations) {
    XmlNode root = Load(
        "<rss version='2.0' empty='' xmlns='http://d/' "
        "xmlns:itunes='http://www.itunes.com/dtds/podcast-1.0.dtd' xml:lang='en'/>");
    EXPECT_EQ(root.Attribute("itunes"), "http://www.itunes.com/dtds/podcast-1.0.dtd");
    EXPECT_EQ(root.Attribute("xmlns:itunes"), "http://www.itunes.com/dtds/podcast-1.0.dtd");
    EXPECT_EQ(root.Attribute("xmlns"), "http://d/");
    EXPECT_EQ(root.Attribute("version"), "2.0");
    EXPECT_EQ(root.Attribute("lang"), "en");
    EXPECT_EQ(root.Attribute("xml:lang"), "en");
    EXPECT_EQ(root.Attribute("missing"), std::nullopt);
    EXPECT_EQ(root.Attribute("empty"), "");
    EXPECT_EQ(root.AttributeValue("empty"), std::nullopt) << "empty counts as not given";
    EXPECT_EQ(root.AttributeCount(), 5);
}

TEST_F(XmlDocumentTest, TextRule) {
    XmlNode root = Load(
        "<r><empty/><text>a &amp; b</text><cdata><![CDATA[<b>x</b>]]></cdata>"
        "<mixed>a<b>c</b>d</mixed><element><b>c</b></element><comment><!--c-->t</comment>"
        "<blank>   </blank></r>");
    EXPECT_EQ(root.Find("empty").Text(), "");
    EXPECT_EQ(root.Find("empty").Value(), std::nullopt);
    EXPECT_EQ(root.Find("text").Text(), "a & b");
    EXPECT_EQ(root.Find("cdata").Text(), "<b>x</b>");
    for (const char* name : {"mixed", "element", "comment"}) {
        try {
            root.Find(name).Text();
            ADD_FAILURE() << name << " gave a text";
        } catch (const EXmlError& error) {
            EXPECT_STREQ(error.what(), "Element does not contain a single text node");
        }
    }
    EXPECT_EQ(root.Find("mixed").FirstChild().Text(), "a");
    EXPECT_EQ(root.Find("blank").Value(), std::nullopt);
}

TEST_F(XmlDocumentTest, WhitespaceBetweenElementsIsNotKept) {
    XmlNode root = Load("<r>\n  <a>x</a>\n  <b> y </b>\n</r>");
    EXPECT_EQ(root.ChildCount(), 2);
    EXPECT_EQ(root.FirstChild().QualifiedName(), "a");
    EXPECT_EQ(root.Find("b").Text(), " y ");
}

TEST_F(XmlDocumentTest, EncodingComesFromTheDocument) {
    EXPECT_EQ(Load(ReadFixture("latin1.xml")).Find("channel").Find("title").Text(), "Caf\xC3\xA9");
    // UTF-16 little-endian with a byte-order mark.
    const std::u16string text = u"\uFEFF<r>\u00e9\u4e2d</r>";
    const std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    EXPECT_EQ(Load(bytes).Text(), "\xC3\xA9\xE4\xB8\xAD");
}

TEST_F(XmlDocumentTest, MalformedDocumentsRaiseWithALine) {
    for (const char* bad : {"", "<r>", "<a></b>", "not xml", "<r>&undefined;</r>"}) {
        EXPECT_THROW(Load(bad), EXmlError) << bad;
        EXPECT_TRUE(document_.IsEmpty());
    }
    try {
        Load("<r>\n<a></b></r>");
    } catch (const EXmlError& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
}

TEST_F(XmlDocumentTest, InternalEntitiesAreExpanded) {
    EXPECT_EQ(Load(ReadFixture("internal_entity.xml")).Find("channel").Find("title").Text(),
              "Example News today");
}

TEST_F(XmlDocumentTest, ExternalResourcesAreNeverLoaded) {
    // The fixtures refer to files beside them; the parse runs with that folder current.
    const std::string saved = std::filesystem::current_path();
    std::filesystem::current_path(std::string(SAVER_TEST_DATA) + "/feeds/xml");
    const std::string entity = ReadFixture("external_entity.xml");
    const std::string dtd = ReadFixture("external_dtd.xml");
    std::string title;
    try {
        title = Load(entity).Find("channel").Find("title").Text();
    } catch (const EXmlError&) {
    }
    EXPECT_EQ(title.find("TOP-SECRET"), std::string::npos);
    XmlNode root = Load(dtd);
    EXPECT_EQ(root.Attribute("version"), std::nullopt) << "no default attribute from the DTD";
    std::filesystem::current_path(saved);
}

TEST_F(XmlDocumentTest, HostileDocumentsAreRejectedQuickly) {
    EXPECT_THROW(Load(ReadFixture("billion_laughs.xml")), EXmlError);
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    EXPECT_THROW(Load(deep), EXmlError);
}

}  // namespace
}  // namespace saver
