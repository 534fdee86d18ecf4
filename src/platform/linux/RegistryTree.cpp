#include "platform/linux/RegistryTree.h"

#include <algorithm>

namespace saver {

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

}  // namespace

std::string RegistryTree::NormalizeKey(const std::string& key) {
    std::string path;
    for (char c : key) {
        if (c == '\\' && (path.empty() || path.back() == '\\')) {
            continue;
        }
        path += c;
    }
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

bool RegistryTree::HasKey(const std::string& key) const {
    std::string lower = LowerCase(NormalizeKey(key));
    if (lower.empty() || keys_.count(lower) != 0) {
        return true;
    }
    // Children sort right after "parent\", so the first entry at or after it tells.
    std::string prefix = lower + '\\';
    auto child = keys_.lower_bound(prefix);
    return child != keys_.end() && child->first.compare(0, prefix.size(), prefix) == 0;
}

const RegistryValue* RegistryTree::Find(const std::string& key, const std::string& name) const {
    auto found_key = keys_.find(LowerCase(NormalizeKey(key)));
    if (found_key == keys_.end()) {
        return nullptr;
    }
    const auto& values = found_key->second.values;
    auto found_value = values.find(LowerCase(name));
    return found_value == values.end() ? nullptr : &found_value->second.value;
}

void RegistryTree::AddKey(const std::string& key) {
    KeyAt(key);
}

void RegistryTree::Set(const std::string& key, const std::string& name,
                       const RegistryValue& value) {
    auto& values = KeyAt(key).values;
    auto [entry, added] = values.try_emplace(LowerCase(name), NamedValue{name, value});
    if (!added) {
        entry->second.value = value;
    }
}

RegistryTree::Key& RegistryTree::KeyAt(const std::string& key) {
    std::string path = NormalizeKey(key);
    auto [entry, added] = keys_.try_emplace(LowerCase(path));
    if (added) {
        entry->second.path = path;
    }
    return entry->second;
}

}  // namespace saver
