#pragma once

#include <cstdint>
#include <random>

namespace saver {

// The random numbers of the spray and noise effects; each renderer owns one, so a test
// can seed it and effects never share state.
class EffectRandom {
  public:
    EffectRandom() : engine_(std::random_device{}()) {}
    void Seed(uint32_t seed) { engine_.seed(seed); }

    // A random integer in 0 .. n - 1; 0 when n is 0 or below.
    int Below(int n) {
        if (n <= 0) {
            return 0;
        }
        return static_cast<int>(engine_() % static_cast<uint32_t>(n));
    }

  private:
    std::mt19937 engine_;
};

}  // namespace saver
