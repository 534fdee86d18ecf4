#pragma once

#include <cstdint>
#include <string>

namespace saver {

// Typed access to the keys of an INI file, as the settings objects read and write them.
// Section and key names match without regard to letter case; Booleans are "1" and "0".
class IniAccess {
  public:
    virtual ~IniAccess() = default;
    virtual int32_t ReadInteger(const std::string& section, const std::string& key,
                                int32_t default_value) const = 0;
    virtual void WriteInteger(const std::string& section, const std::string& key,
                              int32_t value) = 0;
    virtual bool ReadBool(const std::string& section, const std::string& key,
                          bool default_value) const = 0;
    virtual void WriteBool(const std::string& section, const std::string& key, bool value) = 0;
};

}  // namespace saver
