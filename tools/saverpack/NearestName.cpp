#include "NearestName.h"

#include "base/Text.h"

#include <algorithm>
#include <vector>

namespace saver {

namespace {

// Edit distance with swaps of neighbouring letters (optimal string alignment).
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

size_t Distance(const std::string& a, const std::string& b) {
    const bool begins = !a.empty() && !b.empty() && (a.starts_with(b) || b.starts_with(a));
    return begins ? std::min<size_t>(1, EditDistance(a, b)) : EditDistance(a, b);
}

}  // namespace

std::string NearestName(std::string_view name, std::span<const std::string_view> known) {
    const std::string wanted = UpperCase(name);
    std::string nearest;
    size_t best = 0;
    for (std::string_view candidate : known) {
        const size_t distance = Distance(wanted, UpperCase(candidate));
        if (nearest.empty() || distance < best) {
            nearest = candidate;
            best = distance;
        }
    }
    return nearest;
}

}  // namespace saver
