// aatext-render: draws styled lines with the anti-aliased text engine into a PNG.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "FontsIni.h"
#include "RenderOptions.h"
#include "aatext/bitmap/PngFile.h"
#include "aatext/text/TAAScrollText.h"
#include "platform/linux/FileRegistry.h"

namespace saver {
namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    // A byte order mark some editors write is not part of the first line.
    if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) {
        lines.front().erase(0, 3);
    }
    return lines;
}

void Configure(const RenderOptions& options, TAAScrollText& text) {
    if (options.preset) {
        ApplyTickerDesign(text, *options.preset);
    }
    text.Labels().AddStandardLabels();
    text.Labels().SetAppTitle("aatext-render");
    text.SetSize(options.width.value_or(text.Width()), options.height.value_or(text.Height()));
    TScrollTextParam& param = text.Text();
    if (options.quality) {
        param.SetQuality(*options.quality);
    }
    if (options.back_color) {
        param.SetBackColor(*options.back_color);
    }
    if (options.alignment) {
        param.SetAlignment(*options.alignment);
    }
    if (options.row_pitch) {
        param.SetRowPitch(*options.row_pitch);
    }
    if (options.no_fade) {
        param.SetFade(false);
    }
    if (!options.fonts_ini.empty()) {
        std::ifstream file(options.fonts_ini, std::ios::binary);
        if (!file) {
            throw std::runtime_error("cannot read " + options.fonts_ini);
        }
        std::ostringstream content;
        content << file.rdbuf();
        ApplyFontsIni(IniFile::Parse(content.str()), text);
    }
}

int Run(const RenderOptions& options) {
    const FileRegistry registry;
    TAATimerMgr timers(nullptr);  // nothing scrolls: no timer thread
    TAAScrollText text(timers, &registry);
    text.SetActive(false);
    Configure(options, text);
    text.Text().SetLines(ReadLines(options.lines_file));
    text.Loaded();
    const Bitmap24* image = &text.TextImage();
    if (options.frame) {
        text.SetScrollOffset(*options.frame);
        image = &text.FrameImage();
    }
    if (!WritePng(options.out_png, *image)) {
        throw std::runtime_error("cannot write " + options.out_png);
    }
    return 0;
}

}  // namespace
}  // namespace saver

int main(int argc, char** argv) {
    saver::RenderOptions options;
    try {
        options = saver::ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "aatext-render: " << e.what() << "\n\n" << saver::kRenderUsage;
        return 2;
    }
    if (options.help) {
        std::cout << saver::kRenderUsage;
        return 0;
    }
    try {
        return saver::Run(options);
    } catch (const std::exception& e) {
        std::cerr << "aatext-render: " << e.what() << "\n";
        return 1;
    }
}
