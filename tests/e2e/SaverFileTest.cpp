// End-to-end tests of real saver files: made by the saverpack program from the
// saverhost program, run with the real switches, checked from outside.

#include "base/Files.h"
#include "support/ChildProcess.h"
#include "support/Eventually.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <filesystem>
#include <random>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver {
namespace {

namespace fs = std::filesystem;

const std::string kBin = SAVER_BIN_DIR;
const std::string kHost = kBin + "/saverhost";
const std::string kPack = kBin + "/saverpack";

class SaverFileTest : public ::testing::Test {
  protected:
    SaverFileTest() {
        for (const char* folder : {"home", "run", "data", "config", "system", "author/content"}) {
            ForceDirectories(root / folder);
        }
        ::chmod((root / "run").c_str(), 0700);
        fs::copy_file(kBin + "/../lib/librecording_password.so", root / "system/libmpr.so");
    }

    // The environment of a user whose folders all lie in this test's folder, without a
    // display.
    test::ChildOptions Options() const {
        test::ChildOptions options;
        options.set_env = {{"HOME", root / "home"},
                           {"XDG_RUNTIME_DIR", root / "run"},
                           {"XDG_DATA_HOME", root / "data"},
                           {"XDG_CONFIG_HOME", root / "config"},
                           {"SAVERHOST_SYSTEM_DIR", root / "system/"},
                           {"SAVER_TEST_RECORD", root / "record.txt"}};
        options.unset_env = {"DISPLAY", "WAYLAND_DISPLAY"};
        return options;
    }

    test::ChildResult Run(const std::vector<std::string>& argv) const {
        return test::RunChild(argv, Options());
    }

    std::string MakeSaver(const std::string& name, const std::string& settings) {
        root.Write("author/Ocean.ini", settings);
        test::ChildResult result =
            Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini",
                 "--content", root / "author/content", "-o", root / name});
        EXPECT_TRUE(result.exited && result.status == 0) << result.err;
        return root / name;
    }

    nlohmann::json Inspect(const std::string& saver) const {
        test::ChildResult result = Run({kPack, "inspect", "--json", saver});
        EXPECT_EQ(result.status, 0) << result.err;
        return nlohmann::json::parse(result.out);
    }

    std::vector<std::string> WorkingFiles() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root / "run/Orvane")) {
            if (!entry.is_directory()) {
                files.push_back(entry.path().filename().string());
            }
        }
        return files;
    }

    test::TempFolder root;
};

TEST_F(SaverFileTest, TheHostAloneCarriesNoPackage) {
    nlohmann::json report = Inspect(kHost);
    EXPECT_FALSE(report["PackagePresent"]);
    EXPECT_EQ(report["SaverName"], "saverhost");
}

TEST_F(SaverFileTest, InspectReportsWhatTheSaverCarries) {
    root.Write("author/content/page.htm", "<p>");
    root.Write("author/big.bin", std::string(200000, 'x'));
    root.Write("author/Ocean.ini",
               "[Set]\nWebInterval=25\nWebSequence=0\nScrName=Ocean\n"
               "[feeds]\nNews=http://n.test/rss\n[Web]\n(URL) http://a.test/?q**1=1\npage.htm=1\n");
    test::ChildResult built =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--content",
             root / "author/content", "--item", root / "author/big.bin", "-o", root / "Ocean.scr"});
    ASSERT_EQ(built.status, 0) << built.err;
    nlohmann::json report = Inspect(root / "Ocean.scr");
    EXPECT_TRUE(report["PackagePresent"]);
    EXPECT_FALSE(report["ExecutableForm"]);
    EXPECT_EQ(report["SaverName"], "Ocean");
    EXPECT_EQ(report["SettingsFile"], "Ocean.ini") << "the name inside the package";
    EXPECT_EQ(report["Settings"]["WebInterval"], 25);
    EXPECT_EQ(report["Settings"]["ScrName"], "Ocean");
    EXPECT_EQ(report["Settings"]["MousePress"], true);
    EXPECT_EQ(report["Settings"]["WebOfflineCopies"], true);
    EXPECT_EQ(report["Settings"].size(), 48u);
    EXPECT_EQ(report["FeedList"], nlohmann::json::array({"News"}));
    EXPECT_EQ(report["Lists"]["Web"],
              nlohmann::json::array({"(URL) http://a.test/?q**1", "page.htm"}));
    ASSERT_EQ(report["PackageItems"].size(), 1u);
    EXPECT_EQ(report["PackageItems"][0]["Key"], "big.bin");
    EXPECT_EQ(report["PackageItems"][0]["Start"].get<uint64_t>(), fs::file_size(kHost))
        << "the first item starts right after the host";
    EXPECT_GT(report["PackageItems"][0]["End"].get<uint64_t>(), fs::file_size(kHost));
    EXPECT_FALSE(report["PackageItems"][0]["NotZip"]);
    ASSERT_EQ(report["PackageEntries"].size(), 2u) << "listed from the archive, not unpacked";
    EXPECT_EQ(report["PackageEntries"][1]["Name"], "page.htm");
    EXPECT_EQ(report["PackageEntries"][1]["Size"], 3);
    EXPECT_FALSE(fs::exists(root / "run/Orvane/Ocean.ini"))
        << "inspect leaves the working folder alone";
}

TEST_F(SaverFileTest, InspectTellsWhetherWebPagesAreKept) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\nWebOfflineCopies=0\n");
    EXPECT_EQ(Inspect(saver)["Settings"]["WebOfflineCopies"], false);
    test::ChildResult text = Run({kPack, "inspect", saver});
    EXPECT_NE(text.out.find("Offline copies:   off\n"), std::string::npos) << text.out;
}

// A settings file saved as "ANSI" on Windows: built with a warning about its encoding (and
// one about its line without "="), read as it was meant.
TEST_F(SaverFileTest, SettingsWrittenOnWindowsAreReadInTheirEncoding) {
    fs::copy_file(std::string(SAVER_TEST_DATA) + "/settings/windows-1252-crlf.ini",
                  root / "author/Ocean.ini");
    test::ChildResult built = Run({kPack, "build", "--host", kHost, "--settings",
                                   root / "author/Ocean.ini", "-o", root / "Ocean.scr"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err,
              root / "author/Ocean.ini" +
                  ": warning: the settings file is not UTF-8; read it as Windows-1252 (the saver "
                  "reads it so too)\n" +
                  root / "author/Ocean.ini" +
                  ":8: warning: [Web] a line without equals: no \"=\" on the line, so the saver "
                  "reads an entry without a name (write NAME=VALUE, such as a line without "
                  "equals=1)\n");
    nlohmann::json report = Inspect(root / "Ocean.scr");
    EXPECT_EQ(report["SettingsEncoding"], "Windows-1252");
    EXPECT_EQ(report["Settings"]["ScrName"], "Caf\u00e9 M\u00fcller");
    EXPECT_EQ(report["Settings"]["WebInterval"], 15);
}

TEST_F(SaverFileTest, ExecutableFormFollowsTheFileName) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    fs::copy_file(saver, root / "Ocean.exe");
    EXPECT_TRUE(Inspect(root / "Ocean.exe")["ExecutableForm"]);
    EXPECT_FALSE(Inspect(saver)["ExecutableForm"]);
}

// Two real savers: the one that runs owns the working folder. A second one (the idle
// watcher while a show runs, xscreensaver once per monitor) ends silently and leaves the
// running one's files alone; what a run killed by SIGKILL left is cleared by the next
// run that gets the lock, before it unpacks anything.
TEST_F(SaverFileTest, OnlyTheRunningInstanceTouchesTheWorkingFolder) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    test::ChildOptions blocking = Options();
    blocking.set_env["SAVER_TEST_BLOCK"] = "1";
    auto running =
        std::make_unique<test::ChildProcess>(std::vector<std::string>{saver, "/a", "5"}, blocking);
    ASSERT_TRUE(test::Eventually([this] { return fs::exists(root / "record.txt"); }));
    ASSERT_TRUE(fs::exists(root / "run/Orvane/Ocean.ini"));
    fs::remove(root / "record.txt");

    test::ChildResult second = Run({saver, "/s"});
    EXPECT_TRUE(second.exited);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out + second.err, "");
    EXPECT_FALSE(fs::exists(root / "record.txt")) << "the second instance does nothing else";
    EXPECT_TRUE(fs::exists(root / "run/Orvane/Ocean.ini")) << "the running saver's files stay";

    running->Signal(SIGKILL);
    running->Wait();
    running.reset();
    root.Write("run/Orvane/left-over.htm", "of the killed run");
    running =
        std::make_unique<test::ChildProcess>(std::vector<std::string>{saver, "/a", "5"}, blocking);
    ASSERT_TRUE(test::Eventually([this] { return fs::exists(root / "record.txt"); }));
    EXPECT_FALSE(fs::exists(root / "run/Orvane/left-over.htm"));
    EXPECT_TRUE(fs::exists(root / "run/Orvane/Ocean.ini"));
    running->Signal(SIGTERM);
    running->Wait();
    EXPECT_TRUE(WorkingFiles().empty());
}

TEST_F(SaverFileTest, InstallCommandWritesTheLogAndCopiesTheFile) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    root.Write("installer/Ocean.scr", "the saver");
    test::ChildResult result = Run({saver, "path", root / "installer/", "Ocean.scr"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::string log = test::ReadFile(root / "data/Orvane/log.ini");
    EXPECT_NE(log.find(saver + "=" + root / "installer/"), std::string::npos) << log;
    EXPECT_NE(log.find("Ocean=" + root / "installer/"), std::string::npos) << log;
    EXPECT_EQ(test::ReadFile(root / "data/Orvane/Ocean.scr"), "the saver");
}

// The installer's "true" has the desktop's selection program started with the saver's
// full path as one argument, however many blanks and quotes the path holds.
TEST_F(SaverFileTest, InstallCommandPassesTheSaverPathAsOneArgument) {
    root.Write("system/install-screensaver",
               "#!/bin/sh\nprintf '%s|' \"$@\" > \"$SAVER_TEST_RECORD.tmp\"\n"
               "mv \"$SAVER_TEST_RECORD.tmp\" \"$SAVER_TEST_RECORD\"\n");
    ::chmod((root / "system/install-screensaver").c_str(), 0755);
    ForceDirectories(root / "my savers");
    const std::string saver = MakeSaver("my savers/My \"Ocean\"  Saver.scr", "[Set]\n");
    test::ChildResult result = Run({saver, "path", root / "installer/", "x.scr", "true"});
    EXPECT_EQ(result.status, 0) << result.err;
    // The program is started detached; its record comes when it has run.
    for (int waited = 0; !fs::exists(root / "record.txt") && waited < 30000; waited += 20) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(test::ReadFile(root / "record.txt"), saver + "|");
}

TEST_F(SaverFileTest, PasswordModeCallsTheSystemLibrary) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    test::ChildResult result = Run({saver, "/a", "5"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::ReadFile(root / "record.txt"), "SCRSAVE 5 0 0\n");

    fs::remove(root / "record.txt");
    Run({saver, "/a", "0"});
    EXPECT_FALSE(fs::exists(root / "record.txt")) << "handle 0 calls nothing";
}

// The working folder is emptied however the saver ends: here it is ended by a signal
// while it sits in the password dialog, with a read-only file among its working files.
TEST_F(SaverFileTest, WorkingFolderIsEmptiedOnEveryWayOut) {
    root.Write("author/content/locked.htm", "x");
    ::chmod((root / "author/content/locked.htm").c_str(), 0444);
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        fs::remove(root / "record.txt");
        test::ChildOptions options = Options();
        options.set_env["SAVER_TEST_BLOCK"] = "1";
        test::ChildProcess child({saver, "/a", "5"}, options);
        while (!fs::exists(root / "record.txt")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(fs::exists(root / "run/Orvane/locked.htm"));
        struct stat info {};
        ::stat((root / "run/Orvane/locked.htm").c_str(), &info);
        EXPECT_EQ(info.st_mode & 0222, 0u) << "a read-only file stays read-only when unpacked";
        child.Signal(signal_number);
        test::ChildResult result = child.Wait();
        EXPECT_FALSE(result.exited);
        EXPECT_EQ(result.status, signal_number);
        EXPECT_TRUE(WorkingFiles().empty()) << "after signal " << signal_number;
    }
    Run({saver, "/a", "0"});
    EXPECT_TRUE(WorkingFiles().empty()) << "after a normal end";
}

TEST_F(SaverFileTest, SaverpackRefusesAPackageThatDoesNotFit) {
    std::mt19937 random(5);
    std::string noise(200000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    root.Write("author/content/noise.bin", noise);
    root.Write("author/Ocean.ini", "[Set]\n");
    test::ChildResult result =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--content",
             root / "author/content", "-o", root / "Ocean.scr"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("bytes too large"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--item"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("noise.bin (200000 bytes)"), std::string::npos)
        << "the message names the largest files: " << result.err;
    EXPECT_FALSE(fs::exists(root / "Ocean.scr"));

    // The advice works as written: given as a package item, the file leaves the package.
    result = Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini",
                  "--content", root / "author/content", "--item", root / "author/content/noise.bin",
                  "-o", root / "Ocean.scr"});
    EXPECT_EQ(result.status, 0) << result.err;
    nlohmann::json report = Inspect(root / "Ocean.scr");
    ASSERT_EQ(report["PackageItems"].size(), 1u);
    EXPECT_EQ(report["PackageItems"][0]["Key"], "noise.bin");
}

// The warnings of the check, from "build" and from "check"; --strict makes them errors
// and then no saver is written.
TEST_F(SaverFileTest, SaverpackWarnsAboutMistakesAndStrictRefuses) {
    root.Write("author/content/page.htm", "<img src=\"img/sun.jpg\">");
    root.Write("author/content/img/sun.jpg", "jpg");
    root.Write("author/Ocean.ini", "[Set]\nWebIntervall=5\n[Web]\npage.htm=1\n");
    const std::string ini = root / "author/Ocean.ini";
    const std::string content = root / "author/content";
    const std::vector<std::string> warnings = {
        ini +
            ":2: warning: [Set] WebIntervall: unknown key, which the saver reads past; the "
            "nearest known one is WebInterval",
        content +
            "/page.htm:1: warning: \"img/sun.jpg\" names a folder, but the package keeps "
            "none, so the page will not find it (the package holds sun.jpg beside the "
            "page: write \"sun.jpg\")"};
    const std::string lines = warnings[0] + "\n" + warnings[1] + "\n";

    test::ChildResult built = Run({kPack, "build", "--host", kHost, "--settings", ini, "--content",
                                   content, "-o", root / "Ocean.scr"});
    EXPECT_EQ(built.status, 0);
    EXPECT_EQ(built.err, lines);
    EXPECT_TRUE(fs::exists(root / "Ocean.scr"));

    test::ChildResult checked = Run({kPack, "check", ini, "--content", content});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.err, lines);

    test::ChildResult strict = Run({kPack, "build", "--strict", "--host", kHost, "--settings", ini,
                                    "--content", content, "-o", root / "Strict.scr"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_TRUE(strict.err.starts_with(lines)) << strict.err;
    EXPECT_FALSE(fs::exists(root / "Strict.scr"));
    EXPECT_EQ(Run({kPack, "check", "--strict", ini, "--content", content}).status, 1);

    root.Write("author/Good.ini", "[Set]\nWebInterval=5\n");
    test::ChildResult good = Run({kPack, "check", "--strict", root / "author/Good.ini"});
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.err, "");
}

TEST_F(SaverFileTest, SaverpackSaysWhatFailedAndWhy) {
    root.Write("author/Ocean.ini", "[Set]\n");
    const std::string ini = root / "author/Ocean.ini";
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"build", "--host", "/bin/ls", "--settings", ini, "-o", root / "x.scr"},
         1,
         "saverpack: /bin/ls is not a saverhost program\n"},
        {{"build", "--host", kHost, "--settings", ini, "-o", root / "nodir/x.scr"},
         1,
         "saverpack: cannot write " + root / "nodir/x.scr" + ": the folder " + root / "nodir/" +
             " does not exist\n"},
        {{"build", "--host", root / "nohost", "--settings", ini, "-o", root / "x.scr"},
         1,
         "saverpack: cannot read the host program " + root / "nohost" +
             ": No such file or directory\n"},
        {{"check", root / "none.ini"},
         1,
         "saverpack: cannot read the settings file " + root / "none.ini" +
             ": No such file or directory\n"},
        {{"build", "--help"}, 0, ""},
        {{"check", "--help"}, 0, ""},
        {{"inspect", "x.scr", "--help"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = {kPack};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        test::ChildResult result = Run(argv);
        EXPECT_EQ(result.status, c.status) << c.arguments[0] << " " << c.arguments[1];
        EXPECT_EQ(result.err, c.message);
        if (c.status == 0) {
            EXPECT_TRUE(result.out.starts_with("Usage:\n  saverpack " + c.arguments[0]))
                << result.out;
        }
    }
    EXPECT_FALSE(fs::exists(root / "x.scr"));
}

TEST_F(SaverFileTest, InspectListsTheWebPagesInFileOrderAndThePlayOrderApart) {
    std::string settings = "[Set]\nWebSequence=2\nWebInterval=0\n[Web]\n";
    std::vector<std::string> in_file_order;
    for (int i = 0; i < 30; ++i) {
        in_file_order.push_back("http://site" + std::to_string(i) + ".test/");
        settings += in_file_order.back() + "=1\n";
    }
    const std::string saver = MakeSaver("Ocean.scr", settings);
    nlohmann::json report = Inspect(saver);
    EXPECT_EQ(report["Lists"]["Web"], nlohmann::json(in_file_order));
    nlohmann::json again = Inspect(saver);
    again.erase("WebPlayOrder");
    nlohmann::json first = report;
    first.erase("WebPlayOrder");
    EXPECT_EQ(first, again) << "but for the play order, every run reports the same";
    ASSERT_EQ(report["WebPlayOrder"].size(), 30u);
    EXPECT_NE(report["WebPlayOrder"], report["Lists"]["Web"]) << "odds of staying: 1 in 30!";
    EXPECT_EQ(report["Settings"]["WebInterval"], 1) << "as the saver uses it";

    test::ChildResult text = Run({kPack, "inspect", saver});
    EXPECT_EQ(text.status, 0) << text.err;
    const std::string item = std::string(18, ' ');
    for (const std::string& line : std::vector<std::string>{
             "\nSettings file:    Ocean.ini\n", "\nPage interval:    1 s\n",
             "\nOrder:            Intelligent Random: shuffled once, then in that order\n",
             "\nExit conditions:  keyboard on, mouse button on, mouse move off, only Esc off, "
             "cursor "
             "shown off, system-wide off\n",
             "\nWeb:              30 items\n" + item + "http://site0.test/\n" + item +
                 "http://site1.test/\n"}) {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\nin\n" << text.out;
    }
}

TEST_F(SaverFileTest, SaverpackShowsProgressForLargeItems) {
    root.Write("author/Ocean.ini", "[Set]\n");
    root.Write("author/movie.bin", std::string(11u * 1000 * 1000, 'm'));
    test::ChildResult result =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--item",
             root / "author/movie.bin:notzip", "-o", root / "Ocean.scr"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("movie.bin: 100%"), std::string::npos) << result.err;
    nlohmann::json report = Inspect(root / "Ocean.scr");
    EXPECT_TRUE(report["PackageItems"][0]["NotZip"]);
}

}  // namespace
}  // namespace saver
