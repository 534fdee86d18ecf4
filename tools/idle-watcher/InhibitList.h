#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace saver {

// The inhibits programs asked for over D-Bus, each under a cookie and the bus name of
// the program that asked, so that a program that leaves the bus (or crashes) leaves no
// inhibit behind.
class InhibitList {
  public:
    // A new inhibit of `sender`; its cookie, never 0.
    uint32_t Add(const std::string& sender);
    // False when no inhibit has that cookie.
    bool Remove(uint32_t cookie);
    void RemoveSender(const std::string& sender);
    bool Empty() const { return senders_.empty(); }

  private:
    std::map<uint32_t, std::string> senders_;
    uint32_t last_cookie_ = 0;
};

}  // namespace saver
