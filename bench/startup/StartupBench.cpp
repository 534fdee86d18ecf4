// Start-up of a real saver file, from exec to the end of dispatch, against unzip of the
// same package archive. The saver runs in password mode with handle 0: start-up does all
// its steps (lock, package, settings, registry, content lists) and dispatch opens nothing.

#include "SaverBuilder.h"
#include "ZipWriter.h"
#include "base/Files.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Fixture {
    ~Fixture() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    std::string root;
    std::string saver;
    std::string archive;
    std::vector<std::string> env;
};

// Page-like text: words from a small vocabulary, so it compresses like real pages.
std::string PageText(std::mt19937& random, size_t size) {
    static const char* const kWords[] = {"screen", "saver", "ocean", "<p>",   "</p>", "wave",
                                         "light",  "news",  "feed",  "<div>", "blue", "deep"};
    std::string text;
    while (text.size() < size) {
        text += kWords[random() % 12];
        text += (random() % 3 == 0) ? std::to_string(random() % 100000) : " ";
    }
    return text;
}

std::string SettingsText() {
    std::string text = "[Set]\nWebInterval=10\nWebSequence=2\nUseFeed=1\n[Web]\n";
    for (int i = 0; i < 1000; ++i) {
        text +=
            "(URL) http://site" + std::to_string(i) + ".test/?page**" + std::to_string(i) + "=1\n";
    }
    text += "[Music]\n";
    for (int i = 0; i < 500; ++i) {
        text += "track" + std::to_string(i) + ".mp3=1\n";
    }
    text += "[feeds]\n";
    for (int i = 0; i < 497; ++i) {
        text += "Feed" + std::to_string(i) + "=http://feed" + std::to_string(i) + ".test/rss\n";
    }
    return text;
}

Fixture MakeFixture() {
    Fixture fixture;
    // The working folder normally lives in the user's runtime folder, a tmpfs; both the
    // saver and unzip write there.
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "saver-bench-XXXXXX").string();
    fixture.root = std::string(::mkdtemp(pattern.data())) + "/";
    for (const char* folder : {"run", "home", "data", "config", "content"}) {
        fs::create_directories(fixture.root + folder);
    }
    fs::permissions(fixture.root + "run", fs::perms::owner_all);
    std::mt19937 random(11);
    std::vector<saver::ZipEntry> entries;
    for (int i = 0; i < 199; ++i) {
        saver::WriteFile(fixture.root + "content/page" + std::to_string(i) + ".htm",
                         PageText(random, 1550));
    }
    saver::WriteFile(fixture.root + "Bench.ini", SettingsText());

    saver::BuildRequest request;
    request.host = SAVER_BIN_DIR "/saverhost";
    request.settings = fixture.root + "Bench.ini";
    request.content_folder = fixture.root + "content";
    request.output = fixture.root + "Bench.scr";
    saver::BuildSaver(request, [](const std::string&, int) {});
    fixture.saver = request.output;

    // The same archive the saver carries, as unzip will see it.
    std::string bytes;
    {
        std::string all(fs::file_size(fixture.saver), '\0');
        FILE* file = std::fopen(fixture.saver.c_str(), "rb");
        size_t got = std::fread(all.data(), 1, all.size(), file);
        std::fclose(file);
        all.resize(got);
        bytes = all.substr(all.rfind("Bench.ini**") + 11);
    }
    fixture.archive = fixture.root + "package.zip";
    saver::WriteFile(fixture.archive, bytes);

    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        if (!text.starts_with("XDG_") && !text.starts_with("HOME=")) {
            fixture.env.push_back(text);
        }
    }
    fixture.env.push_back("HOME=" + fixture.root + "home");
    fixture.env.push_back("XDG_RUNTIME_DIR=" + fixture.root + "run");
    fixture.env.push_back("XDG_DATA_HOME=" + fixture.root + "data");
    fixture.env.push_back("XDG_CONFIG_HOME=" + fixture.root + "config");
    return fixture;
}

const Fixture& TheFixture() {
    static const Fixture fixture = MakeFixture();
    return fixture;
}

// Runs the program to its end; returns the CPU time it used (user and system), in ms.
double Run(std::vector<std::string> argv, const std::vector<std::string>& env) {
    std::vector<char*> args;
    for (std::string& arg : argv) {
        args.push_back(arg.data());
    }
    args.push_back(nullptr);
    std::vector<std::string> env_copy = env;
    std::vector<char*> envp;
    for (std::string& entry : env_copy) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(argv[0] + " failed");
    }
    auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The child's CPU time per run, a figure that a busy machine disturbs less than the
// wall time.
void ReportChildCpu(benchmark::State& state, double total_ms) {
    state.counters["child_cpu_ms"] =
        benchmark::Counter(total_ms, benchmark::Counter::kAvgIterations);
}

void BM_SaverStartup(benchmark::State& state) {
    const Fixture& fixture = TheFixture();
    double cpu_ms = 0;
    for (auto _ : state) {
        cpu_ms += Run({fixture.saver, "/a", "0"}, fixture.env);
    }
    ReportChildCpu(state, cpu_ms);
}
BENCHMARK(BM_SaverStartup)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_UnzipSameArchive(benchmark::State& state) {
    const Fixture& fixture = TheFixture();
    const std::string target = fixture.root + "unzipped";
    double cpu_ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(target);
        fs::create_directories(target);
        state.ResumeTiming();
        cpu_ms += Run({"/usr/bin/unzip", "-o", "-q", fixture.archive, "-d", target}, fixture.env);
    }
    ReportChildCpu(state, cpu_ms);
}
BENCHMARK(BM_UnzipSameArchive)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
