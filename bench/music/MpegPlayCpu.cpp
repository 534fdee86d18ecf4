// The CPU an MP3 costs the saver when it plays through the MPEG audio library, beside the
// CPU mpg123 needs only to decode the same file. Plays FILE as the show's music does
// (TMPEGPlayer, its 1000 ms position timer on a GLib main loop, the library's own
// playback thread) to the null output, at the pace of the music, and prints both CPU
// times and their ratio. A third figure is libmpg123 alone decoding FILE at the pace of
// the music, in the library's bursts of 0.74 s, with nothing around it: what keeping
// time costs any player, apart from what the library adds.
// Usage: music_mpeg_cpu FILE LIBRARY_FOLDER

#include <glib.h>
#include <mpg123.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "music/TMPEGError.h"
#include "music/TMPEGPlayer.h"
#include "platform/linux/DlLibraryLoader.h"
#include "platform/linux/gtk/GlibTimer.h"

namespace {

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// The CPU of the saver's process (all its threads) while `file` plays to its end.
double PlayCpu(const char* file, const char* library_folder, int& length_ms) {
    saver::DlLibraryLoader loader;
    saver::TMPEGPlayer player(loader, [](int interval, std::function<void()> tick) {
        return std::make_unique<saver::GlibTimer>(interval, std::move(tick));
    });
    player.PathToDLL = library_folder;
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    player.OnPlayEnd = [loop] { g_main_loop_quit(loop); };
    player.LoadLibrary();
    const double before = CpuSeconds(RUSAGE_SELF);
    player.SetStreamName(file);
    player.Play();
    length_ms = player.Length();
    g_main_loop_run(loop);
    const double cpu = CpuSeconds(RUSAGE_SELF) - before;
    g_main_loop_unref(loop);
    return cpu;
}

// The CPU of decoding `file` with libmpg123 alone, frame by frame as the library does, waiting for
// the clock after every 32768 samples (0.74 s at 44.1 kHz).
double PacedDecodeCpu(const char* file) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    // libmpg123 prefers signed 16-bit samples, which the library asks for and mpg123 uses.
    if (decoder == nullptr || mpg123_open(decoder, file) != MPG123_OK ||
        mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK ||
        encoding != MPG123_ENC_SIGNED_16) {
        std::fprintf(stderr, "libmpg123 cannot decode %s to 16-bit samples\n", file);
        std::exit(1);
    }
    const double before = CpuSeconds(RUSAGE_THREAD);
    const auto start = std::chrono::steady_clock::now();
    int64_t samples = 0;
    int64_t unpaced = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    for (;;) {
        const int result = mpg123_decode_frame(decoder, nullptr, &audio, &bytes);
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            break;
        }
        const int64_t frame_samples = static_cast<int64_t>(bytes) / (channels * 2);
        samples += frame_samples;
        unpaced += frame_samples;
        if (unpaced >= 32768) {
            unpaced = 0;
            std::this_thread::sleep_until(start +
                                          std::chrono::microseconds(samples * 1000000 / rate));
        }
    }
    const double cpu = CpuSeconds(RUSAGE_THREAD) - before;
    mpg123_delete(decoder);
    return cpu;
}

// The CPU of "mpg123 -q -t FILE" (decoding only, as fast as it can).
double Mpg123Cpu(const char* file) {
    const double before = CpuSeconds(RUSAGE_CHILDREN);
    const pid_t child = fork();
    if (child == 0) {
        execlp("mpg123", "mpg123", "-q", "-t", file, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "mpg123 failed (is the Debian package mpg123 installed?)\n");
        std::exit(1);
    }
    return CpuSeconds(RUSAGE_CHILDREN) - before;
}

// mpg123's CPU for `file`, the median of `runs` decodes: one decode of 30 s of music
// takes some 15 ms, too little for one measurement to be steady.
double MedianMpg123Cpu(const char* file, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(Mpg123Cpu(file));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s FILE LIBRARY_FOLDER\n", argv[0]);
        return 2;
    }
    setenv("SAVERHOST_AUDIO_SINK", "null", 1);
    int length_ms = 0;
    double saver_cpu = 0;
    try {
        saver_cpu = PlayCpu(argv[1], argv[2], length_ms);
    } catch (const saver::TMPEGError& error) {
        std::fprintf(stderr, "the MPEG audio library failed: %s (%d)\n", error.what(),
                     error.Code());
        return 1;
    }
    const double mpg123_cpu = MedianMpg123Cpu(argv[1], 9);
    const double paced_cpu = PacedDecodeCpu(argv[1]);
    const auto ratio = [mpg123_cpu](double cpu) { return mpg123_cpu > 0 ? cpu / mpg123_cpu : 0.0; };
    std::printf(
        "%.1f s of MP3: saver (MPEG audio library, null output) CPU %.3f s; "
        "mpg123 -q -t CPU %.3f s (median of 9); ratio %.2f (goal <= 1.30)\n"
        "  libmpg123 alone at the pace of the music: CPU %.3f s; ratio %.2f\n",
        length_ms / 1000.0, saver_cpu, mpg123_cpu, ratio(saver_cpu), paced_cpu, ratio(paced_cpu));
    return 0;
}
