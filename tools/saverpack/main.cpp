// saverpack: makes saver files, checks them before they are made, and shows what a saver
// file carries.

#include "SaverBuilder.h"
#include "SaverCheck.h"
#include "SaverInspector.h"
#include "platform/linux/FileRegistry.h"
#include "platform/linux/LinuxFolders.h"

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kBuildUsage =
    R"(  saverpack build --host HOST --settings FILE.ini [--content DIR]
                  [--item FILE[:notzip]]... [--mpeg-library FILE[:notzip]]
                  [--strict] -o SAVER

Writes SAVER: a copy of the saver host HOST followed by the package items and the
saver package. The package holds FILE.ini (the saver settings) and every file of DIR
(folders are not kept, so names must differ); it must fit into the last 150000
bytes of the saver. Larger files travel as package items (--item), each zipped, or
as it is with ":notzip"; a file given so is left out of the package even where it
lies in DIR. Their byte ranges are written into the settings' sections "zippos" and
"notzip". List them in the settings as "(File) NAME" or "(Resource) NAME".
--mpeg-library carries the MPEG audio library (libmpegdll.so) as the item
"MPEGDLL.DLL", for machines that have none installed. With ":notzip" the saver
copies it into the user's private working folder, from which it is loaded. Zipped
(which gives a warning), it unpacks only the library, into the system folder when
the user may write there and is not root (a library placed there is loaded by every
user), else into the working folder too.
Before writing, the saver is checked as by "saverpack check"; the warnings go to
standard error. --strict makes them errors: no saver is written and the exit
status is 1.
)";

constexpr const char* kCheckUsage =
    R"(  saverpack check FILE.ini [--content DIR] [--item FILE[:notzip]]... [--strict]

Checks the saver that "build" would make from these files, without writing it, and
prints one warning a line: unknown sections and keys (with the nearest known name),
values that are no numbers where numbers are read or lie outside the allowed range,
content items that are in neither the package nor an existing local path and are no
address, kind prefixes in the wrong letter case, entries without "=", and references
of pages and style sheets in DIR (src, href, url()) to folders or to files the flat
package does not hold. Exit status 0; 1 with --strict when there are warnings.
)";

constexpr const char* kInspectUsage = R"(  saverpack inspect [--json] SAVER

Reads SAVER's settings as the saver would (with the user's registry overrides),
unpacking only its settings file in a scratch folder, and prints the settings that
matter (interval, order, exit conditions, feeds, music), its content lists in file
order, the entries of its package (names and sizes, not unpacked) and its package
items; --json prints every setting and list as one JSON object, with the Web list
in file order and "WebPlayOrder" in the order the saver would play it.
)";

constexpr const char* kExitStatus =
    "\nExit status: 0 on success, 1 when the work failed, 2 for a wrong command line.\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void PrintUsage(const char* command_usage) {
    std::cout << "Usage:\n"
              << (command_usage ? command_usage
                                : std::string(kBuildUsage) + "\n" + kCheckUsage + "\n" +
                                      kInspectUsage + "\n  saverpack [COMMAND] --help\n")
              << kExitStatus;
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

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

// The options of "build" and "check"; "check" takes the settings file as its operand.
struct PackOptions {
    saver::BuildRequest request;
    bool strict = false;
};

PackOptions ParsePackOptions(const std::vector<std::string>& args, bool build) {
    PackOptions options;
    saver::BuildRequest& request = options.request;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (build && arg == "--host") {
            request.host = NextValue(args, i);
        } else if (build && arg == "--settings") {
            request.settings = NextValue(args, i);
        } else if (arg == "--content") {
            request.content_folder = NextValue(args, i);
        } else if (arg == "--item") {
            request.items.push_back(ParseItem(NextValue(args, i)));
        } else if (arg == "--mpeg-library") {
            request.items.push_back(ParseItem(NextValue(args, i)));
            request.items.back().name = saver::kMpegLibraryItem;
        } else if (build && (arg == "-o" || arg == "--output")) {
            request.output = NextValue(args, i);
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (!build && request.settings.empty() && !arg.starts_with("-")) {
            request.settings = arg;
        } else {
            throw UsageError("unknown argument " + arg);
        }
    }
    if (build && (request.host.empty() || request.settings.empty() || request.output.empty())) {
        throw UsageError("build needs --host, --settings and -o");
    }
    if (request.settings.empty()) {
        throw UsageError("check needs a settings file");
    }
    return options;
}

// Runs the checks and prints their warnings; false when --strict forbids going on.
bool CheckAndReport(const PackOptions& options) {
    const saver::BuildRequest& request = options.request;
    const std::vector<std::string> warnings = saver::CheckSaver(
        saver::GatherSources(request.settings, request.content_folder, request.items));
    for (const std::string& warning : warnings) {
        std::cerr << warning << "\n";
    }
    if (!warnings.empty() && options.strict) {
        std::cerr << "saverpack: " << warnings.size()
                  << " warning(s), which --strict makes errors\n";
        return false;
    }
    return true;
}

int Build(const std::vector<std::string>& args) {
    const PackOptions options = ParsePackOptions(args, true);
    if (!CheckAndReport(options)) {
        return 1;
    }
    saver::BuildSaver(options.request, [](const std::string& item, int percent) {
        std::fprintf(stderr, "\rsaverpack: adding %s: %3d%%%s", item.c_str(), percent,
                     percent >= 100 ? "\n" : "");
    });
    std::printf("saverpack: wrote %s\n", options.request.output.c_str());
    return 0;
}

int Check(const std::vector<std::string>& args) {
    const PackOptions options = ParsePackOptions(args, false);
    return CheckAndReport(options) ? 0 : 1;
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

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"build", Build, kBuildUsage},
    {"check", Check, kCheckUsage},
    {"inspect", Inspect, kInspectUsage},
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty() || IsHelp(args[0]) || args[0] == "help") {
            PrintUsage(nullptr);
            return args.empty() ? 2 : 0;
        }
        for (const Command& command : kCommands) {
            if (args[0] != command.name) {
                continue;
            }
            for (const std::string& arg : args) {
                if (IsHelp(arg)) {
                    PrintUsage(command.usage);
                    return 0;
                }
            }
            return command.run(args);
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
