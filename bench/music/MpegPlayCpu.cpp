// The CPU an MP3 costs the saver when it plays through the MPEG audio library, beside
// libmpg123 alone decoding the same file at the pace of the music (goal: at most 1.2 times
// its CPU). Plays FILE as the show's music does (TMPEGPlayer, its 1000 ms position timer
// on a GLib main loop, the library's own playback thread) to the null output, at the pace
// of the music. The reference decodes FILE frame by frame in the library's bursts of
// 0.74 s with nothing around it: what any player that keeps time pays, so the ratio shows
// what the library adds. Three such decodes run in processes of their own while the saver
// plays; their median counts. mpg123 decoding the file as fast as it can is shown too.
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

double CpuSeconds(const rusage& usage) {
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return CpuSeconds(usage);
}

// Waits for the child `pid` to end; its CPU time, or a negative number when it failed.
double ChildCpu(pid_t pid) {
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return CpuSeconds(usage);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

// Decodes `file` with libmpg123 alone, frame by frame as the library does, waiting for the
// clock after every 32768 samples (0.74 s at 44.1 kHz).
void PacedDecode(const char* file) {
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
    mpg123_delete(decoder);
}

// Starts `count` paced decodes of `file`, each in a process of its own.
std::vector<pid_t> StartPacedDecodes(const char* file, int count) {
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            PacedDecode(file);
            _exit(0);
        }
        children.push_back(child);
    }
    return children;
}

double MedianChildCpu(const std::vector<pid_t>& children) {
    std::vector<double> times;
    for (pid_t child : children) {
        const double cpu = ChildCpu(child);
        if (cpu < 0) {
            std::exit(1);  // the child said why
        }
        times.push_back(cpu);
    }
    return Median(times);
}

// The CPU of "mpg123 -q -t FILE" (decoding only, as fast as it can).
double Mpg123Cpu(const char* file) {
    const pid_t child = fork();
    if (child == 0) {
        execlp("mpg123", "mpg123", "-q", "-t", file, static_cast<char*>(nullptr));
        _exit(127);
    }
    const double cpu = ChildCpu(child);
    if (cpu < 0) {
        std::fprintf(stderr, "mpg123 failed (is the Debian package mpg123 installed?)\n");
        std::exit(1);
    }
    return cpu;
}

// mpg123's CPU for `file`, the median of `runs` decodes: one decode of 30 s of music
// takes some 15 ms, too little for one measurement to be steady.
double MedianMpg123Cpu(const char* file, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(Mpg123Cpu(file));
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s FILE LIBRARY_FOLDER\n", argv[0]);
        return 2;
    }
    setenv("SAVERHOST_AUDIO_SINK", "null", 1);
    // Started before the saver's threads exist, and timed by the kernel per process.
    const std::vector<pid_t> paced = StartPacedDecodes(argv[1], 3);
    int length_ms = 0;
    double saver_cpu = 0;
    try {
        saver_cpu = PlayCpu(argv[1], argv[2], length_ms);
    } catch (const saver::TMPEGError& error) {
        std::fprintf(stderr, "the MPEG audio library failed: %s (%d)\n", error.what(),
                     error.Code());
        return 1;
    }
    const double paced_cpu = MedianChildCpu(paced);
    const double mpg123_cpu = MedianMpg123Cpu(argv[1], 9);
    const double ratio = paced_cpu > 0 ? saver_cpu / paced_cpu : 0.0;
    std::printf(
        "%.1f s of MP3: saver (MPEG audio library, null output) CPU %.3f s; "
        "libmpg123 alone at the pace of the music CPU %.3f s (median of 3); ratio %.2f "
        "(goal <= 1.20): %s\n"
        "  for reference, mpg123 -q -t decoding as fast as it can: CPU %.3f s (median of 9)\n",
        length_ms / 1000.0, saver_cpu, paced_cpu, ratio, ratio <= 1.2 ? "met" : "NOT met",
        mpg123_cpu);
    return 0;
}
