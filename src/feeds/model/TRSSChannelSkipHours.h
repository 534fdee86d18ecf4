#pragma once

#include <array>

namespace saver {

// The hours of the day (0..23) in which readers need not fetch the feed.
class TRSSChannelSkipHours {
  public:
    bool Hour(int hour) const { return hours_.at(static_cast<size_t>(hour)); }
    void SetHour(int hour, bool skip) { hours_.at(static_cast<size_t>(hour)) = skip; }

  private:
    std::array<bool, 24> hours_{};
};

}  // namespace saver
