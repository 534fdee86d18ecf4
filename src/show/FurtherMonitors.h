#pragma once

#include <memory>
#include <vector>

#include "platform/WindowSystem.h"

namespace saver {

// The black cover windows over every monitor but the first, for as long as a show runs.
class FurtherMonitors {
  public:
    explicit FurtherMonitors(WindowSystem& windows) : windows_(windows) {}

    // Covers monitors 2 to n of the system's list, in list order; does nothing while
    // covers exist or when there are no monitors.
    void CoverFurtherMonitors();
    void RemoveCovers();
    // Takes the covers off the screen; they are freed by RemoveCovers.
    void HideCovers();

    const std::vector<std::unique_ptr<CoverWindow>>& Covers() const { return covers_; }

  private:
    WindowSystem& windows_;
    std::vector<std::unique_ptr<CoverWindow>> covers_;
};

}  // namespace saver
