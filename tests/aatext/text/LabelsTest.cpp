#include <gtest/gtest.h>

#include <map>

#include "aatext/text/TFontLabels.h"
#include "aatext/text/TUserLabels.h"
#include "platform/Registry.h"

namespace saver {
namespace {

// A registry holding only what a test puts in.
class FakeRegistry : public Registry {
  public:
    std::map<std::string, RegistryValue> values;  // "key|name"
    bool KeyExists(RegistryHive, const std::string&) const override { return true; }
    std::optional<RegistryValue> ReadValue(RegistryHive hive, const std::string& key,
                                           const std::string& name) const override {
        if (hive != RegistryHive::LocalMachine) {
            return std::nullopt;
        }
        auto found = values.find(key + "|" + name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool WriteValue(RegistryHive, const std::string&, const std::string&,
                    const RegistryValue&) override {
        return false;
    }
};

const std::string kKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(Labels, NamesAreUniqueWithoutRegardToCase) {
    TUserLabels labels(nullptr);
    labels.AddStandardLabels();
    int changes = 0;
    labels.OnChange = [&] { ++changes; };
    EXPECT_EQ(labels.IndexOfName("DATE"), 6);
    EXPECT_EQ(labels.IndexOfName("nope"), -1);
    TUserLabel& time = labels[labels.IndexOfName("Time")];
    try {
        time.SetName("date");
        ADD_FAILURE() << "rename to a taken name was accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Duplicate string!");
    }
    EXPECT_EQ(time.Name(), "Time");
    EXPECT_EQ(changes, 0);
    time.SetName("TIME");  // its own name in another case is fine
    labels.Add("");
    labels.Add("");  // empty names are not checked
    EXPECT_EQ(changes, 3);
    TFontLabels fonts;
    fonts.Add("Text1");
    EXPECT_THROW(fonts.Add("TEXT1"), std::invalid_argument);
}

TEST(FontTags, EachLabelsFirstTagIsRemovedAndTheLastLabelDecides) {
    TFontLabels fonts;
    fonts.Add("Title1").SetFont(TFont{.Name = "Verdana", .Height = 19});
    fonts.Add("Text1").SetFont(TFont{.Name = "Arial", .Height = 13});
    fonts[1].Effect().SetAlpha(40);
    struct Case {
        const char* name;
        std::string line;
        std::string display;
        int height;  // of the chosen font; 5 = unchanged
    };
    const std::vector<Case> cases = {
        {"case-blind tag", "<title1>News", "News", 19},
        {"second occurrence stays", "<Title1>a<Title1>b", "a<Title1>b", 19},
        {"collection order decides", "<Text1><Title1>x", "x", 13},
        {"unknown name stays", "<Other>x", "<Other>x", 5},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        TFont font{.Height = 5};
        TAAEffect effect;
        fonts.ApplyFontTags(line, font, effect);
        EXPECT_EQ(line, c.display) << c.name;
        EXPECT_EQ(font.Height, c.height) << c.name;
    }
    std::string line = "<Text1>y";
    TFont font;
    TAAEffect effect;
    fonts.ApplyFontTags(line, font, effect);
    EXPECT_EQ(effect.Alpha(), 40);
}

TEST(LabelTags, ReplaceTextOrSetTheAlignment) {
    FakeRegistry registry;
    registry.values[kKey + "|RegisteredOwner"] = std::string("Ada");
    registry.values[kKey + "|RegisteredOrganization"] = std::string("Engines Ltd");
    TUserLabels labels(&registry);
    labels.AddStandardLabels();
    labels.SetAppTitle("Saver");
    labels.SetClock([] { return std::time_t{86400 * 400}; });
    TUserLabel& custom = labels.Add("Me");
    custom.SetText("<Owner>!");  // inserted text is searched by later labels only
    TUserLabel& shout = labels.Add("Shout");
    shout.SetText("hi");
    shout.OnGetText = [](TUserLabel&, std::string& text) { text += "!!"; };
    labels[labels.IndexOfName("Date")].SetText("ignored: not a custom label");

    struct Case {
        std::string line;
        std::string display;
        TAlignment alignment;
    };
    const std::vector<Case> cases = {
        {"<Right>text", "text", taRightJustify},
        {"<left>a<Center>b", "ab", taCenter},
        {"by <Owner> of <Organization>", "by Ada of Engines Ltd", taCenter},
        {"<AppTitle>", "Saver", taCenter},
        {"<Me> <Shout>", "<Owner>! hi!!", taCenter},
        {"<Date> stays", labels.FormatNow("%x") + " stays", taCenter},
        {"<Time>", labels.FormatNow("%X"), taCenter},
        {"<unknown>", "<unknown>", taCenter},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        TAlignment alignment = taCenter;
        labels.ApplyLabelTags(line, alignment);
        EXPECT_EQ(line, c.display) << c.line;
        EXPECT_EQ(alignment, c.alignment) << c.line;
    }
    EXPECT_EQ(labels.FormatNow("%Y"), "1971");
}

TEST(LabelTags, OwnerFallsBackToTheUserName) {
    FakeRegistry registry;
    registry.values[kKey + "|RegisteredOrganization"] = std::string("Org");
    TUserLabels with_org(&registry);
    EXPECT_FALSE(with_org.RegOwner().empty());
    EXPECT_EQ(with_org.RegOwner(), LoggedOnUserName());
    EXPECT_EQ(with_org.RegOrganization(), "Org");
    TUserLabels without(nullptr);
    EXPECT_EQ(without.RegOwner(), LoggedOnUserName());
    EXPECT_EQ(without.RegOrganization(), "");
}

}  // namespace
}  // namespace saver
