// The MPEG audio library on its own: loaded by TMPEGPlayer from a folder, driven through
// its entry points, playing generated MP3 files into WAV files.

#include "music/TMPEGPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "music/TMPEGError.h"
#include "platform/linux/DlLibraryLoader.h"
#include "support/FakeTimers.h"
#include "support/TempFolder.h"
#include "support/WavFile.h"

namespace saver {
namespace {

using test::FakeTimers;
using test::TempFolder;
using test::WavFile;

const std::string kTones = SAVER_TONES_DIR;

// The failure that `call` raises, as "message (code)".
template <typename Call>
std::string Failure(Call call) {
    try {
        call();
    } catch (const TMPEGError& error) {
        return std::string(error.what()) + " (" + std::to_string(error.Code()) + ")";
    }
    return "no failure";
}

class TMPEGPlayerTest : public ::testing::Test {
  protected:
    TMPEGPlayerTest() { player.PathToDLL = SAVER_MPEGDLL_DIR; }

    // Ticks the position timer until `count` plays have ended; false when they have
    // not within a minute.
    bool WaitForEnd(int count = 1) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (ended < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            timers.TickEnabled();
        }
        return ended >= count;
    }

    TempFolder folder;
    DlLibraryLoader loader;
    FakeTimers timers;
    TMPEGPlayer player{loader, timers.Factory()};
    int ended = 0;
};

TEST_F(TMPEGPlayerTest, PlaysAnMp3IntoAWavFileAndReportsItsEnd) {
    std::vector<int> positions;
    player.OnPosUpdate = [&positions](int position) { positions.push_back(position); };
    player.OnPlayEnd = [this] { ++ended; };
    player.OutputDevice = TMPEGOutputDevice::pcmfile;
    player.OutFilename = folder / "out.wav";
    player.LoadLibrary();
    player.SetStreamName(kTones + "/second.mp3");
    const auto started = std::chrono::steady_clock::now();
    player.Play();
    // The encoder adds a little silence at both ends.
    EXPECT_NEAR(player.Length(), 1000, 80);
    EXPECT_EQ(timers.made.at(0)->interval, 1000);
    ASSERT_TRUE(WaitForEnd());
    // A file plays at the pace of the music, to its last sample, though nothing keeps time.
    EXPECT_GE(std::chrono::steady_clock::now() - started,
              std::chrono::milliseconds(player.Length()));
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(timers.AnyEnabled());
    for (size_t i = 1; i < positions.size(); ++i) {
        EXPECT_LE(positions[i - 1], positions[i]);
        EXPECT_LE(positions[i], player.Length());
    }

    WavFile wav;
    ASSERT_TRUE(wav.Read(player.OutFilename));
    EXPECT_EQ(wav.rate, 44100);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_NEAR(wav.Seconds(), player.Length() / 1000.0, 0.03);
    EXPECT_GT(wav.Level(), 0.1) << "the tone was decoded, not silence";
    EXPECT_NEAR(wav.Frequency(), 523, 10);

    // The next stream plays from inside the end handler, as the music starts it.
    player.OnPlayEnd = [this] {
        if (++ended == 1) {
            player.OutFilename = folder / "next.wav";
            player.SetStreamName(kTones + "/clip-c.mp3");
            player.Play();
        }
    };
    ended = 0;
    player.SetStreamName(kTones + "/clip-b.mp3");
    player.Play();
    ASSERT_TRUE(WaitForEnd(2));
    ASSERT_TRUE(wav.Read(folder / "next.wav"));
    EXPECT_NEAR(wav.Frequency(), 880, 10);

    // A stream that has ended is not playing; a second play of it restarts it.
    EXPECT_EQ(Failure([this] { player.Stop(); }), "Incorrect mode (2)");
    player.Play();
    EXPECT_EQ(player.Mode(), 3);
    player.Stop();
    EXPECT_EQ(player.Mode(), 0);
}

TEST_F(TMPEGPlayerTest, EveryFailureRaisesItsMessageAndCode) {
    // Before the library is loaded.
    EXPECT_EQ(Failure([this] { player.Play(); }), "MPEG library not loaded (0)");
    EXPECT_EQ(Failure([this] { player.Mode(); }), "MPEG library not loaded (0)");
    EXPECT_EQ(Failure([this] { player.Stop(); }), "MPEG library not loaded (0)");

    TMPEGPlayer nowhere(loader, timers.Factory());
    nowhere.PathToDLL = folder.Path();
    EXPECT_EQ(Failure([&nowhere] { nowhere.LoadLibrary(); }), "Can't load MPEG library (-1)");

    TMPEGPlayer incomplete(loader, timers.Factory());
    incomplete.PathToDLL = SAVER_INCOMPLETE_MPEGDLL_DIR;
    EXPECT_EQ(Failure([&incomplete] { incomplete.LoadLibrary(); }), "MPEG library not loaded (0)")
        << "a library without the entry point \"Seek\"";
    EXPECT_FALSE(incomplete.Loaded());

    player.LoadLibrary();
    EXPECT_EQ(Failure([this] { player.Open(); }), "Can't play non-specified stream (254)");
    folder.Write("text.mp3", "This is a text file, not music.\n");
    folder.Write("empty.mp3", "");
    for (const char* name : {"text.mp3", "empty.mp3", "missing.mp3"}) {
        player.SetStreamName(folder / name);
        EXPECT_EQ(Failure([this] { player.Open(); }), "Input stream error (3)") << name;
    }
    player.SetStreamName(kTones + "/second.mp3");
    player.Open();
    EXPECT_EQ(Failure([this] { player.Stop(); }), "Incorrect mode (2)");
    player.OutputDevice = TMPEGOutputDevice::pcmfile;
    player.OutFilename = folder / "no-such-folder/out.wav";
    EXPECT_EQ(Failure([this] { player.Play(); }), "Output device failure (5)");
}

TEST(MpegErrorMessageTest, TheLibraryCodesHaveFixedMessages) {
    EXPECT_EQ(MpegErrorMessage(1), "Internal decoder error");
    EXPECT_EQ(MpegErrorMessage(4), "Input stream is non-seekable");
}

}  // namespace
}  // namespace saver
