// feeddump: shows what the feed engine reads from a feed, as JSON on stdout.
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "FeedJson.h"
#include "feeds/readers/TSimpleRSS.h"

namespace {

constexpr const char* kUsage =
    "Usage: feeddump [FILE|-]\n"
    "Loads the feed in FILE (or standard input for \"-\" or no argument) the way the\n"
    "saver's feed ticker does and prints the feed model it reads as JSON on stdout.\n"
    "The JSON is printed also when the load fails; \"Error\" then holds the message and\n"
    "the model holds what was read before the error.\n"
    "\n"
    "Exit status: 0 when the feed loaded, 1 when the load raised an error,\n"
    "2 for a wrong command line or an unreadable file.\n";

int Dump(std::istream& stream) {
    saver::TSimpleRSS rss;
    std::optional<std::string> error;
    try {
        rss.LoadFromStream(stream);
    } catch (const std::exception& raised) {
        error = raised.what();
    }
    std::cout << saver::FeedJson(rss, error) << '\n';
    return error ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string argument = argc == 2 ? argv[1] : "-";
    if (argument == "--help" || argument == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (argument == "-") {
        return Dump(std::cin);
    }
    std::ifstream file(argument, std::ios::binary);
    if (!file) {
        std::cerr << "feeddump: cannot open " << argument << ": " << std::strerror(errno) << '\n';
        return 2;
    }
    return Dump(file);
}
