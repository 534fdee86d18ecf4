#include "feeds/viewer/RandomDraw.h"

#include <random>

namespace saver {

int SourceDraw::Random(int n) {
    if (n <= 0) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, n - 1)(source_);
}

}  // namespace saver
