#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace saver {

// The registry as the core sees it: hives of keys holding typed values.
//
// Key paths use "\" between their parts, like "\Software\Quillmont\my.scr"; a leading
// "\" is optional and letter case does not matter. The empty value name is the key's
// default value. Only the two value types the program uses exist: REG_DWORD (a 32-bit
// integer) and REG_SZ (a string).
//
// Rules for every implementation:
// - Reading never creates anything; a missing key or value reads as std::nullopt.
// - A write creates the key (and its parents) and is durable before it returns:
//   either the whole new state is stored or the old one stays.
// - All calls come from the user-interface thread.
enum class RegistryHive { CurrentUser, LocalMachine };

using RegistryValue = std::variant<uint32_t, std::string>;

class Registry {
  public:
    virtual ~Registry() = default;

    virtual bool KeyExists(RegistryHive hive, const std::string& key) const = 0;
    virtual std::optional<RegistryValue> ReadValue(RegistryHive hive, const std::string& key,
                                                   const std::string& name) const = 0;
    // Returns false when the value could not be stored; the stored state is then unchanged.
    virtual bool WriteValue(RegistryHive hive, const std::string& key, const std::string& name,
                            const RegistryValue& value) = 0;

    // A REG_SZ value, or nullopt when it is missing or of another type.
    std::optional<std::string> ReadString(RegistryHive hive, const std::string& key,
                                          const std::string& name) const {
        auto value = ReadValue(hive, key, name);
        if (!value || !std::holds_alternative<std::string>(*value)) {
            return std::nullopt;
        }
        return std::get<std::string>(*value);
    }
};

}  // namespace saver
