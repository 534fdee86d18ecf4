// The screen of a real show while pages fail: a pixel sampler reads the screen's centre
// every 2 ms from before the saver starts, so even a frame of a few milliseconds shows.
// The pages are plain colours served on loopback; failed pages are refused connections,
// missing files (404), a server that never answers, and every way in which the web
// engine shows no page of its own accord: a port it will not contact, a scheme it has
// turned off or does not know, a missing local file, a response to be saved, a web
// process that dies before the page paints.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <ostream>

#include "PixelSampler.h"
#include "SaverRun.h"
#include "support/WebProcesses.h"

namespace saver {
namespace {

using test::PixelSampler;
using test::Rgb;
using test::SaverRun;

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kGreen = 0x00C000;  // g.htm
constexpr Rgb kBlue = 0x0000C0;   // b.htm
constexpr int kPageMs = 30000;    // a generous wait for a page on a busy machine

void ExpectNoWhite(PixelSampler& sampler) {
    EXPECT_TRUE(sampler.WhiteRuns().empty())
        << "white on the screen:\n"
        << test::Describe(sampler.WhiteRuns()) << "all that was seen:\n"
        << test::Describe(sampler.Runs());
}

// A port the web engine refuses to contact, whatever listens there.
constexpr const char* kRestrictedPort = "http://127.0.0.1:1/";

// True when `left` shows again after the first black that follows it: a stale frame of a
// page the show had left.
bool ComesBack(const std::vector<test::ColourRun>& runs, Rgb left) {
    bool shown = false;
    bool gone = false;
    for (const test::ColourRun& run : runs) {
        shown = shown || run.colour == left;
        if (gone && run.colour == left) {
            return true;
        }
        gone = gone || (shown && run.colour == kBlack);
    }
    return false;
}

void ExpectCleanEnd(SaverRun& run) {
    run.Xdo("key Escape");
    ASSERT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.ExitStatus(), 0);
}

struct FailedPageCase {
    const char* name;
    const char* settings;
    std::string (*address)(const SaverRun& run);
    bool page_down;        // the failed page's turn comes by Page Down, else by the page timer
    bool crash = false;    // the web processes are killed while the page waits for its server
    bool desktop = false;  // under a window manager and a compositor, with a panel
};

// The row's name in test output, in place of the struct's bytes.
void PrintTo(const FailedPageCase& row, std::ostream* out) {
    *out << row.name;
}

const FailedPageCase kFailedPages[] = {
    {"RefusedOnItsTurn", "WebInterval=2", [](const SaverRun&) { return test::RefusedUrl(); },
     false},
    // With a long interval the next page can only come so soon because the failed one
    // was skipped.
    {"RefusedByPageDown", "WebInterval=600", [](const SaverRun&) { return test::RefusedUrl(); },
     true},
    // Black comes off the next page whether or not pages may run scripts.
    {"RefusedWithoutScripts", "WebInterval=600\nWebScript=0",
     [](const SaverRun&) { return test::RefusedUrl(); }, true},
    {"NotFound", "WebInterval=600", [](const SaverRun& run) { return run.Url("missing.htm"); },
     true},
    {"NeverAnswers", "WebInterval=600", [](const SaverRun& run) { return run.Url("hang.htm"); },
     true},
    {"RestrictedPort", "WebInterval=600",
     [](const SaverRun&) { return std::string(kRestrictedPort); }, true},
    {"RestrictedPortOnItsTurn", "WebInterval=2",
     [](const SaverRun&) { return std::string(kRestrictedPort); }, false},
    {"SchemeTurnedOff", "WebInterval=600",
     [](const SaverRun&) { return std::string("ftp://127.0.0.1/page.htm"); }, true},
    {"UnknownScheme", "WebInterval=600",
     [](const SaverRun&) { return std::string("nosuchscheme:page"); }, true},
    {"MissingFile", "WebInterval=600",
     [](const SaverRun& run) { return "file://" + run.Folder() + "/missing.htm"; }, true},
    {"ResponseToBeSaved", "WebInterval=600",
     [](const SaverRun& run) { return run.Url("download-attachment.bin"); }, true},
    {"WebProcessDiesBeforePaint", "WebInterval=600",
     [](const SaverRun& run) { return run.Url("hang.htm"); }, true, true},
    // The screen as the compositor puts it together.
    {"RestrictedPortOnADesktop", "WebInterval=600",
     [](const SaverRun&) { return std::string(kRestrictedPort); }, true, false, true},
    {"WebProcessDiesOnADesktop", "WebInterval=600",
     [](const SaverRun& run) { return run.Url("hang.htm"); }, true, true, true},
};

void KillWebProcesses(SaverRun& run) {
    ASSERT_TRUE(run.WaitFor("/hang.htm"));
    const std::vector<pid_t> processes = test::WebProcessesOf(run.SaverPid());
    ASSERT_FALSE(processes.empty());
    for (pid_t pid : processes) {
        kill(pid, SIGKILL);
    }
}

class FailedPageTest : public ::testing::TestWithParam<FailedPageCase> {};

TEST_P(FailedPageTest, IsSkippedWithoutAWhiteFrame) {
    const FailedPageCase& row = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::unique_ptr<test::Desktop> desktop;
    if (row.desktop) {
        desktop = std::make_unique<test::Desktop>(run.Display(), run.Folder() + "/home", true);
        ASSERT_TRUE(desktop->Ready());
    }
    PixelSampler sampler(run.Display(), 400, 300);
    ASSERT_TRUE(sampler.Running());
    ASSERT_TRUE(run.MakeSaver(std::string(row.settings) + "\nWebShowStatus=0",
                              {run.Url("g.htm"), row.address(run), run.Url("b.htm")}));
    run.Start();
    ASSERT_TRUE(sampler.WaitFor(kGreen, kPageMs)) << test::Describe(sampler.Runs());
    if (row.page_down) {
        run.Xdo("key Next");
    }
    if (row.crash) {
        KillWebProcesses(run);
    }
    EXPECT_TRUE(sampler.WaitFor(kBlue, kPageMs)) << test::Describe(sampler.Runs());
    // The pages' own colours, in the order they showed (black, and the desktop's
    // background before the show, left out).
    std::vector<Rgb> seen;
    for (Rgb colour : sampler.Sequence()) {
        if ((colour == kGreen || colour == kBlue) && (seen.empty() || seen.back() != colour)) {
            seen.push_back(colour);
        }
    }
    EXPECT_EQ(seen, (std::vector<Rgb>{kGreen, kBlue})) << test::Describe(sampler.Runs());
    EXPECT_FALSE(ComesBack(sampler.Runs(), kGreen)) << "the page left showed again:\n"
                                                    << test::Describe(sampler.Runs());
    ExpectNoWhite(sampler);
    ExpectCleanEnd(run);
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedPageTest, ::testing::ValuesIn(kFailedPages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NoWhiteEndToEndTest, EveryPageRefusedLeavesTheScreenBlackAndEscStillEnds) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    PixelSampler sampler(run.Display(), 400, 300);
    ASSERT_TRUE(sampler.Running());
    ASSERT_TRUE(run.MakeSaver("WebInterval=1", {test::RefusedUrl(), test::RefusedUrl()}));
    run.Start();
    run.Xdo("search --sync --onlyvisible --name ^show$ > /dev/null");
    // A few rounds of the list: each page is tried again on its turn.
    usleep(3000000);
    const std::vector<Rgb> seen = sampler.Sequence();
    EXPECT_EQ(seen, std::vector<Rgb>{kBlack}) << test::Describe(sampler.Runs());
    const auto pressed = std::chrono::steady_clock::now();
    run.Xdo("key Escape");
    ASSERT_TRUE(run.Ended(10000));
    const double end_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed)
            .count();
    RecordProperty("EscToEndMs", static_cast<int>(end_ms));
    EXPECT_EQ(run.ExitStatus(), 0);
}

// Pages that loaded once are shown from their kept copies when their server is gone, or
// skipped when the saver keeps no copies. The page between them never loads: it is
// skipped before and after, and never leaves white on the screen.
class OfflineCopiesTest : public ::testing::TestWithParam<bool> {};

TEST_P(OfflineCopiesTest, PagesOfAServerThatIsGoneComeFromTheirCopies) {
    const bool copies = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    PixelSampler sampler(run.Display(), 400, 300);
    ASSERT_TRUE(sampler.Running());
    ASSERT_TRUE(run.MakeSaver(
        std::string("WebInterval=1\nWebShowStatus=0\nWebOfflineCopies=") + (copies ? "1" : "0"),
        {run.Url("g.htm"), kRestrictedPort, run.Url("b.htm")}));
    run.Start();
    ASSERT_TRUE(sampler.WaitFor(kGreen, kPageMs)) << test::Describe(sampler.Runs());
    ASSERT_TRUE(sampler.WaitFor(kBlue, kPageMs)) << test::Describe(sampler.Runs());
    if (copies) {
        test::Eventually([&] { return run.CacheFiles().size() >= 2; }, std::chrono::seconds(30));
        ASSERT_EQ(run.CacheFiles().size(), 2u);
    }
    run.StopServer();
    const double stopped = sampler.Now();
    if (copies) {
        EXPECT_TRUE(sampler.WaitFor(kGreen, kPageMs, stopped)) << test::Describe(sampler.Runs());
        const double green = sampler.Now();
        EXPECT_TRUE(sampler.WaitFor(kBlue, kPageMs, green)) << test::Describe(sampler.Runs());
    } else {
        ASSERT_TRUE(sampler.WaitFor(kBlack, kPageMs, stopped)) << test::Describe(sampler.Runs());
        const double black = sampler.Now();
        usleep(3000000);  // a few rounds of the list
        EXPECT_EQ(sampler.Sequence(black), std::vector<Rgb>{kBlack})
            << test::Describe(sampler.Runs());
        EXPECT_EQ(run.CacheFiles(), std::vector<std::string>{});
    }
    ExpectNoWhite(sampler);
    ExpectCleanEnd(run);
}

INSTANTIATE_TEST_SUITE_P(WebOfflineCopies, OfflineCopiesTest, ::testing::Bool());

}  // namespace
}  // namespace saver
