// The libcurl HttpClient against a loopback server of the test's own: feeds, error
// statuses, redirects, the faults that must never make a transfer wait for ever, https
// with and without a trusted certificate, cookies, and cancelling.
#include <glib.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "platform/linux/GlibDispatcher.h"
#include "platform/linux/curl/CurlHttpClient.h"
#include "support/FeedServer.h"

namespace saver {
namespace {

using test::FeedServer;

const std::string kFeeds = std::string(SAVER_TEST_DATA) + "/feeds";

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Short limits, so that the faults that wait for a timeout end within seconds.
constexpr HttpLimits kTestLimits{5, 2, 60, 1024 * 1024};

// Runs the GLib main loop until `done` holds or a generous deadline passes.
bool RunUntil(const std::function<bool()>& done, int timeout_ms = 60000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done() && std::chrono::steady_clock::now() < end) {
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    }
    return done();
}

// Everything one transfer reported.
struct Report {
    std::vector<std::string> statuses;
    int64_t maximum = -1;
    int64_t last_count = 0;
    bool work_ended = false;
    std::optional<HttpResult> result;
};

HttpTransferEvents Recording(Report& report) {
    HttpTransferEvents events;
    events.status = [&report](const std::string& text) { report.statuses.push_back(text); };
    events.work_begin = [&report](int64_t maximum) { report.maximum = maximum; };
    events.work = [&report](int64_t count) { report.last_count = count; };
    events.work_end = [&report] { report.work_ended = true; };
    events.done = [&report](HttpResult result) { report.result = std::move(result); };
    return events;
}

class CurlHttpClientTest : public ::testing::Test {
  protected:
    HttpResult Fetch(const std::string& url) {
        Report report;
        client_.Get(url, Recording(report));
        EXPECT_TRUE(client_.Busy());
        EXPECT_TRUE(RunUntil([&] { return report.result.has_value(); })) << url;
        EXPECT_FALSE(client_.Busy());
        return report.result.value_or(HttpResult{});
    }

    FeedServer server_{kFeeds, true};
    GlibDispatcher ui_;
    CurlHttpClient client_{ui_, kTestLimits};
};

TEST_F(CurlHttpClientTest, FetchesAFeedReportingItsProgress) {
    ASSERT_FALSE(server_.BaseUrl().empty());
    Report report;
    client_.Get(server_.Url("rss/full.xml"), Recording(report));
    ASSERT_TRUE(RunUntil([&] { return report.result.has_value(); }));
    const std::string expected = FileText(kFeeds + "/rss/full.xml");
    EXPECT_TRUE(report.result->ok) << report.result->error;
    EXPECT_EQ(report.result->status, 200);
    EXPECT_EQ(report.result->body, expected);
    EXPECT_EQ(report.maximum, static_cast<int64_t>(expected.size()));
    EXPECT_EQ(report.last_count, static_cast<int64_t>(expected.size()));
    EXPECT_TRUE(report.work_ended);
    ASSERT_FALSE(report.statuses.empty());
    EXPECT_EQ(report.statuses.front(), "Resolving hostname 127.0.0.1.");
    EXPECT_EQ(report.statuses.back(), "Disconnected.");
}

struct FetchCase {
    const char* name;
    const char* path;  // on the http server
    bool ok;
    long status;
};

const FetchCase kFetchCases[] = {
    {"Rdf", "rdf/full.xml", true, 200},
    {"Atom", "atom/full.xml", true, 200},
    {"NotFound", "status/404", false, 404},
    {"ServerError", "status/500", false, 500},
    // A 301 to another address of the same server.
    {"MovedPermanently", "redirect/rss/small.xml", true, 200},
    // 302 to itself: given up after 15 redirects.
    {"RedirectLoop", "loop", false, 302},
    // Announces 1000 bytes, sends 10, then waits: the idle limit ends it.
    {"StalledBody", "stall", false, 200},
    // Never ends: the size limit ends it.
    {"EndlessBody", "endless", false, 200},
    // Announces more than the size limit: refused before the body comes.
    {"TooLarge", "big", false, 200},
    // Accepts and never answers: the idle limit ends it.
    {"SilentServer", "silent", false, 0},
};

void PrintTo(const FetchCase& row, std::ostream* out) {
    *out << row.name;
}

class FetchTableTest : public CurlHttpClientTest,
                       public ::testing::WithParamInterface<FetchCase> {};

TEST_P(FetchTableTest, EndsAsExpected) {
    const FetchCase& row = GetParam();
    const HttpResult result = Fetch(server_.Url(row.path));
    EXPECT_EQ(result.ok, row.ok) << result.error;
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.error.empty(), row.ok);
}

INSTANTIATE_TEST_SUITE_P(Rows, FetchTableTest, ::testing::ValuesIn(kFetchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurlHttpClientTest, AddressWithoutSchemeIsHttpAndOtherSchemesFail) {
    const std::string base = server_.BaseUrl();
    EXPECT_TRUE(Fetch(base.substr(7) + "rss/small.xml").ok);
    EXPECT_FALSE(Fetch("ftp://127.0.0.1/feed.xml").ok);
    EXPECT_FALSE(Fetch("file://" + kFeeds + "/rss/small.xml").ok);
}

TEST_F(CurlHttpClientTest, ClosedPortFails) {
    // The port of a server that has gone.
    std::string gone;
    {
        FeedServer other(kFeeds);
        gone = other.Url("rss/small.xml");
    }
    const HttpResult result = Fetch(gone);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST_F(CurlHttpClientTest, SendsItsOwnHeadersAndKeepsCookies) {
    ASSERT_TRUE(Fetch(server_.Url("cookie/set")).ok);
    const HttpResult echo = Fetch(server_.Url("echo"));
    EXPECT_NE(echo.body.find("UA=saverhost/"), std::string::npos) << echo.body;
    EXPECT_NE(echo.body.find("Accept=text/html, */*\n"), std::string::npos) << echo.body;
    EXPECT_NE(echo.body.find("Cookie=ticker=kept\n"), std::string::npos) << echo.body;
}

TEST_F(CurlHttpClientTest, HttpsNeedsATrustedCertificate) {
    ASSERT_FALSE(server_.TlsUrl().empty());
    unsetenv("SAVERHOST_CA_FILE");
    EXPECT_FALSE(Fetch(server_.TlsUrl() + "rss/small.xml").ok) << "a self-signed certificate";
    EXPECT_FALSE(Fetch(server_.Url("to-tls/rss/small.xml")).ok);

    setenv("SAVERHOST_CA_FILE", server_.CaFile().c_str(), 1);
    const HttpResult direct = Fetch(server_.TlsUrl() + "rss/small.xml");
    const HttpResult redirected = Fetch(server_.Url("to-tls/rss/small.xml"));
    const HttpResult downgraded = Fetch(server_.TlsUrl() + "to-plain/rss/small.xml");
    const HttpResult https_to_https = Fetch(server_.TlsUrl() + "to-tls/rss/small.xml");
    unsetenv("SAVERHOST_CA_FILE");
    EXPECT_TRUE(direct.ok) << direct.error;
    EXPECT_EQ(direct.body, FileText(kFeeds + "/rss/small.xml"));
    EXPECT_TRUE(redirected.ok) << "http to https is followed: " << redirected.error;
    EXPECT_FALSE(downgraded.ok) << "https to http is refused";
    EXPECT_TRUE(https_to_https.ok) << https_to_https.error;
}

TEST_F(CurlHttpClientTest, NewGetCancelsTheRunningOneAtOnce) {
    Report silent;
    client_.Get(server_.Url("silent"), Recording(silent));
    ASSERT_EQ(server_.NextRequest(), "/silent");
    // Without the cancel this one would wait for the silent server's idle limit.
    const HttpResult result = Fetch(server_.Url("rss/small.xml"));
    EXPECT_TRUE(result.ok);
    RunUntil([] { return false; }, 300);
    EXPECT_FALSE(silent.result.has_value()) << "a cancelled transfer reports nothing";
}

TEST_F(CurlHttpClientTest, CancelAndDestroyDuringATransfer) {
    Report report;
    {
        CurlHttpClient client(ui_);
        client.Get(server_.Url("silent"), Recording(report));
        ASSERT_EQ(server_.NextRequest(), "/silent");
        client.Cancel();
        EXPECT_FALSE(client.Busy());
        client.Get(server_.Url("silent"), Recording(report));
        ASSERT_EQ(server_.NextRequest(), "/silent");
    }  // destroyed while the second waits
    RunUntil([] { return false; }, 300);
    EXPECT_FALSE(report.result.has_value());
}

}  // namespace
}  // namespace saver
