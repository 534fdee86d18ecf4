#pragma once

#include <algorithm>

#include "aatext/effects/TNotifyClass.h"

namespace saver {

// Stores value into field and reports a change through owner when it differs.
template <typename Field, typename Value>
void SetProperty(TNotifyClass& owner, Field& field, Value value) {
    const auto stored = static_cast<Field>(value);
    if (stored != field) {
        field = stored;
        owner.Changed();
    }
}

// The same for a property of a limited range: the value is clamped into lo..hi first.
template <typename Field>
void SetRangedProperty(TNotifyClass& owner, Field& field, int value, int lo, int hi) {
    SetProperty(owner, field, std::clamp(value, lo, hi));
}

}  // namespace saver
