// The music of a real saver file made by saverpack, run with "/s" under Xvfb. What it
// plays is recorded as WAV files (SAVERHOST_AUDIO_SINK names a folder) and checked from
// outside: the order of the items, their pitch, the silence after the last one.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>

#include "SaverRun.h"
#include "support/TestServers.h"
#include "support/WavFile.h"

namespace saver {
namespace {

namespace fs = std::filesystem;
using test::SaverRun;
using test::WavFile;
using Names = std::vector<std::string>;

const std::string kTones = SAVER_TONES_DIR;

// A show with the given music, recording what it plays into its own folder.
class MusicShow {
  public:
    MusicShow() {
        fs::create_directories(Recordings());
        setenv("SAVERHOST_AUDIO_SINK", Recordings().c_str(), 1);
    }
    ~MusicShow() { unsetenv("SAVERHOST_AUDIO_SINK"); }

    // Starts the show with `set_lines` and the Music list `music`; the named tones are
    // carried in the package.
    bool Start(const std::string& set_lines, const Names& music, const Names& tones) {
        for (const std::string& tone : tones) {
            fs::copy_file(kTones + "/" + tone, run.Folder() + "/content/" + tone);
        }
        std::string lines = "WebInterval=60\nPlayMusic=1\n" + set_lines + "\n[Music]";
        for (const std::string& item : music) {
            lines += "\n" + item + "=1";
        }
        if (!run.StartX() || !run.MakeSaver(lines, {run.Url("p1.htm")})) {
            return false;
        }
        run.Start();
        return true;
    }
    std::string Recordings() const { return run.Folder() + "/recordings"; }
    Names Recorded() const {
        Names names;
        for (const auto& entry : fs::directory_iterator(Recordings())) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Waits up to a minute for `count` recordings.
    bool WaitForRecordings(size_t count) {
        return test::Eventually([&] { return Recorded().size() >= count; },
                                std::chrono::minutes(1));
    }
    double Pitch(const std::string& name) const {
        WavFile wav;
        return wav.Read(Recordings() + "/" + name) ? wav.Frequency() : 0;
    }
    // Ends the show with Esc; true when it ended well and left no working files.
    bool EndedCleanly() {
        run.Xdo("key Escape");
        return run.Ended(20000) && run.ExitStatus() == 0 && run.WorkingFiles().empty();
    }

    SaverRun run;
};

const Names kClips = {"clip-a.mp3", "clip-b.mp3", "clip-c.mp3"};
const Names kClipItems = {"(File) clip-a.mp3", "(File) clip-b.mp3", "(File) clip-c.mp3"};

// Both players of local MP3 files: the media player (GStreamer), and the MPEG audio
// library that the saver carries into the private working folder.
struct PlayerCase {
    const char* name;
    const char* set_line;
    bool carry_library;
};
const PlayerCase kPlayers[] = {
    {"media player", "MediaPlayerMp3=1", false},
    {"MPEG audio library", "MediaPlayerMp3=0", true},
};

std::string CarryLibrary(bool carry) {
    return carry ? std::string("--mpeg-library ") + SAVER_MPEGDLL + ":notzip" : "";
}

TEST(MusicEndToEndTest, ThreeItemsPlayInOrderAndThenSilenceWithoutLoop) {
    for (const PlayerCase& player : kPlayers) {
        MusicShow show;
        show.run.build_options = CarryLibrary(player.carry_library);
        ASSERT_TRUE(show.Start(std::string(player.set_line) + "\nLoopMusic=0", kClipItems, kClips));
        ASSERT_TRUE(show.WaitForRecordings(3)) << player.name;
        // Long enough for a fourth item to have started.
        usleep(3000000);
        const Names recorded = show.Recorded();
        EXPECT_EQ(recorded,
                  (Names{"0001-clip-a.mp3.wav", "0002-clip-b.mp3.wav", "0003-clip-c.mp3.wav"}))
            << player.name;
        const double pitches[] = {440, 660, 880};
        for (size_t i = 0; i < recorded.size() && i < 3; ++i) {
            EXPECT_NEAR(show.Pitch(recorded[i]), pitches[i], 15)
                << player.name << " " << recorded[i];
        }
        EXPECT_TRUE(show.EndedCleanly()) << player.name;
    }
}

TEST(MusicEndToEndTest, WithLoopTheFirstItemFollowsTheLast) {
    MusicShow show;
    ASSERT_TRUE(show.Start("LoopMusic=1", kClipItems, kClips));
    ASSERT_TRUE(show.WaitForRecordings(4));
    EXPECT_EQ(show.Recorded().at(3), "0004-clip-a.mp3.wav");
    EXPECT_TRUE(show.EndedCleanly());
}

TEST(MusicEndToEndTest, AnAddressPlaysThroughTheAddressPlayer) {
    MusicShow show;
    const std::string served = show.run.Folder() + "/served";
    fs::create_directories(served);
    fs::copy_file(kTones + "/clip-b.mp3", served + "/clip-b.mp3");
    test::HttpServer server(served);
    ASSERT_FALSE(server.BaseUrl().empty());
    ASSERT_TRUE(show.Start("LoopMusic=1", {"(URL) " + server.BaseUrl() + "clip-b.mp3"}, {}));
    ASSERT_TRUE(show.WaitForRecordings(1));
    EXPECT_EQ(show.Recorded(), Names{"0001-clip-b.mp3.wav"});
    // An address's play is the last one, loop or not: nothing follows it.
    usleep(3000000);
    EXPECT_EQ(show.Recorded().size(), 1u);
    EXPECT_NEAR(show.Pitch("0001-clip-b.mp3.wav"), 660, 15);
    EXPECT_TRUE(show.EndedCleanly());
}

TEST(MusicEndToEndTest, EscEndsTheShowWhileAnItemPlays) {
    for (const PlayerCase& player : kPlayers) {
        MusicShow show;
        // Too large for the package: it travels as a package item.
        show.run.build_options =
            CarryLibrary(player.carry_library) + " --item " + kTones + "/long.mp3";
        ASSERT_TRUE(show.Start(player.set_line, {"long.mp3"}, {}));
        ASSERT_TRUE(show.WaitForRecordings(1)) << player.name;
        const std::string recording = show.Recordings() + "/" + show.Recorded().front();
        EXPECT_TRUE(test::Eventually([&] { return fs::file_size(recording) >= 100000; },
                                     std::chrono::minutes(1)))
            << player.name << ": playing";
        EXPECT_TRUE(show.EndedCleanly()) << player.name;
    }
}

}  // namespace
}  // namespace saver
