#include "RenderOptions.h"

#include <charconv>
#include <map>
#include <stdexcept>

namespace saver {

const char* const kRenderUsage =
    "Usage: aatext-render [options] LINES OUT.png\n"
    "Lays out the styled lines of the UTF-8 file LINES (one line per text line, with font\n"
    "tags such as <Title1> and label tags such as <Right> or <Date>) and writes the text\n"
    "image, or one scroll frame of it, as a 24-bit PNG.\n"
    "\n"
    "Options:\n"
    "  --width W            control width in pixels (default 240, or the preset's)\n"
    "  --height H           control height in pixels (default 280, or the preset's)\n"
    "  --quality Q          aqNone, aqLow, aqNormal or aqHigh (default aqNormal)\n"
    "  --fonts FILE.ini     font labels: one section per label with FontName, FontHeight,\n"
    "                       FontBold, FontItalic, FontColor and the effect keys; section\n"
    "                       \"Default\" sets the text's own font and effect\n"
    "  --back-color C       background colour as a colour integer 0x00BBGGRR\n"
    "  --alignment A        left, center or right (default center)\n"
    "  --row-pitch N        extra row spacing in percent, -100..150 (default 20)\n"
    "  --no-fade            no faded edges and no fade space above the text\n"
    "  --frame OFFSET       write the frame shown at this scroll offset\n"
    "  --preset P           ticker-title or ticker-list: the feed ticker's text areas\n"
    "  --help               show this help\n";

namespace {

int ParseInt(const std::string& option, const std::string& text) {
    int value = 0;
    std::string_view digits = text;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    }
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw std::invalid_argument(option + " needs an integer, not \"" + text + "\"");
    }
    return value;
}

template <typename T>
T Choose(const std::string& option, const std::string& text,
         const std::map<std::string, T>& choices) {
    const auto found = choices.find(text);
    if (found == choices.end()) {
        throw std::invalid_argument("unknown value \"" + text + "\" for " + option);
    }
    return found->second;
}

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& args) {
    RenderOptions options;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw std::invalid_argument(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--width") {
            options.width = ParseInt(arg, value());
        } else if (arg == "--height") {
            options.height = ParseInt(arg, value());
        } else if (arg == "--quality") {
            options.quality = Choose<TAAQuality>(
                arg, value(),
                {{"aqNone", aqNone}, {"aqLow", aqLow}, {"aqNormal", aqNormal}, {"aqHigh", aqHigh}});
        } else if (arg == "--fonts") {
            options.fonts_ini = value();
        } else if (arg == "--back-color") {
            options.back_color = static_cast<TColor>(ParseInt(arg, value()));
        } else if (arg == "--alignment") {
            options.alignment = Choose<TAlignment>(
                arg, value(),
                {{"left", taLeftJustify}, {"center", taCenter}, {"right", taRightJustify}});
        } else if (arg == "--row-pitch") {
            options.row_pitch = ParseInt(arg, value());
        } else if (arg == "--no-fade") {
            options.no_fade = true;
        } else if (arg == "--frame") {
            options.frame = ParseInt(arg, value());
        } else if (arg == "--preset") {
            options.preset = Choose<TickerArea>(
                arg, value(),
                {{"ticker-title", TickerArea::Title}, {"ticker-list", TickerArea::List}});
        } else if (arg.starts_with("--")) {
            throw std::invalid_argument("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (options.help) {
        return options;
    }
    if (positional.size() != 2) {
        throw std::invalid_argument("expected LINES and OUT.png");
    }
    if (options.row_pitch && (*options.row_pitch < -100 || *options.row_pitch > 150)) {
        throw std::invalid_argument("--row-pitch must lie in -100..150");
    }
    options.lines_file = positional[0];
    options.out_png = positional[1];
    return options;
}

}  // namespace saver
