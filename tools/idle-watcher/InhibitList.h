#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace saver {

// The inhibits programs asked for over D-Bus, each under a cookie and the bus name of
// the program that asked, so that a program that leaves the bus (or crashes) leaves no
// inhibit behind. Any program of the session may call, so no program can take back or
// guess another's inhibit: cookies are random 32-bit numbers (never 0, never one still
// held), a cookie is taken back only by the program that got it, and one program holds
// at most kMaxPerSender inhibits, so that a runaway caller cannot grow the list without
// end.
class InhibitList {
  public:
    static constexpr size_t kMaxPerSender = 32;

    // `random` gives the candidate cookies; by default the system's random source.
    explicit InhibitList(std::function<uint32_t()> random = {});

    // A new inhibit of `sender` and its cookie; none when `sender` holds kMaxPerSender.
    std::optional<uint32_t> Add(const std::string& sender);
    // False when `sender` holds no inhibit of that cookie.
    bool Remove(uint32_t cookie, const std::string& sender);
    void RemoveSender(const std::string& sender);
    bool Empty() const { return senders_.empty(); }

  private:
    std::map<uint32_t, std::string> senders_;
    std::function<uint32_t()> random_;
};

}  // namespace saver
