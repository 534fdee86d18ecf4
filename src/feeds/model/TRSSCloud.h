#pragma once

#include <cstdint>
#include <string>

namespace saver {

// The channel's update-notification service. A port below 2 is stored as 1; a fresh cloud
// holds port 0 until one is set.
class TRSSCloud {
  public:
    std::string Domain;
    int32_t Port() const { return port_; }
    void SetPort(int32_t port) { port_ = port < 2 ? 1 : port; }
    std::string Path;
    std::string RegisterProcedure;
    std::string Protocol;
    bool Include = false;

  private:
    int32_t port_ = 0;
};

}  // namespace saver
