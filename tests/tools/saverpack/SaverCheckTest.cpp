#include "SaverCheck.h"

#include "base/Text.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace saver {
namespace {

// Checks the settings `ini` with a content folder holding welcome.htm and a package item
// big.jpg; the warnings come back with the test folder's path taken out.
class SaverCheckTest : public ::testing::Test {
  protected:
    SaverCheckTest() {
        root.Write("content/welcome.htm", "<p>Welcome</p>");
        root.Write("big.jpg", "picture");
    }

    std::vector<std::string> Check(const std::string& ini) {
        root.Write("Holiday.ini", ini);
        std::vector<std::string> lines =
            CheckSaver(GatherSources(root / "Holiday.ini", root / "content", {{root / "big.jpg"}}));
        for (std::string& line : lines) {
            line = ReplaceAll(line, root.Path(), "");
        }
        return lines;
    }

    test::TempFolder root;
};

TEST_F(SaverCheckTest, BadSettingsGiveOneWarningLineEach) {
    struct Case {
        const char* ini;
        const char* warning;
    };
    const Case cases[] = {
        // Misspelt keys and sections are read past; the nearest known name helps.
        {"[Set]\nWebIntervall=5\n",
         "Holiday.ini:2: warning: [Set] WebIntervall: unknown key, which the saver reads past; "
         "the nearest known one is WebInterval"},
        {"[Set]\n\nKeybordPress=1\n",
         "Holiday.ini:3: warning: [Set] KeybordPress: unknown key, which the saver reads past; "
         "the nearest known one is KeyboardPress"},
        {"; my saver\n[Settings]\nWebInterval=5\n",
         "Holiday.ini:2: warning: [Settings]: unknown section, which the saver reads past; the "
         "nearest known one is [Set]"},
        // Numbers where numbers are read, within what the settings dialog allows.
        {"[Set]\nWebInterval=0\n",
         "Holiday.ini:2: warning: [Set] WebInterval: 0 lies outside 1..10000, the values "
         "allowed here; the saver uses 1"},
        {"[Set]\nWebInterval=20000\n",
         "Holiday.ini:2: warning: [Set] WebInterval: 20000 lies outside 1..10000, the values "
         "allowed here"},
        {"[Set]\nBlogInterval=-3\n",
         "Holiday.ini:2: warning: [Set] BlogInterval: -3 lies outside 1..10000, the values "
         "allowed here; the saver uses 1"},
        {"[Set]\nBlogListBlendValue=300\n",
         "Holiday.ini:2: warning: [Set] BlogListBlendValue: 300 lies outside 0..255, the values "
         "allowed here; the saver uses 255"},
        {"[Set]\nWebSequence=3\n",
         "Holiday.ini:2: warning: [Set] WebSequence: 3 lies outside 0..2, the values allowed "
         "here"},
        {"[Set]\nWebInterval=ten\n",
         "Holiday.ini:2: warning: [Set] WebInterval: \"ten\" is not a number, so the saver uses "
         "the default 10"},
        {"[Set]\nMousePress=\n",
         "Holiday.ini:2: warning: [Set] MousePress: no value, so the saver uses the default 1"},
        {"[usefeed]\nNews=yes\n",
         "Holiday.ini:2: warning: [usefeed] News: \"yes\" is not a number, so the saver uses "
         "the default 1"},
        // Content items that resolve to nothing.
        {"[Web]\nmissing.htm=1\n",
         "Holiday.ini:2: warning: [Web] missing.htm: in neither the package nor an existing "
         "local path, and not an address"},
        {"[Web]\n(Resource) nothere.css=1\n",
         "Holiday.ini:2: warning: [Web] (Resource) nothere.css: in neither the package nor an "
         "existing local path, and not an address"},
        {"[Music]\n(URL) /no/such/song.mp3=1\n",
         "Holiday.ini:2: warning: [Music] (URL) /no/such/song.mp3: in neither the package nor "
         "an existing local path, and not an address"},
        // Prefixes count only in their exact letter case.
        {"[Web]\n(url) http://a.test/=1\n",
         "Holiday.ini:2: warning: [Web] (url) http://a.test/: the prefix must be written "
         "\"(URL) \" (this letter case, one blank), or the saver takes it for part of the name"},
        {"[Web]\n(File)welcome.htm=1\n",
         "Holiday.ini:2: warning: [Web] (File)welcome.htm: the prefix must be written \"(File) \" "
         "(this letter case, one blank), or the saver takes it for part of the name"},
        // An entry without "=" is an entry without a name: a blank page in the show.
        {"[Web]\nwelcome.htm\n",
         "Holiday.ini:2: warning: [Web] welcome.htm: no \"=\" on the line, so the saver reads an "
         "entry without a name (write NAME=VALUE, such as welcome.htm=1)"},
        {"[Web]\n=1\n", "Holiday.ini:2: warning: [Web]: an entry without a name: \"=1\""},
        {"[Web]\nwelcome.htm=on\n",
         "Holiday.ini:2: warning: [Web] welcome.htm: \"on\" is not a number, so the saver uses "
         "the default 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Check(c.ini), std::vector<std::string>{c.warning}) << c.ini;
    }
}

TEST_F(SaverCheckTest, AGoodSaverGivesNoWarnings) {
    EXPECT_EQ(Check("[set]\nwebinterval=0x10\nWebSequence=2\nScrName=Holiday\n"
                    "[feeds]\nNews=http://n.test/rss\n[usefeed]\nNews=0\n"
                    "[Web]\n(URL) http://a.test/?q**1=1\nhttps://b.test/=1\nwelcome.htm=1\n"
                    "(File) welcome.htm=1\n(Resource) big.jpg=1\nmissing.htm=0\n"
                    "(Favorites) /=1\n[Caption]\nText=hi\n"),
              std::vector<std::string>{});
}

// Several findings come in the order of the file, whichever section they are in.
TEST_F(SaverCheckTest, WarningsFollowTheFileOrder) {
    const std::vector<std::string> lines =
        Check("[Set]\nWebInterval=0\n[Web]\nnone.htm=1\n[set]\nFoo=1\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].starts_with("Holiday.ini:2:"));
    EXPECT_TRUE(lines[1].starts_with("Holiday.ini:4:"));
    EXPECT_TRUE(lines[2].starts_with("Holiday.ini:6:"));
}

// The package keeps no folders: references of pages and style sheets to sub-folders
// break, and so do references to files the package does not put beside the pages.
TEST_F(SaverCheckTest, PagesThatNeedFoldersAreNamed) {
    root.Write("content/beach.htm",
               "<html><head>\n<link rel=stylesheet href=\"css/style.css\">\n</head>\n"
               "<body style=\"background: url('img/sand.png')\">\n"
               "<img src='img/beach.jpg' alt=\"x\"> <img SRC = ./welcome.htm>\n"
               "<a href=\"http://a.test/x/y.htm\">a</a> <a href=\"#top\">t</a>\n"
               "<img data-src=\"img/lazy.jpg\"> <img src=\"big.jpg\"> <img src=\"gone.png\">\n"
               "<a href=\"my%20page.htm?x=1#y\">p</a> <img src=\"data:image/png;base64,xx\">\n");
    root.Write("content/css/style.css", "body {\n background: url(../img/sand.png);\n}\n");
    root.Write("content/img/beach.jpg", "jpg");
    root.Write("content/img/sand.png", "png");
    root.Write("content/my page.htm", "<p>");
    const std::vector<std::string> expected = {
        "content/beach.htm:2: warning: \"css/style.css\" names a folder, but the package keeps "
        "none, so the page will not find it (the package holds style.css beside the page: write "
        "\"style.css\")",
        "content/beach.htm:4: warning: \"img/sand.png\" names a folder, but the package keeps "
        "none, so the page will not find it (the package holds sand.png beside the page: write "
        "\"sand.png\")",
        "content/beach.htm:5: warning: \"img/beach.jpg\" names a folder, but the package keeps "
        "none, so the page will not find it (the package holds beach.jpg beside the page: write "
        "\"beach.jpg\")",
        "content/beach.htm:7: warning: \"gone.png\" is not in the package, so the page will not "
        "find it",
        "content/css/style.css:2: warning: \"../img/sand.png\" names a folder, but the package "
        "keeps none, so the page will not find it (the package holds sand.png beside the page: "
        "write \"sand.png\")",
    };
    EXPECT_EQ(Check("[Web]\nbeach.htm=1\n(Resource) big.jpg=1\n"), expected);
}

// A package item reaches the pages' folder only when a list unpacks it as a resource.
TEST_F(SaverCheckTest, PackageItemsAreBesideThePagesOnlyAsResources) {
    root.Write("content/page.htm", "<img src=\"big.jpg\">");
    EXPECT_EQ(Check("[Web]\npage.htm=1\n(File) big.jpg=1\n"),
              std::vector<std::string>{"content/page.htm:1: warning: \"big.jpg\" is not in the "
                                       "package, so the page will not find it"});
    EXPECT_EQ(Check("[Web]\npage.htm=1\n(Resource) big.jpg=1\n"), std::vector<std::string>{});
}

// A zipped library is unpacked into the system folder only where the user may write
// there and is not root: the author is told where it lands otherwise.
TEST_F(SaverCheckTest, AZippedMpegLibraryIsWarnedAbout) {
    root.Write("Holiday.ini", "[Set]\n");
    const std::string library = root.Write("libmpegdll.so", "code");
    for (bool not_zip : {false, true}) {
        std::vector<std::string> warnings = CheckSaver(
            GatherSources(root / "Holiday.ini", "", {{library, not_zip, "MPEGDLL.DLL"}}));
        EXPECT_EQ(warnings.size(), not_zip ? 0u : 1u);
        if (!not_zip && !warnings.empty()) {
            EXPECT_NE(warnings[0].find("the MPEG audio library is zipped"), std::string::npos)
                << warnings[0];
            EXPECT_NE(warnings[0].find("private working folder"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace saver
