#pragma once

#include <memory>
#include <vector>

namespace saver {

// An owned, ordered collection of items of one kind. Add appends a default item and returns
// it; references to items stay valid while more are added. Items are indexed from 0.
template <class T>
class TCollection {
    using Storage = std::vector<std::unique_ptr<T>>;

  public:
    T& Add() { return *items_.emplace_back(std::make_unique<T>()); }
    int Count() const { return static_cast<int>(items_.size()); }
    T& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    const T& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }

    // Iteration over the items themselves: `for (const T& item : collection)`.
    class Iterator {
      public:
        explicit Iterator(typename Storage::const_iterator at) : at_(at) {}
        const T& operator*() const { return **at_; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

      private:
        typename Storage::const_iterator at_;
    };
    Iterator begin() const { return Iterator(items_.begin()); }
    Iterator end() const { return Iterator(items_.end()); }

  private:
    // Each item is allocated on its own, so references stay valid while more are added,
    // and an empty collection costs no allocation.
    Storage items_;
};

}  // namespace saver
