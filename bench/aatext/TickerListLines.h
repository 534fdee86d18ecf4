#pragma once

#include <string>
#include <vector>

namespace saver::bench {

// 25 entries of the ticker's list area, about 60 characters each, the first highlighted.
inline std::vector<std::string> TickerListLines() {
    const char* titles[] = {
        "Markets rally as central banks signal a pause in rate hikes",
        "New telescope images reveal a galaxy forming stars quickly",
        "City council approves the budget for riverside bike lanes",
        "Researchers train small language models on a single laptop",
        "Storm season forecast calls for more hurricanes than usual",
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 25; ++i) {
        lines.push_back(std::string(i == 0 ? "<text3>" : "<text1>") + std::to_string(i + 1) + ". " +
                        titles[i % 5]);
    }
    return lines;
}

}  // namespace saver::bench
