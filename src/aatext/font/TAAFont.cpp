#include "aatext/font/TAAFont.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "aatext/text/Utf8.h"

namespace saver {

namespace {

// The bounding box of the cx x cy box rotated by the escapement, and the rotated
// position of its top-left corner relative to the new box's top-left.
Size RotateExtent(Size extent, int escapement, Point* origin) {
    const double theta = escapement * std::numbers::pi / 1800.0;
    const double c = std::cos(-theta);
    const double s = std::sin(-theta);
    const double hw = extent.cx / 2.0;
    const double hh = extent.cy / 2.0;
    const std::array<std::pair<double, double>, 4> corners = {
        {{-hw, -hh}, {hw, -hh}, {-hw, hh}, {hw, hh}}};
    std::array<Point, 4> p;
    for (size_t i = 0; i < corners.size(); ++i) {
        const auto [x, y] = corners[i];
        p[i] = Point{static_cast<int>(std::lrint(x * c - y * s)),
                     static_cast<int>(std::lrint(x * s + y * c))};
    }
    const auto [min_x, max_x] = std::minmax({p[0].x, p[1].x, p[2].x, p[3].x});
    const auto [min_y, max_y] = std::minmax({p[0].y, p[1].y, p[2].y, p[3].y});
    const Size rotated{max_x - min_x, max_y - min_y};
    if (origin != nullptr) {
        *origin = Point{rotated.cx / 2 + p[0].x, rotated.cy / 2 + p[0].y};
    }
    return rotated;
}

}  // namespace

TAAFont::TAAFont(TCanvas* canvas, FontEngine& engine)
    : canvas_(canvas), engine_(engine), mask_(this), blend_(this) {}

Size TAAFont::BaseExtent(const std::string& text, Point* origin) const {
    if (origin != nullptr) {
        *origin = Point{};
    }
    if (canvas_ == nullptr) {
        return Size{};
    }
    const TFont& font = canvas_->Font;
    const int n = mask_.Scale();
    Size extent = engine_.Measure(font, n, text);
    extent.cx = (extent.cx + n - 1) / n;
    extent.cy = (extent.cy + n - 1) / n;
    if (font.Italic && !text.empty()) {
        const double length = static_cast<double>(Utf8Length(text));
        extent.cx += static_cast<int>(std::nearbyint(extent.cx / length * 0.3));
    }
    if (font.Escapement != 0) {
        extent = RotateExtent(extent, font.Escapement, origin);
    }
    return extent;
}

Size TAAFont::TextExtent(const std::string& text) {
    return BaseExtent(text, nullptr);
}

}  // namespace saver
