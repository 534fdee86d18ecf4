#pragma once

#include <array>
#include <string_view>

namespace saver {

// The days of the week on which readers need not fetch the feed, Monday first.
class TRSSChannelSkipDays {
  public:
    static constexpr std::array<std::string_view, 7> kDayNames = {
        "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

    bool Day(int index) const { return days_.at(static_cast<size_t>(index)); }
    void SetDay(int index, bool skip) { days_.at(static_cast<size_t>(index)) = skip; }

  private:
    std::array<bool, 7> days_{};
};

}  // namespace saver
