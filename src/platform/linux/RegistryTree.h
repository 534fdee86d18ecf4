#pragma once

#include <map>
#include <string>

#include "platform/Registry.h"

namespace saver {

// The keys and values of one registry hive, held in memory.
//
// Key paths and value names compare without regard to ASCII letter case, as on Windows,
// and keep the spelling they were first stored with. Key paths are normalised: leading,
// trailing and repeated "\" are dropped, so "\Software\\X\" is the key "Software\X". The
// empty path is the hive's root.
class RegistryTree {
  public:
    struct NamedValue {
        std::string name;
        RegistryValue value;
    };
    struct Key {
        std::string path;
        // By lower-cased name; the default value has the empty name and comes first.
        std::map<std::string, NamedValue> values;
    };

    static std::string NormalizeKey(const std::string& key);

    // True for a stored key, for every parent of one, and for the root.
    bool HasKey(const std::string& key) const;
    // nullptr when the key or the value is missing.
    const RegistryValue* Find(const std::string& key, const std::string& name) const;

    // Adds the key when missing; a key may exist without values.
    void AddKey(const std::string& key);
    void Set(const std::string& key, const std::string& name, const RegistryValue& value);

    // Every stored key, by lower-cased normalised path.
    const std::map<std::string, Key>& Keys() const { return keys_; }

  private:
    Key& KeyAt(const std::string& key);

    std::map<std::string, Key> keys_;
};

}  // namespace saver
