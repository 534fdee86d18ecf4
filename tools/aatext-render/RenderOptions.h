#pragma once

#include <optional>
#include <string>
#include <vector>

#include "aatext/bitmap/Color.h"
#include "aatext/font/TAAQuality.h"
#include "aatext/text/TextTypes.h"
#include "aatext/text/TickerDesign.h"

namespace saver {

// The command line of aatext-render.
struct RenderOptions {
    bool help = false;
    std::optional<int> width;
    std::optional<int> height;
    std::optional<TAAQuality> quality;
    std::string fonts_ini;
    std::optional<TColor> back_color;
    std::optional<TAlignment> alignment;
    std::optional<int> row_pitch;
    bool no_fade = false;
    std::optional<int> frame;
    std::optional<TickerArea> preset;
    std::string lines_file;
    std::string out_png;
};

// Parses the arguments (without the program name). Throws std::invalid_argument with a
// message for the user on any error.
RenderOptions ParseRenderOptions(const std::vector<std::string>& args);

extern const char* const kRenderUsage;

}  // namespace saver
