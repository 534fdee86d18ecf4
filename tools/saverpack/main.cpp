// saverpack: makes saver files and shows what a saver file carries.

#include "SaverBuilder.h"
#include "SaverInspector.h"
#include "platform/linux/FileRegistry.h"
#include "platform/linux/LinuxFolders.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage:
  saverpack build --host HOST --settings FILE.ini [--content DIR]
                  [--item FILE[:notzip]]... -o SAVER
  saverpack inspect [--json] SAVER
  saverpack --help

build    Writes SAVER: a copy of the saver host HOST followed by the package items
         and the saver package. The package holds FILE.ini (the saver settings)
         and every file of DIR (folders are not kept, so names must differ); it
         must fit into the last 150000 bytes of the saver. Larger files travel as
         package items (--item), each zipped, or as it is with ":notzip"; their
         byte ranges are written into the settings' sections "zippos" and
         "notzip". List them in the settings as "(File) NAME" or "(Resource) NAME".
inspect  Unpacks SAVER in a scratch folder, reads its settings as the saver would
         (with the user's registry overrides) and prints its settings, feed list,
         content lists and package items; --json prints them as one JSON object.

Exit status: 0 on success, 1 when the work failed, 2 for a wrong command line.
)";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string NextValue(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) {
        throw UsageError(args[i] + " needs a value");
    }
    return args[++i];
}

saver::PackageItemSource ParseItem(const std::string& text) {
    const std::string suffix = ":notzip";
    if (text.size() > suffix.size() && text.ends_with(suffix)) {
        return {text.substr(0, text.size() - suffix.size()), true};
    }
    return {text, false};
}

int Build(const std::vector<std::string>& args) {
    saver::BuildRequest request;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--host") {
            request.host = NextValue(args, i);
        } else if (arg == "--settings") {
            request.settings = NextValue(args, i);
        } else if (arg == "--content") {
            request.content_folder = NextValue(args, i);
        } else if (arg == "--item") {
            request.items.push_back(ParseItem(NextValue(args, i)));
        } else if (arg == "-o" || arg == "--output") {
            request.output = NextValue(args, i);
        } else {
            throw UsageError("unknown argument " + arg);
        }
    }
    if (request.host.empty() || request.settings.empty() || request.output.empty()) {
        throw UsageError("build needs --host, --settings and -o");
    }
    saver::BuildSaver(
        request,
        [](const std::string& item, int percent) {
            std::fprintf(stderr, "\rsaverpack: adding %s: %3d%%%s", item.c_str(), percent,
                         percent >= 100 ? "\n" : "");
        },
        [](const std::string& warning) {
            std::fprintf(stderr, "saverpack: warning: %s\n", warning.c_str());
        });
    std::printf("saverpack: wrote %s\n", request.output.c_str());
    return 0;
}

int Inspect(const std::vector<std::string>& args) {
    bool json = false;
    std::string saver_path;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (saver_path.empty() && !args[i].starts_with("-")) {
            saver_path = args[i];
        } else {
            throw UsageError("unknown argument " + args[i]);
        }
    }
    if (saver_path.empty()) {
        throw UsageError("inspect needs a saver file");
    }
    saver::LinuxFolders folders;
    saver::FileRegistry registry;
    std::cout << saver::InspectSaver(saver_path, folders, registry, json);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
            std::cout << kUsage;
            return args.empty() ? 2 : 0;
        }
        if (args[0] == "build") {
            return Build(args);
        }
        if (args[0] == "inspect") {
            return Inspect(args);
        }
        throw UsageError("unknown command " + args[0]);
    } catch (const UsageError& error) {
        std::cerr << "saverpack: " << error.what() << "\n(saverpack --help shows the usage)\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "saverpack: " << error.what() << "\n";
        return 1;
    }
}
