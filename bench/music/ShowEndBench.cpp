// Time from an Esc to the end of the saver's process while its music plays or fails,
// beside a show without music, under Xvfb. The music is recorded into a scratch folder
// (SAVERHOST_AUDIO_SINK); each repetition is a fresh process, X server and user.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "SaverRun.h"

namespace saver {
namespace {

namespace fs = std::filesystem;

enum class Music { None, MediaPlayer, MpegLibrary, StalledAddress };

std::string MusicLines(Music music, test::SaverRun& run) {
    switch (music) {
        case Music::None:
            return "PlayMusic=0";
        case Music::MediaPlayer:
            return "PlayMusic=1\nMediaPlayerMp3=1\n[Music]\nlong.mp3=1";
        case Music::MpegLibrary:
            return "PlayMusic=1\nMediaPlayerMp3=0\n[Music]\nlong.mp3=1";
        case Music::StalledAddress:
            return "PlayMusic=1\n[Music]\n(URL) " + run.Url("hang.mp3") + "=1";
    }
    return "";
}

void BM_EscToEnd(benchmark::State& state, Music music) {
    for (auto _ : state) {
        test::SaverRun run;
        const std::string recordings = run.Folder() + "/recordings";
        fs::create_directories(recordings);
        setenv("SAVERHOST_AUDIO_SINK", recordings.c_str(), 1);
        run.build_options = std::string("--item ") + SAVER_TONES_DIR + "/long.mp3" +
                            " --mpeg-library " + SAVER_MPEGDLL + ":notzip";
        if (!run.StartX() ||
            !run.MakeSaver("WebInterval=60\n" + MusicLines(music, run), {run.Url("p1.htm")})) {
            state.SkipWithError("no X server or saver");
            return;
        }
        run.Start();
        // The first page shown, and the music playing (or asked for) for a second.
        run.WaitFor("/p1.htm", 60000);
        for (int i = 0; i < 600 && music != Music::None && music != Music::StalledAddress &&
                        fs::is_empty(recordings);
             ++i) {
            usleep(100000);
        }
        sleep(1);
        const auto start = std::chrono::steady_clock::now();
        run.Xdo("key Escape");
        const bool ended = run.Ended(20000);
        const auto end = std::chrono::steady_clock::now();
        unsetenv("SAVERHOST_AUDIO_SINK");
        if (!ended) {
            state.SkipWithError("the show did not end");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

#define SAVER_ESC_BENCHMARK(name, music)        \
    BENCHMARK_CAPTURE(BM_EscToEnd, name, music) \
        ->UseManualTime()                       \
        ->Iterations(1)                         \
        ->Repetitions(3)                        \
        ->ReportAggregatesOnly()                \
        ->Unit(benchmark::kMillisecond)

SAVER_ESC_BENCHMARK(no_music, Music::None);
SAVER_ESC_BENCHMARK(mp3_media_player, Music::MediaPlayer);
SAVER_ESC_BENCHMARK(mp3_mpeg_library, Music::MpegLibrary);
SAVER_ESC_BENCHMARK(stalled_address, Music::StalledAddress);

}  // namespace
}  // namespace saver

BENCHMARK_MAIN();
