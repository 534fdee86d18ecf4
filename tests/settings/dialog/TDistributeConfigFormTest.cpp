#include "settings/dialog/TDistributeConfigForm.h"

#include "settings/RegistryOverrides.h"
#include "settings/SaverSettingsFile.h"

#include "support/FakePlatform.h"
#include "support/FakeSettingsDialogWindow.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace saver {
namespace {

using test::FakeRegistry;
using test::FakeSettingsDialogWindow;
using test::FakeShell;
using test::ReadFile;
using test::TempFolder;

constexpr const char* kKey = "\\Software\\Quillmont\\test.scr";

// One dialog over a settings file in a temporary folder, with fakes for the rest.
struct Dialog {
    explicit Dialog(const std::string& ini, bool package = true) {
        settings_path = folder.Write("saver.ini", ini);
        file = IniFile::Load(settings_path);
        settings.FeedList = BuildFeedList(file);
        ReadSettingKeys(file, settings);
        for (const std::string& item : file.SectionKeys("Music")) {
            settings.Music.push_back(item);
        }
        package_present = package;
    }

    TDistributeConfigForm& Form() {
        if (!form) {
            form = std::make_unique<TDistributeConfigForm>(
                SettingsDialogEnvironment{
                    settings, file, settings_path, package_present, folder.Path(),
                    [this](std::string& item) {
                        item = folder / item;
                        return resolvable.empty() || resolvable == item;
                    },
                    [this](const std::string& path) {
                        return path == folder / "banner.jpg" && banner_loads
                                   ? std::optional<Picture>(Picture{2, 1, {1, 2, 3, 4, 5, 6}})
                                   : std::nullopt;
                    },
                    registry, kKey, shell},
                window);
            form->Run();
        }
        return *form;
    }
    SettingsDialogControls& Controls() { return Form().Controls(); }

    TempFolder folder;
    std::string settings_path;
    IniFile file;
    TSaverSetting settings;
    bool package_present = true;
    std::string resolvable;  // the one item path that resolves; empty: every one
    bool banner_loads = true;
    FakeRegistry registry;
    FakeShell shell;
    FakeSettingsDialogWindow window;
    std::unique_ptr<TDistributeConfigForm> form;
};

TEST(TDistributeConfigFormTest, FillsTheControlsFromTheSettings) {
    Dialog dialog(
        "[Set]\nScrName=Ocean\nAuthor=Ann\nWebSequence=1\nWebInterval=30\nWebShowStatus=0\n"
        "WebLastPage=1\nMouseMove=1\nMousePress=0\nKeyboardPress=1\nUseFeed=1\n"
        "[feeds]\nNews=http://127.0.0.1/feed\n[Music]\nsong.mp3=1\n");
    dialog.folder.Write("readme.txt", "Read me");
    const SettingsDialogControls& c = dialog.Controls();
    EXPECT_EQ(dialog.window.runs, 1);
    EXPECT_EQ(c.caption, "Web Saver Setting - Ocean");
    EXPECT_EQ(c.title, "Ocean");
    EXPECT_EQ(c.readme, "Read me");
    EXPECT_EQ(c.page, dpOptions);
    EXPECT_EQ(c.sequence, 1);
    EXPECT_EQ(c.interval, 30);
    EXPECT_FALSE(c.web_status.checked);
    EXPECT_TRUE(c.web_last_page.checked);
    EXPECT_TRUE(c.rss.visible && c.rss.checked);
    EXPECT_TRUE(c.play_music.visible && c.play_music.checked);
    EXPECT_TRUE(c.mouse_move.checked && c.mouse_move.enabled);
    EXPECT_FALSE(c.mouse_press.checked);
    EXPECT_EQ(c.hint_pause_ms, 100);
    EXPECT_EQ(c.author.left, 476 - 3 * 6) << "right-aligned at 476";
}

TEST(TDistributeConfigFormTest, IntervalStaysInTheSpinFieldsRange) {
    for (auto [written, shown] : {std::pair{0, 1}, {-5, 1}, {10000, 10000}, {20000, 10000}}) {
        Dialog dialog("[Set]\nWebInterval=" + std::to_string(written) + "\n");
        EXPECT_EQ(dialog.Controls().interval, shown) << written;
        dialog.Form()._BtnOKClick();
        EXPECT_EQ(dialog.settings.WebInterval, shown) << written;
    }
}

// The settings after the user's changes and OK, for one saver.
struct OkCase {
    const char* name;
    const char* ini;
    std::function<void(Dialog&)> check;
};

TEST(TDistributeConfigFormTest, EdgeCases) {
    const OkCase cases[] = {
        {"no feeds: no RSS box, and OK keeps UseFeed", "[Set]\nUseFeed=1\n",
         [](Dialog& d) {
             EXPECT_FALSE(d.Controls().rss.visible);
             d.Form()._BtnOKClick();
             EXPECT_TRUE(d.settings.UseFeed);
         }},
        {"no music: no music box, and OK stores PlayMusic as true", "[Set]\nPlayMusic=0\n",
         [](Dialog& d) {
             EXPECT_FALSE(d.Controls().play_music.visible);
             d.Form()._BtnOKClick();
             EXPECT_TRUE(d.settings.PlayMusic);
         }},
        {"the Esc box greys out the event boxes but keeps their marks",
         "[Set]\nMouseMove=1\nMousePress=1\nKeyboardPress=0\n",
         [](Dialog& d) {
             d.Controls().esc_key.checked = true;
             d.Form().ShowCursorCheckClick();
             const SettingsDialogControls& c = d.Controls();
             for (const DialogCheckBox* box : {&c.mouse_move, &c.mouse_press, &c.keyboard}) {
                 EXPECT_FALSE(box->enabled);
             }
             EXPECT_TRUE(c.mouse_move.checked && c.mouse_press.checked);
             EXPECT_FALSE(c.keyboard.checked);
             EXPECT_GE(d.window.refreshes, 2);
             d.Controls().esc_key.checked = false;
             d.Form().ShowCursorCheckClick();
             EXPECT_TRUE(c.mouse_move.enabled);
         }},
        {"show cursor greys them out from the start", "[Set]\nShowCursor=1\n",
         [](Dialog& d) {
             EXPECT_FALSE(d.Controls().keyboard.enabled);
             d.Form()._BtnOKClick();
             EXPECT_TRUE(d.settings.KeyboardPress) << "disabled boxes count as checked";
         }},
        {"WebSequence 5 checks no button and OK stores 2", "[Set]\nWebSequence=5\n",
         [](Dialog& d) {
             EXPECT_EQ(d.Controls().sequence, -1);
             d.Form()._BtnOKClick();
             EXPECT_EQ(d.settings.WebSequence, 2);
         }},
        {"NoUserSetting without readme shows no tab", "[Set]\nNoUserSetting=1\n",
         [](Dialog& d) {
             EXPECT_EQ(d.Controls().tab_visible, (std::array{false, false, false}));
         }},
        {"a web site with http:// shows without it and opens whole",
         "[Set]\nWebsite=HTTP://www.example.org/ocean\nAuthor=Ann\n",
         [](Dialog& d) {
             EXPECT_EQ(d.Controls().website.text, "www.example.org/ocean");
             EXPECT_EQ(d.Controls().website.hint, "HTTP://www.example.org/ocean");
             d.Form()._TextWebsiteClick(d.Controls().website);
             EXPECT_EQ(d.shell.opened, std::vector<std::string>{"HTTP://www.example.org/ocean"});
             EXPECT_FALSE(d.Controls().author.link);
             EXPECT_EQ(d.Controls().author.top, 30);
         }},
        {"an e-mail address alone takes the web-site label", "[Set]\nScrEmail=ann@example.org\n",
         [](Dialog& d) {
             EXPECT_EQ(d.Controls().website.text, "ann@example.org");
             d.Form()._TextWebsiteClick(d.Controls().website);
             EXPECT_EQ(d.shell.opened, std::vector<std::string>{"mailto:ann@example.org"});
         }},
        {"an e-mail address beside a web site goes on the author line",
         "[Set]\nWebsite=www.example.org\nScrEmail=ann@example.org\nAuthor=Ann\n",
         [](Dialog& d) {
             EXPECT_TRUE(d.Controls().author.link);
             EXPECT_EQ(d.Controls().author.hint, "mailto:ann@example.org");
             EXPECT_EQ(d.Controls().website.hint, "www.example.org");
         }},
        {"neither: the author moves up to the web site's line", "[Set]\nAuthor=Ann\n",
         [](Dialog& d) {
             EXPECT_EQ(d.Controls().author.top, d.Controls().website.top);
             d.Form()._TextWebsiteClick(d.Controls().website);
             EXPECT_TRUE(d.shell.opened.empty()) << "an empty link opens nothing";
         }},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.name);
        Dialog dialog(c.ini);
        c.check(dialog);
    }
}

TEST(TDistributeConfigFormTest, NoUserSettingShowsOnlyTheReadme) {
    Dialog dialog("[Set]\nNoUserSetting=1\n");
    dialog.folder.Write("readme.txt", "Hello");
    EXPECT_EQ(dialog.Controls().tab_visible, (std::array{false, false, true}));
    EXPECT_EQ(dialog.Controls().page, dpReadme);
}

// The readme may be a large package item: it is read once the dialog is on the screen,
// unless the pages to show depend on it.
TEST(TDistributeConfigFormTest, ReadmeIsReadOnceTheDialogIsShown) {
    for (const bool no_user_setting : {false, true}) {
        Dialog dialog(no_user_setting ? "[Set]\nNoUserSetting=1\n" : "[Set]\n");
        dialog.folder.Write("readme.txt", "Read me");
        dialog.window.reports_shown = false;
        EXPECT_EQ(dialog.Controls().readme, no_user_setting ? "Read me" : "") << no_user_setting;
        dialog.Form().DialogShown();
        EXPECT_EQ(dialog.Controls().readme, "Read me") << no_user_setting;
    }
}

TEST(TDistributeConfigFormTest, ReadmeWithoutPackageComesFromTheSampleFolder) {
    Dialog dialog("[Set]\n", /*package=*/false);
    dialog.resolvable = "none";  // content resolution is not asked
    dialog.folder.Write("readme.txt", "Caf\xE9");
    EXPECT_EQ(dialog.Controls().readme, "Caf\xC3\xA9") << "Windows-1252 read as such";
}

TEST(TDistributeConfigFormTest, Banner) {
    struct Case {
        const char* name;
        const char* ini;
        bool resolves;
        bool loads;
        bool visible;
    };
    const Case cases[] = {
        {"shown", "[Set]\nBuild_UseBanner=1\nBuild_BannerImage=banner.jpg\n", true, true, true},
        {"switched off", "[Set]\nBuild_BannerImage=banner.jpg\n", true, true, false},
        {"not available", "[Set]\nBuild_UseBanner=1\nBuild_BannerImage=banner.jpg\n", false, true,
         false},
        {"does not load", "[Set]\nBuild_UseBanner=1\nBuild_BannerImage=banner.jpg\n", true, false,
         false},
    };
    for (const Case& c : cases) {
        Dialog dialog(c.ini);
        dialog.resolvable = c.resolves ? "" : "nothing";
        dialog.banner_loads = c.loads;
        EXPECT_EQ(dialog.Controls().banner.visible, c.visible) << c.name;
    }
    Dialog dialog(
        "[Set]\nBuild_UseBanner=1\nBuild_BannerImage=banner.jpg\nBuild_HideTitle=1\n"
        "Build_BannerTips=Visit us\nBuild_BannerURL=www.example.org\n");
    const DialogBanner& banner = dialog.Controls().banner;
    EXPECT_EQ(banner.width, 2);
    EXPECT_EQ(banner.rgb.size(), 6u);
    EXPECT_TRUE(banner.in_front && banner.hand_cursor);
    EXPECT_EQ(banner.hint, "Visit us");
    dialog.Form().BannerImageClick();
    EXPECT_EQ(dialog.shell.opened, std::vector<std::string>{"http://www.example.org"});
}

TEST(TDistributeConfigFormTest, BannerClickOpensAddressesAsTheyAre) {
    for (const char* url : {"https://example.org/a", ""}) {
        Dialog dialog(std::string("[Set]\nBuild_BannerURL=") + url + "\n");
        dialog.Form().BannerImageClick();
        EXPECT_EQ(dialog.shell.opened.size(), url[0] != '\0' ? 1u : 0u);
        if (!dialog.shell.opened.empty()) {
            EXPECT_EQ(dialog.shell.opened[0], url);
        }
    }
}

TEST(TDistributeConfigFormTest, OkStoresInTheFileAndTheRegistry) {
    Dialog dialog("[Set]\nWebInterval=10\nAuthor=Ann\n[Web]\npage.htm=1\n");
    SettingsDialogControls& c = dialog.Controls();
    c.interval = 45;
    c.sequence = 0;
    c.mouse_move.checked = true;
    dialog.Form()._BtnOKClick();
    EXPECT_EQ(dialog.window.closes, 1);
    EXPECT_TRUE(dialog.window.messages.empty());
    const IniFile stored = IniFile::Load(dialog.settings_path);
    EXPECT_EQ(stored.ReadInteger("Set", "WebInterval", 0), 45);
    EXPECT_EQ(stored.ReadInteger("Set", "WebSequence", 9), 0);
    EXPECT_TRUE(stored.ReadBool("Set", "MouseMove", false));
    EXPECT_EQ(stored.ReadString("Set", "Author"), "Ann");
    EXPECT_EQ(stored.SectionKeys("Web"), std::vector<std::string>{"page.htm"});
    EXPECT_EQ(dialog.registry.ReadValue(RegistryHive::CurrentUser, kKey, "WebInterval"),
              std::optional<RegistryValue>(45u));
    EXPECT_EQ(dialog.registry.ReadValue(RegistryHive::CurrentUser, kKey, "MouseMoveExit"),
              std::optional<RegistryValue>(1u));
}

TEST(TDistributeConfigFormTest, WithoutPackageTheRegistryIsLeftAlone) {
    Dialog dialog("[Set]\n", /*package=*/false);
    dialog.Form()._BtnOKClick();
    EXPECT_TRUE(dialog.registry.written.empty());
    EXPECT_EQ(dialog.window.closes, 1);
}

TEST(TDistributeConfigFormTest, CancelStoresNothing) {
    Dialog dialog("[Set]\nWebInterval=10\n");
    const std::string before = ReadFile(dialog.settings_path);
    dialog.Controls().interval = 45;
    dialog.Form().Button1Click();
    EXPECT_EQ(dialog.window.closes, 1);
    EXPECT_EQ(ReadFile(dialog.settings_path), before);
    EXPECT_TRUE(dialog.registry.written.empty());
}

TEST(TDistributeConfigFormTest, AFileThatCannotBeWrittenIsReported) {
    Dialog dialog("[Set]\nWebInterval=10\n");
    dialog.settings_path = dialog.folder / "gone/saver.ini";  // its folder does not exist
    dialog.Controls().interval = 45;
    dialog.Form()._BtnOKClick();
    ASSERT_EQ(dialog.window.messages.size(), 1u);
    const std::string& message = dialog.window.messages[0];
    EXPECT_NE(message.find(dialog.settings_path), std::string::npos) << message;
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
    EXPECT_NE(message.find("user settings"), std::string::npos) << message;
    EXPECT_EQ(dialog.registry.ReadValue(RegistryHive::CurrentUser, kKey, "WebInterval"),
              std::optional<RegistryValue>(45u))
        << "the registry is written all the same";
    EXPECT_EQ(dialog.window.closes, 1);
}

TEST(TDistributeConfigFormTest, ARegistryThatCannotBeWrittenIsReported) {
    Dialog dialog("[Set]\n");
    dialog.registry.refuse_writes = true;
    dialog.Form()._BtnOKClick();
    ASSERT_EQ(dialog.window.messages.size(), 1u);
    EXPECT_NE(dialog.window.messages[0].find(kKey), std::string::npos);
}

}  // namespace
}  // namespace saver
