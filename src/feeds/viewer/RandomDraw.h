#pragma once

#include "settings/PlayOrder.h"

namespace saver {

// Where the item viewer's placement draws its random numbers, so that a test can give
// the draws.
class RandomDraw {
  public:
    virtual ~RandomDraw() = default;
    // A uniformly drawn integer from 0 to n - 1; 0 when n is 0 or less.
    virtual int Random(int n) = 0;
};

// Draws from the process's random source.
class SourceDraw : public RandomDraw {
  public:
    explicit SourceDraw(RandomSource& source) : source_(source) {}
    int Random(int n) override;

  private:
    RandomSource& source_;
};

}  // namespace saver
