// The item viewer in a real feed window with a real WebKitGTK view under Xvfb: it fits
// itself to a real page, and feed HTML that attacks the user's files gets nothing out,
// told by what it manages to send to a loopback server of the test's own.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "feeds/readers/TSimpleRSS.h"
#include "feeds/viewer/FeedItemViewer.h"
#include "platform/linux/gtk/GtkTestEnvironment.h"
#include "platform/linux/gtk/GtkWindowSystem.h"
#include "support/FeedServer.h"
#include "support/TempFolder.h"

namespace saver {
namespace {

using test::RunUntil;

const std::string kFeeds = std::string(SAVER_TEST_DATA) + "/feeds";

std::string XmlText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        escaped += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
    }
    return escaped;
}

// A feed of one item per description.
std::string Feed(const std::vector<std::string>& descriptions) {
    std::string xml = "<rss><channel><title>Viewer</title>";
    for (const std::string& description : descriptions) {
        xml += "<item><title>Item</title><description>" + XmlText(description) +
               "</description></item>";
    }
    return xml + "</channel></rss>";
}

// The colour of the screen at (x, y) as 0xRRGGBB.
uint32_t ScreenPixel(int x, int y) {
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
    if (pixbuf == nullptr) {
        return 0xFF000000;  // off the screen: no colour
    }
    const guchar* rgb = gdk_pixbuf_get_pixels(pixbuf);
    const uint32_t colour = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
    g_object_unref(pixbuf);
    return colour;
}

class FeedItemViewerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(server_.BaseUrl().empty());
        settings_.BlogShow = true;
        settings_.BlogBlendValue = 250;
        ticker_.right_edge = 449;
        show_ = windows_.CreateShowWindow(nullptr);
        show_->ShowFullScreen();
        ticker_.show = show_.get();
        viewer_ = std::make_unique<FeedItemViewer>(ViewerEnvironment{
            settings_, windows_, draw_, folder_.Path(), folder_ / "rss_template.htm", nullptr});
        viewer_->Attach(ticker_);
    }

    void Load(const std::vector<std::string>& descriptions) {
        std::istringstream feed(Feed(descriptions));
        rss_.LoadFromStream(feed);
    }

    // Shows item `index` and waits until the viewer fitted itself to it.
    bool ShowAndFit(int index) {
        const int fits = viewer_->Form() ? viewer_->Form()->FitCount() : 0;
        viewer_->ShowItem(rss_, index);
        return RunUntil([&] { return viewer_->Form()->FitCount() > fits; });
    }

    // The requests the page made, until one of `last` came.
    std::vector<std::string> RequestsUntil(const std::string& last) {
        std::vector<std::string> requests;
        while (true) {
            std::string request;
            RunUntil([&] {
                request = server_.NextRequest(10);
                return !request.empty();
            });
            if (request.empty()) {
                return requests;
            }
            requests.push_back(request);
            if (request.starts_with(last)) {
                return requests;
            }
        }
    }

    test::FeedServer server_{kFeeds};
    test::TempFolder folder_;
    TSaverSetting settings_;
    GtkWindowSystem windows_;
    std::unique_ptr<ShowWindow> show_;  // the viewer's window lies in it
    RandomSource source_{11};
    SourceDraw draw_{source_};
    TickerShared ticker_;
    TSimpleRSS rss_;
    std::unique_ptr<FeedItemViewer> viewer_;
};

TEST_F(FeedItemViewerWindowTest, ShrinksToAShortPage) {
    folder_.Write("rss_template.htm",
                  "<body style=\"margin:0\"><div style=\"height:40px\">##title##</div></body>");
    Load({"short"});
    ASSERT_TRUE(ShowAndFit(0));
    EXPECT_EQ(viewer_->Form()->Bounds().height, 40);
    EXPECT_TRUE(viewer_->Form()->Window().Visible());
}

TEST_F(FeedItemViewerWindowTest, TheBuiltInPageIsFramedByABevelATemplatesPageIsNot) {
    // Opaque at once, so that the colours on the screen are the viewer's own.
    settings_.BlogBlendValue = 255;
    ticker_.paused = true;
    Load({"framed", "plain"});
    ASSERT_TRUE(ShowAndFit(0));
    const auto corner = [&](int x, int y) {
        const ViewerBounds& at = viewer_->Form()->Bounds();
        return ScreenPixel(at.left + (x < 0 ? at.width + x : x),
                           at.top + (y < 0 ? at.height + y : y));
    };
    const auto shows = [&](int x, int y, uint32_t colour) {
        return RunUntil([&] { return corner(x, y) == colour; }) ? colour : corner(x, y);
    };
    EXPECT_EQ(shows(0, 0, 0xFFFFFF), 0xFFFFFFu) << "light above and left";
    EXPECT_EQ(shows(-1, -1, 0xA0A0A0), 0xA0A0A0u) << "shadow below and right";
    EXPECT_EQ(shows(1, 1, 0x1B1B1B), 0x1B1B1Bu) << "the page inside the bevel";

    folder_.Write("rss_template.htm", "<body style=\"margin:0; background:#123456\">##title##");
    ASSERT_TRUE(ShowAndFit(1));
    EXPECT_EQ(shows(0, 0, 0x123456), 0x123456u) << "a template's page fills the window";
}

TEST_F(FeedItemViewerWindowTest, HugeDescriptionsAreCutAndTheViewerGoesOn) {
    std::string big;
    while (big.size() < 5 * 1024 * 1024) {
        big += "<p>" + std::string(200, 'x') + " <b>word</b></p>\n";
    }
    std::string nested;
    for (int i = 0; i < 1000000; ++i) {
        nested += "<i>";
    }
    Load({big, nested, "<p>after</p>"});
    ASSERT_TRUE(ShowAndFit(0));
    EXPECT_LT(test::ReadFile(folder_ / "tmp.htm").size(), 600u * 1024) << "cut to 512 KB";
    ASSERT_TRUE(ShowAndFit(1));
    ASSERT_TRUE(ShowAndFit(2));
}

TEST_F(FeedItemViewerWindowTest, AlertsCloseThemselvesAndNoWindowOpens) {
    const std::string report = server_.BaseUrl() + "report/";
    // Not XML either: the built-in page is read as HTML too.
    Load({"<br>&nbsp;<a id=\"l\" href=\"" + report +
          "opened-link\" target=\"_blank\">new</a><script>"
          "alert('hello'); confirm('sure?');"
          "document.getElementById('l').click();"
          "var w = window.open('" +
          report +
          "opened-script');"
          "new Image().src = '" +
          report +
          "after-dialogs?' + (w === null);"
          "</script>"});
    viewer_->ShowItem(rss_, 0);
    const std::vector<std::string> requests = RequestsUntil("/report/after-dialogs");
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back(), "/report/after-dialogs?true");
    for (const std::string& request : requests) {
        EXPECT_EQ(request.find("opened"), std::string::npos) << request;
    }
}

TEST_F(FeedItemViewerWindowTest, AnXhtmlTemplateIsStillReadAsHtml) {
    // Read as XML, the feed's "<br>" and "&nbsp;" would break the page before the script.
    folder_.Write(
        "rss_template.htm",
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\"><body>##description##</body></html>");
    Load({"a<br>b&nbsp;c<script>new Image().src = '" + server_.BaseUrl() +
          "report/parsed?' + document.contentType;</script>"});
    viewer_->ShowItem(rss_, 0);
    const std::vector<std::string> requests = RequestsUntil("/report/parsed");
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back(), "/report/parsed?text/html");
}

// A description that tries every way to a local file it knows of and reports what it
// read; then, after a try to leave the page for a local file, that it is still there.
std::string HostileDescription(const std::string& report) {
    return "<script>"
           "var R = '" +
           report +
           "';"
           "function send(tag, text) { new Image().src = R + tag + '?' +"
           " encodeURIComponent(String(text).slice(0, 300)); }"
           "send('alive', location.href);"
           "fetch('file:///etc/passwd').then(r => r.text()).then(t => send('fetch', t),"
           " e => send('refused-fetch', e));"
           "try { var x = new XMLHttpRequest(); x.open('GET', 'settings.ini', false); x.send();"
           " send('xhr', x.responseText); } catch (e) { send('refused-xhr', e); }"
           "var a = new XMLHttpRequest(); a.open('GET', location.href.replace('tmp.htm',"
           " 'settings.ini')); a.onload = () => send('xhr-async', a.responseText);"
           " a.onerror = () => send('refused-xhr-async', ''); a.send();"
           "var f = document.createElement('iframe'); f.src = 'file:///etc/passwd';"
           "f.onload = () => { try { send('iframe', f.contentDocument.body.innerText); }"
           " catch (e) { send('refused-iframe', e); } };"
           "document.documentElement.appendChild(f);"
           "try { send('open', String(window.open('file:///etc/passwd'))); }"
           " catch (e) { send('refused-open', e); }"
           "setTimeout(() => { location = 'file:///etc/passwd'; }, 500);"
           "setTimeout(() => send('still-here', location.href), 1500);"
           "</script>";
}

TEST_F(FeedItemViewerWindowTest, FeedHtmlReadsNoLocalFileAndTheViewerGoesOn) {
    folder_.Write("settings.ini", "[Set]\nScrName=SECRET-SETTING\n");
    Load({HostileDescription(server_.BaseUrl() + "report/"), "<p>Next item</p>"});
    viewer_->ShowItem(rss_, 0);
    const std::vector<std::string> requests = RequestsUntil("/report/still-here");
    ASSERT_FALSE(requests.empty());
    EXPECT_TRUE(requests.front().starts_with("/report/alive")) << "the page's script ran";
    EXPECT_TRUE(requests.back().starts_with("/report/still-here")) << "it never left its page";
    EXPECT_NE(requests.back().find("tmp.htm"), std::string::npos) << requests.back();
    for (const std::string& request : requests) {
        EXPECT_EQ(request.find("root"), std::string::npos) << request;
        EXPECT_EQ(request.find("SECRET"), std::string::npos) << request;
    }
    // The viewer goes on with the next item.
    ASSERT_TRUE(ShowAndFit(1));
}

}  // namespace
}  // namespace saver
