// The item viewer of a real saver file made by saverpack, run with "/s" under Xvfb beside
// the ticker, its feeds served by a loopback server of the test's own.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>

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

struct WindowPlace {
    std::string id;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The viewer's window when it is mapped: the feed window right of the ticker.
std::optional<WindowPlace> ViewerWindow(const SaverRun& run) {
    std::istringstream ids(test::CommandOutput("DISPLAY=" + run.Display() +
                                               " xdotool search --onlyvisible --name '^feed$'"));
    std::string id;
    while (ids >> id) {
        WindowPlace place{id};
        const std::string geometry = test::CommandOutput(
            "DISPLAY=" + run.Display() + " xdotool getwindowgeometry --shell " + id);
        if (std::sscanf(geometry.c_str(), "WINDOW=%*d X=%d Y=%d WIDTH=%d HEIGHT=%d", &place.left,
                        &place.top, &place.width, &place.height) == 4 &&
            place.left > kTickerRight) {
            return place;
        }
    }
    return std::nullopt;
}

void ExpectCleanEnd(SaverRun& run) {
    ASSERT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

// A show of the plain grey page with the ticker over it, fed from `server`.
bool StartShow(SaverRun& run, const FeedServer& server, const std::string& feed,
               const std::string& set_lines = "") {
    return !server.BaseUrl().empty() &&
           run.StartShow("WebInterval=600\nUseFeed=1\nRandomFeed=0\n" + set_lines +
                             "\n[feeds]\nViewer=" + server.Url(feed) + "\n",
                         {"plain.htm"});
}

TEST(ViewerEndToEndTest, ItemOpensBesideTheTickerFitsItsPageAndEnterWithoutLinkOpensNothing) {
    SaverRun run;
    FeedServer server(kFeeds);
    test::WriteFile(run.Folder() + "/content/rss_template.htm",
                    "<body style=\"margin:0;background:#00FF00\">"
                    "<div style=\"height:30px\">##title##</div></body>");
    ASSERT_TRUE(StartShow(run, server, "viewer/short.xml"));
    std::optional<WindowPlace> viewer;
    ASSERT_TRUE(Eventually([&] {
        viewer = ViewerWindow(run);
        return viewer && viewer->height == 30;
    })) << "the viewer shrinks to its page's 30 pixels";
    // Fitted to its page the viewer may reach up to the show's right edge (a fit can take
    // the width up to the show's width less a random 0 to 49 pixels).
    EXPECT_GE(viewer->left, kTickerRight + 10);
    EXPECT_LE(viewer->left + viewer->width, 800);
    EXPECT_TRUE(Eventually([&] {
        return run.ScreenColour(viewer->left + viewer->width - 3, viewer->top + 15) == "#00FF00";
    })) << "the page's colour fills the viewer";
    run.Xdo("key Return");
    ExpectCleanEnd(run);
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
}

TEST(ViewerEndToEndTest, BlogShowOffKeepsTheViewerInvisibleWhileEnterOpensTheLink) {
    SaverRun run;
    FeedServer server(kFeeds);
    ASSERT_TRUE(StartShow(run, server, "ticker/news.xml", "BlogShow=0"));
    std::optional<WindowPlace> viewer;
    ASSERT_TRUE(Eventually([&] { return (viewer = ViewerWindow(run)).has_value(); }));
    const std::string opacity = test::CommandOutput("DISPLAY=" + run.Display() + " xprop -id " +
                                                    viewer->id + " _NET_WM_WINDOW_OPACITY");
    EXPECT_NE(opacity.find("= 0\n"), std::string::npos) << opacity;
    run.Xdo("key Return");
    ExpectCleanEnd(run);
    // The opener is started detached and may write its record after the show ended.
    Eventually([&] { return !run.Opened().empty(); });
    EXPECT_EQ(run.Opened(), std::vector<std::string>{"http://example.org/first"});
}

// The viewer keeps nothing of the show's: a resource the show's page got with leave to
// keep it for an hour is asked for again when a feed item shows it.
TEST(ViewerEndToEndTest, TheViewerSharesNoCacheWithTheShow) {
    SaverRun run;
    test::TempFolder feeds;
    FeedServer server(feeds.Path());
    ASSERT_TRUE(run.StartX());
    test::WriteFile(feeds / "cache.xml",
                    "<rss><channel><title>Cache</title><item><title>One</title><description>"
                    "&lt;img src='" +
                        run.Url("cacheable/p1.htm") + "'&gt;</description></item></channel></rss>");
    ASSERT_TRUE(run.MakeSaver("WebInterval=600\nUseFeed=1\nRandomFeed=0\n\n[feeds]\nViewer=" +
                                  server.Url("cache.xml") + "\n",
                              {run.Url("cache.htm")}));
    run.Start();
    ASSERT_TRUE(run.WaitFor("/cacheable/p1.htm")) << "the show's page";
    EXPECT_TRUE(run.WaitFor("/cacheable/p1.htm")) << "the viewer's item, not from the cache";
    run.Xdo("key Escape");
    ExpectCleanEnd(run);
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

TEST(ViewerEndToEndTest, FeedHtmlRunsNoScriptAndTheShowGoesOn) {
    SaverRun run;
    test::TempFolder feeds;
    FeedServer server(feeds.Path());
    ASSERT_FALSE(server.BaseUrl().empty());
    const std::string report = server.BaseUrl() + "report/";
    // A script that would open dialogs and windows and try every way to a local file,
    // then a picture that says the page was shown; the second item only says that it
    // was shown.
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
        "</script><img src='" +
        report + "shown'>";
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
    // Scripts never run: the page's picture is all it asks for.
    const std::vector<std::string> requests = ReportsUntil(server, "/report/shown");
    EXPECT_EQ(requests, (std::vector<std::string>{"/hostile.xml", "/report/shown"}));
    // The viewer goes on: the next item is shown.
    run.Xdo("key Down");
    EXPECT_TRUE(Eventually([&] { return server.NextRequest(100) == "/report/second-item"; }));
    run.Xdo("key Escape");
    ExpectCleanEnd(run);
    EXPECT_EQ(run.Opened(), std::vector<std::string>{});
}

}  // namespace
}  // namespace saver
