// End-to-end tests of real saver files: made by the saverpack program from the
// saverhost program, run with the real switches, checked from outside.

#include "base/Files.h"
#include "support/ChildProcess.h"
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
    testing::ChildOptions Options() const {
        testing::ChildOptions options;
        options.set_env = {{"HOME", root / "home"},
                           {"XDG_RUNTIME_DIR", root / "run"},
                           {"XDG_DATA_HOME", root / "data"},
                           {"XDG_CONFIG_HOME", root / "config"},
                           {"SAVERHOST_SYSTEM_DIR", root / "system/"},
                           {"SAVER_TEST_RECORD", root / "record.txt"}};
        options.unset_env = {"DISPLAY", "WAYLAND_DISPLAY"};
        return options;
    }

    testing::ChildResult Run(const std::vector<std::string>& argv) const {
        return testing::RunChild(argv, Options());
    }

    std::string MakeSaver(const std::string& name, const std::string& settings) {
        root.Write("author/Ocean.ini", settings);
        testing::ChildResult result =
            Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini",
                 "--content", root / "author/content", "-o", root / name});
        EXPECT_TRUE(result.exited && result.status == 0) << result.err;
        return root / name;
    }

    nlohmann::json Inspect(const std::string& saver) const {
        testing::ChildResult result = Run({kPack, "inspect", "--json", saver});
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

    testing::TempFolder root;
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
    testing::ChildResult built =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--content",
             root / "author/content", "--item", root / "author/big.bin", "-o", root / "Ocean.scr"});
    ASSERT_EQ(built.status, 0) << built.err;
    nlohmann::json report = Inspect(root / "Ocean.scr");
    EXPECT_TRUE(report["PackagePresent"]);
    EXPECT_FALSE(report["ExecutableForm"]);
    EXPECT_EQ(report["SaverName"], "Ocean");
    EXPECT_TRUE(report["SettingsFile"].get<std::string>().ends_with("/Ocean.ini"));
    EXPECT_EQ(report["Settings"]["WebInterval"], 25);
    EXPECT_EQ(report["Settings"]["ScrName"], "Ocean");
    EXPECT_EQ(report["Settings"]["MousePress"], true);
    EXPECT_EQ(report["Settings"].size(), 47u);
    EXPECT_EQ(report["FeedList"], nlohmann::json::array({"News"}));
    EXPECT_EQ(report["Lists"]["Web"],
              nlohmann::json::array({"(URL) http://a.test/?q**1", "page.htm"}));
    ASSERT_EQ(report["PackageItems"].size(), 1u);
    EXPECT_EQ(report["PackageItems"][0]["Key"], "big.bin");
    EXPECT_EQ(report["PackageItems"][0]["Start"].get<uint64_t>(), fs::file_size(kHost))
        << "the first item starts right after the host";
    EXPECT_GT(report["PackageItems"][0]["End"].get<uint64_t>(), fs::file_size(kHost));
    EXPECT_FALSE(report["PackageItems"][0]["NotZip"]);
    EXPECT_FALSE(fs::exists(root / "run/Orvane/Ocean.ini"))
        << "inspect leaves the working folder alone";
}

// A settings file saved as "ANSI" on Windows: built with one warning, read as it was meant.
TEST_F(SaverFileTest, SettingsWrittenOnWindowsAreReadInTheirEncoding) {
    fs::copy_file(std::string(SAVER_TEST_DATA) + "/settings/windows-1252-crlf.ini",
                  root / "author/Ocean.ini");
    testing::ChildResult built = Run({kPack, "build", "--host", kHost, "--settings",
                                      root / "author/Ocean.ini", "-o", root / "Ocean.scr"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.err,
              "saverpack: warning: the settings file " + root / "author/Ocean.ini" +
                  " is not UTF-8; read it as Windows-1252 (the saver reads it so too)\n");
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

TEST_F(SaverFileTest, SecondInstanceExitsSilentlyAndEmptiesTheWorkingFolder) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    int lock = ::open((root / "run/quillmontscreensaverweb.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    root.Write("run/Orvane/left-over.htm", "x");
    testing::ChildResult result = Run({saver, "/a", "5"});
    ::close(lock);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_FALSE(fs::exists(root / "record.txt")) << "the second instance does nothing else";
    EXPECT_TRUE(WorkingFiles().empty());
}

TEST_F(SaverFileTest, InstallCommandWritesTheLogAndCopiesTheFile) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    root.Write("installer/Ocean.scr", "the saver");
    testing::ChildResult result = Run({saver, "path", root / "installer/", "Ocean.scr"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::string log = testing::ReadFile(root / "data/Orvane/log.ini");
    EXPECT_NE(log.find(saver + "=" + root / "installer/"), std::string::npos) << log;
    EXPECT_NE(log.find("Ocean=" + root / "installer/"), std::string::npos) << log;
    EXPECT_EQ(testing::ReadFile(root / "data/Orvane/Ocean.scr"), "the saver");
}

TEST_F(SaverFileTest, PasswordModeCallsTheSystemLibrary) {
    std::string saver = MakeSaver("Ocean.scr", "[Set]\n");
    testing::ChildResult result = Run({saver, "/a", "5"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(testing::ReadFile(root / "record.txt"), "SCRSAVE 5 0 0\n");

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
        testing::ChildOptions options = Options();
        options.set_env["SAVER_TEST_BLOCK"] = "1";
        testing::ChildProcess child({saver, "/a", "5"}, options);
        while (!fs::exists(root / "record.txt")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(fs::exists(root / "run/Orvane/locked.htm"));
        struct stat info {};
        ::stat((root / "run/Orvane/locked.htm").c_str(), &info);
        EXPECT_EQ(info.st_mode & 0222, 0u) << "a read-only file stays read-only when unpacked";
        child.Signal(signal_number);
        testing::ChildResult result = child.Wait();
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
    testing::ChildResult result =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--content",
             root / "author/content", "-o", root / "Ocean.scr"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("bytes too large"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--item"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(root / "Ocean.scr"));
}

TEST_F(SaverFileTest, SaverpackShowsProgressForLargeItems) {
    root.Write("author/Ocean.ini", "[Set]\n");
    root.Write("author/movie.bin", std::string(11u * 1000 * 1000, 'm'));
    testing::ChildResult result =
        Run({kPack, "build", "--host", kHost, "--settings", root / "author/Ocean.ini", "--item",
             root / "author/movie.bin:notzip", "-o", root / "Ocean.scr"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("movie.bin: 100%"), std::string::npos) << result.err;
    nlohmann::json report = Inspect(root / "Ocean.scr");
    EXPECT_TRUE(report["PackageItems"][0]["NotZip"]);
}

}  // namespace
}  // namespace saver
