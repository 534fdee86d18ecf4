#include "base/AudioSinkChoice.h"

#include "base/Files.h"

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace saver {

AudioSinkChoice AudioSinkFromEnvironment() {
    const char* value = std::getenv("SAVERHOST_AUDIO_SINK");
    const std::string_view text = value != nullptr ? value : "";
    if (text == "null") {
        return {AudioSinkChoice::Kind::Null, {}};
    }
    if (text.starts_with('/')) {
        std::string folder(text);
        if (!folder.ends_with('/')) {
            folder += '/';
        }
        return {AudioSinkChoice::Kind::Folder, folder};
    }
    return {};
}

namespace {

int CountWavFiles(const std::string& folder) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) {
        return 0;
    }
    int count = 0;
    while (const dirent* entry = ::readdir(directory)) {
        count += std::string_view(entry->d_name).ends_with(".wav") ? 1 : 0;
    }
    ::closedir(directory);
    return count;
}

}  // namespace

std::string NextRecordingPath(const std::string& folder, const std::string& source) {
    // An address's query or fragment is no part of the name.
    std::string name = SafeFileName(source.substr(0, source.find_first_of("?#")));
    if (name.empty()) {
        name = "stream";
    }
    char number[16];
    std::snprintf(number, sizeof number, "%04d-", CountWavFiles(folder) + 1);
    return folder + number + name + ".wav";
}

}  // namespace saver
