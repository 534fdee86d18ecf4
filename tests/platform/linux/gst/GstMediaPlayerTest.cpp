// The GStreamer media player with real files and a real loopback server, recording what
// it plays into WAV files (SAVERHOST_AUDIO_SINK names a folder).

#include "platform/linux/gst/GstMediaPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WavFile.h"

namespace saver {
namespace {

using test::ChildProcess;
using test::ScopedEnvironment;
using test::WavFile;

const std::string kTones = SAVER_TONES_DIR;

// A loopback server of the files of a folder; "/hang..." never answers.
class RecordServer {
  public:
    explicit RecordServer(const std::string& folder)
        : process_({"python3", "-u", SAVER_RECORD_SERVER, folder}) {
        std::smatch match;
        const std::string line = process_.ReadLine(20000);
        if (std::regex_search(line, match, std::regex("PORT ([0-9]+)"))) {
            base_url_ = "http://127.0.0.1:" + match[1].str() + "/";
        }
    }
    const std::string& BaseUrl() const { return base_url_; }
    // Waits for the request of `path` to come in.
    bool Asked(const std::string& path) { return process_.ReadLine(60000) == "GET " + path; }

  private:
    ChildProcess process_;
    std::string base_url_;
};

class GstMediaPlayerTest : public ::testing::Test {
  protected:
    // Runs the main loop until `done` or a minute has passed.
    template <typename Done>
    bool RunUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            g_main_context_iteration(nullptr, FALSE);
            g_usleep(2000);
        }
        return done();
    }
    // Runs the main loop for a while, for what must not happen.
    void RunFor(int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        RunUntil([end] { return std::chrono::steady_clock::now() >= end; });
    }
    std::vector<std::string> Recordings() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(recordings.Path())) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempFolder recordings;
    test::TempFolder files;
    ScopedEnvironment sink{"SAVERHOST_AUDIO_SINK", recordings.Path()};
    GstMediaPlayers players;
    int ends = 0;
    std::unique_ptr<MediaPlayer> player = players.CreatePlayer([this] { ++ends; });
};

TEST_F(GstMediaPlayerTest, PlaysLocalFilesOfEachKindToTheirEnd) {
    struct Case {
        const char* name;
        double frequency;
    };
    for (const Case& tone :
         {Case{"clip-a.mp3", 440}, Case{"clip-b.ogg", 660}, Case{"clip-c.wav", 880}}) {
        ends = 0;
        player->Play(kTones + "/" + tone.name);
        EXPECT_EQ(player->State(), MediaPlayState::Opening) << tone.name;
        ASSERT_TRUE(RunUntil([this] { return ends > 0; })) << tone.name;
        EXPECT_EQ(player->State(), MediaPlayState::Ended) << tone.name;
        EXPECT_NEAR(player->Length(), 500, 60) << tone.name;
        EXPECT_EQ(player->Position(), player->Length()) << tone.name;
    }
    const std::vector<std::string> names = Recordings();
    ASSERT_EQ(names, (std::vector<std::string>{"0001-clip-a.mp3.wav", "0002-clip-b.ogg.wav",
                                               "0003-clip-c.wav.wav"}));
    const double frequencies[] = {440, 660, 880};
    for (size_t i = 0; i < names.size(); ++i) {
        WavFile wav;
        ASSERT_TRUE(wav.Read(recordings / names[i])) << names[i];
        EXPECT_NEAR(wav.Seconds(), 0.5, 0.06) << names[i];
        EXPECT_NEAR(wav.Frequency(), frequencies[i], 10) << names[i];
    }
}

TEST_F(GstMediaPlayerTest, PlaysAnAddressAndFailsOnBadOnes) {
    // An MP3 file: Python's server does not answer ranges, which Ogg files need.
    std::filesystem::copy_file(kTones + "/clip-b.mp3", files / "clip-b.mp3");
    const std::string mp3 = test::ReadFile(kTones + "/clip-a.mp3");
    files.Write("truncated.mp3", mp3.substr(0, mp3.size() / 2));
    files.Write("text.mp3", "This is a text file, not music.\n");
    files.Write("empty.mp3", "");
    files.Write("garbage.mp3", std::string(20000, '\xff'));
    RecordServer server(files.Path());
    ASSERT_FALSE(server.BaseUrl().empty());
    struct Case {
        std::string item;
        MediaPlayState end;
    };
    const Case cases[] = {
        {server.BaseUrl() + "clip-b.mp3", MediaPlayState::Ended},
        {files / "truncated.mp3", MediaPlayState::Ended},            // what is there plays
        {server.BaseUrl() + "missing.mp3", MediaPlayState::Failed},  // 404
        {files / "text.mp3", MediaPlayState::Failed},
        {files / "empty.mp3", MediaPlayState::Failed},
        {files / "garbage.mp3", MediaPlayState::Failed},
        {files / "missing.mp3", MediaPlayState::Failed},
        {"nosuchscheme://host/clip.mp3", MediaPlayState::Failed},
    };
    for (const Case& c : cases) {
        ends = 0;
        player->Play(c.item);
        ASSERT_TRUE(RunUntil([this] { return ends > 0; })) << c.item;
        EXPECT_EQ(player->State(), c.end) << c.item;
        EXPECT_EQ(ends, 1) << c.item;
    }
    EXPECT_EQ(Recordings().front(), "0001-clip-b.mp3.wav");
}

TEST_F(GstMediaPlayerTest, AStallingServerNeitherEndsThePlayNorHoldsUpTheRelease) {
    RecordServer server(files.Path());
    player->Play(server.BaseUrl() + "hang.mp3");
    ASSERT_TRUE(server.Asked("/hang.mp3"));
    RunFor(2000);
    EXPECT_EQ(player->State(), MediaPlayState::Opening);
    EXPECT_EQ(ends, 0);
    player.reset();
}

TEST_F(GstMediaPlayerTest, TheEndNotificationMayReleaseThePlayerOrPlayTheNextItem) {
    int played = 0;
    std::unique_ptr<MediaPlayer> chained;
    chained = players.CreatePlayer([&] {
        if (++played < 2) {
            chained->Play(kTones + "/clip-b.mp3");
        } else {
            chained.reset();
        }
    });
    chained->Play(kTones + "/clip-a.mp3");
    ASSERT_TRUE(RunUntil([&] { return chained == nullptr; }));
    EXPECT_EQ(played, 2);
    EXPECT_EQ(Recordings().size(), 2u);
}

TEST_F(GstMediaPlayerTest, StopEndsThePlayWithoutANotification) {
    player->Play(kTones + "/long.mp3");
    ASSERT_TRUE(RunUntil([this] {
        return player->State() == MediaPlayState::Playing && player->Length() > 0 &&
               player->Position() > 0;
    }));
    EXPECT_GT(player->Length(), 20000);  // estimated from the first frames
    EXPECT_LT(player->Position(), player->Length());
    player->Stop();
    EXPECT_EQ(player->State(), MediaPlayState::Idle);
    RunFor(1000);
    EXPECT_EQ(ends, 0);
}

}  // namespace
}  // namespace saver
