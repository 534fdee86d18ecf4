#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/WindowSystem.h"

namespace saver::test {

// A timer factory whose timers tick only when the test says so.
class FakeTimers {
  public:
    struct State {
        int interval = 0;
        bool enabled = false;
        bool destroyed = false;
        std::function<void()> tick;
    };

    std::unique_ptr<Timer> Create(int interval, std::function<void()> tick) {
        auto state = std::make_shared<State>(State{interval, false, false, std::move(tick)});
        made.push_back(state);
        return std::make_unique<FakeTimer>(state);
    }
    auto Factory() {
        return [this](int interval, std::function<void()> tick) {
            return Create(interval, std::move(tick));
        };
    }
    // Ticks every timer that is on and alive, each once, in the order they were made.
    void TickEnabled() {
        for (size_t i = 0; i < made.size(); ++i) {
            const std::shared_ptr<State> state = made[i];
            if (state->enabled && !state->destroyed) {
                state->tick();
            }
        }
    }
    bool AnyEnabled() const {
        for (const auto& state : made) {
            if (state->enabled && !state->destroyed) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::shared_ptr<State>> made;

  private:
    class FakeTimer : public Timer {
      public:
        explicit FakeTimer(std::shared_ptr<State> state) : state_(std::move(state)) {}
        ~FakeTimer() override { state_->destroyed = true; }
        void SetEnabled(bool enabled) override { state_->enabled = enabled; }
        bool Enabled() const override { return state_->enabled; }

      private:
        std::shared_ptr<State> state_;
    };
};

}  // namespace saver::test
