// The browser adapter on a real WebKitGTK web view, in a real show window under Xvfb,
// loading pages from a loopback HTTP server.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "GtkTestEnvironment.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "show/TEmbeddedWB.h"
#include "support/TempFolder.h"
#include "support/TestServers.h"
#include "support/WebProcesses.h"

namespace saver {
namespace {

using test::RunFor;
using test::RunUntil;

const std::string kPages = std::string(SAVER_TEST_DATA) + "/show/pages";

class WebKitBrowserTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server_ = new test::HttpServer(kPages); }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        ASSERT_FALSE(server_->BaseUrl().empty());
        window_ = windows_.CreateShowWindow(nullptr);
        wb_ = std::make_unique<TEmbeddedWB>(window_->WebBrowser(), windows_);
        wb_->OnTitleChange = [this](const std::string& text) { title_ = text; };
        wb_->OnDocumentComplete = [this](const std::string& url) {
            completed_url_ = url;
            ++completed_;
        };
        window_->ShowFullScreen();
    }

    std::string Page(const std::string& name) const { return server_->BaseUrl() + name; }

    // Navigates and waits until the page has finished loading.
    void Load(const std::string& address) {
        const int before = completed_;
        wb_->Navigate(address);
        ASSERT_TRUE(RunUntil([&] { return completed_ > before; })) << address;
    }

    bool TitleBecomes(const std::string& title, int timeout_ms = test::kColdStartMs) {
        return RunUntil([&] { return title_ == title; }, timeout_ms);
    }

    static test::HttpServer* server_;
    GtkWindowSystem windows_;
    std::unique_ptr<ShowWindow> window_;
    std::unique_ptr<TEmbeddedWB> wb_;
    std::string title_;
    std::string completed_url_;
    int completed_ = 0;
};

test::HttpServer* WebKitBrowserTest::server_ = nullptr;

TEST_F(WebKitBrowserTest, LoadsPageAndReportsTitleAndBodyMetrics) {
    Load(Page("title.htm"));
    EXPECT_EQ(completed_url_, Page("title.htm"));
    EXPECT_TRUE(TitleBecomes("Static title"));
    const BodyMetrics metrics = wb_->Metrics();
    EXPECT_EQ(metrics.scroll_height, 3000);
    EXPECT_GE(metrics.scroll_width, 100);
}

TEST_F(WebKitBrowserTest, BlankAddressIsIgnoredAndFolderOpensAsFileAddress) {
    wb_->Navigate("   ");
    RunFor(300);
    EXPECT_EQ(completed_, 0);
    Load(kPages);
    EXPECT_EQ(completed_url_, "file://" + kPages);
    // A full path of a file loads as its file address.
    Load(kPages + "/title.htm");
    EXPECT_TRUE(TitleBecomes("Static title"));
}

TEST_F(WebKitBrowserTest, BeforeNavigateSeesTargetAndMayCancel) {
    std::vector<std::string> targets;
    std::vector<bool> from_navigate;
    wb_->OnBeforeNavigate2 = [&](const std::string& url, bool& cancel) {
        targets.push_back(url);
        from_navigate.push_back(wb_->NavigationFromNavigate());
        cancel = url.find("title.htm") != std::string::npos;
    };
    Load(Page("navigate.htm"));
    ASSERT_TRUE(RunUntil([&] { return targets.size() == 2; }));
    EXPECT_EQ(targets[1], Page("title.htm"));
    // The first is the adapter's own Navigate, the second the page's script.
    EXPECT_EQ(from_navigate, (std::vector<bool>{true, false}));
    RunFor(300);
    EXPECT_EQ(title_, "Navigate page");
}

TEST_F(WebKitBrowserTest, ScriptDialogsClosedAtOnceLetThePageGoOn) {
    int dialogs = 0;
    wb_->OnShowDialog = [&](DialogHandle dialog) {
        ++dialogs;
        wb_->CloseDialog(dialog);
    };
    Load(Page("alert.htm"));
    EXPECT_TRUE(TitleBecomes("After dialogs: false"));
    EXPECT_EQ(dialogs, 2);
}

TEST_F(WebKitBrowserTest, PageScriptsFollowTheScriptOption) {
    Load(Page("script-title.htm"));
    EXPECT_TRUE(TitleBecomes("Set by script"));
    wb_->SetDownloadOptions({DontExecuteScripts, DontExecuteJava});
    Load(Page("script-title.htm"));
    RunFor(300);
    EXPECT_EQ(title_, "Before script");
    // The adapter's own scripts still run without page scripts.
    Load(Page("title.htm"));
    EXPECT_EQ(wb_->Metrics().scroll_height, 3000);
}

TEST_F(WebKitBrowserTest, PicturesFollowTheImageOption) {
    // Pictures off first: a picture once loaded is shown from the memory cache.
    wb_->SetDownloadOptions({DownloadVideos, DownloadBGSounds});
    Load(Page("image.htm"));
    RunFor(500);
    EXPECT_EQ(title_, "Image page");
    wb_->SetDownloadOptions({DownloadImages, DownloadVideos, DownloadBGSounds});
    Load(Page("image.htm"));
    EXPECT_TRUE(TitleBecomes("Image loaded"));
}

TEST_F(WebKitBrowserTest, OfflineKeepsTheNetworkAwayButNotLocalFiles) {
    // Offline pages come from the cache only; this address was never loaded before.
    wb_->SetOffline(true);
    Load(Page("title.htm?offline"));
    EXPECT_NE(title_, "Static title");
    Load("file://" + kPages + "/title.htm");
    EXPECT_TRUE(TitleBecomes("Static title")) << completed_url_ << " " << title_;
    wb_->SetOffline(false);
    // The network process takes the new proxy setting in its own time: a load right after
    // it may still go the offline way, and one a little later goes out.
    bool online = false;
    for (int attempt = 0; attempt < 6 && !online; ++attempt) {
        Load(Page("script-title.htm"));
        online = TitleBecomes("Set by script", 10000);
    }
    EXPECT_TRUE(online);
}

TEST_F(WebKitBrowserTest, ScrollToEndReachesTheBottomOfATallPage) {
    Load(Page("scroll.htm"));
    const int expected_end = wb_->Metrics().scroll_height - window_->WebBrowser().Height();
    ASSERT_GT(expected_end, 20);
    wb_->ScrollToEnd(25, 1);
    EXPECT_TRUE(TitleBecomes(std::to_string(expected_end / 25 * 25)));
}

TEST_F(WebKitBrowserTest, StatusTextFollowsTheLinkUnderTheMouse) {
    std::string status;
    wb_->OnStatusTextChange = [&](const std::string& text) { status = text; };
    Load(Page("link.htm"));
    RunFor(300);
    const std::string move = "DISPLAY=" + test::TestDisplay() + " xdotool mousemove 200 200";
    ASSERT_EQ(
        std::system(
            (move + " && sleep 0.1 && " + move.substr(0, move.size() - 7) + "210 210").c_str()),
        0);
    EXPECT_TRUE(RunUntil([&] { return status == Page("title.htm"); })) << status;
}

TEST_F(WebKitBrowserTest, FailedMainDocumentIsToldWithItsStatus) {
    std::vector<std::pair<std::string, int>> errors;
    wb_->OnNavigateError = [&](const std::string& url, int status) {
        errors.emplace_back(url, status);
    };
    test::HttpServer untrusted(kPages, true);
    ASSERT_FALSE(untrusted.BaseUrl().empty());
    const std::pair<std::string, int> rows[] = {
        {Page("missing.htm"), 404},  // the server's own error page is not shown
        {test::RefusedUrl(), 0},
        {"http://name.invalid/", 0},
        {untrusted.BaseUrl() + "title.htm", 0},  // a certificate no one vouches for
        // Addresses the engine will not load, some without telling a failure of its own.
        {"http://127.0.0.1:1/", 0},        // a port it refuses to contact
        {"ftp://127.0.0.1/title.htm", 0},  // a scheme it has turned off
        {"nosuchscheme:page", 0},
        {"file://" + kPages + "/missing.htm", 0},
        {"data:application/octet-stream,saved", 0},  // a response to be saved, not shown
    };
    for (const auto& [address, status] : rows) {
        errors.clear();
        Load(address);
        ASSERT_EQ(errors.size(), 1u) << address;
        EXPECT_EQ(errors[0].second, status) << address;
        EXPECT_NE(title_, "Error") << address;
    }
    errors.clear();
    Load(Page("title.htm"));
    EXPECT_TRUE(errors.empty());
    // A load that never starts (a script address runs in the page shown) fails too.
    wb_->Navigate("javascript:void(0)");
    EXPECT_TRUE(RunUntil([&] { return errors.size() == 1; }));
}

TEST_F(WebKitBrowserTest, SavedArchiveShowsThePageAgainWithoutItsServer) {
    Load(Page("image.htm"));
    EXPECT_TRUE(TitleBecomes("Image loaded"));
    std::string archive;
    bool saved = false;
    wb_->SavePage([&](std::string bytes) {
        archive = std::move(bytes);
        saved = true;
    });
    ASSERT_TRUE(RunUntil([&] { return saved; }));
    EXPECT_NE(archive.find("multipart/related"), std::string::npos);
    EXPECT_NE(archive.find("image/gif"), std::string::npos);  // the picture travels along
    test::TempFolder folder;
    const std::string path = folder.Write("copy.mht", archive);
    Load(Page("title.htm"));
    int errors = 0;
    wb_->OnNavigateError = [&](const std::string&, int) { ++errors; };
    const int before = completed_;
    wb_->NavigateArchive(path);
    ASSERT_TRUE(RunUntil([&] { return completed_ > before; }));
    EXPECT_TRUE(TitleBecomes("Image loaded"));
    EXPECT_EQ(errors, 0);
    // An archive that is gone is a page that fails.
    wb_->NavigateArchive(folder / "gone.mht");
    EXPECT_TRUE(RunUntil([&] { return errors == 1; }));
    // So is one too large to be read into memory (sparse: no disk is filled).
    std::filesystem::resize_file(path, kMaxPageArchiveBytes + 1);
    wb_->NavigateArchive(path);
    EXPECT_TRUE(RunUntil([&] { return errors == 2; }));
}

TEST_F(WebKitBrowserTest, NextPageLoadsAfterTheWebProcessWasKilled) {
    Load(Page("title.htm"));
    const std::vector<pid_t> processes = test::WebProcessesOf(getpid());
    ASSERT_FALSE(processes.empty());
    for (pid_t pid : processes) {
        kill(pid, SIGKILL);
    }
    RunFor(500);
    Load(Page("script-title.htm"));
    EXPECT_TRUE(TitleBecomes("Set by script"));
}

}  // namespace
}  // namespace saver
