#pragma once

#include <string_view>

#include "feeds/viewer/ItemViewer.h"
#include "feeds/viewer/RandomDraw.h"
#include "platform/Browser.h"

namespace saver {

// The item viewer's place, in pixels from the show's top left corner.
struct ViewerBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ViewerBounds&) const = default;
};

// What the viewer is placed in: the show's size and the ticker's right edge.
struct ViewerFrame {
    int show_width = 0;
    int show_height = 0;
    int ticker_right = 0;
};

// Where a new item page opens: a random spot right of the ticker, small for a short
// text, large for a long page or one with a picture, and the size of the last fit when
// the viewer last lay right of the ticker and was wide.
ViewerBounds PlaceViewer(std::string_view page, const ViewerFrame& frame,
                         const ViewerPlacement& memory, RandomDraw& random);

// The viewer fitted to its loaded page's scroll size `body`, kept inside the show and
// right of the ticker.
ViewerBounds FitViewer(ViewerBounds bounds, const BodyMetrics& body, const ViewerFrame& frame,
                       RandomDraw& random);

// Remembers a fit for the next placement; one time in five the width is remembered as 500.
void RememberFit(const ViewerBounds& bounds, const ViewerFrame& frame, ViewerPlacement& memory,
                 RandomDraw& random);

}  // namespace saver
