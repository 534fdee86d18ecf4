#pragma once

#include "SaverBuilder.h"
#include "ZipWriter.h"
#include "startup/PackageLayout.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace saver::test {

// A stand-in host program: bytes with the host program's mark and no package marker.
inline std::string WriteHost(const TempFolder& folder) {
    return folder.Write("host.bin", std::string(2048, 'H') + HostMark() + std::string(2048, 'H'));
}

// A saver file made the way the authoring tool makes it.
inline std::string BuildSaverFile(const TempFolder& folder, const std::string& name,
                                  const std::string& settings_text,
                                  const std::vector<PackageItemSource>& items = {},
                                  const std::string& content_folder = "") {
    BuildRequest request;
    request.host = WriteHost(folder);
    request.settings = folder.Write("author/Saver.ini", settings_text);
    request.content_folder = content_folder;
    request.items = items;
    request.output = folder / name;
    BuildSaver(request, [](const std::string&, int) {});
    return request.output;
}

}  // namespace saver::test
