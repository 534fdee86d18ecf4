#include "support/WebProcesses.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace saver::test {

std::vector<pid_t> WebProcessesOf(pid_t parent) {
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        const pid_t pid = std::atoi(entry->d_name);
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string pid_text, name, state;
        pid_t parent_of = 0;
        if (pid > 0 && stat >> pid_text >> name >> state >> parent_of && parent_of == parent &&
            name.find("WebProces") != std::string::npos) {
            found.push_back(pid);
        }
    }
    if (proc) {
        closedir(proc);
    }
    return found;
}

}  // namespace saver::test
