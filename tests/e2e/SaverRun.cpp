#include "SaverRun.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace saver::test {
namespace {

namespace fs = std::filesystem;

const std::string kSite = std::string(SAVER_TEST_DATA) + "/show/site";
const std::string kServer = std::string(SAVER_TEST_SOURCE) + "/record_server.py";

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

bool IsPageRequest(const std::string& line) {
    return line.size() > 4 && (line.ends_with(".htm") || line.starts_with("GET /key-") ||
                               line.starts_with("GET /after-"));
}

}  // namespace

std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> chunk;
        while (fgets(chunk.data(), chunk.size(), pipe)) {
            output += chunk.data();
        }
        pclose(pipe);
    }
    return output;
}

SaverRun::SaverRun() {
    char pattern[] = "/tmp/show-e2e-XXXXXX";
    folder_ = mkdtemp(pattern);
    for (const char* sub : {"/run", "/home", "/bin", "/content"}) {
        fs::create_directories(folder_ + sub);
    }
    chmod((folder_ + "/run").c_str(), 0700);
    WriteFile(folder_ + "/bin/xdg-open", "#!/bin/sh\necho \"$1\" >> \"" + folder_ + "/opened\"\n");
    chmod((folder_ + "/bin/xdg-open").c_str(), 0755);
    server_ = std::make_unique<ChildProcess>(std::vector<std::string>{"python3", kServer, kSite});
    const std::string first = server_->ReadLine(kColdStartMs);
    if (first.starts_with("PORT ")) {
        base_url_ = "http://127.0.0.1:" + first.substr(5) + "/";
    }
}

SaverRun::~SaverRun() {
    saver_.reset();
    if (display_) {
        XCloseDisplay(display_);
    }
    server_.reset();
    x_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

bool SaverRun::StartX(int screens) {
    x_ = std::make_unique<XvfbServer>(screens);
    return !x_->Display().empty() && !base_url_.empty();
}

const std::string& SaverRun::Display() const {
    return x_->Display();
}

std::string SaverRun::Url(const std::string& page) const {
    return base_url_ + page;
}

void SaverRun::StopServer() {
    server_.reset();
}

bool SaverRun::MakeSaver(const std::string& set_lines, const std::vector<std::string>& web,
                         const std::vector<std::string>& items) {
    std::string ini = "[Set]\nScrName=End to end\n" + set_lines + "\n[Web]\n";
    for (const std::string& item : web) {
        ini += item + "=1\n";
    }
    return MakeSaverFromSettings(ini, items);
}

bool SaverRun::MakeSaverFromSettings(const std::string& settings_bytes,
                                     const std::vector<std::string>& items) {
    WriteFile(folder_ + "/settings.ini", settings_bytes);
    WriteFile(folder_ + "/content/readme.txt", "A saver of the show's tests.\n");
    std::string command = std::string(SAVER_BIN_DIR) + "/saverpack build --host " + SAVER_BIN_DIR +
                          "/saverhost --settings " + folder_ + "/settings.ini --content " +
                          folder_ + "/content " + build_options + " -o " + folder_ + "/test.scr";
    for (const std::string& item : items) {
        command += " --item " + item;
    }
    command += " > /dev/null";
    return std::system(command.c_str()) == 0;
}

void SaverRun::Start(const std::vector<std::string>& arguments, bool capture_errors,
                     const std::string& current_folder) {
    std::vector<std::string> argv = {folder_ + saver_file_};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    StartProgram(argv, capture_errors, current_folder);
}

void SaverRun::StartProgram(const std::vector<std::string>& argv, bool capture_errors,
                            const std::string& current_folder) {
    setenv("DISPLAY", x_ ? x_->Display().c_str() : "", 1);
    if (!x_) {
        unsetenv("DISPLAY");
    }
    setenv("XDG_RUNTIME_DIR", (folder_ + "/run").c_str(), 1);
    setenv("HOME", (folder_ + "/home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CACHE_HOME");
    setenv("GDK_BACKEND", "x11", 1);
    setenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS", "1", 1);
    static const std::string path = getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (folder_ + "/bin:" + path).c_str(), 1);
    ChildOptions options;
    options.capture_stderr = capture_errors;
    options.current_folder = current_folder;
    saver_ = std::make_unique<ChildProcess>(argv, options);
}

bool SaverRun::StartShow(const std::string& set_lines, const std::vector<std::string>& pages) {
    std::vector<std::string> web;
    for (const std::string& page : pages) {
        web.push_back(Url(page));
    }
    if (!StartX() || !MakeSaver(set_lines, web)) {
        return false;
    }
    Start();
    return true;
}

void SaverRun::StartAsProgram(const std::vector<std::string>& arguments) {
    saver_file_ = "/Test.EXE";
    fs::copy_file(folder_ + "/test.scr", folder_ + saver_file_);
    fs::permissions(folder_ + saver_file_, fs::perms::owner_all);
    Start(arguments);
}

std::string SaverRun::NextPage(int timeout_ms) {
    for (;;) {
        const std::string line = server_ ? server_->ReadLine(timeout_ms) : "";
        if (line.empty() || IsPageRequest(line)) {
            return line.empty() ? line : line.substr(4);
        }
    }
}

bool SaverRun::WaitFor(const std::string& path, int timeout_ms) {
    // Other pages keep coming while the show pages on: the deadline counts for them all.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::string request = left.count() > 0 ? NextPage(left.count()) : "";
        if (request.empty() || request == path) {
            return !request.empty();
        }
    }
}

bool SaverRun::WaitForWindow(const std::string& name, int timeout_ms) const {
    const std::string command =
        "DISPLAY=" + x_->Display() + " xdotool search --onlyvisible --name '^" + name + "$'";
    return Eventually([&] { return !CommandOutput(command).empty(); },
                      std::chrono::milliseconds(timeout_ms));
}

void SaverRun::Xdo(const std::string& arguments) const {
    const std::string command = "DISPLAY=" + x_->Display() + " xdotool " + arguments;
    std::system(command.c_str());
}

bool SaverRun::Screenshot(const std::string& file) const {
    const std::string command =
        "DISPLAY=" + x_->Display() + " import -window root " + file + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

std::string SaverRun::PixelColour(const std::string& file, int x, int y) {
    const std::string output =
        CommandOutput("convert " + file + " -crop 1x1+" + std::to_string(x) + "+" +
                      std::to_string(y) + " -format '#%[hex:p{0,0}]' info:");
    return output.substr(0, 7);
}

std::string SaverRun::ScreenColour(int x, int y) const {
    ::Display* display = XOpenDisplay(x_->Display().c_str());
    if (!display) {
        return "";
    }
    std::string colour;
    if (XImage* image =
            XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap)) {
        char text[8];
        std::snprintf(text, sizeof text, "#%06lX", XGetPixel(image, 0, 0) & 0xFFFFFF);
        colour = text;
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return colour;
}

unsigned long SaverRun::CreateParentWindow(int x, int y, int width, int height) {
    display_ = XOpenDisplay(x_->Display().c_str());
    if (!display_) {
        return 0;
    }
    parent_ =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0, 0);
    XMapWindow(display_, parent_);
    XSync(display_, False);
    return parent_;
}

void SaverRun::DestroyParentWindow() {
    XDestroyWindow(display_, parent_);
    XSync(display_, False);
}

int SaverRun::ParentChildren() const {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, parent_, &root, &parent, &children, &count)) {
        return -1;
    }
    if (children) {
        XFree(children);
    }
    return static_cast<int>(count);
}

bool SaverRun::Ended(int timeout_ms) {
    if (!saver_) {
        return false;
    }
    const std::optional<int> status = saver_->WaitExit(timeout_ms);
    if (status) {
        exit_status_ = *status;
    }
    return status.has_value();
}

std::string SaverRun::ErrorOutput() {
    return saver_ ? saver_->Wait(1000).err : std::string();
}

namespace {

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

}  // namespace

std::vector<std::string> SaverRun::WorkingFiles() const {
    return FilesBelow(folder_ + "/run/Orvane");
}

std::vector<std::string> SaverRun::CacheFiles() const {
    const std::string folder = folder_ + "/home/.cache/saverhost/";
    std::vector<std::string> files = FilesBelow(folder);
    std::erase_if(files, [&](const std::string& file) {
        return file.starts_with(folder + "WebKitCache/") ||
               file.starts_with(folder + "CacheStorage/");
    });
    return files;
}

std::vector<std::string> SaverRun::Opened() const {
    std::vector<std::string> lines;
    std::ifstream file(folder_ + "/opened");
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace saver::test
