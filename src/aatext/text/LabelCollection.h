#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace saver {

// Compares two names without regard to case, character by character.
bool SameName(const std::string& a, const std::string& b);

// A collection of named items (font labels, user labels): names are unique without
// regard to case, and adding, deleting or changing an item calls OnChange.
template <typename Item>
class LabelCollection {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    Item& operator[](int index) { return *items_.at(index); }
    const Item& operator[](int index) const { return *items_.at(index); }

    // Adds an item; a non-empty name that is already taken raises "Duplicate string!".
    Item& Add(const std::string& name) {
        CheckName(name, nullptr);
        items_.push_back(std::make_unique<Item>(*this));
        items_.back()->name_ = name;
        ItemChanged();
        return *items_.back();
    }
    void Delete(int index) {
        items_.erase(items_.begin() + index);
        ItemChanged();
    }

    // Index of the first item whose name equals name without regard to case, or -1.
    int IndexOfName(const std::string& name) const {
        for (int i = 0; i < Count(); ++i) {
            if (SameName(items_[i]->name_, name)) {
                return i;
            }
        }
        return -1;
    }

    // Throws when another item than `self` already has the non-empty name.
    void CheckName(const std::string& name, const Item* self) const {
        const int index = name.empty() ? -1 : IndexOfName(name);
        if (index >= 0 && items_[index].get() != self) {
            throw std::invalid_argument("Duplicate string!");
        }
    }

    void ItemChanged() {
        if (OnChange) {
            OnChange();
        }
    }

    std::function<void()> OnChange;

  private:
    std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace saver
