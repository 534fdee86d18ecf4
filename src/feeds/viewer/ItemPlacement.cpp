#include "feeds/viewer/ItemPlacement.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace saver {

namespace {

constexpr size_t kLongPage = 1000;  // characters from which a page opens large
constexpr int kWideFit = 500;
constexpr double kCloseFit = 0.8;

// Characters of a UTF-8 text: every byte that does not continue a sequence.
size_t CharacterCount(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool HasPicture(std::string_view page) {
    constexpr std::string_view kName = "img";
    for (size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at + 1)) {
        const std::string_view name = page.substr(at + 1, kName.size());
        if (std::equal(name.begin(), name.end(), kName.begin(), kName.end(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == b;
            })) {
            return true;
        }
    }
    return false;
}

// part / whole > limit, false when there is no whole to compare with.
bool Above(int part, int whole, double limit) {
    return whole > 0 && static_cast<double>(part) / whole > limit;
}

}  // namespace

ViewerBounds PlaceViewer(std::string_view page, const ViewerFrame& frame,
                         const ViewerPlacement& memory, RandomDraw& random) {
    const int show_width = frame.show_width;
    const int show_height = frame.show_height;
    const int ticker_right = frame.ticker_right;
    ViewerBounds bounds;
    int top = random.Random(100) + 60;  // only an estimate: the show's height decides
    bounds.left = random.Random(50) + ticker_right + 10;
    if (CharacterCount(page) >= kLongPage || HasPicture(page)) {
        bounds.height = random.Random(200) + 200;
        bounds.width = random.Random(300) + 800;
    } else {
        top += random.Random(80);
        bounds.left += random.Random(60);
        bounds.height = random.Random(50) + 100;
        bounds.width = random.Random(200) + 400;
    }
    if (bounds.left + bounds.width > show_width - 20) {
        bounds.left = random.Random(20) + ticker_right + 10;
        bounds.width = std::abs(show_width - bounds.left - 20);
    } else {
        bounds.left += random.Random(show_width - bounds.left - bounds.width - 10);
    }
    if (top + bounds.height > show_height - 20) {
        bounds.top = random.Random(30) + 5;
        bounds.height = std::abs(show_height - bounds.top - 20);
    } else {
        bounds.top = random.Random(show_height - bounds.height - 10);
    }
    if (memory.right_of_ticker &&
        (memory.last_width > kWideFit ||
         Above(memory.last_width, show_width - ticker_right, kCloseFit))) {
        bounds.height = memory.last_height;
        if (bounds.top + bounds.height > show_height) {
            bounds.top = random.Random(40) + 5;
            bounds.height = show_height - bounds.top - random.Random(50);
        }
        bounds.width = memory.last_width;
        if (bounds.left + bounds.width > show_width) {
            bounds.left = random.Random(40) + 5;
            bounds.width = show_width - bounds.left - random.Random(30);
        }
    }
    return bounds;
}

ViewerBounds FitViewer(ViewerBounds bounds, const BodyMetrics& body, const ViewerFrame& frame,
                       RandomDraw& random) {
    const int show_width = frame.show_width;
    const int show_height = frame.show_height;
    const int ticker_right = frame.ticker_right;
    if (bounds.width < kWideFit && show_width - ticker_right > kWideFit + 10) {
        bounds.width = kWideFit;
    }
    int& x = bounds.left;
    int& y = bounds.top;
    int& w = bounds.width;
    int& h = bounds.height;
    const int sh = body.scroll_height;
    const int sw = body.scroll_width;
    if (sh < h || sh < show_height - y - 20) {
        h = sh;
    } else if (sh < show_height - 60) {
        y = random.Random(30) + 5;
        h = sh;
    } else {
        const int new_y = random.Random(50) + 5;
        const int new_h = show_height - new_y - random.Random(50);
        if (Above(new_h, h, kCloseFit)) {
            y = new_y;
            h = new_h;
        }
    }
    const int free_width = show_width - ticker_right;
    if (sw < w || sw < free_width - x - 20) {
        w = sw;
    } else if (sw < free_width - 60) {
        w = sw;
        if (x + w > show_width - 10) {
            x = random.Random(free_width - w - 20) + ticker_right + 10;
        }
    } else {
        const int new_x = random.Random(50) + ticker_right + 10;
        const int new_w = show_width - new_x - random.Random(50);
        if (Above(new_w, w, kCloseFit)) {
            x = new_x;
            w = new_w;
        }
    }
    if (x + w > show_width) {
        x = show_width - w - 20;
    }
    if (y + h > show_height) {
        y = show_height - h - 20;
    }
    if (x < ticker_right) {
        x = ticker_right + 10;
    }
    if (x + w > show_width) {
        w = show_width - x - 10;
    }
    return bounds;
}

void RememberFit(const ViewerBounds& bounds, const ViewerFrame& frame, ViewerPlacement& memory,
                 RandomDraw& random) {
    memory.right_of_ticker = frame.ticker_right < bounds.left;
    memory.last_height = bounds.height;
    memory.last_width = bounds.width;
    if (random.Random(5) == 1) {
        memory.last_width = kWideFit;
    }
}

}  // namespace saver
