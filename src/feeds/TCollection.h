#pragma once

#include <deque>

namespace saver {

// An owned, ordered collection of items of one kind. Add appends a default item and returns
// it; references to items stay valid while more are added. Items are indexed from 0.
template <class T>
class TCollection {
  public:
    T& Add() { return items_.emplace_back(); }
    int Count() const { return static_cast<int>(items_.size()); }
    T& Items(int index) { return items_.at(static_cast<size_t>(index)); }
    const T& Items(int index) const { return items_.at(static_cast<size_t>(index)); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::deque<T> items_;
};

}  // namespace saver
